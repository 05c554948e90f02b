#pragma once

#include "zezuzudod_export.h"

#include <QMutex>
#include <QObject>

class QFile;

/** Decides where the Qt messages of a tool go: Qt's default output, nowhere, the console in a
 *  standard or detailed line, and/or the per-run debug log file
 *  "<Documents>/varnio/<AppName>/<yyMMdd_hhmmss>_DebugLog.dbo". It also hosts the switches of
 *  the function trace, whose file is "<Documents>/varnio/<AppName>/functionsLog_<n>.efl".
 *
 *  VarnioBaseApplication creates one handler per process. The most recently constructed handler
 *  receives the messages; its destructor detaches it and puts Qt's default handler back.
 *  The handler owns the log file. Failures to create the log or trace file are silent: those
 *  outputs then write nothing while the console keeps working. */
class ZEZUZUDOD_EXPORT DebugCrashHandler : public QObject
{
    Q_OBJECT
public:
    enum DebugHandlingType {
        WithDebug = 1,
        NoDebug = 2,
        DebugStandard = 4,
        DebugLog = 8,
        InstrumentFunctions = 16,
        DebugDetailed = 32,
    };

    explicit DebugCrashHandler(QObject *parent = nullptr);
    ~DebugCrashHandler() override;

    /** Replaces the handling type and installs the matching message handler. */
    void setDebugHandlingType(DebugHandlingType type);
    /** Adds bits to the handling type; installs and opens nothing. */
    void updateLogType(DebugHandlingType type);
    /** The current handling type, a bit set of DebugHandlingType values. */
    int debugHandlingType() const;

    void handleDebugOut(QtMsgType type, const QMessageLogContext &context, const QString &message);
    void printDebugOutput(QtMsgType type, const QMessageLogContext &context, const QString &message);
    void printDebugOutputDetailed(QtMsgType type, const QMessageLogContext &context,
                                  const QString &message);
    void logDebugOutput(QtMsgType type, const QString &message);

    void initDebugLogfile();
    void closeDebugLogfile();
    void removeDebugLogfile();
    /** End of the run: closes the log file, deletes it unless DebugLog is still set, and closes
     *  the function trace. */
    void finish();

    /** The debug log file's path, empty while there is none. */
    QString debugLogFileName() const;

    /** Switches the function trace on (a new numbered file) or off; ignored unless permitted. */
    void setInstrumentFunctions(bool on);
    void initFunctionTrace();
    void deInitFunctiontrace();

private:
    QFile *m_logFile = nullptr;
    QAtomicInt m_currentType = NoDebug;
    mutable QMutex m_mutex;
};
