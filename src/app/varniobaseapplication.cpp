#include "varniobaseapplication.h"
#include "debugcrashhandler.h"
VarnioBaseApplication::VarnioBaseApplication(int &argc, char **argv, QString appName, QString appVersion)
    : QApplication(argc, argv)
{
    setApplicationName(appName);
    setApplicationVersion(appVersion);
    m_debugHandler = new DebugCrashHandler(this);
}
VarnioBaseApplication::~VarnioBaseApplication() = default;
bool VarnioBaseApplication::notify(QObject *r, QEvent *e) { return QApplication::notify(r, e); }
void VarnioBaseApplication::setProcessingTime(bool) {}
void VarnioBaseApplication::setStopFunction(const std::function<void()> &) {}
void VarnioBaseApplication::releaseEmergencyMemory() {}
void VarnioBaseApplication::showMessageBox() {}
void VarnioBaseApplication::onInstrumentFunctionChanged(bool) {}
void VarnioBaseApplication::initSettings(unsigned char) {}
