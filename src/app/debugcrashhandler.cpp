#include "debugcrashhandler.h"

#include "functiontrace_p.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <limits>
#include <mutex>
#include <thread>

#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void *address);
extern "C" void __tsan_release(void *address);
#endif

namespace {

/** QMutexLocker for the log mutex. QMutex locks inside Qt, out of sight of the thread
 *  sanitizer; the annotations tell it what the lock orders. */
class LogLocker
{
public:
    explicit LogLocker(QMutex *mutex)
        : m_mutex(mutex)
    {
        m_mutex->lock();
#if defined(__SANITIZE_THREAD__)
        __tsan_acquire(m_mutex);
#endif
    }
    ~LogLocker()
    {
#if defined(__SANITIZE_THREAD__)
        __tsan_release(m_mutex);
#endif
        m_mutex->unlock();
    }
    LogLocker(const LogLocker &) = delete;
    LogLocker &operator=(const LogLocker &) = delete;

private:
    QMutex *m_mutex;
};

std::atomic<DebugCrashHandler *> s_instance{nullptr};
// Messages being forwarded right now; the destructor waits for them to leave the handler.
std::atomic<int> s_inFlight{0};
QString s_runStamp;

// Set while this thread is inside the handler. A message that the handler's own work raises
// (Qt warns from file operations) would otherwise come back and wait for the log mutex that
// this thread already holds.
thread_local bool t_handling = false;

void libraryMessageHandler(QtMsgType type, const QMessageLogContext &context,
                           const QString &message)
{
    if (t_handling)
        return;
    t_handling = true;
    s_inFlight.fetch_add(1);
    if (DebugCrashHandler *handler = s_instance.load())
        handler->handleDebugOut(type, context, message);
    s_inFlight.fetch_sub(1);
    t_handling = false;
}

void discardMessageHandler(QtMsgType, const QMessageLogContext &, const QString &) {}

// Formatting a date through QDateTime costs microseconds and was most of the price of a log
// line; the text changes once a second, so each thread keeps the text of its current second
// and only the milliseconds are written per message.
struct TimeText
{
    qint64 second = std::numeric_limits<qint64>::min();
    char logPrefix[32] = {}; // "yyyy.MM.dd\thh:mm:ss:"
    int logPrefixLength = 0;
    char consolePrefix[16] = {}; // "hh:mm:ss."
    int consolePrefixLength = 0;
};

thread_local TimeText t_timeText;
TimeText s_sharedTimeText;
std::mutex s_sharedTimeTextMutex;

int copyLatin1(const QString &text, char *target, int capacity)
{
    const QByteArray bytes = text.toLatin1();
    const int length = qMin(int(bytes.size()), capacity);
    std::memcpy(target, bytes.constData(), size_t(length));
    return length;
}

/** Brings the calling thread's cached text up to date and returns it with the milliseconds. */
const TimeText &currentTimeText(int *milliseconds)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    qint64 second = now / 1000;
    if (now % 1000 < 0)
        --second;
    *milliseconds = int(now - second * 1000);
    TimeText &text = t_timeText;
    if (text.second != second) {
        // The local time conversion reaches the C library's time zone state, whose lock the
        // thread sanitizer cannot see; one lock of ours around it, once a second, keeps the
        // conversions ordered for it and lets the threads share the result.
        std::lock_guard<std::mutex> lock(s_sharedTimeTextMutex);
        if (s_sharedTimeText.second != second) {
            TimeText &shared = s_sharedTimeText;
            const QDateTime time = QDateTime::fromMSecsSinceEpoch(second * 1000);
            shared.logPrefixLength
                = copyLatin1(time.toString(QStringLiteral("yyyy.MM.dd\thh:mm:ss:")),
                             shared.logPrefix, int(sizeof shared.logPrefix));
            shared.consolePrefixLength
                = copyLatin1(time.toString(QStringLiteral("hh:mm:ss.")), shared.consolePrefix,
                             int(sizeof shared.consolePrefix));
            shared.second = second;
        }
        text = s_sharedTimeText;
    }
    return text;
}

