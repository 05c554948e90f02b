#include "edshighlighter.h"

#include "highlightrules_p.h"

using namespace HighlightRules;

namespace {

// Format ids, in the order in which the rules paint.
enum : quint8 { Key = 1, ValueKey, Comment, Quotation, Section };

const KeywordTable &keys()
{
    static const KeywordTable table{
        {"SupportedObjects", Key},   {"ParameterName", Key}, {"ObjectType", Key},
        {"DataType", Key},           {"AccessType", Key},    {"DefaultValue", Key},
        {"PDOMapping", Key},         {"SubNumber", Key},     {"LowLimit", Key},
        {"HighLimit", Key},          {"ObjFlags", Key},      {"Denotation", ValueKey},
        {"ParameterValue", ValueKey}};
    return table;
}

} // namespace

EdsHighlighter::EdsHighlighter(QTextDocument *parent)
    : QSyntaxHighlighter(parent)
{
    m_keyFormat.setForeground(Qt::darkBlue);
    m_keyFormat.setFontWeight(QFont::Normal);
    m_valueKeyFormat.setForeground(Qt::darkRed);
    m_valueKeyFormat.setFontWeight(QFont::Bold);
    m_commentFormat.setForeground(Qt::darkYellow);
    m_quotationFormat.setForeground(Qt::darkGreen);
    m_sectionFormat.setForeground(Qt::red);
}

EdsHighlighter::~EdsHighlighter() = default;

void EdsHighlighter::highlightBlock(const QString &text)
{
    FormatCells cells(text.size());
    keys().paintWords(text, cells);
    paintFromMarkToEnd(text, u";", Comment, cells);
    paintFirstToLast(text, QLatin1Char('"'), QLatin1Char('"'), Quotation, cells);
    paintFirstToLast(text, QLatin1Char('['), QLatin1Char(']'), Section, cells);

    const QTextCharFormat *formats[] = {nullptr,          &m_keyFormat,       &m_valueKeyFormat,
                                        &m_commentFormat, &m_quotationFormat, &m_sectionFormat};
    cells.forEachRun(
        [&](int start, int length, quint8 id) { setFormat(start, length, *formats[id]); });
}
