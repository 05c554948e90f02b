#include <ZezuzuDOD/debugcrashhandler.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <fcntl.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

/** Sends standard error into a file until text() is called. */
class StderrCapture
{
public:
    explicit StderrCapture(const QString &path)
        : m_path(path)
    {
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        const int fd
            = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(fd, STDERR_FILENO);
        ::close(fd);
    }
    ~StderrCapture() { text(); }
    QString text()
    {
        if (m_saved >= 0) {
            std::fflush(stderr);
            ::dup2(m_saved, STDERR_FILENO);
            ::close(m_saved);
            m_saved = -1;
        }
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    }

private:
    QString m_path;
    int m_saved = -1;
};

const QString LogStamp
    = QStringLiteral("(\\d{4}\\.\\d\\d\\.\\d\\d\\t\\d\\d:\\d\\d:\\d\\d:\\d{3})\\t\\t");
const QString ConsoleStamp = QStringLiteral("Time: \\d\\d:\\d\\d:\\d\\d\\.\\d{3}: ");

bool matchesWhole(const QString &pattern, const QString &text)
{
    return QRegularExpression(QStringLiteral("\\A(?:") + pattern + QStringLiteral(")\\z"))
        .match(text)
        .hasMatch();
}

QStringList readLog(const QString &path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestDebugCrashHandler : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup() { qInstallMessageHandler(m_testHandler); }
    void outputs_data();
    void outputs();
    void logLinesCarryTheCurrentTime();
    void finishKeepsOrDeletesTheLog_data();
    void finishKeepsOrDeletesTheLog();
    void fileNameAndFolder();
    void unwritableFolderLeavesTheConsoleWorking();
    void destroyedHandlerGetsNoMessages();
    void manyThreadsWriteWholeLines();

private:
    QString documents() const
    {
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    }
    QString stderrFile() const { return m_home.filePath(QStringLiteral("stderr.txt")); }

    QTemporaryDir m_home;
    QtMessageHandler m_testHandler = nullptr;
};

void TestDebugCrashHandler::initTestCase()
{
    // The handler writes below the documents folder; keep the real user's one out of reach.
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qunsetenv("XDG_CONFIG_HOME");
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(documents().startsWith(m_home.path()));
}

void TestDebugCrashHandler::init()
{
    QCoreApplication::setApplicationName(QStringLiteral("LogTest"));
    QDir(documents() + QStringLiteral("/varnio")).removeRecursively();
    m_testHandler = qInstallMessageHandler(nullptr); // QtTest's own, put back after each test
    qInstallMessageHandler(m_testHandler);
}

void TestDebugCrashHandler::outputs_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("then"); // > 0: updateLogType, < 0: setDebugHandlingType
    QTest::addColumn<int>("logLines");
    QTest::addColumn<QString>("console");

    const QString standard = ConsoleStamp + QStringLiteral("probe message\n");
    const QString detailed
        = ConsoleStamp
          + QStringLiteral("QtDebugMsg: probe message \\(probe.cpp:42, void probe\\(\\)\\)\n");
    QTest::newRow("12: file line, one standard line") << 8 << 0 << 1 << standard;
    QTest::newRow("4: standard line only") << 4 << 0 << 0 << standard;
    QTest::newRow("4 + 32: standard, then detailed with QtDebugMsg for a warning")
        << 4 << 32 << 0 << standard + detailed;
    QTest::newRow("13: file line, standard line twice") << 8 << 1 << 1 << standard + standard;
    QTest::newRow("16 with the handler installed: dropped") << 4 << -16 << 0 << QString();
}

void TestDebugCrashHandler::outputs()
{
    QFETCH(int, type);
    QFETCH(int, then);
    QFETCH(int, logLines);
    QFETCH(QString, console);

    DebugCrashHandler handler;
    handler.setDebugHandlingType(DebugCrashHandler::DebugHandlingType(type));
    if (then > 0)
        handler.updateLogType(DebugCrashHandler::DebugHandlingType(then));
    else if (then < 0)
        handler.setDebugHandlingType(DebugCrashHandler::DebugHandlingType(-then));
    StderrCapture capture(stderrFile());
    QMessageLogger("probe.cpp", 42, "void probe()").warning("probe message");
    const QString printed = capture.text();
    QVERIFY2(matchesWhole(console, printed), qPrintable(printed));

    const QStringList lines = readLog(handler.debugLogFileName());
    QCOMPARE(lines.size(), logLines);
    for (const QString &line : lines)
        QVERIFY2(matchesWhole(LogStamp + QStringLiteral("probe message"), line), qPrintable(line));
}

void TestDebugCrashHandler::logLinesCarryTheCurrentTime()
{
    // Across second boundaries, so that a time text kept too long shows up.
    DebugCrashHandler handler;
    handler.initDebugLogfile();
    QList<QDateTime> before, after;
    for (int i = 0; i < 5; ++i) {
        before << QDateTime::currentDateTime();
        handler.logDebugOutput(QtDebugMsg, QStringLiteral("tick"));
        after << QDateTime::currentDateTime();
        QThread::msleep(370);
    }
    const QStringList lines = readLog(handler.debugLogFileName());
    QCOMPARE(lines.size(), 5);
    for (int i = 0; i < lines.size(); ++i) {
        const QRegularExpressionMatch match = QRegularExpression(LogStamp).match(lines[i]);
        const QDateTime stamp
            = QDateTime::fromString(match.captured(1), QStringLiteral("yyyy.MM.dd\thh:mm:ss:zzz"));
        QVERIFY2(stamp >= before[i].addMSecs(-1) && stamp <= after[i], qPrintable(lines[i]));
    }
}