char *appendMilliseconds(char *target, int milliseconds)
{
    target[0] = char('0' + milliseconds / 100);
    target[1] = char('0' + milliseconds / 10 % 10);
    target[2] = char('0' + milliseconds % 10);
    return target + 3;
}

/** "hh:mm:ss.zzz" of now, zero-terminated. */
void consoleTime(char (&buffer)[24])
{
    int milliseconds = 0;
    const TimeText &text = currentTimeText(&milliseconds);
    std::memcpy(buffer, text.consolePrefix, size_t(text.consolePrefixLength));
    *appendMilliseconds(buffer + text.consolePrefixLength, milliseconds) = '\0';
}

} // namespace

DebugCrashHandler::DebugCrashHandler(QObject *parent)
    : QObject(parent)
{
    s_instance.store(this);
    s_runStamp = QDateTime::currentDateTime().toString(QStringLiteral("yyMMdd_hhmmss"));
}

DebugCrashHandler::~DebugCrashHandler()
{
    DebugCrashHandler *self = this;
    if (s_instance.compare_exchange_strong(self, nullptr)) {
        while (s_inFlight.load() != 0)
            std::this_thread::yield();
        // Messages of Qt's own shutdown must not reach a destroyed handler. A handler that the
        // tool installed after ours is its business and stays.
        const QtMessageHandler previous = qInstallMessageHandler(nullptr);
        if (previous != libraryMessageHandler && previous != discardMessageHandler)
            qInstallMessageHandler(previous);
    }
    LogLocker locker(&m_mutex);
    delete m_logFile;
    m_logFile = nullptr;
}

void DebugCrashHandler::setDebugHandlingType(DebugHandlingType type)
{
    m_currentType.storeRelaxed(type);
    switch (int(type)) {
    case WithDebug:
        qInstallMessageHandler(nullptr);
        break;
    case NoDebug:
        qInstallMessageHandler(discardMessageHandler);
        break;
    case DebugStandard:
        qInstallMessageHandler(libraryMessageHandler);
        break;
    case DebugLog:
        initDebugLogfile();
        m_currentType.storeRelaxed(DebugLog | DebugStandard);
        qInstallMessageHandler(libraryMessageHandler);
        break;
    case InstrumentFunctions:
        FunctionTrace::permit();
        break;
    default:
        break;
    }
}

void DebugCrashHandler::updateLogType(DebugHandlingType type)
{
    m_currentType.fetchAndOrRelaxed(type);
}

int DebugCrashHandler::debugHandlingType() const
{
    return m_currentType.loadRelaxed();
}

void DebugCrashHandler::handleDebugOut(QtMsgType type, const QMessageLogContext &context,
                                       const QString &message)
{
    // Encoded once for all outputs of this message.
    const QByteArray text = message.toLocal8Bit();
    // The type is read afresh for each output so that a change made meanwhile takes effect at once.
    if (m_currentType.loadRelaxed() & DebugLog)
        writeLogLine(text);
    if (m_currentType.loadRelaxed() & DebugStandard)
        writeStandardLine(text);
    if (m_currentType.loadRelaxed() & WithDebug)
        writeStandardLine(text);
    if (m_currentType.loadRelaxed() & DebugDetailed)
        printDebugOutputDetailed(type, context, message);
}

void DebugCrashHandler::printDebugOutput(QtMsgType, const QMessageLogContext &,
                                         const QString &message)
{
    writeStandardLine(message.toLocal8Bit());
}

void DebugCrashHandler::printDebugOutputDetailed(QtMsgType, const QMessageLogContext &context,
                                                 const QString &message)
{
    char time[24];
    consoleTime(time);
    std::fprintf(stderr, "Time: %s: QtDebugMsg: %s (%s:%u, %s)\n", time,
                 message.toLocal8Bit().constData(), context.file ? context.file : "(null)",
                 unsigned(context.line), context.function ? context.function : "(null)");
    std::fflush(stderr);
}

