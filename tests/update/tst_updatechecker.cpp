#include <ZezuzuDOD/updatechecker.h>

#include "messageboxcloser.h"
#include "updatetestserver.h"

#include <QApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

namespace {

const QByteArray DevicePath = "/versioninfo/Device.info";

QString qs(const char *text)
{
    return QString::fromUtf8(text);
}

const QString Successful = qs("Query for update successful.");
const QString Failed = qs("Query for update has failed.");
const QString Invalid = qs("Invalid data received from update server:");

QString noNewVersion(const char *version)
{
    return qs("No new version available. Version %1 is current version.").arg(qs(version));
}

// Runs one check against \a base; the checker is gone when this returns.
MessageBoxCloser *runCheck(const QUrl &base, const QString &version, int timeout = 0,
                           const QString &product = qs("Device"))
{
    auto *checker = new UpdateChecker;
    checker->setBaseUrl(base);
    if (timeout)
        checker->setTimeout(timeout);
    QPointer<UpdateChecker> alive(checker);
    auto *closer = new MessageBoxCloser;
    checker->queryForUpdates(product, version, false);
    if (!QTest::qWaitFor([&] { return !alive; }, 10000))
        qWarning("the checker did not delete itself");
    return closer;
}

} // namespace

class TestUpdateChecker : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        UpdateTest::trustTestAuthority();
    }

    void boxes_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("ownVersion");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("informativeText");
        QTest::newRow("newer patch") << QByteArray("Device:2.4.1\n") << qs("2.4.0") << Successful
                                     << qs("New version 2.4.1 is available.");
        QTest::newRow("2.10.0 is newer than 2.9.0")
            << QByteArray("Device:2.10.0") << qs("2.9.0") << Successful
            << qs("New version 2.10.0 is available.");
        QTest::newRow("2.9.0 is older than 2.10.0")
            << QByteArray("Device:2.9.0") << qs("2.10.0") << Successful << noNewVersion("2.9.0");
        QTest::newRow("own 2.4 equals 2.4.0")
            << QByteArray("Device:2.4.0") << qs("2.4") << Successful << noNewVersion("2.4.0");
        QTest::newRow("line among others, CRLF")
            << QByteArray("# versions\r\nDevice:3.0.0\r\n") << qs("2.4.0") << Successful
            << qs("New version 3.0.0 is available.");
        QTest::newRow("empty version is never newer")
            << QByteArray("Device:") << qs("2.4.0") << Successful << noNewVersion("");
        QTest::newRow("name differing in case")
            << QByteArray("device:2.4.1") << qs("2.4.0") << Failed << Invalid;
        QTest::newRow("another product")
            << QByteArray("Sensor:2.4.1") << qs("2.4.0") << Failed << Invalid;
        QTest::newRow("nothing read after a zero byte")
            << QByteArray("\0Device:9.0.0", 13) << qs("2.4.0") << Failed << Invalid;
        QTest::newRow("2 MiB") << QByteArray("Device:9.0.0\n") + QByteArray(2 << 20, '#')
                               << qs("2.4.0") << Failed << Invalid;
    }

    void boxes()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, ownVersion);
        QFETCH(QString, text);
        QFETCH(QString, informativeText);
        auto server = UpdateTest::startServer();
        server->setFixedResponse(DevicePath, {200, file});
        std::unique_ptr<MessageBoxCloser> closer(
            runCheck(UpdateTest::baseUrl(*server), ownVersion));
        QVERIFY(closer->closed());
        QCOMPARE(closer->title(), qs("Update Check"));
        QCOMPARE(closer->text(), text);
        QCOMPARE(closer->informativeText(), informativeText);
        QCOMPARE(closer->icon(), informativeText.startsWith(QLatin1String("New"))
                                     ? QMessageBox::Information
                                     : QMessageBox::Warning);
    }

    void failures_data() { UpdateTest::addFailureRows(); }

    void failures()
    {
        QFETCH(int, failure);
        const UpdateTest::Failure setup
            = UpdateTest::makeFailure(failure, DevicePath, "Device:9.0.0\n");
        std::unique_ptr<MessageBoxCloser> closer(runCheck(setup.base, qs("1.0.0"), setup.timeout));
        QVERIFY(closer->closed());
        QCOMPARE(closer->text(), Failed);
        // After a redirect the reply's URL is the one it was sent to.
        QVERIFY2(closer->informativeText().startsWith(qs("No connection to http"))
                     && closer->informativeText().endsWith(QLatin1String(DevicePath)),
                 qPrintable(closer->informativeText()));
    }

    void silent_data()
    {
        QTest::addColumn<QString>("ownVersion");
        QTest::addColumn<bool>("reachable");
        QTest::addColumn<QStringList>("signalled");
        QTest::newRow("newer") << qs("2.4.0") << true
                               << QStringList{qs("New version 2.4.1 is available.")};
        QTest::newRow("older") << qs("2.5.0") << true << QStringList();
        QTest::newRow("failure") << qs("2.4.0") << false << QStringList();
    }

    void silent()
    {
        QFETCH(QString, ownVersion);
        QFETCH(bool, reachable);
        QFETCH(QStringList, signalled);
        auto server = UpdateTest::startServer();
        server->setVersion(qs("Device"), qs("2.4.1"));
        const QUrl base = UpdateTest::baseUrl(*server);
        if (!reachable)
            server->close();
        QPointer<UpdateChecker> checker = new UpdateChecker;
        checker->setBaseUrl(base);
        QStringList received;
        connect(checker, &UpdateChecker::newVersion, this,
                [&](const QString &text) { received << text; });
        checker->queryForUpdates(qs("Device"), ownVersion, true);
        QVERIFY(QTest::qWaitFor([&] { return !checker; }, 10000));
        QCOMPARE(received, signalled);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void requestPath_data()
    {
        QTest::addColumn<QString>("basePath");
        QTest::addColumn<QString>("product");
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("plain") << QString() << qs("Device") << DevicePath;
        QTest::newRow("base path kept")
            << qs("/mirror") << qs("Device") << QByteArray("/mirror/versioninfo/Device.info");
        QTest::newRow("trailing slash not doubled")
            << qs("/mirror/") << qs("Device") << QByteArray("/mirror/versioninfo/Device.info");
        QTest::newRow("product escaped")
            << QString() << qs("I/O Module?") << QByteArray("/versioninfo/I/O%20Module%3F.info");
    }

    void requestPath()
    {
        QFETCH(QString, basePath);
        QFETCH(QString, product);
        QFETCH(QByteArray, path);
        auto server = UpdateTest::startServer();
        QSignalSpy requests(server.get(), &UpdateServer::requestReceived);
        QUrl base = UpdateTest::baseUrl(*server);
        base.setPath(basePath);
        std::unique_ptr<MessageBoxCloser> closer(runCheck(base, qs("1.0"), 0, product));
        QCOMPARE(requests.count(), 1);
        const auto request = requests.first().first().value<UpdateServer::Request>();
        QCOMPARE(request.method, QByteArray("GET"));
        QCOMPARE(request.path, path);
    }

    void repeatedQueryOneBox()
    {
        auto server = UpdateTest::startServer();
        server->setVersion(qs("Device"), qs("2.4.1"));
        QPointer<UpdateChecker> checker = new UpdateChecker;
        checker->setBaseUrl(UpdateTest::baseUrl(*server));
        // A second box would be taken by the second closer, as soon as the first is closed.
        MessageBoxCloser first;
        MessageBoxCloser second;
        checker->queryForUpdates(qs("Device"), qs("2.4.0"), false);
        checker->queryForUpdates(qs("Device"), qs("2.4.0"), false);
        QVERIFY(QTest::qWaitFor([&] { return !checker; }, 10000));
        QVERIFY(first.closed());
        QVERIFY(!second.closed());
    }

    void destructionWithRequestInFlight()
    {
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        auto *checker = new UpdateChecker;
        checker->setBaseUrl(UpdateTest::baseUrl(silent));
        checker->queryForUpdates(qs("Device"), qs("1.0"), false);
        QVERIFY(QTest::qWaitFor([&] { return silent.hasPendingConnections(); }));
        delete checker;
        QTest::qWait(0);
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestUpdateChecker)
#include "tst_updatechecker.moc"
