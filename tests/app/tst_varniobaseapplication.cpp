#include <ZezuzuDOD/debugcrashhandler.h>
#include <ZezuzuDOD/varniobaseapplication.h>

#include <helper.h>

#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

QStringList s_messages;

class Sleeper : public QObject
{
public:
    int sleepMs = 0;
    bool event(QEvent *) override
    {
        QThread::msleep(static_cast<unsigned long>(sleepMs));
        return true;
    }
};

qint64 virtualMemoryKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    return QRegularExpression(QStringLiteral("VmSize:\\s+(\\d+)"))
        .match(QString::fromLatin1(status.readAll()))
        .captured(1)
        .toLongLong();
}

/** Runs the helper with its own HOME; gives standard output, standard error, exit code. */
QStringList runHelper(const QString &arguments, const QString &home)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(APP_HELPER),
                  arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts));
    process.waitForFinished(60000);
    return {
        QString::fromLocal8Bit(process.readAllStandardOutput()),
        QString::fromLocal8Bit(process.readAllStandardError()),
        QString::number(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1)};
}

} // namespace

class TestVarnioBaseApplication : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void switches_data();
    void switches();
    void exceptions_data();
    void exceptions();
    void slowDeliveriesAreReported();
    void releaseEmergencyMemory();
    void initSettingsForwardsTheByte();

private:
    VarnioBaseApplication *app() { return static_cast<VarnioBaseApplication *>(qApp); }
};

void TestVarnioBaseApplication::switches_data()
{
    // Expected: handling type, where "probe message" goes, the log file at exit, the trace.
    QTest::addColumn<QString>("switches");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << ""
                          << "2 Qt no-log no-trace";
    QTest::newRow("log: file kept") << "--debug-log"
                                    << "12 library kept no-trace";
    QTest::newRow("standard") << "--debug-standard"
                              << "4 library no-log no-trace";
    QTest::newRow("log + standard: replaced by 4, log deleted") << "--debug-standard --debug-log"
                                                                << "4 library deleted no-trace";
    QTest::newRow("detailed passes 4") << "--debug-log --debug-detailed"
                                       << "4 library deleted no-trace";
    QTest::newRow("log + with-debug: Qt's handler back") << "--with-debug --debug-log"
                                                         << "1 Qt deleted no-trace";
    QTest::newRow("log + instrument: messages dropped, trace permitted")
        << "--debug-log --instrument-functions"
        << "16 nowhere deleted trace";
    QTest::newRow("instrument: trace only once switched on") << "--instrument-functions"
                                                             << "16 Qt no-log trace";
    QTest::newRow("other letter case is no switch") << "--Debug-Log"
                                                    << "2 Qt no-log no-trace";
    QTest::newRow("appended value is no switch") << "--debug-log=1"
                                                 << "2 Qt no-log no-trace";
}

void TestVarnioBaseApplication::switches()
{
    QFETCH(QString, switches);
    QFETCH(QString, expected);
    QTemporaryDir home;
    const QStringList run = runHelper(QStringLiteral("switches ") + switches, home.path());
    QCOMPARE(run[2], QStringLiteral("0"));
    const QStringList out = run[0].split(QLatin1Char('\n')); // "<type>", "<log path>"

    QString console = QStringLiteral("nowhere");
    if (QRegularExpression(
            QStringLiteral("(^|\\n)Time: \\d\\d:\\d\\d:\\d\\d\\.\\d{3}: probe message\\n"))
            .match(run[1])
            .hasMatch())
        console = QStringLiteral("library");
    else if (run[1].split(QLatin1Char('\n')).contains(QLatin1String("probe message")))
        console = QStringLiteral("Qt");

    const QString folder = home.path() + QStringLiteral("/Documents/varnio/HelperApp/");
    QFile log(out.value(1));
    QString logState = QStringLiteral("no-log");
    if (!log.fileName().isEmpty()) {
        QVERIFY(log.fileName().startsWith(folder));
        logState
            = log.open(QIODevice::ReadOnly) ? QStringLiteral("kept") : QStringLiteral("deleted");
        QVERIFY(!log.isOpen() || log.readAll().endsWith("\t\tprobe message\n"));
    }
    QFile trace(folder + QStringLiteral("functionsLog_0.efl"));
    const bool traced = trace.open(QIODevice::ReadOnly);
    QVERIFY(!traced || trace.readAll() == "0x00401000\n");

    QCOMPARE(QStringList({out.value(0), console, logState,
                          traced ? QStringLiteral("trace") : QStringLiteral("no-trace")})
                 .join(QLatin1Char(' ')),
             expected);
}

