// Function trace hooks: nanoseconds per instrumented call and share of skipped records, one and
// two threads, against the plain approach (a ready flag without a mutex and one
// fprintf("0x%08x\n") per record); and the cost of the hooks while the trace is off.

#include <ZezuzuDOD/debugcrashhandler.h>
#include <ZezuzuDOD/functiontrace.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using Hook = void (*)(void *, void *);

// The baseline keeps its own state, as a trace hook would.
std::atomic<bool> b_active{true};
std::atomic<int> b_ready{0};
std::FILE *b_file = nullptr;

__attribute__((noinline)) void baselineHook(void *function, void *)
{
    if (!b_active.load(std::memory_order_relaxed))
        return;
    int expected = 1;
    if (!b_ready.compare_exchange_strong(expected, 0, std::memory_order_acquire))
        return;
    std::fprintf(b_file, "0x%08x\n", unsigned(reinterpret_cast<std::uintptr_t>(function)));
    b_ready.store(1, std::memory_order_release);
}

__attribute__((noinline)) void emptyHook(void *, void *)
{
    asm volatile("" ::: "memory");
}

constexpr std::uintptr_t BaseAddress = 0x55d4c3a01000; // a typical 64-bit code address

// Calls through a pointer, as instrumented code calls the exported hooks through the PLT.
double runCalls(Hook enter, Hook exit, int threads, long callsPerThread)
{
    std::atomic<int> started{0};
    auto body = [&] {
        ++started;
        while (started.load() < threads) {
        }
        Hook volatile in = enter;
        Hook volatile out = exit;
        for (long i = 0; i < callsPerThread / 2; ++i) {
            void *function = reinterpret_cast<void *>(BaseAddress + std::uintptr_t(i & 1023) * 16);
            in(function, nullptr);
            out(function, nullptr);
        }
    };
    QElapsedTimer timer;
    timer.start();
    std::vector<QThread *> workers;
    for (int t = 1; t < threads; ++t) {
        workers.push_back(QThread::create(body));
        workers.back()->start();
    }
    body();
    for (QThread *worker : workers) {
        worker->wait();
        delete worker;
    }
    return double(timer.nsecsElapsed()) / double(callsPerThread);
}

long countLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    long lines = 0;
    std::vector<char> buffer(1 << 20);
    qint64 got;
    while ((got = file.read(buffer.data(), qint64(buffer.size()))) > 0) {
        for (const char *p = buffer.data(), *end = p + got;
             (p = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)))); ++p)
            ++lines;
    }
    return lines;
}

struct Result
{
    double ns;
    double skipped;
};

Result runOurs(DebugCrashHandler &handler, const QString &folder, int threads, long calls,
               int *fileNumber)
{
    handler.setInstrumentFunctions(true);
    const double ns = runCalls(__cyg_profile_func_enter, __cyg_profile_func_exit, threads, calls);
    handler.setInstrumentFunctions(false);
    const QString path = folder + QStringLiteral("functionsLog_%1.efl").arg((*fileNumber)++);
    const long written = countLines(path);
    QFile::remove(path);
    return {ns, 1.0 - double(written) / double(calls * threads)};
}

Result runBaseline(const QString &folder, int threads, long calls)
{
    const QString path = folder + QStringLiteral("baseline.efl");
    b_file = std::fopen(QFile::encodeName(path).constData(), "w");
    b_ready.store(1);
    const double ns = runCalls(baselineHook, baselineHook, threads, calls);
    b_ready.store(0);
    std::fclose(b_file);
    const long written = countLines(path);
    QFile::remove(path);
    return {ns, 1.0 - double(written) / double(calls * threads)};
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Trace Bench"));
    DebugCrashHandler handler;
    handler.setDebugHandlingType(DebugCrashHandler::InstrumentFunctions);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                           + QStringLiteral("/varnio/TraceBench/");
    int fileNumber = 0;
    constexpr long Calls = 4000000; // per thread; about 60 MB of trace

    for (int threads : {1, 2}) {
        // Best of three, the machine is shared.
        Result ours{1e9, 0}, base{1e9, 0};
        for (int round = 0; round < 3; ++round) {
            const Result o = runOurs(handler, folder, threads, Calls, &fileNumber);
            const Result b = runBaseline(folder, threads, Calls);
            if (o.ns < ours.ns)
                ours = o;
            if (b.ns < base.ns)
                base = b;
        }
        std::printf("trace on, %d thread(s): ours %.1f ns/call, %.2f %% skipped; baseline %.1f "
                    "ns/call, %.2f %% skipped\n",
                    threads, ours.ns, 100 * ours.skipped, base.ns, 100 * base.skipped);
        std::printf("ratio = ours / baseline (trace on, %d thread(s), ns/call) = %.2f\n", threads,
                    ours.ns / base.ns);
    }

    double off = 1e9, empty = 1e9;
    for (int round = 0; round < 5; ++round) {
        off = std::min(off,
                       runCalls(__cyg_profile_func_enter, __cyg_profile_func_exit, 1, 20000000));
        empty = std::min(empty, runCalls(emptyHook, emptyHook, 1, 20000000));
    }
    std::printf("trace off: ours %.2f ns/call, empty hooks %.2f ns/call, difference %.2f ns\n", off,
                empty, off - empty);
    std::printf("ratio = ours / baseline (trace off vs empty hooks) = %.2f\n", off / empty);
    return 0;
}
