#pragma once

class QString;

/** The process-wide state of the function trace, shared by the hooks and DebugCrashHandler.
 *  The hooks are free functions called from every thread, so the state lives outside any
 *  object and every value the hooks read is atomic. */
namespace FunctionTrace {

/** Allows setInstrumentFunctions to switch the trace on; there is no way back. */
void permit();
bool isPermitted();

/** Closes the open trace file, if any, then opens "functionsLog_<counter>.efl" in @p folder and
 *  increases the counter. A file that cannot be opened leaves the trace without a file. */
void open(const QString &folder);
/** Waits until no hook is writing, then flushes and closes the trace file. */
void close();
void setActive(bool on);

} // namespace FunctionTrace