void TestVarnioBaseApplication::exceptions_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("stopThread");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("bad_alloc: 1") << "bad_alloc"
                                  << "bad_alloc exception: std::bad_alloc"
                                  << "GUI" << 1;
    QTest::newRow("runtime_error: 2") << "runtime"
                                      << "exception: disk on fire"
                                      << "GUI" << 2;
    QTest::newRow("int: 3") << "int"
                            << "exception"
                            << "GUI" << 3;
    QTest::newRow("worker: box and exit in the GUI thread") << "runtime worker"
                                                            << "exception: disk on fire"
                                                            << "worker" << 2;
}

void TestVarnioBaseApplication::exceptions()
{
    QFETCH(QString, arguments);
    QFETCH(QString, warning);
    QFETCH(QString, stopThread);
    QFETCH(int, exitCode);
    QTemporaryDir home;
    const QStringList run = runHelper(QStringLiteral("throw ") + arguments, home.path());
    QVERIFY2(run[2] == QLatin1String("0"), qPrintable(run[1]));
    QVERIFY2(run[1].split(QLatin1Char('\n')).contains(warning), qPrintable(run[1]));
    const QString text = QStringLiteral(
        "The application run out of memory.\nThis could occure when handling a large amount of "
        "data.\nPlease check the performance settings in the settings dialog.\n\nThe application "
        "will close now.");
    QCOMPARE(text.size(), 185);
    // The stop function runs where the exception was caught, before the box.
    QCOMPARE(run[0],
             QStringLiteral("stop in %1 thread\nbox: Out of memory|%2|%3|OK\nexec=%4\n")
                 .arg(stopThread, QString(text).replace(QLatin1Char('\n'), QLatin1Char('/')))
                 .arg(int(QMessageBox::Critical))
                 .arg(exitCode));
}

void TestVarnioBaseApplication::slowDeliveriesAreReported()
{
    Sleeper sleeper;
    sleeper.setObjectName(QStringLiteral("sleeper"));
    auto deliver = [&](int sleepMs) {
        s_messages.clear();
        sleeper.sleepMs = sleepMs;
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext &context, const QString &message) {
                s_messages << QLatin1String(context.category) + QLatin1String(context.file)
                                  + QLatin1Char('|') + message;
            });
        QEvent event(QEvent::User);
        QCoreApplication::sendEvent(&sleeper, &event);
        qInstallMessageHandler(previous);
        return s_messages.filter(QStringLiteral("for object sleeper"));
    };
    QVERIFY(deliver(30).isEmpty()); // off by default
    app()->setProcessingTime(true);
    QVERIFY(deliver(0).isEmpty());
    const QStringList slow = deliver(30);
    app()->setProcessingTime(false);
    QVERIFY(deliver(30).isEmpty());
    QCOMPARE(slow.size(), 1);
    // Category "default" and no file: the report carries no context.
    const QRegularExpressionMatch match
        = QRegularExpression(
              QStringLiteral(
                  "^default\\|processing event type 1000 for object sleeper took (\\d+)ms$"))
              .match(slow.first());
    QVERIFY2(match.hasMatch() && match.captured(1).toInt() >= 30, qPrintable(slow.first()));
}

void TestVarnioBaseApplication::releaseEmergencyMemory()
{
    int stops = 0;
    app()->setStopFunction([] { QFAIL("replaced stop function called"); });
    app()->setStopFunction([&stops] { ++stops; });
    const qint64 before = virtualMemoryKiB();
    app()->releaseEmergencyMemory();
    const qint64 afterFirst = virtualMemoryKiB();
    app()->releaseEmergencyMemory();
    const qint64 afterSecond = virtualMemoryKiB();
    app()->setStopFunction({});
    app()->releaseEmergencyMemory(); // removed: nothing to call
    QCOMPARE(stops, 2);
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__) // they keep freed blocks
    QVERIFY2(before - afterFirst >= 200 * 1024, qPrintable(QString::number(before - afterFirst)));
    QVERIFY(qAbs(afterFirst - afterSecond) < 200 * 1024);
#else
    Q_UNUSED(before)
    Q_UNUSED(afterFirst)
    Q_UNUSED(afterSecond)
#endif
}

void TestVarnioBaseApplication::initSettingsForwardsTheByte()
{
    app()->initSettings(0xa5);
    QCOMPARE(int(Helper::settingsValue()), 0xa5);
}

int main(int argc, char **argv)
{
    VarnioBaseApplication app(argc, argv, QStringLiteral("Base Test"), QStringLiteral("1.0"));
    TestVarnioBaseApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_varniobaseapplication.moc"

// Not covered: the Windows console attach, the exact 10 ms / 11 ms boundary (sleeps are not that
// precise) and a real out-of-memory condition.
