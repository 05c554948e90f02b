#include "dcfnameindex_p.h"

#include <QHashFunctions>

DcfNameIndex::DcfNameIndex(int expected, int expectedText)
    : m_seed(uint(qGlobalQHashSeed()))
{
    m_text.reserve(expectedText);
    int slots = 16;
    while (3 * slots < 4 * expected)
        slots *= 2;
    m_slots.resize(slots);
    m_starts.reserve(expected + 1);
}

int DcfNameIndex::find(QStringView name) const
{
    return m_slots.at(slotOf(name, dcfNameHash(name, m_seed))).number;
}

int DcfNameIndex::insert(QStringView name)
{
    const uint hash = dcfNameHash(name, m_seed);
    int slot = slotOf(name, hash);
    if (m_slots.at(slot).number >= 0)
        return m_slots.at(slot).number;
    if (4 * (size() + 1) > 3 * m_slots.size()) {
        grow();
        slot = slotOf(name, hash);
    }
    const int number = size();
    m_slots[slot] = Slot{hash, number};
    m_text.append(name.data(), int(name.size()));
    m_starts.append(m_text.size());
    return number;
}

// The slot that holds the name, or the free slot where it would go.
int DcfNameIndex::slotOf(QStringView name, uint hash) const
{
    const int mask = m_slots.size() - 1;
    for (int slot = int(hash) & mask;; slot = (slot + 1) & mask) {
        const Slot &entry = m_slots.at(slot);
        if (entry.number < 0
            || (entry.hash == hash && dcfNamesEqual(this->name(entry.number), name)))
            return slot;
    }
}

void DcfNameIndex::grow()
{
    QVector<Slot> slots(2 * m_slots.size());
    const int mask = slots.size() - 1;
    for (const Slot &entry : qAsConst(m_slots)) {
        if (entry.number < 0)
            continue;
        int slot = int(entry.hash) & mask;
        while (slots.at(slot).number >= 0)
            slot = (slot + 1) & mask;
        slots[slot] = entry;
    }
    m_slots.swap(slots);
}
