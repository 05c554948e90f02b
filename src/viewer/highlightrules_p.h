#pragma once

#include <QStringView>
#include <QVarLengthArray>
#include <QVector>

#include <initializer_list>

// The building blocks of the highlighters' hand-written scanners. Each one finds exactly what
// one kind of highlighting rule matches in a block (the highlighters' documentation gives the
// rules as regular expressions), without running an expression engine over the block once per
// rule. Blocks never hold a line feed, so "to the end of the line" is the end of the block.
namespace HighlightRules {

/** Characters of a word in the sense of \b and [A-Za-z0-9_]: ASCII letters, digits and the
 *  underscore. Letters beyond ASCII separate words. */
inline bool isWordChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9')
           || u == u'_';
}

/** Calls visit(start, length) for every maximal run of word characters, left to right. */
template<typename Visit>
void forEachWord(QStringView text, Visit visit)
{
    const int size = int(text.size());
    int i = 0;
    while (i < size) {
        if (!isWordChar(text[i])) {
            ++i;
            continue;
        }
        const int start = i;
        while (i < size && isWordChar(text[i]))
            ++i;
        visit(start, i - start);
    }
}

/** Per-character format ids of one block, 0 for none. Rules paint their matches in the order of
 *  their precedence: a later rule overwrites an earlier one on the characters they share. */
class FormatCells
{
public:
    explicit FormatCells(int length);

    void paint(int start, int length, quint8 id);

    /** Calls apply(start, length, id) once for every run of one id other than 0. */
    template<typename Apply>
    void forEachRun(Apply apply) const
    {
        const int size = int(m_cells.size());
        int i = 0;
        while (i < size) {
            const quint8 id = m_cells[i];
            const int start = i;
            while (i < size && m_cells[i] == id)
                ++i;
            if (id != 0)
                apply(start, i - start, id);
        }
    }

private:
    QVarLengthArray<quint8, 512> m_cells;
};

/** A fixed set of keywords, each with the format id of its group, looked up by whole word. */
class KeywordTable
{
public:
    struct Keyword
    {
        const char *word; // ASCII
        quint8 id;
    };

    KeywordTable(std::initializer_list<Keyword> keywords);

    /** The id of the keyword spelled exactly as word (case matters), else 0. */
    quint8 find(QStringView word) const;

    /** Paints every word of the text that is a keyword. */
    void paintWords(QStringView text, FormatCells &cells) const;

private:
    struct Entry
    {
        QLatin1String word;
        quint8 id;
    };

    static constexpr int MaxLength = 24;
    QVector<Entry> m_byLength[MaxLength + 1];
};

/** Paints from the first open character to the last close character after it, as the greedy
 *  patterns "\".*\"" (open and close a double quote) and "\[.*\]" match in a block. */
void paintFirstToLast(QStringView text, QChar open, QChar close, quint8 id, FormatCells &cells);

/** Paints from the first occurrence of mark to the end of the block. */
void paintFromMarkToEnd(QStringView text, QStringView mark, quint8 id, FormatCells &cells);

/** The multi-line comment pass: paints every comment between the start and end marks, the first
 *  one from position 0 when the block continues a comment of the previous one. The end mark is
 *  searched from the comment's start itself, so it may share characters with the start mark.
 *  Returns the block state: 1 if the block ends inside a comment, else 0. */
int paintBlockComments(QStringView text, bool continuesComment, QStringView startMark,
                       QStringView endMark, quint8 id, FormatCells &cells);

} // namespace HighlightRules
