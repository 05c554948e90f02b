#pragma once

#include <QString>

/* A section or key name as a hash key that ignores case. Names are compared unit by unit after
 * case folding, so that looking one up needs no lower-case copy: configuring a large file
 * looks up and stores some hundred thousand names. */
struct DcfName
{
    QString text;
};

inline uint dcfFold(ushort unit)
{
    if (unit < 0x80)
        return uint(unit) - 'A' < 26u ? unit + 32u : unit;
    return QChar::toCaseFolded(uint(unit));
}

inline bool operator==(const DcfName &a, const DcfName &b)
{
    const int size = a.text.size();
    if (size != b.text.size())
        return false;
    const ushort *x = a.text.utf16();
    const ushort *y = b.text.utf16();
    for (int i = 0; i < size; ++i) {
        if (x[i] != y[i] && dcfFold(x[i]) != dcfFold(y[i]))
            return false;
    }
    return true;
}

/* Keyed by the seed of the hash table: the names come from files that anybody can write, and
 * names that collide whatever the seed would turn every lookup into a walk through one bucket. */
uint qHash(const DcfName &name, uint seed = 0) noexcept;