void TestDebugCrashHandler::finishKeepsOrDeletesTheLog_data()
{
    QTest::addColumn<int>("finalType");
    QTest::addColumn<bool>("kept");
    QTest::newRow("12: closed and kept") << 12 << true;
    QTest::newRow("4 at the end: deleted") << 4 << false;
    QTest::newRow("1 at the end: deleted") << 1 << false;
}

void TestDebugCrashHandler::finishKeepsOrDeletesTheLog()
{
    QFETCH(int, finalType);
    QFETCH(bool, kept);
    DebugCrashHandler handler;
    handler.setDebugHandlingType(DebugCrashHandler::DebugLog);
    handler.setDebugHandlingType(DebugCrashHandler::DebugHandlingType(finalType));
    const QString log = handler.debugLogFileName();
    handler.logDebugOutput(QtDebugMsg, QStringLiteral("before finish"));
    handler.finish();
    handler.logDebugOutput(QtDebugMsg, QStringLiteral("after finish")); // closed: not written
    QCOMPARE(QFile::exists(log), kept);
    QCOMPARE(readLog(log).size(), kept ? 1 : 0);
}

void TestDebugCrashHandler::fileNameAndFolder()
{
    QCoreApplication::setApplicationName(QStringLiteral(" My  Tool "));
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    DebugCrashHandler handler;
    handler.initDebugLogfile();
    const QFileInfo log(handler.debugLogFileName());
    QCOMPARE(log.absolutePath(), documents() + QStringLiteral("/varnio/MyTool"));
    QVERIFY2(log.fileName().endsWith(QLatin1String("_DebugLog.dbo")), qPrintable(log.fileName()));
    const QDateTime stamp = QDateTime::fromString(QStringLiteral("20") + log.fileName().left(13),
                                                  QStringLiteral("yyyyMMdd_hhmmss"));
    QVERIFY(stamp >= before && stamp <= QDateTime::currentDateTime());
}

void TestDebugCrashHandler::unwritableFolderLeavesTheConsoleWorking()
{
    // A file where the folder should be: not even root can create the log below it.
    QDir().mkpath(documents());
    QFile blocker(documents() + QStringLiteral("/varnio"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    {
        DebugCrashHandler handler;
        handler.setDebugHandlingType(DebugCrashHandler::DebugLog);
        QCOMPARE(handler.debugLogFileName(), QString());
        StderrCapture capture(stderrFile());
        qWarning("probe message");
        QVERIFY(matchesWhole(ConsoleStamp + QStringLiteral("probe message\n"), capture.text()));
        handler.finish();
    }
    QVERIFY(blocker.remove());
}

void TestDebugCrashHandler::destroyedHandlerGetsNoMessages()
{
    {
        DebugCrashHandler handler;
        handler.setDebugHandlingType(DebugCrashHandler::DebugStandard);
    }
    // Qt's own output again: the bare message, and no call into a destroyed handler.
    StderrCapture capture(stderrFile());
    qWarning("after the handler");
    QCOMPARE(capture.text(), QStringLiteral("after the handler\n"));
}

void TestDebugCrashHandler::manyThreadsWriteWholeLines()
{
    constexpr int Threads = 8, Messages = 2000;
    DebugCrashHandler handler;
    handler.setDebugHandlingType(DebugCrashHandler::DebugLog);
    {
        StderrCapture console(QStringLiteral("/dev/null"));
        // std::thread: the thread sanitizer sees its start and join, unlike QThread's.
        std::vector<std::thread> threads;
        for (int t = 0; t < Threads; ++t) {
            threads.emplace_back([t] {
                for (int i = 0; i < Messages; ++i)
                    qDebug("thread %d message %d, long enough to be written in pieces", t, i);
            });
        }
        for (std::thread &thread : threads)
            thread.join();
    }
    const QStringList lines = readLog(handler.debugLogFileName());
    QCOMPARE(lines.size(), Threads * Messages);
    const QRegularExpression whole(
        QStringLiteral("\\A") + LogStamp
        + QStringLiteral("thread (\\d) message (\\d+), long enough to be "
                         "written in pieces\\z"));
    QSet<QString> seen;
    for (const QString &line : lines) {
        const QRegularExpressionMatch match = whole.match(line);
        QVERIFY2(match.hasMatch(), qPrintable(line));
        seen.insert(match.captured(2) + QLatin1Char(':') + match.captured(3));
    }
    QCOMPARE(seen.size(), Threads * Messages);
}

QTEST_GUILESS_MAIN(TestDebugCrashHandler)

#include "tst_debugcrashhandler.moc"

// Not covered: the Windows text-mode line end and a locale codec other than the machine's.
