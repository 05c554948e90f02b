// dcfconfig: the example tool of the family. Built on the base application, it takes the
// debugging switches every tool of the family takes; its job is in DcfCommissioning, and with
// --gui the same job runs from DcfConfigWindow.

#include "commissioningsettings.h"
#include "dcfcommissioning.h"
#include "dcfconfigwindow.h"
#include "helpmenu.h"
#include "screenshottour.h"
#include "translationloader.h"

#include <ZezuzuDOD/debugcrashhandler.h>
#include <ZezuzuDOD/quelmappstyle.h>
#include <ZezuzuDOD/varniobaseapplication.h>
#include <ZezuzuDOD/zezuzudod.h>

#include <QCommandLineParser>
#include <QIcon>
#include <QStyleFactory>
#include <QTextStream>
#include <QUrl>

namespace {

int runWindow(VarnioBaseApplication &app, const QCommandLineParser &options, QTextStream &err)
{
    QApplication::setStyle(new QuelmAppStyle(QStyleFactory::create(QStringLiteral("Fusion")),
                                             QStringLiteral("Windows")));
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/dcfconfig-%1.png").arg(size));
    QApplication::setWindowIcon(icon);

    DcfConfigWindow window;
    // The options override the settings for this run only.
    if (options.isSet(QStringLiteral("update-url")))
        window.helpMenu()->setUpdateServer(
            QUrl::fromUserInput(options.value(QStringLiteral("update-url"))));
    if (options.isSet(QStringLiteral("update-ca")))
        window.helpMenu()->setUpdateCaFile(options.value(QStringLiteral("update-ca")));
    if (options.isSet(QStringLiteral("o")))
        window.setDcfFile(options.value(QStringLiteral("o")));
    const QString file = options.positionalArguments().value(0);

    if (options.isSet(QStringLiteral("screenshots"))) {
        QString error;
        const QString folder = options.value(QStringLiteral("screenshots"));
        if (file.isEmpty() || !ScreenshotTour(&window, file, folder).run(&error)) {
            err << (error.isEmpty() ? QStringLiteral("--screenshots needs a device file") : error)
                << '\n';
            return 1;
        }
        return 0;
    }
    window.show();
    if (!file.isEmpty())
        window.openFile(file);
    window.helpMenu()->showTipAtStartup();
    return app.exec();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    VarnioBaseApplication app(argc, argv, QStringLiteral("DCF Config"), QStringLiteral("0.9.0"));
    QCoreApplication::setOrganizationName(QStringLiteral("Varnio"));
    // Names the settings store, so each version of the tool keeps its own.
    const QString nameWithVersion = QCoreApplication::applicationName() + QLatin1Char(' ')
                                    + QCoreApplication::applicationVersion();
    app.setProperty("AppNameWithVersion", nameWithVersion);

    QTextStream out(stdout);
    QTextStream err(stderr);
    out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
        << " (ZezuzuDOD " << ZezuzuDOD::version << ")\n";
    out.flush();

    qDebug("dcfconfig started with %d argument(s)", int(QCoreApplication::arguments().size()) - 1);
    qInfo("debug handling type %d", app.debugHandler()->debugHandlingType());

    // A first look at the options: the job checks them properly when it runs.
    QCommandLineParser options;
    DcfCommissioning::addOptions(options);
    options.parse(QCoreApplication::arguments());
    TranslationLoader::install(options.value(QStringLiteral("lang")));

    int result = 0;
    if (options.isSet(QStringLiteral("gui")) || options.isSet(QStringLiteral("screenshots"))) {
        result = runWindow(app, options, err);
    } else {
        const QStringList arguments
            = CommissioningSettings::withRememberedValues(QCoreApplication::arguments());
        result = DcfCommissioning().exec(arguments, out, err);
        if (result == 0)
            CommissioningSettings::rememberValues(arguments);
    }

    const QString log = app.debugHandler()->debugLogFileName();
    out << "Debug log: " << (log.isEmpty() ? QStringLiteral("none (start with --debug-log)") : log)
        << '\n';
    return result;
}
