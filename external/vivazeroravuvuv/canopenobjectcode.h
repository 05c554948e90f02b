#pragma once

namespace CANopen {

/** Object codes of the CANopen object dictionary, as a DCF carries them in "ObjectType".
 *  The enumerators carry a prefix because NULL is a macro of the C library. */
enum ObjectCode : unsigned char {
    OBJECT_NULL = 0,
    OBJECT_DOMAIN = 2,
    OBJECT_DEFTYPE = 5,
    OBJECT_DEFSTRUCT = 6,
    OBJECT_VAR = 7,
    OBJECT_ARRAY = 8,
    OBJECT_RECORD = 9,
};

} // namespace CANopen
