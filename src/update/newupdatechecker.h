#pragma once

#include "zezuzudod_export.h"

#include "tcpsocketclient.h"

#include <QMap>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QUrl>

class NewUpdateCheckerWorker;

/** Asks the update server for the current version numbers of the maker's products with one
 *  HTTPS POST to "<base URL>/versioninfo/versionstest.php" and compares the calling tool's entry
 *  with its own version. The request runs in a worker thread that the checker owns, so the
 *  calling thread never waits for the network; results come back through its event loop.
 *
 *  With messages off, a check ends with versionAvailable() or networkReplyError(); with messages
 *  on, with a message box (and networkReplyError() on a failure). A reply that is not a valid
 *  answer (a broken frame or record, another command, a status other than success, more than
 *  1 MiB) is dropped without a report. Versions compare numerically, component by component.
 *
 *  TLS is verified with Qt's default configuration; redirects are followed only while they stay
 *  on HTTPS. The destructor stops and joins the worker thread without waiting for a request. */
class ZEZUZUDOD_EXPORT newUpdateChecker : public QObject
{
    Q_OBJECT
public:
    /** Sends nothing; the worker thread starts with the first check. */
    explicit newUpdateChecker(QObject *parent = nullptr);
    ~newUpdateChecker() override;

    /** The server, "https://update.varnio.example" unless the build chose another. */
    void setBaseUrl(const QUrl &url);
    /** The server that checks go to. */
    QUrl baseUrl() const;
    /** A request that receives no byte for \a msec milliseconds fails with
     *  QNetworkReply::TimeoutError; 0 or less waits forever. The default is 30000. */
    void setTimeout(int msec);
    /** The timeout of a request in milliseconds. */
    int timeout() const;
    /** The host address and port for connectToServer(). */
    void setServerAddress(const QString &address, quint16 port);

    /** Starts one check for \a productId (a leading "01" loses its 0) against the tool's own
     *  \a version. The third argument has no effect. Repeated checks share one worker and each
     *  sends its request once; every answer is compared with the latest check's product and
     *  version. */
    void checkForUpdates(const QString &productId, const QString &version, signed char,
                         bool showMessages);
    /** Frames \a list with \a command and posts it to the version query. */
    void sendList(const QStringList &list, unsigned short command);
    /** Connects the TCP channel to the server address; every frame that arrives on it must
     *  carry a reply frame as the HTTP answer does, and is handled like one. */
    void connectToServer();

signals:
    /** \a version is the server's "major.minor.patch", \a productKey the product's key in the
     *  server's list ("1777-10" for product 1777), \a newer whether it is newer than the tool's.
     *  A product missing from the list is version 0.0.0. */
    void versionAvailable(const QString &version, const QString &productKey, bool newer);
    /** A check failed on the network (also by timeout or an untrusted certificate). */
    void networkReplyError(QNetworkReply::NetworkError error);
    /** Hands a request to the worker. */
    void post(const QNetworkRequest &request, const QByteArray &data);
    /** Never emitted by the checker. */
    void post(const QNetworkRequest &request);

public slots:
    /** Handles the content of a finished reply: an answer, or with messages on the failure box
     *  when it is empty. */
    void replyFinished(QNetworkReply *reply);
    /** Reports \a error as networkReplyError(). */
    void replyError(QNetworkReply::NetworkError error);

private slots:
    void readData(const QByteArray &receivedData);
    void checkNewerVersion(const QMap<QString, QString> &versionList);
    void noConnection(QNetworkReply *reply);
    void handlePostResult(QNetworkReply *reply, QNetworkReply::NetworkError error);

private:
    QThread m_workerThread;
    TcpSocketClient m_socket;
    quint16 m_serverPort = 0;
    QString m_serverAddress;
    QString m_version;
    QString m_productKey;
    bool m_showMessages = false;
    QUrl m_baseUrl;
    int m_timeout;
    // Lives in the worker thread and is deleted as that thread finishes.
    NewUpdateCheckerWorker *m_worker = nullptr;
};
