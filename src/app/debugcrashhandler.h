#pragma once

#include "zezuzudod_export.h"

#include <QMutex>
#include <QObject>

class QFile;

/** Decides where the Qt messages of a tool go: Qt's default output, nowhere, the console in a
 *  standard or detailed line, and/or the per-run debug log file
 *  "<Documents>/varnio/\<AppName\>/<yyMMdd_hhmmss>_DebugLog.dbo". It also hosts the switches of
 *  the function trace, whose file is "<Documents>/varnio/\<AppName\>/functionsLog_<n>.efl"
 *  (\<AppName\> is the application name without its spaces).
 *
 *  Console lines go to standard error: "Time: hh:mm:ss.zzz: <message>" (standard) and
 *  "Time: hh:mm:ss.zzz: QtDebugMsg: <message> (<file>:<line>, <function>)" (detailed). A log line
 *  is "yyyy.MM.dd<tab>hh:mm:ss:zzz<tab><tab><message>" and is in the file when the call returns.
 *  Messages may come from any thread; log lines are written whole under the handler's mutex.
 *
 *  VarnioBaseApplication creates one handler per process. The most recently constructed handler
 *  receives the messages; its destructor detaches it and puts Qt's default handler back.
 *  The handler owns the log file. Failures to create the log or trace file are silent: those
 *  outputs then write nothing while the console keeps working. */
class ZEZUZUDOD_EXPORT DebugCrashHandler : public QObject
{
    Q_OBJECT
public:
    /** Where messages go; the values combine as a bit set. */
    enum DebugHandlingType {
        WithDebug = 1,            ///< Qt's default output ("--with-debug")
        NoDebug = 2,              ///< messages are dropped
        DebugStandard = 4,        ///< standard console lines ("--debug-standard")
        DebugLog = 8,             ///< the per-run log file ("--debug-log")
        InstrumentFunctions = 16, ///< the function trace is permitted ("--instrument-functions")
        DebugDetailed = 32,       ///< detailed console lines ("--debug-detailed")
    };

    /** A handler of type NoDebug that has installed nothing yet. */
    explicit DebugCrashHandler(QObject *parent = nullptr);
    ~DebugCrashHandler() override;

    /** Replaces the handling type and installs the matching message handler: 1 Qt's default
     *  handler, 2 one that drops every message, 4 the library's handler, 8 opens the log file,
     *  makes the type 12 and installs the library's handler, 16 permits the function trace.
     *  Any other value is only stored. */
    void setDebugHandlingType(DebugHandlingType type);
    /** Adds bits to the handling type; installs and opens nothing. */
    void updateLogType(DebugHandlingType type);
    /** The current handling type, a bit set of DebugHandlingType values. */
    int debugHandlingType() const;

    /** What the library's handler does with each message, in any thread: bit 8 a log line,
     *  bit 4 a standard line, bit 1 another standard line, bit 32 a detailed line. */
    void handleDebugOut(QtMsgType type, const QMessageLogContext &context, const QString &message);
    /** Writes \a message as a standard console line. */
    void printDebugOutput(QtMsgType type, const QMessageLogContext &context,
                          const QString &message);
    /** Writes \a message as a detailed console line, with its type and source location. */
    void printDebugOutputDetailed(QtMsgType type, const QMessageLogContext &context,
                                  const QString &message);
    /** Appends \a message as a log line; nothing while no log file is open. */
    void logDebugOutput(QtMsgType type, const QString &message);

    /** Creates this run's log file in the documents folder and opens it; an open one stays. */
    void initDebugLogfile();
    /** Closes the log file; it stays on disk. */
    void closeDebugLogfile();
    /** Deletes the closed log file and forgets its name. */
    void removeDebugLogfile();
    /** End of the run: closes the log file, deletes it unless DebugLog is still set, and closes
     *  the function trace. */
    void finish();

    /** The debug log file's path, empty while there is none. */
    QString debugLogFileName() const;

    /** Switches the function trace on (a new numbered file) or off; ignored unless permitted.
     *  Switching on while a trace file is open closes that file first, complete. */
    void setInstrumentFunctions(bool on);
    /** Opens a new numbered trace file and lets the trace hooks write into it. */
    void initFunctionTrace();
    /** Stops the trace hooks and closes the trace file once every record is in it. */
    void deInitFunctiontrace();

private:
    void writeStandardLine(const QByteArray &text);
    void writeLogLine(const QByteArray &text);

    QFile *m_logFile = nullptr;
    QAtomicInt m_currentType = NoDebug;
    mutable QMutex m_mutex;
};
