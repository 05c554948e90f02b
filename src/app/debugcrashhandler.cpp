#include "debugcrashhandler.h"

#include "functiontrace_p.h"
#include "linetime_p.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QVarLengthArray>

#include <atomic>
#include <cstdio>
#include <cstring>
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

// A line assembled in one piece, on the stack unless it is long.
using LineBuffer = QVarLengthArray<char, 512>;

void append(LineBuffer &line, const char *text)
{
    line.append(text, int(std::strlen(text)));
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
    char time[LineTime::MaxLength];
    LineTime::writeConsoleTime(time);
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
    // "Time: %s: %s\n" written at once: standard error is unbuffered, so this is one system
    // call, and lines of concurrent threads do not break into each other.
    char time[LineTime::MaxLength];
    LineTime::writeConsoleTime(time);
    LineBuffer line;
    append(line, "Time: ");
    append(line, time);
    append(line, ": ");
    append(line, text.constData()); // as far as %s would print it
    line.append('\n');
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

void DebugCrashHandler::writeLogLine(const QByteArray &text)
{
    // The line is complete before the lock is taken, so the lock covers the write alone. Its
    // bytes are what a QTextStream with the locale's codec would write.
    char time[LineTime::MaxLength];
    LineBuffer line;
    line.append(time, LineTime::writeLogTime(time));
    append(line, "\t\t");
    line.append(text.constData(), text.size());
    line.append('\n');

    LogLocker locker(&m_mutex);
    if (m_logFile && m_logFile->isOpen()) {
        // Flushed per line: every line is in the file when the call returns.
        m_logFile->write(line.constData(), line.size());
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

void DebugCrashHandler::setInstrumentFunctions(bool on)
{
    if (!FunctionTrace::isPermitted())
        return;
    if (on)
        initFunctionTrace();
    else
        deInitFunctiontrace();
    FunctionTrace::setActive(on);
}

void DebugCrashHandler::initFunctionTrace()
{
    const QString name = QCoreApplication::applicationName().remove(QLatin1Char(' '));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir().mkpath(documents + QStringLiteral("/varnio/") + name + QLatin1Char('/'));
    // Switching on while a trace is open starts the next numbered file; the open one is closed
    // first so that its records are complete and its stream is not leaked.
    FunctionTrace::open(documents + QStringLiteral("/varnio//") + name + QLatin1Char('/'));
}

void DebugCrashHandler::deInitFunctiontrace()
{
    FunctionTrace::close();
}
