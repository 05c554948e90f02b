#include <ZezuzuDOD/debugcrashhandler.h>
#include <ZezuzuDOD/functiontrace.h>

#include <QtTest>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

int instrumentedSquare(int value);
void *instrumentedSquareAddress();

namespace {

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

class TestFunctionTrace : public QObject
{
    Q_OBJECT
    QTemporaryDir m_home;
    DebugCrashHandler *m_handler = nullptr;
    int m_next = 0; // number of the next trace file

    void trace(bool on) { m_handler->setInstrumentFunctions(on); }
    QString folder() const
    {
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
               + QStringLiteral("/varnio/TraceTest");
    }
    QString file(int number) const
    {
        return folder() + QStringLiteral("/functionsLog_%1.efl").arg(number);
    }
    QByteArray contents(int number) const
    {
        QFile trace(file(number));
        return trace.open(QIODevice::ReadOnly) ? trace.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        // A name beyond Latin-1: the trace file is opened by its file-system name.
        const QString home = m_home.filePath(QStringLiteral("h\u00f6me \u20ac"));
        QVERIFY(QDir().mkpath(home));
        qputenv("HOME", QFile::encodeName(home));
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("Trace Test"));
        m_handler = new DebugCrashHandler(this);
        m_handler->setDebugHandlingType(DebugCrashHandler::InstrumentFunctions);
    }

    void eachSwitchOnStartsACompleteFile()
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
        m_handler->finish();
        record(0x7777); // after the end, destructors of globals for instance
        QCOMPARE(contents(m_next++), records(std::uintptr_t(instrumentedSquareAddress()))
                                         + "0x00401000\n0x00401000\n0xfedcba9876543210\n"
                                           "0xfedcba9876543210\n");
        QCOMPARE(contents(m_next++), records(0x3333, 5000));
        QCOMPARE(contents(m_next++), records(0x4444));
        QVERIFY(!QFile::exists(file(m_next)));
    }

    void unopenableFileIsHarmless_data()
    {
        QTest::addColumn<bool>("fullDevice");
        QTest::newRow("folder name taken by a file") << false;
        QTest::newRow("trace file on a full device") << true;
    }
    void unopenableFileIsHarmless()
    {
        QFETCH(bool, fullDevice);
        QDir().mkpath(folder());
        QFile blocker(fullDevice ? file(m_next) : folder());
        if (fullDevice)
            QVERIFY(QFile::link(QStringLiteral("/dev/full"), blocker.fileName()));
        else
            QVERIFY(QDir(folder()).removeRecursively() && blocker.open(QIODevice::WriteOnly));
        trace(true);
        record(0x8888, 100000); // more than any buffer: writes fail on /dev/full
        trace(false);
        QVERIFY(blocker.remove());
        ++m_next;
        trace(true); // the next trace works again
        record(0x9999);
        trace(false);
        QCOMPARE(contents(m_next++), records(0x9999));
    }

    void threadsWhileSwitching()
    {
        constexpr int Threads = 3, Rounds = 30;
        std::atomic<bool> stop{false};
        // std::thread: the thread sanitizer sees its start and join, unlike QThread's.
        std::vector<std::thread> threads;
        for (int t = 0; t < Threads; ++t) {
            threads.emplace_back([t, &stop] {
                while (!stop)
                    record(0xabc000 + std::uintptr_t(t), 16);
            });
        }
        const int first = m_next;
        QList<qint64> sizeAtClose;
        for (int round = 0; round < Rounds; ++round) {
            trace(true);
            QThread::usleep(500);
            trace(false);
            sizeAtClose << QFileInfo(file(m_next++)).size();
        }
        QThread::msleep(20); // the threads go on calling the hooks after the last close
        stop = true;
        for (std::thread &thread : threads)
            thread.join();
        bool written = false;
        for (int round = 0; round < Rounds; ++round) {
            const QByteArray text = contents(first + round);
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

QTEST_GUILESS_MAIN(TestFunctionTrace)

#include "tst_functiontrace.moc"

// Not covered: the permission (see the switches in tst_varniobaseapplication), a 12-digit
// address, records staged by other threads reaching the file at their end or at the close, and
// a hook re-entered from a signal handler.
