#include <ZezuzuDOD/newupdatechecker.h>
#include <ZezuzuDOD/updatechecker.h>

#include "messageboxcloser.h"
#include "testutil.h"
#include "updatetestserver.h"

#include <QtNetwork>
#include <QtTest>
#include <QtWidgets>

namespace {

const QByteArray DevicePath = "/versioninfo/Device.info";
const QByteArray QueryPath = "/versioninfo/versionstest.php";

using UpdateTest::baseUrl;
using UpdateTest::certificate;
using UpdateTest::startServer;

QByteArray answer(const QMap<QString, QString> &versions)
{
    return UpdateServer::replyFrame(UpdateServer::VersionQuery, 1,
                                    UpdateServer::versionPayload(versions));
}

// What a box shows, its icon first: "(i)" for information, "(!)" for a warning.
QString shown(const MessageBoxCloser &box)
{
    const QString icon = box.icon() == QMessageBox::Information ? qs("(i) ")
                         : box.icon() == QMessageBox::Warning   ? qs("(!) ")
                                                                : QString();
    return icon + box.text() + QLatin1Char(' ') + box.informativeText();
}

QString newVersion(const QString &version)
{
    return qs("(i) Query for update successful. New version %1 is available.").arg(version);
}

QString currentVersion(const QString &version)
{
    return qs("(!) Query for update successful. No new version available. Version %1 is current "
              "version.")
        .arg(version);
}

enum FailureKind { ClosedPort, Silent, Untrusted, RedirectToHttp, NotFound, LargeNotFound };

// One way for both checks to fail: where the checkers are to be pointed, with which timeout.
// Where a server answers at all, it knows a newer version: using that is the fault.
struct Failure
{
    explicit Failure(int kind)
    {
        if (kind == ClosedPort || kind == Silent) {
            // The kernel accepts the connection for the listener, which then never says a word.
            listener.listen(QHostAddress::LocalHost);
            base = failedAt = baseUrl(listener);
            timeout = 1000;
            if (kind == ClosedPort)
                listener.close();
            return;
        }
        server = startServer(kind == Untrusted ? "untrusted.pem" : "server.pem");
        plainServer = startServer(nullptr);
        for (UpdateServer *answering : {server.get(), plainServer.get()}) {
            answering->setVersion(qs("Device"), qs("9.0.0"));
            answering->setVersion(qs("1777-10"), qs("9.0.0"));
        }
        const QByteArray query = answer({{qs("1777-10"), qs("9.0.0")}});
        for (const auto &[path, valid] : {std::make_pair(DevicePath, QByteArray("Device:9.0.0\n")),
                                          std::make_pair(QueryPath, query)}) {
            if (kind == RedirectToHttp) {
                server->setFixedResponse(
                    path, {302, QByteArray(), baseUrl(*plainServer, "http").toEncoded() + path});
            } else if (kind == NotFound) {
                server->setFixedResponse(path, {404, valid});
            } else if (kind == LargeNotFound) {
                server->setFixedResponse(path, {404, valid + QByteArray(2 << 20, '\n')});
            }
        }
        base = baseUrl(*server);
        failedAt = kind == RedirectToHttp ? baseUrl(*plainServer, "http") : base;
    }

