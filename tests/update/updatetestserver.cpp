#include "updatetestserver.h"

#include <QFile>
#include <QSslConfiguration>
#include <QTest>

namespace {

enum FailureKind { ClosedPort, Silent, Untrusted, Expired, WrongHost, RedirectToHttp, NotFound };

QString certificatePath(const char *name)
{
    return QStringLiteral(UPDATE_TEST_CERTIFICATES "/") + QLatin1String(name);
}

} // namespace

namespace UpdateTest {

void trustTestAuthority()
{
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    const auto authority = QSslCertificate::fromPath(certificatePath("ca.pem"));
    QVERIFY(!authority.isEmpty());
    configuration.addCaCertificates(authority);
    QSslConfiguration::setDefaultConfiguration(configuration);
}

std::unique_ptr<UpdateServer> startServer(const char *certificate)
{
    auto server = std::make_unique<UpdateServer>();
    QString error;
    if (certificate
        && !server->setCertificate(certificatePath(certificate), certificatePath("server.key"),
                                   &error))
        qFatal("%s", qPrintable(error));
    if (!server->listen(QHostAddress::LocalHost))
        qFatal("cannot listen: %s", qPrintable(server->errorString()));
    return server;
}

QUrl baseUrl(const QTcpServer &server, const char *scheme)
{
    return QUrl(
        QStringLiteral("%1://127.0.0.1:%2").arg(QLatin1String(scheme)).arg(server.serverPort()));
}

void addFailureRows()
{
    QTest::addColumn<int>("failure");
    QTest::addColumn<QNetworkReply::NetworkError>("error");
    QTest::newRow("closed port") << int(ClosedPort) << QNetworkReply::ConnectionRefusedError;
    QTest::newRow("silent server, 1 s timeout") << int(Silent) << QNetworkReply::TimeoutError;
    QTest::newRow("untrusted certificate")
        << int(Untrusted) << QNetworkReply::SslHandshakeFailedError;
    QTest::newRow("expired certificate") << int(Expired) << QNetworkReply::SslHandshakeFailedError;
    QTest::newRow("wrong host name") << int(WrongHost) << QNetworkReply::SslHandshakeFailedError;
    QTest::newRow("redirect to plain HTTP")
        << int(RedirectToHttp) << QNetworkReply::InsecureRedirectError;
    QTest::newRow("404 with a valid answer")
        << int(NotFound) << QNetworkReply::ContentNotFoundError;
}

Failure makeFailure(int failure, const QByteArray &path, const QByteArray &validBody)
{
    Failure result;
    switch (FailureKind(failure)) {
    case ClosedPort:
        result.listener = std::make_unique<QTcpServer>();
        result.listener->listen(QHostAddress::LocalHost);
        result.base = baseUrl(*result.listener);
        result.listener.reset();
        return result;
    case Silent:
        // Accepts the connection (the kernel does) and never says a word.
        result.listener = std::make_unique<QTcpServer>();
        result.listener->listen(QHostAddress::LocalHost);
        result.base = baseUrl(*result.listener);
        result.timeout = 1000;
        return result;
    case Untrusted:
        result.server = startServer("untrusted.pem");
        break;
    case Expired:
        result.server = startServer("expired.pem");
        break;
    case WrongHost:
        result.server = startServer("wronghost.pem");
        break;
    case RedirectToHttp: {
        // The plain server would give a valid answer: following the redirect is the fault.
        result.plainServer = startServer(nullptr);
        result.plainServer->setFixedResponse(path, {200, validBody});
        result.server = startServer();
        result.server->setFixedResponse(
            path, {302, QByteArray(), baseUrl(*result.plainServer, "http").toEncoded() + path});
        break;
    }
    case NotFound:
        result.server = startServer();
        result.server->setFixedResponse(path, {404, validBody});
        break;
    }
    result.base = baseUrl(*result.server);
    return result;
}

} // namespace UpdateTest
