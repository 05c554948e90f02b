// One base application per process, as switches and exceptions change process-wide state:
// "apphelper switches [switch...]" or "apphelper throw bad_alloc|runtime|int [worker]".
#include <ZezuzuDOD/debugcrashhandler.h>
#include <ZezuzuDOD/functiontrace.h>
#include <ZezuzuDOD/varniobaseapplication.h>

#include "messageboxcloser.h"

#include <QEventLoop>
#include <QThread>

#include <cstdio>
#include <stdexcept>

namespace {

// A queued call: the exception leaves an event handler of the context's thread.
void throwLater(QObject *context, const QString &kind)
{
    QMetaObject::invokeMethod(
        context,
        [kind] {
            if (kind == QLatin1String("bad_alloc"))
                throw std::bad_alloc();
            if (kind == QLatin1String("runtime"))
                throw std::runtime_error("disk on fire");
            throw 42;
        },
        Qt::QueuedConnection);
}

void print(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    VarnioBaseApplication app(argc, argv, QStringLiteral("Helper App"), QStringLiteral("1.0"));
    const QStringList args = QCoreApplication::arguments();
    if (args.value(1) == QLatin1String("switches")) {
        print(QString::number(app.debugHandler()->debugHandlingType()));
        print(app.debugHandler()->debugLogFileName());
        qDebug("probe message");
        __cyg_profile_func_enter(reinterpret_cast<void *>(0x400000), nullptr);
        app.onInstrumentFunctionChanged(true);
        __cyg_profile_func_enter(reinterpret_cast<void *>(0x401000), nullptr);
        return 0;
    }
    QThread *gui = QThread::currentThread();
    app.setStopFunction([gui] {
        print(QStringLiteral("stop in %1 thread")
                  .arg(QLatin1String(QThread::currentThread() == gui ? "GUI" : "worker")));
    });
    MessageBoxCloser closer;
    const QString kind = args.value(2);
    // The context is made in the worker itself: nothing crosses threads but the application's
    // own hand-over.
    QScopedPointer<QThread> worker(QThread::create([kind] {
        QObject context;
        throwLater(&context, kind);
        QEventLoop().exec();
    }));
    if (args.value(3) == QLatin1String("worker"))
        worker->start();
    else
        throwLater(&app, kind);
    const int code = app.exec();
    worker->quit();
    worker->wait();
    print(QStringLiteral("box: %1, exec=%2").arg(closer.title()).arg(code));
}
