#include "tcpsocketclient.h"

#include "updateprotocol_p.h"

#include <QDataStream>
#include <QDebug>

TcpSocketClient::TcpSocketClient(QObject *parent)
    : QTcpSocket(parent)
{
    connect(this, &QIODevice::readyRead, this, &TcpSocketClient::readDataFromSocket);
    connect(this, &QAbstractSocket::disconnected, this, &TcpSocketClient::endConnection);
    connect(this, &QAbstractSocket::connected, this, &TcpSocketClient::setConnected);
    connect(this, &QAbstractSocket::hostFound, this, &TcpSocketClient::hostFound);
}

TcpSocketClient::~TcpSocketClient()
{
    // QAbstractSocket's destructor aborts an open connection and emits disconnected(); by then
    // this part of the object is gone, so the connection is ended here.
    disconnect(this, &QAbstractSocket::disconnected, this, &TcpSocketClient::endConnection);
    abort();
}

void TcpSocketClient::sendData(const QByteArray &data)
{
    write(UpdateProtocol::frame(data));
}

void TcpSocketClient::readDataFromSocket()
{
    // readyRead() is not emitted again for bytes that are already buffered, so a frame left
    // here could wait for the next packet forever.
    for (;;) {
        if (m_blockSize == 0) {
            if (bytesAvailable() < qint64(sizeof(qint64)))
                return;
            QDataStream in(this);
            in.setVersion(UpdateProtocol::StreamVersion);
            in >> m_blockSize;
            if (m_blockSize < 0 || m_blockSize > UpdateProtocol::MaxFrameSize) {
                qWarning("TcpSocketClient: invalid frame length %lld, closing the connection",
                         m_blockSize);
                m_blockSize = 0;
                abort();
                return;
            }
            if (m_blockSize == 0)
                continue; // nothing follows, so there is nothing to hand out
        }
        if (bytesAvailable() < m_blockSize)
            return;
        const QByteArray body = read(m_blockSize);
        m_blockSize = 0;
        QByteArray content;
        if (UpdateProtocol::readFrameBody(body, &content))
            emit receivedData(content);
        else
            qWarning("TcpSocketClient: skipped a frame whose content does not match its length");
    }
}

void TcpSocketClient::endConnection()
{
    abort();
    m_blockSize = 0;
    emit isDisConnected();
    disconnectFromHost();
}

void TcpSocketClient::setConnected()
{
    emit isConnected();
}

void TcpSocketClient::hostFound()
{
    qDebug("TcpSocketClient found host");
}
