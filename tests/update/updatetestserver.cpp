#include "updatetestserver.h"

namespace UpdateTest {

QString certificate(const char *name)
{
    return QStringLiteral(UPDATE_TEST_CERTIFICATES "/") + QLatin1String(name);
}

std::unique_ptr<UpdateServer> startServer(const char *certificateName)
{
    auto server = std::make_unique<UpdateServer>();
    QString error;
    if (certificateName
        && !server->setCertificate(certificate(certificateName), certificate("server.key"), &error))
        qFatal("%s", qPrintable(error));
    if (!server->listen(QHostAddress::LocalHost))
        qFatal("cannot listen: %s", qPrintable(server->errorString()));
    return server;
}

QUrl baseUrl(const QTcpServer &server, const char *scheme)
{
    return QUrl(QLatin1String(scheme) + QStringLiteral("://127.0.0.1:%1").arg(server.serverPort()));
}

} // namespace UpdateTest
