#include "testutil.h"

#include <QtTest>

namespace {

bool matches(const QString &pattern, const QString &text)
{
    return QRegularExpression(pattern).match(text).hasMatch();
}

/** Runs the helper with a HOME of its own; gives standard output, standard error, exit code. */
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

    void switches_data()
    {
        // "<switches>: <handling type> <where "probe message" goes> <log at exit> <trace>"
        QTest::addColumn<QString>("run");
        QTest::newRow("log: file kept") << "--debug-log: 12 library kept no-trace";
        QTest::newRow("standard") << "--debug-standard: 4 library no-log no-trace";
        QTest::newRow("log + detailed: replaced by 4, log deleted")
            << "--debug-log --debug-detailed: 4 library deleted no-trace";
        QTest::newRow("log + with-debug: Qt's handler back")
            << "--with-debug --debug-log: 1 Qt deleted no-trace";
        QTest::newRow("log + instrument: messages dropped, trace permitted")
            << "--debug-log --instrument-functions: 16 nowhere deleted trace";
        QTest::newRow("none: other letter case or an appended value is no switch")
            << "--Debug-Log --debug-log=1: 2 Qt no-log no-trace";
    }
    void switches()
    {
        QFETCH(QString, run);
        QTemporaryDir home;
        const QStringList out
            = runHelper(qs("switches ") + run.section(QLatin1Char(':'), 0, 0), home.path());
        QCOMPARE(out[2], qs("0"));
        const QString folder = home.path() + qs("/Documents/varnio/HelperApp/");
        const QString logName = out[0].section(QLatin1Char('\n'), 1, 1);
        const QString traceName = folder + qs("functionsLog_0.efl");
        const QString logPattern
            = QRegularExpression::escape(folder) + qs("\\d{6}_\\d{6}_DebugLog\\.dbo$");
        QVERIFY2(logName.isEmpty() || matches(logPattern, logName), qPrintable(logName));
        const bool kept = QFile::exists(logName), traced = QFile::exists(traceName);
        const QString logLine = qs("^\\d{4}\\.\\d\\d\\.\\d\\d\\t\\d\\d:\\d\\d:\\d\\d:\\d{3}"
                                   "\\t\\tprobe message\\n$");
        QVERIFY(!kept || matches(logLine, QString::fromLocal8Bit(readFile(logName))));
        QVERIFY(!traced || readFile(traceName) == "0x00401000\n");
        const bool library
            = matches(qs("(^|\\n)Time: \\d\\d:\\d\\d:\\d\\d\\.\\d{3}: probe message\\n"), out[1]);
        const bool qt = out[1].split(QLatin1Char('\n')).contains(QLatin1String("probe message"));
        const QString where = library ? qs("library") : qt ? qs("Qt") : qs("nowhere");
        const QString log = logName.isEmpty() ? qs("no-log") : kept ? qs("kept") : qs("deleted");
        QCOMPARE(QStringList({out[0].section(QLatin1Char('\n'), 0, 0), where, log,
                              traced ? qs("trace") : qs("no-trace")})
                     .join(QLatin1Char(' ')),
                 run.section(qs(": "), 1));
    }

    void exceptions_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("bad_alloc: 1")
            << qs("bad_alloc") << qs("bad_alloc exception: std::bad_alloc") << 1;
        QTest::newRow("int: 3") << qs("int") << qs("exception") << 3;
        QTest::newRow("worker: box and exit in the GUI thread")
            << qs("runtime worker") << qs("exception: disk on fire") << 2;
    }
    void exceptions()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, warning);
        QFETCH(int, exitCode);
        QTemporaryDir home;
        const QStringList run = runHelper(qs("throw ") + arguments, home.path());
        QVERIFY2(run[2] == QLatin1String("0"), qPrintable(run[1]));
        QVERIFY2(run[1].split(QLatin1Char('\n')).contains(warning), qPrintable(run[1]));
        // The stop function touches the tool's windows: it runs in the GUI thread, before the
        // box, wherever the exception was caught.
        QCOMPARE(run[0], qs("stop in GUI thread\nbox: Out of memory, exec=%1\n").arg(exitCode));
    }
};

QTEST_GUILESS_MAIN(TestVarnioBaseApplication)

#include "tst_varniobaseapplication.moc"

// Not covered: the box's text, icon and button (constants), the slow-event report, the Windows
// console attach, a real out-of-memory condition, the release of the emergency reserve, and the
// settings byte forwarded by initSettings.
