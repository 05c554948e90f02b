#include "highlightrules_p.h"

#include <algorithm>

namespace HighlightRules {

FormatCells::FormatCells(int length)
    : m_cells(length)
{
    std::fill(m_cells.begin(), m_cells.end(), quint8(0));
}

void FormatCells::paint(int start, int length, quint8 id)
{
    std::fill_n(m_cells.begin() + start, length, id);
}

KeywordTable::KeywordTable(std::initializer_list<Keyword> keywords)
{
    for (const Keyword &keyword : keywords) {
        const QLatin1String word(keyword.word);
        Q_ASSERT(word.size() > 0 && word.size() <= MaxLength);
        m_byLength[word.size()].append({word, keyword.id});
    }
}

quint8 KeywordTable::find(QStringView word) const
{
    if (word.size() > MaxLength)
        return 0;
    for (const Entry &entry : m_byLength[word.size()]) {
        if (word == entry.word)
            return entry.id;
    }
    return 0;
}

void KeywordTable::paintWords(QStringView text, FormatCells &cells) const
{
    forEachWord(text, [&](int start, int length) {
        if (const quint8 id = find(text.mid(start, length)))
            cells.paint(start, length, id);
    });
}

void paintFirstToLast(QStringView text, QChar open, QChar close, quint8 id, FormatCells &cells)
{
    const int first = int(text.indexOf(open));
    if (first < 0)
        return;
    const int last = int(text.lastIndexOf(close));
    if (last > first)
        cells.paint(first, last - first + 1, id);
}

void paintFromMarkToEnd(QStringView text, QStringView mark, quint8 id, FormatCells &cells)
{
    const int start = int(text.indexOf(mark));
    if (start >= 0)
        cells.paint(start, int(text.size()) - start, id);
}

int paintBlockComments(QStringView text, bool continuesComment, QStringView startMark,
                       QStringView endMark, quint8 id, FormatCells &cells)
{
    const int size = int(text.size());
    int start = continuesComment ? 0 : int(text.indexOf(startMark));
    while (start >= 0) {
        const int end = int(text.indexOf(endMark, start));
        if (end < 0) {
            cells.paint(start, size - start, id);
            return 1;
        }
        const int length = end - start + int(endMark.size());
        cells.paint(start, length, id);
        start = int(text.indexOf(startMark, start + length));
    }
    return 0;
}

} // namespace HighlightRules
