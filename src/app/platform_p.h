#pragma once

namespace ZezuzuDODPlatform {

/** Attaches the process to the console of the process that started it and reopens standard
 *  output and standard error on it. Only Windows separates a GUI program from the console it was
 *  started from; elsewhere the streams already go where the user expects and nothing is done. */
void attachParentConsole();

} // namespace ZezuzuDODPlatform
