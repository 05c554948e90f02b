#pragma once

#include <QString>
#include <QStringView>

/* Section and key names are matched without regard to case. They are compared unit by unit
 * after case folding, so that looking one up needs no lower-case copy: configuring a large file
 * looks up and stores some hundred thousand names. */

inline uint dcfFold(ushort unit)
{
    if (unit < 0x80)
        return uint(unit) - 'A' < 26u ? unit + 32u : unit;
    return QChar::toCaseFolded(uint(unit));
}

inline bool dcfNamesEqual(QStringView a, QStringView b)
{
    const qsizetype size = a.size();
    if (size != b.size())
        return false;
    const QChar *x = a.data();
    const QChar *y = b.data();
    for (qsizetype i = 0; i < size; ++i) {
        if (x[i] != y[i] && dcfFold(x[i].unicode()) != dcfFold(y[i].unicode()))
            return false;
    }
    return true;
}

/* Keyed by the seed of the hash table: the names come from files that anybody can write, and
 * names that collide whatever the seed would turn every lookup into a walk through one bucket. */
uint dcfNameHash(QStringView name, uint seed) noexcept;

/* A name as the key of a QHash or QSet. */
struct DcfName
{
    QString text;
};

inline bool operator==(const DcfName &a, const DcfName &b)
{
    return dcfNamesEqual(a.text, b.text);
}

inline uint qHash(const DcfName &name, uint seed = 0) noexcept
{
    return dcfNameHash(name.text, seed);
}
