/* Object dictionary access for a small CANopen node.
 * int and "quotes" inside this comment stay comment-coloured.
 */
#include <stdint.h>
#define NODE_ID 5

typedef struct {
    unsigned short index;   // object index, never long
    unsigned char subIndex; /* sub-index */ const char *name;
} Entry;

static const Entry entries[] = {
    {0x1000, 0, "Device Type, an unsigned value"},
    {0x1018, 1, "Vendor \"ID\" // not a comment"},
};

int lookup(unsigned short index, QString *name) /* returns the position,
                                                  or -1 */
{
    for (int i = 0; i < (int)(sizeof entries / sizeof entries[0]); ++i) {
        if (entries[i].index == index) // found(it), "i" is the position
            return i;
    }
    return -1; /*/ one mark, then the end */ void
}
