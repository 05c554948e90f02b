// dcfconfig: the example tool of the family. Built on the base application, it takes the
// debugging switches every tool of the family takes; its job is in DcfCommissioning, and with
// --gui the same job runs from DcfConfigWindow.

#include "commissioningsettings.h"
#include "dcfcommissioning.h"
#include "dcfconfigwindow.h"

#include <ZezuzuDOD/debugcrashhandler.h>
#include <ZezuzuDOD/guihelper.h>
#include <ZezuzuDOD/varniobaseapplication.h>
#include <ZezuzuDOD/zezuzudod.h>

#include <QTextStream>

namespace {

const QString commissioningGroup = QStringLiteral("Commissioning");

// The command-line options whose values are kept between runs, with their keys in the group.
struct RememberedOption
{
    QLatin1String option;
    QLatin1String key;
};
const RememberedOption rememberedOptions[] = {
    {QLatin1String("--node-id"), QLatin1String("NodeId")},
    {QLatin1String("--baudrate"), QLatin1String("BaudRate")},
    {QLatin1String("--net-number"), QLatin1String("NetNumber")},
    {QLatin1String("--network-name"), QLatin1String("NetworkName")},
    {QLatin1String("--node-name"), QLatin1String("NodeName")},
};

// A commissioning value that the command line leaves out is the one of the last run that gave
// it, so a series of devices of one network needs the network's values only once.
QStringList withRememberedValues(QStringList arguments)
{
    for (const RememberedOption &o : rememberedOptions) {
        if (arguments.contains(o.option))
            continue;
        const QVariant last = GuiHelper::restoreSetting(commissioningGroup, o.key);
        if (last.isValid())
            arguments << o.option << last.toString();
    }
    return arguments;
}

void rememberValues(const QStringList &arguments)
{
    for (const RememberedOption &o : rememberedOptions) {
        const int at = arguments.indexOf(o.option);
        if (at >= 0 && at + 1 < arguments.size())
            GuiHelper::saveSetting(commissioningGroup, o.key, arguments.at(at + 1));
    }
}

QStringList jobArguments(const QString &eds, const QString &dcf, const CommissioningSettings &c)
{
    return {QCoreApplication::applicationFilePath(),
            eds,
            QStringLiteral("-o"),
            dcf,
            QStringLiteral("--node-id"),
            QString::number(c.nodeId),
            QStringLiteral("--baudrate"),
            QString::number(c.baudRate),
            QStringLiteral("--network-name"),
            c.networkName,
            QStringLiteral("--node-name"),
            c.nodeName};
}

int runWindow(VarnioBaseApplication &app)
{
    DcfConfigWindow window;
    QObject::connect(
        &window, &DcfConfigWindow::writeDcfRequested, &window,
        [&window](const QString &eds, const QString &dcf, const CommissioningSettings &values) {
            QString text;
            QTextStream out(&text);
            const QStringList arguments = jobArguments(eds, dcf, values);
            if (DcfCommissioning().exec(arguments, out, out) == 0)
                rememberValues(arguments);
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
        const QStringList arguments = withRememberedValues(QCoreApplication::arguments());
        result = DcfCommissioning().exec(arguments, out, err);
        if (result == 0)
            rememberValues(arguments);
    }

    const QString log = app.debugHandler()->debugLogFileName();
    out << "Debug log: " << (log.isEmpty() ? QStringLiteral("none (start with --debug-log)") : log)
        << '\n';
    return result;
}
