#pragma once

#include "zezuzudod_export.h"

/** The entry and exit hooks that code built with -finstrument-functions calls. While the trace
 *  is on (DebugCrashHandler::setInstrumentFunctions) each call writes one record, "0x" and the
 *  function's address, into the current trace file. */
extern "C" {
ZEZUZUDOD_EXPORT void __cyg_profile_func_enter(void *thisFunction, void *callSite)
    __attribute__((no_instrument_function));
ZEZUZUDOD_EXPORT void __cyg_profile_func_exit(void *thisFunction, void *callSite)
    __attribute__((no_instrument_function));
}