void DebugCrashHandler::logDebugOutput(QtMsgType, const QString &message)
{
    writeLogLine(message.toLocal8Bit());
}

void DebugCrashHandler::writeStandardLine(const QByteArray &text)
{
    // "Time: %s: %s\n" assembled by hand and written at once: standard error is unbuffered, so
    // this is one system call, and lines of concurrent threads do not break into each other.
    static const char prefix[] = "Time: ";
    char time[24];
    consoleTime(time);
    const size_t timeLength = std::strlen(time);
    const size_t textLength = qstrlen(text.constData()); // as far as %s would print it
    const size_t length = sizeof prefix - 1 + timeLength + 2 + textLength + 1;
    char small[512];
    QByteArray large;
    char *line = small;
    if (length > sizeof small) {
        large.resize(int(length));
        line = large.data();
    }
    char *p = line;
    std::memcpy(p, prefix, sizeof prefix - 1);
    p += sizeof prefix - 1;
    std::memcpy(p, time, timeLength);
    p += timeLength;
    *p++ = ':';
    *p++ = ' ';
    std::memcpy(p, text.constData(), textLength);
    p += textLength;
    *p = '\n';
    std::fwrite(line, 1, length, stderr);
    std::fflush(stderr);
}

void DebugCrashHandler::writeLogLine(const QByteArray &text)
{
    // The line is complete before the lock is taken, so the lock covers the write alone. Its
    // bytes are what a QTextStream with the locale's codec would write.
    int milliseconds = 0;
    const TimeText &time = currentTimeText(&milliseconds);
    const int length = time.logPrefixLength + 3 + 2 + int(text.size()) + 1;
    char small[512];
    QByteArray large;
    char *line = small;
    if (length > int(sizeof small)) {
        large.resize(length);
        line = large.data();
    }
    std::memcpy(line, time.logPrefix, size_t(time.logPrefixLength));
    char *p = appendMilliseconds(line + time.logPrefixLength, milliseconds);
    *p++ = '\t';
    *p++ = '\t';
    std::memcpy(p, text.constData(), size_t(text.size()));
    p += text.size();
    *p = '\n';

    LogLocker locker(&m_mutex);
    if (m_logFile && m_logFile->isOpen()) {
        // Flushed per line: every line is in the file when the call returns.
        m_logFile->write(line, length);
        m_logFile->flush();
    }
}

void DebugCrashHandler::initDebugLogfile()
{
    LogLocker locker(&m_mutex);
    const QString folder = QCoreApplication::applicationName().remove(QLatin1Char(' '));
    const QString fileName = QStringLiteral("%1_DebugLog.dbo").arg(s_runStamp);
    const QString directory = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                              + QStringLiteral("/varnio/%1/").arg(folder);
    QDir().mkpath(directory);
    // A second call continues the same file: the run stamp, and so the name, stays.
    delete m_logFile;
    m_logFile = new QFile(directory + fileName);
    if (!m_logFile->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        delete m_logFile;
        m_logFile = nullptr;
    }
}

void DebugCrashHandler::closeDebugLogfile()
{
    LogLocker locker(&m_mutex);
    if (m_logFile)
        m_logFile->close();
}

void DebugCrashHandler::removeDebugLogfile()
{
    LogLocker locker(&m_mutex);
    if (m_logFile)
        m_logFile->remove();
}

void DebugCrashHandler::finish()
{
    closeDebugLogfile();
    if (!(m_currentType.loadRelaxed() & DebugLog))
        removeDebugLogfile();
    deInitFunctiontrace();
}

QString DebugCrashHandler::debugLogFileName() const
{
    LogLocker locker(&m_mutex);
    return m_logFile ? m_logFile->fileName() : QString();
}
