// dcfconfig: the example tool of the family. Built on the base application, it takes the
// debugging switches every tool of the family takes; its job is in DcfCommissioning, and with
// --gui the same job runs from DcfConfigWindow.

#include "commissioningsettings.h"
#include "dcfcommissioning.h"
#include "dcfconfigwindow.h"

#include <ZezuzuDOD/debugcrashhandler.h>
#include <ZezuzuDOD/varniobaseapplication.h>
#include <ZezuzuDOD/zezuzudod.h>

#include <QTextStream>

namespace {

int runWindow(VarnioBaseApplication &app)
{
    DcfConfigWindow window;
    QObject::connect(
        &window, &DcfConfigWindow::writeDcfRequested, &window,
        [&window](const QString &eds, const QString &dcf, const CommissioningSettings &values) {
            QString text;
            QTextStream out(&text);
            const QStringList arguments = QStringList{QCoreApplication::applicationFilePath(), eds,
                                                      QStringLiteral("-o"), dcf}
                                          + values.arguments();
            if (DcfCommissioning().exec(arguments, out, out) == 0)
                CommissioningSettings::rememberValues(arguments);
            window.showResult(text.trimmed());
        });
    window.show();
    return app.exec();
}

} // namespace

int main(int argc, char **argv)
{
    VarnioBaseApplication app(argc, argv, QStringLiteral("DCF Config"), QStringLiteral("0.9.0"));
    QCoreApplication::setOrganizationName(QStringLiteral("Varnio"));
    app.setProperty("AppNameWithVersion", QStringLiteral("DCF Config 0.9.0"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
        << " (ZezuzuDOD " << ZezuzuDOD::version << ")\n";
    out.flush();

    qDebug("dcfconfig started with %d argument(s)", int(QCoreApplication::arguments().size()) - 1);
    qInfo("debug handling type %d", app.debugHandler()->debugHandlingType());
    qWarning("this warning goes where the debugging switches send it");

    int result = 0;
    if (QCoreApplication::arguments().contains(QLatin1String("--gui"))) {
        result = runWindow(app);
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
