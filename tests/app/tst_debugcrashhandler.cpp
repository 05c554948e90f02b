#include <ZezuzuDOD/debugcrashhandler.h>
#include <ZezuzuDOD/functiontrace.h>

#include "testutil.h"

#include <QtTest>

#include <atomic>
#include <cstdint>
#include <thread>
#include <unistd.h>
#include <vector>

int instrumentedSquare(int value);
void *instrumentedSquareAddress();

namespace {

const QString LogStamp
    = QStringLiteral("(\\d{4}\\.\\d\\d\\.\\d\\d\\t\\d\\d:\\d\\d:\\d\\d:\\d{3})\\t\\t");
const QString ConsoleStamp = QStringLiteral("Time: \\d\\d:\\d\\d:\\d\\d\\.\\d{3}: ");

bool matchesWhole(const QString &pattern, const QString &text)
{
    return QRegularExpression(QStringLiteral("\\A(?:%1)\\z").arg(pattern)).match(text).hasMatch();
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
    return QString::fromLocal8Bit(readFile(file.fileName()));
}

void record(std::uintptr_t address, int times = 1)
{
    for (int i = 0; i < times; ++i) {
        __cyg_profile_func_enter(reinterpret_cast<void *>(address), nullptr);
        __cyg_profile_func_exit(reinterpret_cast<void *>(address), nullptr);
    }
}

QByteArray records(std::uintptr_t address, int times = 1)
{
    const QByteArray line = QByteArray::number(qulonglong(address), 16).rightJustified(8, '0');
    return QByteArray("0x" + line + '\n').repeated(2 * times);
}

} // namespace

// The debug log and the function trace, both switched by DebugCrashHandler. The log file's name
// and folder, its line, finish() keeping or deleting it, the standard console line and the trace
// permission are checked through the switches in tst_varniobaseapplication.
class TestDebugCrashHandler : public QObject
{
    Q_OBJECT
    QTemporaryDir m_home;
    DebugCrashHandler *m_tracer = nullptr;
    int m_next = 0; // number of the next trace file

