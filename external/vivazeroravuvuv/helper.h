#pragma once

/** Settings initialisation of the sibling utility library.
 *  The stand-in keeps the byte it is given so that a caller can see what arrived. */
class Helper
{
public:
    /** Takes the tool's settings byte; always succeeds. */
    static bool initSettings(unsigned char value);
    /** The byte of the last initSettings call, 0 before the first. */
    static unsigned char settingsValue();
};
