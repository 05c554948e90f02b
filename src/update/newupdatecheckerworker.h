#pragma once

#include "zezuzudod_export.h"

#include <QByteArray>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QObject>

class QNetworkAccessManager;

/** Sends the POST requests of newUpdateChecker from a thread of their own; it is meant to be
 *  moved to that thread and driven only by queued signals.
 *
 *  For each request, resultReady() is emitted with a null reply and the error when the request
 *  fails (a timeout as QNetworkReply::TimeoutError), and then, for every request that ends, with
 *  a finished, read-only copy of the reply and QNetworkReply::NoError: its body when the request
 *  succeeded, nothing after a failure. An answer above 1 MiB is dropped without any signal.
 *  The copies are children of the worker and live in its thread, which never touches them
 *  again; the receiver reads them and calls deleteLater() on them, or leaves them to the
 *  worker. The worker owns its network manager and live replies. */
class ZEZUZUDOD_EXPORT NewUpdateCheckerWorker : public QObject
{
    Q_OBJECT
public:
    /** Creates the worker; its network manager is made in the thread it is moved to. */
    explicit NewUpdateCheckerWorker(QObject *parent = nullptr);
    ~NewUpdateCheckerWorker() override;

signals:
    /** A request has failed (\a reply null) or ended (\a reply a finished copy); see the class. */
    void resultReady(QNetworkReply *reply, QNetworkReply::NetworkError error);

public slots:
    /** Posts \a block to \a request. */
    void doWork(const QNetworkRequest &request, const QByteArray &block);

private slots:
    void replyFinished(QNetworkReply *reply);
    void replyError(QNetworkReply::NetworkError error);

private:
    QNetworkAccessManager *m_manager = nullptr;
};
