// dcfconfig: the example tool of the family. Built on the base application, it takes the
// debugging switches every tool of the family takes; its job is in DcfCommissioning.

#include "dcfcommissioning.h"

#include <ZezuzuDOD/debugcrashhandler.h>
#include <ZezuzuDOD/varniobaseapplication.h>
#include <ZezuzuDOD/zezuzudod.h>

#include <QTextStream>

int main(int argc, char **argv)
{
    VarnioBaseApplication app(argc, argv, QStringLiteral("DCF Config"), QStringLiteral("0.9.0"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
        << " (ZezuzuDOD " << ZezuzuDOD::version << ")\n";
    out.flush();

    qDebug("dcfconfig started with %d argument(s)", int(QCoreApplication::arguments().size()) - 1);
    qInfo("debug handling type %d", app.debugHandler()->debugHandlingType());
    qWarning("this warning goes where the debugging switches send it");

    const int result = DcfCommissioning().exec(QCoreApplication::arguments(), out, err);

    const QString log = app.debugHandler()->debugLogFileName();
    out << "Debug log: " << (log.isEmpty() ? QStringLiteral("none (start with --debug-log)") : log)
        << '\n';
    return result;
}
