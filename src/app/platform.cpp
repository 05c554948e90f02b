#include "platform_p.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>

#include <cstdio>
#endif

namespace ZezuzuDODPlatform {

void attachParentConsole()
{
#ifdef Q_OS_WIN
    // Without a parent console (started from the desktop) the streams stay as they are; a failed
    // freopen leaves that one stream closed, which is no worse than the detached state.
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
#endif
}

} // namespace ZezuzuDODPlatform
