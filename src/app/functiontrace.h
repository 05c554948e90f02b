#pragma once

#include "zezuzudod_export.h"

/** The entry and exit hooks that code built with -finstrument-functions calls. While the trace
 *  is on (DebugCrashHandler::setInstrumentFunctions) each call writes one record into the
 *  current trace file: "0x", the function's address in lower-case hexadecimal with at least
 *  eight digits, and a line feed. Entry and exit give the same line.
 *
 *  The hooks may run in any thread. Each thread collects its records and hands them to the file
 *  in chunks of whole lines, so records of different threads never mix; a thread's records
 *  reach the file when its chunk is full, when the thread ends and at the latest when the trace
 *  is switched off or finished. A record is skipped only when a hook is re-entered in the same
 *  thread (a signal handler) or when the trace is being closed while the thread's chunk is full.
 *  While the trace is off a hook costs one flag test. */
extern "C" {
ZEZUZUDOD_EXPORT void __cyg_profile_func_enter(void *thisFunction, void *callSite)
    __attribute__((no_instrument_function));
ZEZUZUDOD_EXPORT void __cyg_profile_func_exit(void *thisFunction, void *callSite)
    __attribute__((no_instrument_function));
}
