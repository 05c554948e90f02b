// updatecheck: asks an update server about one product with the library's checkers in their
// signal mode, as a tool does it without showing a box.
//   updatecheck [--base-url URL] [--ca FILE] query <product id> <own version>
//   updatecheck [--base-url URL] [--ca FILE] file <product> <own version>

#include <ZezuzuDOD/newupdatechecker.h>
#include <ZezuzuDOD/updatechecker.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSslCertificate>
#include <QSslConfiguration>

#include <cstdio>

namespace {

void print(const QString &text)
{
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("updatecheck"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "query: posts the version query (newUpdateChecker); file: fetches the product's "
        "version file (UpdateChecker)."));
    parser.addHelpOption();
    const QCommandLineOption baseUrl(QStringLiteral("base-url"),
                                     QStringLiteral("The update server."), QStringLiteral("url"));
    const QCommandLineOption authority(
        QStringLiteral("ca"), QStringLiteral("Also trust this certificate authority (PEM)."),
        QStringLiteral("file"));
    parser.addOptions({baseUrl, authority});
    parser.addPositionalArgument(QStringLiteral("mode"), QStringLiteral("query or file"));
    parser.addPositionalArgument(QStringLiteral("product"), QStringLiteral("Product."));
    parser.addPositionalArgument(QStringLiteral("version"), QStringLiteral("Own version."));
    parser.process(app);

    const QStringList arguments = parser.positionalArguments();
    const QString mode = arguments.value(0);
    if (arguments.size() != 3 || (mode != QLatin1String("query") && mode != QLatin1String("file")))
        parser.showHelp(2);
    const QString product = arguments.at(1);
    const QString version = arguments.at(2);

    if (parser.isSet(authority)) {
        const auto certificates = QSslCertificate::fromPath(parser.value(authority));
        if (certificates.isEmpty()) {
            std::fprintf(stderr, "updatecheck: no certificate in %s\n",
                         qPrintable(parser.value(authority)));
            return 2;
        }
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        configuration.addCaCertificates(certificates);
        QSslConfiguration::setDefaultConfiguration(configuration);
    }
    const QUrl server = parser.isSet(baseUrl) ? QUrl(parser.value(baseUrl)) : QUrl();

    if (mode == QLatin1String("query")) {
        newUpdateChecker checker;
        if (server.isValid())
            checker.setBaseUrl(server);
        QObject::connect(&checker, &newUpdateChecker::versionAvailable,
                         [&](const QString &serverVersion, const QString &key, bool newer) {
                             print(QStringLiteral("%1: server has %2, this is %3: %4")
                                       .arg(key, serverVersion, version,
                                            newer ? QStringLiteral("a newer version is available")
                                                  : QStringLiteral("up to date")));
                             app.exit(0);
                         });
        QObject::connect(&checker, &newUpdateChecker::networkReplyError,
                         [&](QNetworkReply::NetworkError error) {
                             print(QStringLiteral("query failed: network error %1").arg(error));
                             app.exit(1);
                         });
        checker.checkForUpdates(product, version, 0, false);
        return app.exec();
    }

    // The version file checker deletes itself after its answer; in silent mode it says
    // something only when there is a newer version.
    auto *checker = new UpdateChecker;
    if (server.isValid())
        checker->setBaseUrl(server);
    bool reported = false;
    QObject::connect(checker, &UpdateChecker::newVersion, [&](const QString &text) {
        print(product + QLatin1String(": ") + text);
        reported = true;
    });
    QObject::connect(checker, &QObject::destroyed, [&] {
        if (!reported)
            print(product + QLatin1String(": no newer version reported"));
        app.exit(0);
    });
    checker->queryForUpdates(product, version, true);
    return app.exec();
}
