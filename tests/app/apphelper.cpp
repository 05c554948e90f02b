// One base application per process for tst_varniobaseapplication: switches and exceptions
// change process-wide state (message handler, trace permission, exit code).
//   apphelper switches [switch...]  prints the handling type and log path, emits "probe
//                                   message", traces 0x400000 (trace off) and 0x401000 (on)
//   apphelper throw <kind> [worker] throws bad_alloc, runtime or int from an event handler of
//                                   the GUI thread or a worker thread; prints the box

#include <ZezuzuDOD/debugcrashhandler.h>
#include <ZezuzuDOD/functiontrace.h>
#include <ZezuzuDOD/varniobaseapplication.h>

#include "messageboxcloser.h"

#include <QEvent>
#include <QThread>

#include <cstdio>
#include <new>
#include <stdexcept>

namespace {

class Thrower : public QObject
{
public:
    explicit Thrower(const QString &kind)
        : m_kind(kind)
    {
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
    }
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        if (m_kind == QLatin1String("bad_alloc"))
            throw std::bad_alloc();
        if (m_kind == QLatin1String("runtime"))
            throw std::runtime_error("disk on fire");
        throw 42;
    }
    QString m_kind;
};

// The thrower is made in the worker itself, so nothing crosses threads but the base
// application's own hand-over.
class Worker : public QThread
{
public:
    QString kind;
    void run() override
    {
        Thrower thrower(kind);
        exec();
    }
};

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
        print(QThread::currentThread() == gui ? QStringLiteral("stop in GUI thread")
                                              : QStringLiteral("stop in worker thread"));
    });
    MessageBoxCloser closer;
    Worker worker;
    worker.kind = args.value(2);
    QScopedPointer<Thrower> thrower;
    if (args.value(3) == QLatin1String("worker"))
        worker.start();
    else
        thrower.reset(new Thrower(args.value(2)));
    const int code = app.exec();
    worker.quit();
    worker.wait();
    print(QStringLiteral("box: %1|%2|%3|%4")
              .arg(closer.title(),
                   QString(closer.text()).replace(QLatin1Char('\n'), QLatin1Char('/')))
              .arg(int(closer.icon()))
              .arg(closer.buttonTexts().join(QLatin1Char(','))));
    print(QStringLiteral("exec=%1").arg(code));
    return 0;
}
