#include "debugcrashhandler.h"
DebugCrashHandler::DebugCrashHandler(QObject *parent) : QObject(parent) {}
DebugCrashHandler::~DebugCrashHandler() = default;
int DebugCrashHandler::debugHandlingType() const { return m_currentType.loadRelaxed(); }
QString DebugCrashHandler::debugLogFileName() const { return {}; }
