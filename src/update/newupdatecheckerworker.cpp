#include "newupdatecheckerworker.h"

#include "finishedreply_p.h"
#include "updateprotocol_p.h"

#include <QNetworkAccessManager>

NewUpdateCheckerWorker::NewUpdateCheckerWorker(QObject *parent)
    : QObject(parent)
{}

NewUpdateCheckerWorker::~NewUpdateCheckerWorker() = default;

void NewUpdateCheckerWorker::doWork(const QNetworkRequest &request, const QByteArray &block)
{
    // Made here rather than in the constructor, so that it belongs to the worker's thread.
    if (!m_manager) {
        m_manager = new QNetworkAccessManager(this);
        connect(m_manager, &QNetworkAccessManager::finished, this,
                &NewUpdateCheckerWorker::replyFinished);
    }
    QNetworkReply *reply = m_manager->post(request, block);
    UpdateProtocol::limitReplySize(reply);
    connect(reply, &QNetworkReply::errorOccurred, this, &NewUpdateCheckerWorker::replyError);
}

void NewUpdateCheckerWorker::replyFinished(QNetworkReply *reply)
{
    reply->deleteLater();
    if (UpdateProtocol::isOversized(reply))
        return;
    // The body of an HTTP error page is never an answer.
    const QByteArray content
        = reply->error() == QNetworkReply::NoError ? reply->readAll() : QByteArray();
    emit resultReady(new FinishedReply(*reply, content, this), QNetworkReply::NoError);
}

void NewUpdateCheckerWorker::replyError(QNetworkReply::NetworkError error)
{
    const auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (reply && UpdateProtocol::isOversized(reply))
        return;
    // Only the transfer timeout cancels a request that was not too large.
    if (error == QNetworkReply::OperationCanceledError)
        error = QNetworkReply::TimeoutError;
    emit resultReady(nullptr, error);
}
