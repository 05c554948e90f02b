#include "functiontrace.h"

#include "functiontrace_p.h"

#include <QFile>
#include <QString>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <new>
#include <thread>

#ifdef __GLIBC__
#define ZEZUZUDOD_FWRITE fwrite_unlocked
#else
#define ZEZUZUDOD_FWRITE fwrite
#endif

#define ZEZUZUDOD_NO_INSTRUMENT __attribute__((no_instrument_function))

namespace {

// Records are staged per thread and reach the stdio stream in chunks of whole lines. A shared
// stream written record by record makes every call of every thread fight for one flag: with two
// busy threads most records were skipped. The chunks make that contention rare, and a thread
// that meets it keeps its records and tries again on its next call.
constexpr unsigned StageSize = 32 * 1024;
constexpr unsigned MaxRecord = 2 + 2 * sizeof(std::uintptr_t) + 1;

struct Stage
{
    std::atomic<int> busy{0};      // taken by the owner per record and by close() to drain
    std::atomic<bool> free{false}; // the owning thread has ended; a new thread may take it
    unsigned generation = 0;       // the trace file the staged records belong to
    unsigned length = 0;
    Stage *next = nullptr;
    char data[StageSize];
};

std::atomic<bool> s_active{false};
std::atomic<bool> s_permitted{false};
std::atomic<std::FILE *> s_file{nullptr};
// 1 while the stream may be written. Whoever writes takes it (1 -> 0); close() takes it for
// good before fclose, so nothing can be inside a stream that is closing.
std::atomic<int> s_ready{0};
std::atomic<int> s_counter{0};
// Changes with every open and close; staged records of an older generation are dropped.
std::atomic<unsigned> s_generation{0};
// Every stage ever made; never freed, but reused by later threads.
std::atomic<Stage *> s_stages{nullptr};
// Serialises opening and closing; the hooks never touch it.
std::mutex s_controlMutex;

// The hooks run on every call of the tool; the initial-exec model makes the per-thread pointer
// one instruction away instead of a call into the dynamic loader.
__attribute__((tls_model("initial-exec"))) thread_local Stage *t_stage = nullptr;
__attribute__((tls_model("initial-exec"))) thread_local bool t_ended = false;

struct StageOwner
{
    ~StageOwner();
    Stage *stage = nullptr;
};
thread_local StageOwner t_owner;

ZEZUZUDOD_NO_INSTRUMENT inline void cpuRelax()
{
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

// Caller holds the ready flag.
ZEZUZUDOD_NO_INSTRUMENT void writeStage(Stage *stage)
{
    std::FILE *file = s_file.load(std::memory_order_relaxed);
    if (file && stage->length && stage->generation == s_generation.load(std::memory_order_relaxed))
        ZEZUZUDOD_FWRITE(stage->data, 1, stage->length, file);
    stage->length = 0;
}

ZEZUZUDOD_NO_INSTRUMENT bool tryTakeReadyFlag()
{
    int expected = 1;
    return s_ready.compare_exchange_strong(expected, 0, std::memory_order_acquire,
                                           std::memory_order_relaxed);
}

// Waits for whoever holds the ready flag; hooks hold it for one buffered write only.
void takeReadyFlag()
{
    while (!tryTakeReadyFlag())
        std::this_thread::yield();
}

ZEZUZUDOD_NO_INSTRUMENT void takeStage(Stage *stage)
{
    for (;;) {
        int expected = 0;
        if (stage->busy.compare_exchange_weak(expected, 1, std::memory_order_acquire,
                                              std::memory_order_relaxed))
            return;
        std::this_thread::yield();
    }
}

StageOwner::~StageOwner()
{
    // Hooks called later in this thread's exit find t_ended and write nothing.
    t_ended = true;
    t_stage = nullptr;
    if (!stage)
        return;
    takeStage(stage);
    // If the stream is busy the records stay staged: the next close or the stage's next owner
    // writes them.
    if (stage->length && tryTakeReadyFlag()) {
        writeStage(stage);
        s_ready.store(1, std::memory_order_release);
    }
    stage->busy.store(0, std::memory_order_release);
    stage->free.store(true, std::memory_order_release);
}

ZEZUZUDOD_NO_INSTRUMENT Stage *adoptStage()
{
    if (t_ended)
        return nullptr;
    Stage *stage = nullptr;
    for (Stage *p = s_stages.load(std::memory_order_acquire); p && !stage; p = p->next) {
        bool isFree = true;
        if (p->free.compare_exchange_strong(isFree, false, std::memory_order_acquire))
            stage = p;
    }
    if (!stage) {
        stage = new (std::nothrow) Stage;
        if (!stage)
            return nullptr;
        stage->next = s_stages.load(std::memory_order_relaxed);
        while (!s_stages.compare_exchange_weak(stage->next, stage, std::memory_order_release,
                                               std::memory_order_relaxed)) {
        }
    }
    t_stage = stage;
    t_owner.stage = stage; // registers the flush at the end of this thread
    return stage;
}

ZEZUZUDOD_NO_INSTRUMENT __attribute__((noinline)) void writeRecord(void *function)
{
    Stage *stage = t_stage;
    if (!stage && !(stage = adoptStage()))
        return;
    int expected = 0;
    if (!stage->busy.compare_exchange_strong(expected, 1, std::memory_order_acquire,
                                             std::memory_order_relaxed))
        return; // a re-entered hook (signal handler), or close() is draining: skip
    const unsigned generation = s_generation.load(std::memory_order_relaxed);
    if (stage->generation != generation) {
        stage->generation = generation;
        stage->length = 0;
    }
    if (stage->length >= StageSize / 2) {
        // Half full: write if the stream is free, else go on staging. Full: wait for the
        // stream, which another thread holds for one chunk, unless the trace is being closed.
        bool taken = tryTakeReadyFlag();
        for (int spins = 0;
             !taken && stage->length > StageSize - MaxRecord
             && s_active.load(std::memory_order_relaxed) && s_file.load(std::memory_order_relaxed);
             ++spins) {
            if (spins < 64)
                cpuRelax();
            else
                std::this_thread::yield();
            taken = tryTakeReadyFlag();
        }
        if (taken) {
            writeStage(stage);
            s_ready.store(1, std::memory_order_release);
        }
    }
    if (stage->length <= StageSize - MaxRecord) {
        // By hand: no allocation, no locale and no format parsing on the path of every call.
        static const char digits[] = "0123456789abcdef";
        auto value = reinterpret_cast<std::uintptr_t>(function);
        unsigned count = 8;
        for (std::uintptr_t high = value >> 32; high; high >>= 4)
            ++count;
        char *record = stage->data + stage->length;
        record[0] = '0';
        record[1] = 'x';
        char *end = record + 2 + count;
        *end = '\n';
        for (char *p = end - 1; p >= record + 2; --p, value >>= 4)
            *p = digits[value & 0xf];
        stage->length += count + 3;
    } // else: the trace is closing while the stage is full; this one record is skipped
    stage->busy.store(0, std::memory_order_release);
}

void closeLocked()
{
    std::FILE *file = s_file.load(std::memory_order_relaxed);
    if (!file)
        return;
    // Hooks that have not yet passed the active test stay out; without this, threads that call
    // hooks without pause could keep taking the flags and starve the close.
    s_active.store(false, std::memory_order_relaxed);
    takeReadyFlag();
    // The records other threads have staged belong to this file.
    for (Stage *stage = s_stages.load(std::memory_order_acquire); stage; stage = stage->next) {
        takeStage(stage);
        writeStage(stage);
        stage->busy.store(0, std::memory_order_release);
    }
    s_generation.fetch_add(1, std::memory_order_relaxed);
    // The flag stays taken: until the next open, nothing reaches a stream.
    s_file.store(nullptr, std::memory_order_relaxed);
    std::fflush(file);
    std::fclose(file);
}

} // namespace

extern "C" {

void __cyg_profile_func_enter(void *thisFunction, void *)
{
    if (s_active.load(std::memory_order_relaxed))
        writeRecord(thisFunction);
}

void __cyg_profile_func_exit(void *thisFunction, void *)
{
    if (s_active.load(std::memory_order_relaxed))
        writeRecord(thisFunction);
}
}

namespace FunctionTrace {

void permit()
{
    s_permitted.store(true, std::memory_order_relaxed);
}

bool isPermitted()
{
    return s_permitted.load(std::memory_order_relaxed);
}

void open(const QString &folder)
{
    std::lock_guard<std::mutex> lock(s_controlMutex);
    closeLocked();
    const int number = s_counter.fetch_add(1, std::memory_order_relaxed);
    const QString path = folder + QStringLiteral("functionsLog_%1.efl").arg(number);
    std::FILE *file = std::fopen(QFile::encodeName(path).constData(), "w");
    if (!file)
        return; // no file: the flag stays taken and the hooks write nothing
    // The stages are the buffer: a chunk goes to the file in one write, without a second copy
    // through the stream's own buffer.
    std::setvbuf(file, nullptr, _IONBF, 0);
    // Records staged while the trace was off belong to no file.
    s_generation.fetch_add(1, std::memory_order_relaxed);
    s_file.store(file, std::memory_order_relaxed);
    s_ready.store(1, std::memory_order_release);
}

void close()
{
    std::lock_guard<std::mutex> lock(s_controlMutex);
    closeLocked();
}

void setActive(bool on)
{
    std::lock_guard<std::mutex> lock(s_controlMutex);
    // Without a file (it could not be opened) the hooks have nothing to do and stay idle.
    s_active.store(on && s_file.load(std::memory_order_relaxed), std::memory_order_relaxed);
}

} // namespace FunctionTrace
