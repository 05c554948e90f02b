#pragma once

#include <QBuffer>
#include <QNetworkReply>

/** A finished network reply as an inert copy: the request, URL, error and the body given to it,
 *  nothing more. The update worker hands these to another thread instead of its live replies,
 *  which Qt's network code may still touch in the worker's thread after they have finished. */
class FinishedReply : public QNetworkReply
{
public:
    FinishedReply(const QNetworkReply &source, const QByteArray &content, QObject *parent);

    void abort() override {}
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;

private:
    QBuffer m_content;
};
