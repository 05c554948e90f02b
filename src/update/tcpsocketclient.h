#pragma once

#include "zezuzudod_export.h"

#include <QByteArray>
#include <QTcpSocket>

/** A TCP socket that sends and receives frames: a qint64 length of what follows, then one
 *  QByteArray, written with QDataStream::Qt_5_1 in big-endian order.
 *
 *  Every complete frame that has arrived is handed out by receivedData() with the content of its
 *  QByteArray, in order, as soon as its last byte is there. A frame whose QByteArray does not fill
 *  exactly the announced length is skipped. A length below 0 or above 16 MiB cannot be the start
 *  of a frame: the connection is aborted, which emits disconnected() and isDisConnected().
 *
 *  The private slot hostFound() hides the signal of the same name from QAbstractSocket; connect
 *  to &QAbstractSocket::hostFound for the signal. */
class ZEZUZUDOD_EXPORT TcpSocketClient : public QTcpSocket
{
    Q_OBJECT
public:
    /** An unconnected socket whose frames are read as they arrive. */
    explicit TcpSocketClient(QObject *parent = nullptr);
    ~TcpSocketClient() override;

    /** Writes \a data as one frame. */
    void sendData(const QByteArray &data);

signals:
    /** One complete frame's content has arrived. */
    void receivedData(const QByteArray &dataFromServer);
    /** The connection is established. */
    void isConnected();
    /** The connection has ended, by either side or after an invalid frame length. */
    void isDisConnected();

public slots:
    /** Takes every complete frame that is buffered; connected to readyRead(). */
    void readDataFromSocket();
    /** Aborts the connection and forgets a partly received frame; connected to disconnected(). */
    void endConnection();
    /** Emits isConnected(); connected to connected(). */
    void setConnected();

private slots:
    void hostFound();

private:
    qint64 m_blockSize = 0;
};
