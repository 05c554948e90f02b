// A tool outside the source tree, built against the installed package only.
#include <ZezuzuDOD/debugcrashhandler.h>
#include <ZezuzuDOD/varniobaseapplication.h>
#include <ZezuzuDOD/zezuzudod.h>

#include <cstdio>

int main(int argc, char **argv)
{
    VarnioBaseApplication app(argc, argv, QStringLiteral("Install Check"), QStringLiteral("1.2.3"));
    if (ZezuzuDOD::version != QLatin1String("0.9") || !app.debugHandler()) {
        std::fprintf(stderr, "unexpected library state\n");
        return 1;
    }
    std::printf("%s %s on ZezuzuDOD %s\n", qPrintable(QCoreApplication::applicationName()),
                qPrintable(QCoreApplication::applicationVersion()), qPrintable(ZezuzuDOD::version));
    return 0;
}
