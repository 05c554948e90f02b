#include "plchighlighter.h"

#include "highlightrules_p.h"

using namespace HighlightRules;

namespace {

enum : quint8 { Declaration = 1, DataType, MultiLineComment };

const KeywordTable &keywords()
{
    static const KeywordTable table{{"VAR_EXTERNAL", Declaration},
                                    {"END_VAR", Declaration},
                                    {"BYTE", DataType},
                                    {"WORD", DataType},
                                    {"DWORD", DataType},
                                    {"SINT", DataType},
                                    {"INT", DataType},
                                    {"DINT", DataType},
                                    {"USINT", DataType},
                                    {"UINT", DataType},
                                    {"UDINT", DataType},
                                    {"REAL", DataType},
                                    {"LREAL", DataType},
                                    {"STRING", DataType}};
    return table;
}

} // namespace

PlcHighlighter::PlcHighlighter(QTextDocument *parent)
    : QSyntaxHighlighter(parent)
{
    m_declarationFormat.setForeground(Qt::black);
    m_declarationFormat.setFontWeight(QFont::Bold);
    m_dataTypeFormat.setForeground(Qt::darkRed);
    m_dataTypeFormat.setFontWeight(QFont::Bold);
    m_multiLineCommentFormat.setForeground(Qt::darkYellow);
}

PlcHighlighter::~PlcHighlighter() = default;

void PlcHighlighter::highlightBlock(const QString &text)
{
    FormatCells cells(text.size());
    keywords().paintWords(text, cells);
    setCurrentBlockState(
        paintBlockComments(text, previousBlockState() == 1, u"(*", u"*)", MultiLineComment, cells));

    const QTextCharFormat *formats[]
        = {nullptr, &m_declarationFormat, &m_dataTypeFormat, &m_multiLineCommentFormat};
    cells.forEachRun(
        [&](int start, int length, quint8 id) { setFormat(start, length, *formats[id]); });
}
