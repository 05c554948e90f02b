#include <ZezuzuDOD/tcpsocketclient.h>

#include <QDataStream>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTest>

#include <memory>

namespace {

QByteArray frame(const QByteArray &content)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint64(content.size() + 4) << content;
    return bytes;
}

QByteArray length(qint64 value)
{
    QByteArray bytes;
    QDataStream(&bytes, QIODevice::WriteOnly) << value;
    return bytes;
}

} // namespace

class TestTcpSocketClient : public QObject
{
    Q_OBJECT

private:
    QTcpServer m_server;
    std::unique_ptr<TcpSocketClient> m_client;
    QTcpSocket *m_peer = nullptr;

    void connectClient()
    {
        m_client = std::make_unique<TcpSocketClient>();
        QSignalSpy connected(m_client.get(), &TcpSocketClient::isConnected);
        m_client->connectToHost(QHostAddress::LocalHost, m_server.serverPort());
        QVERIFY(m_server.waitForNewConnection(10000));
        m_peer = m_server.nextPendingConnection();
        QVERIFY(connected.count() || connected.wait());
    }

    // Writes \a bytes and waits until the client has them, so that every write arrives alone.
    void send(const QByteArray &bytes, QSignalSpy &received)
    {
        const qint64 before = m_client->bytesAvailable();
        const int frames = received.count();
        m_peer->write(bytes);
        QVERIFY(QTest::qWaitFor([&] {
            return m_client->bytesAvailable() != before || received.count() != frames
                   || m_client->state() != QAbstractSocket::ConnectedState;
        }));
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
    }

    void cleanup() { m_client.reset(); }

    void frames_data()
    {
        QTest::addColumn<QByteArrayList>("writes");
        QTest::addColumn<QByteArrayList>("expected");
        const QByteArray one = frame("first");
        const QByteArray two = frame(QByteArray(3000, 'b'));
        QTest::newRow("one frame") << QByteArrayList{one} << QByteArrayList{"first"};
        QTest::newRow("split inside the length field")
            << QByteArrayList{one.left(5), one.mid(5)} << QByteArrayList{"first"};
        QTest::newRow("split inside the content")
            << QByteArrayList{one.left(14), one.mid(14)} << QByteArrayList{"first"};
        QTest::newRow("two frames in one write")
            << QByteArrayList{one + two} << QByteArrayList{"first", QByteArray(3000, 'b')};
        QTest::newRow("a frame and a half, then the rest")
            << QByteArrayList{one + two.left(100), two.mid(100)}
            << QByteArrayList{"first", QByteArray(3000, 'b')};
        QTest::newRow("content not filling its length is skipped")
            << QByteArrayList{length(7) + QByteArray::fromHex("00000002") + "abc" + one}
            << QByteArrayList{"first"};
        QTest::newRow("empty frame is skipped")
            << QByteArrayList{length(0) + one} << QByteArrayList{"first"};
    }

    void frames()
    {
        QFETCH(QByteArrayList, writes);
        QFETCH(QByteArrayList, expected);
        connectClient();
        QSignalSpy received(m_client.get(), &TcpSocketClient::receivedData);
        for (const QByteArray &bytes : qAsConst(writes))
            send(bytes, received);
        QTRY_COMPARE(received.count(), expected.count());
        for (int i = 0; i < expected.count(); ++i)
            QCOMPARE(received.at(i).first().toByteArray(), expected.at(i));
        QCOMPARE(m_client->state(), QAbstractSocket::ConnectedState);
    }

    void invalidLength_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::newRow("negative") << qint64(-1);
        QTest::newRow("above 16 MiB") << qint64(16 * 1024 * 1024 + 1);
        QTest::newRow("huge") << std::numeric_limits<qint64>::max();
    }

    void invalidLength()
    {
        QFETCH(qint64, value);
        connectClient();
        QSignalSpy received(m_client.get(), &TcpSocketClient::receivedData);
        QSignalSpy disconnected(m_client.get(), &TcpSocketClient::isDisConnected);
        QTest::ignoreMessage(
            QtWarningMsg,
            qPrintable(
                QStringLiteral("TcpSocketClient: invalid frame length %1, closing the connection")
                    .arg(value)));
        send(length(value) + frame("after"), received);
        QTRY_COMPARE(m_client->state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(disconnected.count(), 1);
        QCOMPARE(received.count(), 0);
    }

    void reconnectForgetsPartialFrame()
    {
        connectClient();
        QSignalSpy received(m_client.get(), &TcpSocketClient::receivedData);
        QSignalSpy disconnected(m_client.get(), &TcpSocketClient::isDisConnected);
        send(frame("lost").left(10), received);
        m_peer->disconnectFromHost();
        QVERIFY(disconnected.wait());
        m_client->connectToHost(QHostAddress::LocalHost, m_server.serverPort());
        QVERIFY(m_server.waitForNewConnection(10000));
        m_peer = m_server.nextPendingConnection();
        send(frame("kept"), received);
        QTRY_COMPARE(received.count(), 1);
        QCOMPARE(received.first().first().toByteArray(), QByteArray("kept"));
    }

    void sendData()
    {
        connectClient();
        m_client->sendData("to the server");
        const QByteArray expected = frame("to the server");
        QTRY_COMPARE(m_peer->bytesAvailable(), qint64(expected.size()));
        QCOMPARE(m_peer->readAll(), expected);
    }
};

QTEST_MAIN(TestTcpSocketClient)
#include "tst_tcpsocketclient.moc"
