// updateserver: serves the version files and the version query of the tool family on one
// address, for the demo and for trying a tool against a server of one's own.

#include "updateserver.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHostAddress>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("updateserver"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Serves /versioninfo/<product>.info and /versioninfo/versionstest.php. "
                       "Prints the base URL once it listens."));
    parser.addHelpOption();
    const QCommandLineOption certificate(QStringLiteral("cert"),
                                         QStringLiteral("Server certificate (PEM)."),
                                         QStringLiteral("file"));
    const QCommandLineOption key(QStringLiteral("key"), QStringLiteral("Its private key (PEM)."),
                                 QStringLiteral("file"));
    const QCommandLineOption address(QStringLiteral("address"),
                                     QStringLiteral("Address to listen on (127.0.0.1)."),
                                     QStringLiteral("ip"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Port to listen on (0: any free port)."),
                                  QStringLiteral("port"), QStringLiteral("0"));
    parser.addOptions({certificate, key, address, port});
    parser.addPositionalArgument(QStringLiteral("versions"),
                                 QStringLiteral("File of lines \"<product> = <version>\"."));
    parser.process(app);

    const auto fail = [](const QString &message) {
        std::fprintf(stderr, "updateserver: %s\n", qPrintable(message));
        return 1;
    };
    if (parser.positionalArguments().size() != 1)
        return fail(QStringLiteral("give one versions file"));
    if (parser.isSet(certificate) != parser.isSet(key))
        return fail(QStringLiteral("give both --cert and --key, or neither for plain HTTP"));

    UpdateServer server;
    QString error;
    if (!server.loadVersions(parser.positionalArguments().constFirst(), &error))
        return fail(error);
    if (parser.isSet(certificate)
        && !server.setCertificate(parser.value(certificate), parser.value(key), &error))
        return fail(error);
    const QHostAddress host(parser.value(address));
    if (!server.listen(host, parser.value(port).toUShort()))
        return fail(server.errorString());

    std::printf("%s://%s:%u\n", parser.isSet(certificate) ? "https" : "http",
                qPrintable(host.toString()), unsigned(server.serverPort()));
    std::fflush(stdout);
    QObject::connect(&server, &UpdateServer::requestReceived, [](const UpdateServer::Request &r) {
        QString line = QString::fromLatin1(r.method + ' ' + r.path);
        if (r.queryValid)
            line += QStringLiteral(" (command 0x%1, products %2)")
                        .arg(quint16(r.command), 4, 16, QLatin1Char('0'))
                        .arg(r.arguments.join(QLatin1String(", ")));
        std::fprintf(stderr, "updateserver: %s\n", qPrintable(line));
    });
    return app.exec();
}
