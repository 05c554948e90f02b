#include "updatetestserver.h"

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
    configuration.addCaCertificates(QSslCertificate::fromPath(certificatePath("ca.pem")));
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
    return QUrl(QLatin1String(scheme) + QStringLiteral("://127.0.0.1:%1").arg(server.serverPort()));
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
    const char *certificates[] = {nullptr,         nullptr,      "untrusted.pem", "expired.pem",
                                  "wronghost.pem", "server.pem", "server.pem"};
    if (failure == ClosedPort || failure == Silent) {
        // The kernel accepts the connection for the listener, which then never says a word.
        result.listener = std::make_unique<QTcpServer>();
        result.listener->listen(QHostAddress::LocalHost);
        result.base = baseUrl(*result.listener);
        if (failure == ClosedPort)
            result.listener.reset();
        result.timeout = 1000;
        return result;
    }
    result.server = startServer(certificates[failure]);
    if (failure == RedirectToHttp) {
        // The plain server would give a valid answer: following the redirect is the fault.
        result.plainServer = startServer(nullptr);
        result.plainServer->setFixedResponse(path, {200, validBody});
        result.server->setFixedResponse(
            path, {302, QByteArray(), baseUrl(*result.plainServer, "http").toEncoded() + path});
    } else if (failure == NotFound) {
        result.server->setFixedResponse(path, {404, validBody});
    }
    result.base = baseUrl(*result.server);
    return result;
}

} // namespace UpdateTest
