#pragma once

namespace CAN {

/** The static data types of the CANopen object dictionary, numbered as a DCF carries them
 *  in its "DataType" keys (0x0E and 0x17 are reserved). */
enum CANopenDataType : unsigned char {
    BOOLEAN = 0x01,
    INTEGER8 = 0x02,
    INTEGER16 = 0x03,
    INTEGER32 = 0x04,
    UNSIGNED8 = 0x05,
    UNSIGNED16 = 0x06,
    UNSIGNED32 = 0x07,
    REAL32 = 0x08,
    VISIBLE_STRING = 0x09,
    OCTET_STRING = 0x0A,
    UNICODE_STRING = 0x0B,
    TIME_OF_DAY = 0x0C,
    TIME_DIFFERENCE = 0x0D,
    DOMAIN = 0x0F,
    INTEGER24 = 0x10,
    REAL64 = 0x11,
    INTEGER40 = 0x12,
    INTEGER48 = 0x13,
    INTEGER56 = 0x14,
    INTEGER64 = 0x15,
    UNSIGNED24 = 0x16,
    UNSIGNED40 = 0x18,
    UNSIGNED48 = 0x19,
    UNSIGNED56 = 0x1A,
    UNSIGNED64 = 0x1B,
};

} // namespace CAN
