#pragma once

#include "zezuzudod_export.h"

#include <QApplication>
#include <QElapsedTimer>

#include <functional>

class DebugCrashHandler;

/** The application object of every tool of the family, used instead of a plain QApplication.
 *
 *  It reads the debugging switches ("--debug-log", "--with-debug", "--debug-detailed",
 *  "--debug-standard", "--instrument-functions"), owns the tool's single DebugCrashHandler,
 *  keeps exceptions from escaping event delivery (an exception ends the event loop with exit
 *  code 1 for std::bad_alloc, 2 for another std::exception and 3 for anything else, after an
 *  out-of-memory box) and can report event deliveries slower than 10 ms. An exception caught in
 *  another thread is logged and releases the reserve there; the stop function, the box and the
 *  end of the event loop follow in the GUI thread.
 *
 *  Loading the library reserves 200 MiB of address space (never touched, so not resident) that
 *  releaseEmergencyMemory() gives back.
 *
 *  The debug handler is created by the constructor and deleted by the destructor, after
 *  its finish() has closed the debug log and the function trace. */
class ZEZUZUDOD_EXPORT VarnioBaseApplication : public QApplication
{
public:
    /** Attaches to the starting console, sets the application name and version, and creates
     *  the debug handler with the handling type the debugging switches of \a argv select. */
    VarnioBaseApplication(int &argc, char **argv, QString appName, QString appVersion);
    ~VarnioBaseApplication() override;

    /** Delivers \a event, timed when asked (setProcessingTime()); an exception that escapes
     *  the delivery is caught and ends the event loop as the class describes. */
    bool notify(QObject *receiver, QEvent *event) override;

    /** Reports every later event delivery of the GUI thread that takes longer than 10 ms through
     *  qDebug, as "processing event type %d for object %s took %dms". Deliveries in other
     *  threads are not timed. */
    void setProcessingTime(bool on);
    /** The tool's hook to stop its work after an exception; an empty function removes it. It is
     *  only ever called in the GUI thread, and is set there. */
    void setStopFunction(const std::function<void()> &stop);
    /** Frees the 200 MiB emergency reserve (once per process), then calls the stop function; from
     *  another thread the stop function is queued to the GUI thread. */
    void releaseEmergencyMemory();
    /** Shows the modal out-of-memory box and returns when the user has closed it. */
    void showMessageBox();
    /** Switches the function trace on or off, if the trace is permitted. */
    void onInstrumentFunctionChanged(bool on);
    /** Forwards the tool's settings byte to the sibling utility library. */
    void initSettings(unsigned char value);

    /** The tool's debug handler, owned by the application object. */
    DebugCrashHandler *debugHandler() const { return m_debugHandler; }

private:
    /** Release, box and exit after a caught exception; in a thread other than the GUI thread only
     *  the reserve is freed there, the rest is queued to the GUI thread. */
    void handleCaughtException(int exitCode);

    DebugCrashHandler *m_debugHandler = nullptr;
    QElapsedTimer m_processingTimer;
    bool m_processingTime = false;
    std::function<void()> m_stopFunction;
};
