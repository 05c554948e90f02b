#include "dbchighlighter.h"

#include "highlightrules_p.h"

using namespace HighlightRules;

namespace {

enum : quint8 { Quotation = 1, Keyword, J1939, Comment };

const KeywordTable &keywords()
{
    static const KeywordTable table{
        {"NS_", Keyword},     {"BS_", Keyword},         {"BU_", Keyword},  {"BO_", Keyword},
        {"SG_", Keyword},     {"CM_", Keyword},         {"Brot", Keyword}, {"BA_", Keyword},
        {"BA_DEF_", Keyword}, {"BA_DEF_DEF_", Keyword}, {"SPN", J1939},    {"J1939PG", J1939},
        {"PGN", J1939}};
    return table;
}

} // namespace

DBCHighlighter::DBCHighlighter(QTextDocument *parent)
    : QSyntaxHighlighter(parent)
{
    m_keywordFormat.setForeground(Qt::darkBlue);
    m_keywordFormat.setFontWeight(QFont::Normal);
    m_j1939Format.setForeground(Qt::darkRed);
    m_j1939Format.setFontWeight(QFont::Bold);
    m_commentFormat.setForeground(Qt::darkYellow);
    m_quotationFormat.setForeground(Qt::darkGreen);
}

DBCHighlighter::~DBCHighlighter() = default;

void DBCHighlighter::highlightBlock(const QString &text)
{
    FormatCells cells(text.size());
    paintFirstToLast(text, QLatin1Char('"'), QLatin1Char('"'), Quotation, cells);
    keywords().paintWords(text, cells);
    if (text.startsWith(QLatin1Char('#')))
        cells.paint(0, text.size(), Comment);

    const QTextCharFormat *formats[]
        = {nullptr, &m_quotationFormat, &m_keywordFormat, &m_j1939Format, &m_commentFormat};
    cells.forEachRun(
        [&](int start, int length, quint8 id) { setFormat(start, length, *formats[id]); });
}