    void trace(bool on) { m_tracer->setInstrumentFunctions(on); }
    QString folder() const
    {
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
               + QStringLiteral("/varnio");
    }
    QString traceFile(int number) const
    {
        return folder() + QStringLiteral("/LogTest/functionsLog_%1.efl").arg(number);
    }

private slots:
    void initTestCase()
    {
        // A name beyond Latin-1 (the trace file is opened by its file-system name), and the
        // real user's documents folder out of reach.
        const QString home = m_home.filePath(QStringLiteral("h\u00f6me \u20ac"));
        QVERIFY(QDir().mkpath(home));
        qputenv("HOME", QFile::encodeName(home));
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("Log Test"));
        m_tracer = new DebugCrashHandler(this);
        m_tracer->setDebugHandlingType(DebugCrashHandler::InstrumentFunctions);
    }
    void init()
    {
        // Log names carry the second: a log of the previous test could be reused.
        QFile::remove(folder());
        QDir(folder()).removeRecursively();
    }

    void eachTraceSwitchOnStartsACompleteFile()
    {
        trace(true);
        QCOMPARE(instrumentedSquare(7), 49); // built with the hooks, as a tool's own code is
        record(0x401000);                    // zero-filled to eight digits
        record(0xfedcba9876543210);          // lower case, a 64-bit address keeps all digits
        trace(false);
        record(0x2222); // off: goes nowhere
        trace(true);
        record(0x3333, 5000);
        trace(true); // while open: that file is closed first
        record(0x4444);
        m_tracer->finish();
        record(0x7777); // after the end, destructors of globals for instance
        QCOMPARE(readFile(traceFile(m_next++)),
                 records(std::uintptr_t(instrumentedSquareAddress()))
                     + "0x00401000\n0x00401000\n0xfedcba9876543210\n0xfedcba9876543210\n");
        QCOMPARE(readFile(traceFile(m_next++)), records(0x3333, 5000));
        QCOMPARE(readFile(traceFile(m_next++)), records(0x4444));
        QVERIFY(!QFile::exists(traceFile(m_next)));
    }

    // A file where the folder should be, which not even root can create anything below: no log
    // and no trace, nothing reported, the console as usual; the next trace works again.
    void unwritableFolderLeavesTheConsoleAndTheNextTrace()
    {
        QVERIFY(QDir().mkpath(QFileInfo(folder()).path()));
        QFile blocker(folder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        DebugCrashHandler handler;
        handler.setDebugHandlingType(DebugCrashHandler::DebugLog);
        handler.updateLogType(DebugCrashHandler::DebugDetailed);
        trace(true);
        const QString printed = stderrOf([] {
            record(0x8888, 100000);
            QMessageLogger("probe.cpp", 42, "void probe()").warning("probe message");
        });
        trace(false);
        // The detailed line follows the standard one and calls every message QtDebugMsg.
        const QString console
            = ConsoleStamp + QStringLiteral("probe message\n") + ConsoleStamp
              + QStringLiteral("QtDebugMsg: probe message \\(probe.cpp:42, void probe\\(\\)\\)\n");
        QVERIFY2(matchesWhole(console, printed), qPrintable(printed));
        QVERIFY(handler.debugLogFileName().isEmpty());
        handler.finish();
        QVERIFY(blocker.remove());
        ++m_next;
        trace(true);
        record(0x9999);
        trace(false);
        QCOMPARE(readFile(traceFile(m_next++)), records(0x9999));
    }

    void closeWritesRecordsOfThreadsStillRunning()
    {
        trace(true);
        std::atomic<int> step{0};
        std::thread worker([&step] {
            record(0x5555); // stays staged: far less than a chunk
            step = 1;
            while (step != 2)
                std::this_thread::yield();
        });
        while (step != 1)
            std::this_thread::yield();
        record(0x6666);
        trace(false);
        step = 2;
        worker.join();
        const QByteArray text = readFile(traceFile(m_next++));
        QCOMPARE(text.size(), records(0x5555).size() + records(0x6666).size());
        QVERIFY(text.contains(records(0x5555)));
        QVERIFY(text.contains(records(0x6666)));
    }

    // Threads log and call the trace hooks while the trace is switched on and off: every log
    // line whole and none lost, every record whole, nothing written after a close.
    void threadsLogAndTraceWhileSwitching()
    {
        constexpr int Threads = 3, Rounds = 30;
        DebugCrashHandler handler;
        handler.setDebugHandlingType(DebugCrashHandler::DebugLog);
        std::atomic<bool> stop{false};
        std::atomic<int> messages{0};
        const int first = m_next;
        QList<qint64> sizeAtClose;
        stderrOf([&] {
            // std::thread: the thread sanitizer sees its start and join, unlike QThread's.
            std::vector<std::thread> threads;
            for (int t = 0; t < Threads; ++t) {
                threads.emplace_back([t, &stop, &messages] {
                    while (!stop) {
                        record(0xabc000 + std::uintptr_t(t), 16);
                        qDebug("thread %d message %d, long enough to be written in pieces", t,
                               ++messages);
                    }
                });
            }
            for (int round = 0; round < Rounds; ++round) {
                trace(true);
                QThread::usleep(500);
                trace(false);
                sizeAtClose << QFileInfo(traceFile(m_next++)).size();
            }
            QThread::msleep(20); // the threads go on calling the hooks after the last close
            stop = true;
            for (std::thread &thread : threads)
                thread.join();
        });
        const QString log = QString::fromLocal8Bit(readFile(handler.debugLogFileName()));
        const QStringList lines = log.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), messages.load());
        const QString pattern
            = LogStamp
              + QStringLiteral("thread \\d message \\d+, long enough to be written in pieces");
        for (const QString &text : lines)
            QVERIFY2(matchesWhole(pattern, text), qPrintable(text));
        bool written = false;
        for (int round = 0; round < Rounds; ++round) {
            const QByteArray text = readFile(traceFile(first + round));
            QCOMPARE(qint64(text.size()), sizeAtClose[round]); // nothing written after the close
            written = written || !text.isEmpty();
            for (int i = 0; i < text.size(); i += 11) { // every record whole, none mixed
                const QByteArray line = text.mid(i, 11);
                if (!line.startsWith("0x00abc00") || line[9] < '0' || line[9] >= '0' + Threads
                    || !line.endsWith('\n'))
                    QFAIL(line.constData());
            }
        }
        QVERIFY(written);
    }
};

QTEST_GUILESS_MAIN(TestDebugCrashHandler)

#include "tst_debugcrashhandler.moc"

// Not covered: WithDebug added to the log type (a second standard line), a trace file whose writes
// fail (on a full device); the time in log lines across second boundaries, Qt's default handler
// coming back after the handler is destroyed, the Windows text-mode line end and a locale codec
// other than the machine's; a 12-digit trace address, records staged by a thread reaching the file
// at its end, and a hook re-entered from a signal handler.
