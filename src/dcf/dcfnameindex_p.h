#pragma once

#include "dcfname_p.h"

#include <QString>
#include <QStringView>
#include <QVector>

/* Section or key names numbered in the order they first came, found without regard to case.
 * The names are kept in one block of text and the table is open addressing over one array, so
 * that a file of a hundred thousand keys costs a handful of allocations rather than several per
 * key, to make and to free. A view of a name is valid until the next insert(), and is never
 * given to insert() itself. */
class DcfNameIndex
{
public:
    /* Room for this many names of this many characters in all; more still fit. */
    explicit DcfNameIndex(int expected = 0, int expectedText = 0);

    int size() const { return m_starts.size() - 1; }
    /* The name as first given. */
    QStringView name(int number) const
    {
        const int start = m_starts.at(number);
        return QStringView(m_text).mid(start, m_starts.at(number + 1) - start);
    }
    /* The number of the name, or -1. */
    int find(QStringView name) const;
    /* The number of the name, numbering it on if it is new. */
    int insert(QStringView name);

private:
    struct Slot
    {
        uint hash = 0;
        int number = -1; // -1: free
    };

    int slotOf(QStringView name, uint hash) const;
    void grow();

    QString m_text;
    QVector<int> m_starts{0}; // where each name starts, and the end of the last one
    QVector<Slot> m_slots;    // a power of two, at most three quarters in use
    uint m_seed;
};