    QUrl base;
    QUrl failedAt; // where a failed reply says it went
    int timeout = 30000;
    QTcpServer listener;
    std::unique_ptr<UpdateServer> server;
    std::unique_ptr<UpdateServer> plainServer;
};

// What one check of the version file gives, asked for twice as an impatient user would: the
// title and text of each box, or silent, the text of each newVersion() signal. Only one reply
// may be handled; the checker has deleted itself by then.
QString runCheck(const QUrl &base, const QString &version, bool silent = false, int timeout = 30000)
{
    QPointer<UpdateChecker> checker = new UpdateChecker;
    checker->setBaseUrl(base);
    checker->setTimeout(timeout);
    QSignalSpy signal(checker.data(), &UpdateChecker::newVersion);
    MessageBoxCloser first;
    MessageBoxCloser second; // takes a second box as soon as the first is closed
    checker->queryForUpdates(qs("Device"), version, silent);
    checker->queryForUpdates(qs("Device"), version, silent);
    if (!QTest::qWaitFor([&] { return !checker; }, 10000))
        return qs("the checker did not delete itself");
    QStringList results;
    for (const QVariantList &arguments : qAsConst(signal))
        results.append(arguments.first().toString());
    for (const MessageBoxCloser *box : {&first, &second}) {
        if (box->closed())
            results.append(box->title() + QLatin1String(": ") + shown(*box));
    }
    return results.join(QLatin1String(" + "));
}

// A product checker pointed at a server of its own, with spies on both results.
struct Check
{
    std::unique_ptr<UpdateServer> server = startServer();
    newUpdateChecker checker;
    QSignalSpy versions{&checker, &newUpdateChecker::versionAvailable};
    QSignalSpy errors{&checker, &newUpdateChecker::networkReplyError};

    Check() { checker.setBaseUrl(baseUrl(*server)); }
};

} // namespace

