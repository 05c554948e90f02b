#include "finishedreply_p.h"

#include <cstring>

FinishedReply::FinishedReply(const QNetworkReply &source, const QByteArray &content,
                             QObject *parent)
    : QNetworkReply(parent)
    , m_content(content)
{
    setRequest(source.request());
    setUrl(source.url());
    setOperation(source.operation());
    setError(source.error(), source.errorString());
    setFinished(true);
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 FinishedReply::bytesAvailable() const
{
    return m_content.size() - m_offset + QNetworkReply::bytesAvailable();
}

qint64 FinishedReply::readData(char *data, qint64 maxSize)
{
    const qint64 count = qMin(maxSize, m_content.size() - m_offset);
    if (count <= 0)
        return -1;
    std::memcpy(data, m_content.constData() + m_offset, size_t(count));
    m_offset += count;
    return count;
}
