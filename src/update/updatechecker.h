#pragma once

#include "zezuzudod_export.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkReply;

/** Asks the update server whether a newer version of a tool exists by fetching the product's
 *  version file "<base URL>/versioninfo/<product>.info", which holds a line
 *  "<product>:<version>". Versions compare numerically, component by component (2.10.0 is newer
 *  than 2.9.0, 2.4 equals 2.4.0).
 *
 *  The checker is used once: it handles the first reply that finishes, shows the result in a
 *  modal "Update Check" box (or, when silent, only emits newVersion() for a newer version) and
 *  then deletes itself with deleteLater(); do not use it afterwards. A network failure (also an
 *  untrusted certificate, a redirect away from HTTPS, an HTTP error status or the timeout) gives
 *  the "Query for update has failed." box; a file without the product's line or above 1 MiB
 *  gives the "Invalid data received from update server:" box. Silent mode shows neither. */
class ZEZUZUDOD_EXPORT UpdateChecker : public QObject
{
    Q_OBJECT
public:
    /** A checker that sends nothing before queryForUpdates(). */
    explicit UpdateChecker(QObject *parent = nullptr);
    ~UpdateChecker() override;

    /** The server, "https://update.varnio.example" unless the build chose another. */
    void setBaseUrl(const QUrl &url);
    /** The server that the query goes to. */
    QUrl baseUrl() const;
    /** A request that receives no byte for \a msec milliseconds fails like a network failure;
     *  0 or less waits forever. The default is 30000. */
    void setTimeout(int msec);
    /** The timeout of the request in milliseconds. */
    int timeout() const;

    /** Stores the arguments and sends the request; \a version is the tool's own version. A
     *  repeated call sends another request, but only the first reply to finish is handled. */
    void queryForUpdates(const QString &product, const QString &version, bool silent);

signals:
    /** Silent mode only: the server has a newer version. \a newVersion is the whole sentence
     *  "New version <version> is available.". */
    void newVersion(const QString &newVersion);

public slots:
    /** Handles a reply of the checker's network manager (connected to its finished()). */
    void replyFinished(QNetworkReply *reply);

private:
    QNetworkAccessManager m_manager;
    QString m_product;
    QString m_title;
    QString m_version;
    bool m_silent = false;
    QUrl m_baseUrl;
    int m_timeout;
    bool m_answered = false;
};