class TestUpdateCheckers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        configuration.addCaCertificates(QSslCertificate::fromPath(certificate("ca.pem")));
        QSslConfiguration::setDefaultConfiguration(configuration);
    }

    void versions_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("own");
        QTest::addColumn<bool>("newer");
        QTest::addColumn<QString>("ownShown"); // by the product checker's box when not newer
        QTest::newRow("2.10.0 is newer than 2.9.0")
            << qs("2.10.0") << qs("2.9.0") << true << QString();
        QTest::newRow("2.9.0 is older than 2.10")
            << qs("2.9.0") << qs("2.10") << false << qs("2.10.0");
        QTest::newRow("own 7 gives a result") << qs("7.0.1") << qs("7") << true << QString();
        QTest::newRow("suffix of a component ignored")
            << qs("2.4.1") << qs("2.4.1-beta") << false << qs("2.4.1");
    }

    // Both checkers compare alike; the version file's box names the server's version, the
    // product checker's box the own one.
    void versions()
    {
        QFETCH(QString, server);
        QFETCH(QString, own);
        QFETCH(bool, newer);
        QFETCH(QString, ownShown);
        Check check;
        check.server->setVersion(qs("Device"), server);
        check.server->setVersion(qs("1776-10"), qs("9.9.9"));
        check.server->setVersion(qs("1777-10"), server);
        const QUrl base = check.checker.baseUrl();
        QCOMPARE(
            runCheck(base, own),
            QString(qs("Update Check: ") + (newer ? newVersion(server) : currentVersion(server))));
        // Silent, the same answer gives the signal for a newer version and nothing else.
        QCOMPARE(runCheck(base, own, true),
                 newer ? qs("New version %1 is available.").arg(server) : QString());

        check.checker.checkForUpdates(qs("01777"), own, 0, false);
        QVERIFY(check.versions.wait());
        QCOMPARE(check.versions.first(), QVariantList({server, qs("1777-10"), newer}));
        // With messages on, the box is the only result and follows the same comparison.
        MessageBoxCloser productBox;
        check.checker.checkForUpdates(qs("01777"), own, 0, true);
        QTRY_VERIFY(productBox.closed());
        QCOMPARE(shown(productBox), newer ? newVersion(server) : currentVersion(ownShown));
        QCOMPARE(check.versions.count(), 1);
        QCOMPARE(check.errors.count(), 0);
    }

    void versionFile_data()
    {
        const QString invalid
            = qs("(!) Query for update has failed. Invalid data received from update server:");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("expected");
        QTest::newRow("line among others, CRLF")
            << QByteArray("# versions\r\nDevice:3.0.0\r\n") << newVersion(qs("3.0.0"));
        QTest::newRow("name differing in case") << QByteArray("device:3.0.0") << invalid;
        QTest::newRow("nothing read after a zero byte")
            << QByteArray("\0Device:3.0.0", 13) << invalid;
        QTest::newRow("2 MiB") << QByteArray("Device:3.0.0\n") + QByteArray(2 << 20, '#')
                               << invalid;
    }

    void versionFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);
        auto server = startServer();
        server->setFixedResponse(DevicePath, {200, file});
        QCOMPARE(runCheck(baseUrl(*server), qs("2.4.0")), QString(qs("Update Check: ") + expected));
    }

    void query_data()
    {
        QTest::addColumn<QString>("basePath");
        QTest::addColumn<QString>("productId");
        QTest::addColumn<QString>("key");
        QTest::newRow("a leading 01 loses its 0") << QString() << qs("01777") << qs("1777");
        QTest::newRow("other leading zeros stay") << QString() << qs("001777") << qs("001777");
        QTest::newRow("Base64 + and / sent unescaped, UTF-16 key")
            << QString() << qs("ü~") << qs("ü~");
        QTest::newRow("base path kept, its slash not doubled")
            << qs("/mirror/") << qs("1777") << qs("1777");
        QTest::newRow("empty product still answered") << QString() << QString() << QString();
    }

    void query()
    {
        QFETCH(QString, basePath);
        QFETCH(QString, productId);
        QFETCH(QString, key);
        Check check;
        QUrl base = check.checker.baseUrl();
        base.setPath(basePath);
        check.checker.setBaseUrl(base);
        QSignalSpy requests(check.server.get(), &UpdateServer::requestReceived);
        check.checker.checkForUpdates(productId, qs("1.0.0"), 0, false);
        QVERIFY(requests.wait());
        const auto request = requests.first().first().value<UpdateServer::Request>();
        QCOMPARE(request.method + ' ' + request.path,
                 "POST " + basePath.chopped(basePath.endsWith(QLatin1Char('/'))).toUtf8()
                     + QueryPath);
        QCOMPARE(request.contentType, QByteArray("application/x-www-form-urlencoded"));
        // The server decodes the raw Base64 strictly and checks the length field and every
        // nested record for its exact end.
        QVERIFY(request.body.startsWith("productid="));
        QVERIFY(request.queryValid);
        QCOMPARE(request.command, qint16(0x200A));
        QCOMPARE(request.arguments, QStringList{key});
        QVERIFY(check.versions.count() || check.versions.wait());
        QCOMPARE(check.versions.first().at(1).toString(), key + QLatin1String("-10"));
    }

    void failures_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<QNetworkReply::NetworkError>("error");
        QTest::newRow("closed port") << int(ClosedPort) << QNetworkReply::ConnectionRefusedError;
        QTest::newRow("silent server, 1 s timeout") << int(Silent) << QNetworkReply::TimeoutError;
        QTest::newRow("untrusted certificate")
            << int(Untrusted) << QNetworkReply::SslHandshakeFailedError;
        QTest::newRow("redirect to plain HTTP")
            << int(RedirectToHttp) << QNetworkReply::InsecureRedirectError;
        QTest::newRow("404 with a valid answer")
            << int(NotFound) << QNetworkReply::ContentNotFoundError;
        QTest::newRow("404 with a valid answer and 2 MiB more")
            << int(LargeNotFound) << QNetworkReply::ContentNotFoundError;
    }

    // Both checkers fail with a box that names the URL; the product checker also reports the
    // error, before its box.
    void failures()
    {
        QFETCH(int, failure);
        QFETCH(QNetworkReply::NetworkError, error);
        const Failure failing(failure);
        const QString fileBox = runCheck(failing.base, qs("1.0.0"), false, failing.timeout);

        newUpdateChecker checker;
        checker.setBaseUrl(failing.base);
        checker.setTimeout(failing.timeout);
        QSignalSpy errors(&checker, &newUpdateChecker::networkReplyError);
        MessageBoxCloser queryBox;
        checker.checkForUpdates(qs("1777"), qs("1.0.0"), 0, true);
        QTRY_VERIFY_WITH_TIMEOUT(queryBox.closed(), 10000);
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.first().first().value<QNetworkReply::NetworkError>(), error);

        const QString failed = qs("(!) Query for update has failed. No connection to ")
                               + failing.failedAt.toString();
        QCOMPARE(fileBox, QString(qs("Update Check: ") + failed + QLatin1String(DevicePath)));
        QCOMPARE(shown(queryBox), QString(failed + QLatin1String(QueryPath)));
    }

    void queryAnswers_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("version"); // empty: the answer is dropped
        const QMap<QString, QString> newer{{qs("1777-10"), qs("9.0.0")}};
        const QByteArray list = UpdateServer::versionPayload(newer);
        QTest::newRow("garbage") << QByteArray("<html>Service unavailable</html>") << QString();
        QTest::newRow("frame ends early") << answer(newer).chopped(3) << QString();
        QTest::newRow("wrong command") << UpdateServer::replyFrame(0x200B, 1, list) << QString();
        QTest::newRow("status 0") << UpdateServer::replyFrame(UpdateServer::VersionQuery, 0, list)
                                  << QString();
        QTest::newRow("version list ends early")
            << UpdateServer::replyFrame(UpdateServer::VersionQuery, 1, list.left(20)) << QString();
        QTest::newRow("valid but 2 MiB")
            << answer({{qs("1777-10"), qs("9.0.0")}, {QString(1 << 20, u'x'), qs("1.0.0")}})
            << QString();
        QTest::newRow("a line end after the frame is no part of it") << answer(newer) + "\r\n"
                                                                     << qs("9.0.0");
        QTest::newRow("product not listed is 0.0.0")
            << answer({{qs("1776-10"), qs("9.0.0")}}) << qs("0.0.0");
    }

    void queryAnswers()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, version);
        Check check;
        check.server->setVersion(qs("1777-10"), qs("2.0.0"));
        check.server->setFixedResponse(QueryPath, {200, body});
        QSignalSpy requests(check.server.get(), &UpdateServer::requestReceived);
        check.checker.checkForUpdates(qs("1777"), qs("1.0.0"), 0, false);
        QVERIFY(requests.wait());
        // The next answer is a valid one; the first reply ended before it was even asked for.
        check.server->removeFixedResponse(QueryPath);
        check.checker.checkForUpdates(qs("1777"), qs("1.0.0"), 0, false);
        QTRY_COMPARE(check.versions.count(), version.isEmpty() ? 1 : 2);
        QCOMPARE(check.versions.last().first().toString(), qs("2.0.0"));
        if (!version.isEmpty())
            QCOMPARE(check.versions.first().first().toString(), version);
        QCOMPARE(check.errors.count(), 0);
        QCOMPARE(requests.count(), 2); // a repeated check sends its request once
    }

    void workerOutsideGuiThreadAndGoneWithChecker()
    {
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        auto *checker = new newUpdateChecker;
        checker->setBaseUrl(baseUrl(silent));
        checker->setTimeout(0);
        checker->checkForUpdates(qs("1777"), qs("1.0.0"), 0, true);
        // This thread runs no event loop until the connection is there: nothing on the
        // request's way may need it.
        QVERIFY(silent.waitForNewConnection(10000));
        QElapsedTimer timer;
        timer.start();
        delete checker;
        // A bound, not a measurement: the fault is waiting for an answer that never comes.
        QVERIFY2(timer.elapsed() < 5000, QByteArray::number(timer.elapsed()));
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestUpdateCheckers)
#include "tst_updatecheckers.moc"

// Not covered: expired certificates and wrong host names (Qt's own verification, which the
// untrusted certificate shows is not switched off); a silent failure of the version file checker
// (no signal, as for invalid data); deleting that checker with a request in flight (its network
// manager is a member and takes the replies along); connectToServer() and the TCP channel end to
// end (the client's framing has its own test, and its frames go to the same reader as the HTTP
// answers); sendList with commands other than the version query; the "post(QNetworkRequest)"
// signal, which nothing emits.
