#include "finishedreply_p.h"

FinishedReply::FinishedReply(const QNetworkReply &source, const QByteArray &content,
                             QObject *parent)
    : QNetworkReply(parent)
{
    setRequest(source.request());
    setUrl(source.url());
    setOperation(source.operation());
    setError(source.error(), source.errorString());
    m_content.setData(content);
    m_content.open(QIODevice::ReadOnly);
    setFinished(true);
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 FinishedReply::bytesAvailable() const
{
    return m_content.bytesAvailable() + QNetworkReply::bytesAvailable();
}

qint64 FinishedReply::readData(char *data, qint64 maxSize)
{
    return m_content.read(data, maxSize);
}
