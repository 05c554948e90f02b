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

const QString Invalid = qs("Invalid data received from update server:");

QString newVersion(const char *version)
{
    return qs("New version %1 is available.").arg(qs(version));
}

QString noNewVersion(const char *version)
{
    return qs("No new version available. Version %1 is current version.").arg(qs(version));
}

// Runs one check with a box and returns the box's closer; the checker is gone by then.
std::unique_ptr<MessageBoxCloser> runCheck(const QUrl &base, const QString &version,
                                           int timeout = 0, const QString &product = qs("Device"))
{
    QPointer<UpdateChecker> checker = new UpdateChecker;
    checker->setBaseUrl(base);
    if (timeout)
        checker->setTimeout(timeout);
    auto closer = std::make_unique<MessageBoxCloser>();
    checker->queryForUpdates(product, version, false);
    if (!QTest::qWaitFor([&] { return !checker; }, 10000))
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
        QTest::addColumn<QString>("informativeText");
        QTest::newRow("newer patch")
            << QByteArray("Device:2.4.1\n") << qs("2.4.0") << newVersion("2.4.1");
        QTest::newRow("2.10.0 is newer than 2.9.0")
            << QByteArray("Device:2.10.0") << qs("2.9.0") << newVersion("2.10.0");
        QTest::newRow("2.9.0 is older than 2.10.0")
            << QByteArray("Device:2.9.0") << qs("2.10.0") << noNewVersion("2.9.0");
        QTest::newRow("line among others, CRLF")
            << QByteArray("# versions\r\nDevice:3.0.0\r\n") << qs("2.4") << newVersion("3.0.0");
        QTest::newRow("empty version is never newer")
            << QByteArray("Device:") << qs("2.4.0") << noNewVersion("");
        QTest::newRow("name differing in case")
            << QByteArray("device:2.4.1") << qs("2.4.0") << Invalid;
        QTest::newRow("nothing read after a zero byte")
            << QByteArray("\0Device:9.0.0", 13) << qs("2.4.0") << Invalid;
        QTest::newRow("2 MiB") << QByteArray("Device:9.0.0\n") + QByteArray(2 << 20, '#')
                               << qs("2.4.0") << Invalid;
    }

    void boxes()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, ownVersion);
        QFETCH(QString, informativeText);
        auto server = UpdateTest::startServer();
        server->setFixedResponse(DevicePath, {200, file});
        const auto closer = runCheck(UpdateTest::baseUrl(*server), ownVersion);
        QVERIFY(closer->closed());
        QCOMPARE(closer->title(), qs("Update Check"));
        QCOMPARE(closer->text(), informativeText == Invalid ? qs("Query for update has failed.")
                                                            : qs("Query for update successful."));
        QCOMPARE(closer->informativeText(), informativeText);
        const bool newer = informativeText.startsWith(QLatin1String("New"));
        QCOMPARE(closer->icon(), newer ? QMessageBox::Information : QMessageBox::Warning);

        // Silent, the same answer gives the signal for a newer version and nothing else.
        QPointer<UpdateChecker> silent = new UpdateChecker;
        silent->setBaseUrl(UpdateTest::baseUrl(*server));
        QSignalSpy spy(silent.data(), &UpdateChecker::newVersion);
        silent->queryForUpdates(qs("Device"), ownVersion, true);
        QVERIFY(QTest::qWaitFor([&] { return !silent; }, 10000)); // it deletes itself
        QCOMPARE(spy.count(), newer ? 1 : 0);
        if (newer)
            QCOMPARE(spy.first().first().toString(), informativeText);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void failures_data() { UpdateTest::addFailureRows(); }

    void failures()
    {
        QFETCH(int, failure);
        const UpdateTest::Failure setup
            = UpdateTest::makeFailure(failure, DevicePath, "Device:9.0.0\n");
        const auto closer = runCheck(setup.base, qs("1.0.0"), setup.timeout);
        QVERIFY(closer->closed());
        QCOMPARE(closer->text(), qs("Query for update has failed."));
        // After a redirect the reply's URL is the one it was sent to.
        QVERIFY2(closer->informativeText().startsWith(qs("No connection to http"))
                     && closer->informativeText().endsWith(QLatin1String(DevicePath)),
                 qPrintable(closer->informativeText()));
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
};

QTEST_MAIN(TestUpdateChecker)
#include "tst_updatechecker.moc"

// Not covered: a silent failure (no signal, as for invalid data); deleting the checker with a
// request in flight (its network manager is a member and takes the replies along; the threaded
// checker's test covers this for its worker).
