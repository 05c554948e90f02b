#pragma once

/* The local time as the debug lines show it. Formatting a date through QDateTime costs
 * microseconds and was most of the price of a log line; the text changes once a second, so each
 * thread keeps the text of its current second and only the milliseconds are written per line.
 * Callable from any thread. */
namespace LineTime {

/* Room for either text with its terminating zero. */
constexpr int MaxLength = 32;

/* Each writes its text and a terminating zero to target and returns the length without it. */
int writeLogTime(char *target);     // "yyyy.MM.dd<tab>hh:mm:ss:zzz"
int writeConsoleTime(char *target); // "hh:mm:ss.zzz"

} // namespace LineTime
