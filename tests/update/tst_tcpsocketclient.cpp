#include <ZezuzuDOD/tcpsocketclient.h>

#include <QtNetwork>
#include <QtTest>

#include <memory>

namespace {

QByteArray frame(const QByteArray &content)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint64(content.size() + 4) << content;
    return bytes;
}

} // namespace

class TestTcpSocketClient : public QObject
{
    Q_OBJECT

    QTcpServer m_server;
    std::unique_ptr<TcpSocketClient> m_client;
    QTcpSocket *m_peer = nullptr;

    // Writes the bytes and waits until the client has them, so that every write arrives alone.
    void send(const QByteArray &bytes)
    {
        const qint64 before = m_client->bytesAvailable();
        QSignalSpy received(m_client.get(), &TcpSocketClient::receivedData);
        m_peer->write(bytes);
        QVERIFY(QTest::qWaitFor([&] {
            return m_client->bytesAvailable() != before || received.count()
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
        QTest::addColumn<QByteArrayList>("expected"); // none: the client closes the connection
        const QByteArray one = frame("first");
        const QByteArray two = frame(QByteArray(3000, 'b'));
        QTest::newRow("split inside the length field and inside the content")
            << QByteArrayList{one.left(5), one.mid(5, 9), one.mid(14)} << QByteArrayList{"first"};
        QTest::newRow("two frames in one write")
            << QByteArrayList{one + two} << QByteArrayList{"first", QByteArray(3000, 'b')};
        // Lengths are big-endian qint64: -1, and 16 MiB + 1.
        QTest::newRow("negative length closes")
            << QByteArrayList{QByteArray::fromHex("ffffffffffffffff") + one} << QByteArrayList();
        QTest::newRow("length above 16 MiB closes")
            << QByteArrayList{QByteArray::fromHex("0000000001000001") + one} << QByteArrayList();
    }

    void frames()
    {
        QFETCH(QByteArrayList, writes);
        QFETCH(QByteArrayList, expected);
        const bool closes = expected.isEmpty();
        m_client = std::make_unique<TcpSocketClient>();
        QSignalSpy connected(m_client.get(), &TcpSocketClient::isConnected);
        QSignalSpy received(m_client.get(), &TcpSocketClient::receivedData);
        QSignalSpy disconnected(m_client.get(), &TcpSocketClient::isDisConnected);
        m_client->connectToHost(QHostAddress::LocalHost, m_server.serverPort());
        QVERIFY(m_server.waitForNewConnection(10000));
        m_peer = m_server.nextPendingConnection();
        QVERIFY(connected.count() || connected.wait());
        for (const QByteArray &bytes : qAsConst(writes))
            send(bytes);
        QTRY_COMPARE(received.count(), expected.count());
        for (int i = 0; i < expected.count(); ++i)
            QCOMPARE(received.at(i).first().toByteArray(), expected.at(i));
        QTRY_COMPARE(m_client->state() == QAbstractSocket::ConnectedState, !closes);
        QCOMPARE(disconnected.count(), closes ? 1 : 0);
    }
};

QTEST_MAIN(TestTcpSocketClient)
#include "tst_tcpsocketclient.moc"

// Not covered: sendData(), which writes one frame as the version query's request does; a frame
// whose content does not fill its length (skipped, like any frame the reader cannot read); a
// partial frame forgotten when the connection ends.
