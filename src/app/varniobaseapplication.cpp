#include "varniobaseapplication.h"

#include "debugcrashhandler.h"
#include "platform_p.h"

#include <helper.h>

#include <QMessageBox>
#include <QThread>

#include <atomic>
#include <exception>
#include <new>

namespace {

constexpr std::size_t EmergencyReserveSize = 209715200; // 200 MiB

// Allocated while the library loads, before anything can have run out of memory; freeing it is
// what gives the out-of-memory handling room to log, stop the tool's work and show the box.
std::atomic<char *> s_emergencyReserve{new char[EmergencyReserveSize]};

// Exit code of an exception caught outside the GUI thread, for the GUI thread's box and exit.
std::atomic<int> s_pendingExitCode{0};

void freeEmergencyReserve()
{
    delete[] s_emergencyReserve.exchange(nullptr);
}

VarnioBaseApplication *application()
{
    return static_cast<VarnioBaseApplication *>(QCoreApplication::instance());
}

const char OutOfMemoryText[] = "The application run out of memory.\n"
                               "This could occure when handling a large amount of data.\n"
                               "Please check the performance settings in the settings dialog.\n"
                               "\n"
                               "The application will close now.";

} // namespace

VarnioBaseApplication::VarnioBaseApplication(int &argc, char **argv, QString appName,
                                             QString appVersion)
    : QApplication(argc, argv)
{
    ZezuzuDODPlatform::attachParentConsole();
    // The handler builds its file paths from the application name, so the name comes first.
    QCoreApplication::setApplicationName(appName);
    QCoreApplication::setApplicationVersion(appVersion);
    m_debugHandler = new DebugCrashHandler(this);

    static const struct
    {
        const char *name;
        DebugCrashHandler::DebugHandlingType type;
    } switches[] = {
        {"--debug-log", DebugCrashHandler::DebugLog},
        {"--with-debug", DebugCrashHandler::WithDebug},
        // The detailed switch selects the standard line too; the detailed line is reached
        // through updateLogType only.
        {"--debug-detailed", DebugCrashHandler::DebugStandard},
        {"--debug-standard", DebugCrashHandler::DebugStandard},
        {"--instrument-functions", DebugCrashHandler::InstrumentFunctions},
    };
    const QStringList arguments = QCoreApplication::arguments();
    for (const auto &entry : switches) {
        if (arguments.contains(QLatin1String(entry.name), Qt::CaseSensitive))
            m_debugHandler->setDebugHandlingType(entry.type);
    }
}

VarnioBaseApplication::~VarnioBaseApplication()
{
    m_debugHandler->finish();
    delete m_debugHandler;
    m_debugHandler = nullptr;
    m_stopFunction = nullptr;
}

bool VarnioBaseApplication::notify(QObject *receiver, QEvent *event)
{
    // The one timer serves the GUI thread only: other threads deliver events at the same time,
    // and timing them with it would measure nothing and race on the timer.
    const bool timed = QThread::currentThread() == thread() && m_processingTime;
    bool result = true;
    try {
        if (timed)
            m_processingTimer.start();
        result = QApplication::notify(receiver, event);
        if (timed && m_processingTimer.elapsed() > 10) {
            QMessageLogger(nullptr, 0, nullptr)
                .debug("processing event type %d for object %s took %dms", int(event->type()),
                       receiver->objectName().toLocal8Bit().constData(),
                       int(m_processingTimer.elapsed()));
        }
    } catch (const std::bad_alloc &e) {
        qWarning("bad_alloc exception: %s", e.what());
        handleCaughtException(1);
    } catch (const std::exception &e) {
        qWarning("exception: %s", e.what());
        handleCaughtException(2);
    } catch (...) {
        qWarning("exception");
        handleCaughtException(3);
    }
    return result;
}

void VarnioBaseApplication::handleCaughtException(int exitCode)
{
    if (QThread::currentThread() == thread()) {
        releaseEmergencyMemory();
        showMessageBox();
        QCoreApplication::exit(exitCode);
        return;
    }
    // Memory is needed now, so this thread frees the reserve itself (the release is atomic). The
    // stop function touches the tool's windows and timers, a box may be shown by the GUI thread
    // only, and exit() ends the GUI thread's loop: the three go there together, in this order.
    // The code travels in an atomic and the call carries no data, so nothing but the queued call
    // itself crosses the threads.
    freeEmergencyReserve();
    s_pendingExitCode.store(exitCode);
    QMetaObject::invokeMethod(
        this,
        [] {
            application()->releaseEmergencyMemory();
            application()->showMessageBox();
            QCoreApplication::exit(s_pendingExitCode.load());
        },
        Qt::QueuedConnection);
}

void VarnioBaseApplication::setProcessingTime(bool on)
{
    m_processingTime = on;
}

void VarnioBaseApplication::setStopFunction(const std::function<void()> &stop)
{
    m_stopFunction = stop;
}

void VarnioBaseApplication::releaseEmergencyMemory()
{
    freeEmergencyReserve();
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [] { application()->releaseEmergencyMemory(); }, Qt::QueuedConnection);
        return;
    }
    if (m_stopFunction)
        m_stopFunction();
}

void VarnioBaseApplication::showMessageBox()
{
    QMessageBox box(QMessageBox::Critical, QApplication::tr("Out of memory"),
                    QString::fromLatin1(OutOfMemoryText), QMessageBox::NoButton, nullptr,
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.addButton(QApplication::tr("OK"), QMessageBox::RejectRole);
    box.exec();
}

void VarnioBaseApplication::onInstrumentFunctionChanged(bool on)
{
    if (m_debugHandler)
        m_debugHandler->setInstrumentFunctions(on);
}

void VarnioBaseApplication::initSettings(unsigned char value)
{
    Helper::initSettings(value);
}
