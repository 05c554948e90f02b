#include <ZezuzuDOD/debugcrashhandler.h>

#include <QtTest>

#include <thread>
#include <unistd.h>
#include <vector>

namespace {

const QString LogStamp
    = QStringLiteral("(\\d{4}\\.\\d\\d\\.\\d\\d\\t\\d\\d:\\d\\d:\\d\\d:\\d{3})\\t\\t");
const QString ConsoleStamp = QStringLiteral("Time: \\d\\d:\\d\\d:\\d\\d\\.\\d{3}: ");

bool matchesWhole(const QString &pattern, const QString &text)
{
    return QRegularExpression(QStringLiteral("\\A(?:%1)\\z").arg(pattern)).match(text).hasMatch();
}

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

/** Runs call with standard error sent into a file; gives what it printed. */
template<typename Call>
QString stderrOf(Call call)
{
    QTemporaryFile file;
    file.open();
    std::fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(file.handle(), STDERR_FILENO);
    call();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    return readAll(file.fileName());
}

} // namespace

class TestDebugCrashHandler : public QObject
{
    Q_OBJECT
    QTemporaryDir m_home;

    QString folder() const
    {
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
               + QStringLiteral("/varnio");
    }

private slots:
    void initTestCase()
    {
        // The handler writes below the documents folder; keep the real user's one out of reach.
        qputenv("HOME", QFile::encodeName(m_home.path()));
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("LogTest"));
    }
    void init()
    {
        // Log names carry the second: a log of the previous test could be reused.
        QFile::remove(folder());
        QDir(folder()).removeRecursively();
    }

    void outputs_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("then"); // > 0: updateLogType, < 0: setDebugHandlingType
        QTest::addColumn<bool>("blocked");
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("console");
        const QString standard = ConsoleStamp + QStringLiteral("probe message\n");
        const QString detailed
            = ConsoleStamp
              + QStringLiteral("QtDebugMsg: probe message \\(probe.cpp:42, void probe\\(\\)\\)\n");
        const QString logged = LogStamp + QStringLiteral("probe message\n");
        QTest::newRow("12: file line, one standard line") << 8 << 0 << false << logged << standard;
        QTest::newRow("4: standard line only") << 4 << 0 << false << QString() << standard;
        QTest::newRow("4 + 32: standard, then detailed with QtDebugMsg for a warning")
            << 4 << 32 << false << QString() << standard + detailed;
        QTest::newRow("13: file line, standard line twice")
            << 8 << 1 << false << logged << standard + standard;
        QTest::newRow("16 with the handler installed: dropped")
            << 4 << -16 << false << QString() << QString();
        // A file where the folder should be: not even root can create the log below it.
        QTest::newRow("12, log folder unwritable: console only, nothing reported")
            << 8 << 0 << true << QString() << standard;
    }
    void outputs()
    {
        QFETCH(int, type);
        QFETCH(int, then);
        QFETCH(bool, blocked);
        QFETCH(QString, log);
        QFETCH(QString, console);
        QFile blocker(folder());
        QVERIFY(
            !blocked
            || (QDir().mkpath(QFileInfo(folder()).path()) && blocker.open(QIODevice::WriteOnly)));
        DebugCrashHandler handler;
        handler.setDebugHandlingType(DebugCrashHandler::DebugHandlingType(type));
        if (then > 0)
            handler.updateLogType(DebugCrashHandler::DebugHandlingType(then));
        else if (then < 0)
            handler.setDebugHandlingType(DebugCrashHandler::DebugHandlingType(-then));
        const QString printed = stderrOf(
            [] { QMessageLogger("probe.cpp", 42, "void probe()").warning("probe message"); });
        QVERIFY2(matchesWhole(console, printed), qPrintable(printed));
        const QString written = readAll(handler.debugLogFileName());
        QVERIFY2(matchesWhole(log, written), qPrintable(written));
        handler.finish();
    }

    void manyThreadsWriteWholeLines()
    {
        constexpr int Threads = 8, Messages = 2000;
        DebugCrashHandler handler;
        handler.setDebugHandlingType(DebugCrashHandler::DebugLog);
        stderrOf([] {
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
        });
        const QStringList lines
            = readAll(handler.debugLogFileName()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), Threads * Messages);
        QSet<QString> seen;
        for (const QString &line : lines) {
            QVERIFY2(matchesWhole(
                         LogStamp
                             + QStringLiteral(
                                 "thread \\d message \\d+, long enough to be written in pieces"),
                         line),
                     qPrintable(line));
            seen.insert(line.mid(25));
        }
        QCOMPARE(seen.size(), Threads * Messages);
    }
};

QTEST_GUILESS_MAIN(TestDebugCrashHandler)

#include "tst_debugcrashhandler.moc"

// Not covered: the time in log lines across second boundaries, Qt's default handler coming back
// after the handler is destroyed, the Windows text-mode line end and a locale codec other than the
// machine's; the log file name and folder, and finish keeping or deleting the log, are checked
// through the switches in tst_varniobaseapplication.
