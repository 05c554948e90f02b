#include "ansichighlighter.h"

#include "highlightrules_p.h"

#include <algorithm>

using namespace HighlightRules;

namespace {

// Format ids, in the order in which the rules paint.
enum : quint8 {
    Keyword = 1,
    ClassName,
    SingleLineComment,
    Quotation,
    Function,
    Preprocessor,
    MultiLineComment
};

const KeywordTable &keywords()
{
    static const KeywordTable table{
        {"char", Keyword},    {"class", Keyword},     {"const", Keyword},     {"double", Keyword},
        {"enum", Keyword},    {"explicit", Keyword},  {"friend", Keyword},    {"inline", Keyword},
        {"int", Keyword},     {"long", Keyword},      {"namespace", Keyword}, {"operator", Keyword},
        {"private", Keyword}, {"protected", Keyword}, {"public", Keyword},    {"short", Keyword},
        {"signals", Keyword}, {"signed", Keyword},    {"slots", Keyword},     {"static", Keyword},
        {"struct", Keyword},  {"template", Keyword},  {"typedef", Keyword},   {"typename", Keyword},
        {"union", Keyword},   {"unsigned", Keyword},  {"virtual", Keyword},   {"void", Keyword},
        {"volatile", Keyword}};
    return table;
}

// A whole word made of Q and one or more ASCII letters.
bool isQtClassName(QStringView word)
{
    if (word.size() < 2 || word.front() != QLatin1Char('Q'))
        return false;
    return std::all_of(word.begin() + 1, word.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
    });
}

// Every "#" with the lower-case letters that follow it.
void paintPreprocessorWords(QStringView text, FormatCells &cells)
{
    const int size = int(text.size());
    for (int i = 0; i < size;) {
        if (text[i] != QLatin1Char('#')) {
            ++i;
            continue;
        }
        const int start = i++;
        while (i < size && text[i] >= QLatin1Char('a') && text[i] <= QLatin1Char('z'))
            ++i;
        cells.paint(start, i - start, Preprocessor);
    }
}

} // namespace

AnsiCHighlighter::AnsiCHighlighter(QTextDocument *parent)
    : QSyntaxHighlighter(parent)
{
    m_keywordFormat.setForeground(Qt::darkBlue);
    m_keywordFormat.setFontWeight(QFont::Bold);
    m_classFormat.setForeground(Qt::darkMagenta);
    m_classFormat.setFontWeight(QFont::Bold);
    m_singleLineCommentFormat.setForeground(Qt::darkYellow);
    m_multiLineCommentFormat.setForeground(Qt::darkYellow);
    m_quotationFormat.setForeground(Qt::darkGreen);
    m_functionFormat.setForeground(Qt::blue);
    m_functionFormat.setFontItalic(true);
    m_preprocessorFormat.setForeground(Qt::darkRed);
}

AnsiCHighlighter::~AnsiCHighlighter() = default;

void AnsiCHighlighter::highlightBlock(const QString &text)
{
    FormatCells cells(text.size());
    // Function names are painted after comments and quotes, so they are only collected here.
    QVarLengthArray<int, 32> functions;
    forEachWord(text, [&](int start, int length) {
        const QStringView word = QStringView(text).mid(start, length);
        if (const quint8 id = keywords().find(word))
            cells.paint(start, length, id);
        else if (isQtClassName(word))
            cells.paint(start, length, ClassName);
        if (start + length < text.size() && text[start + length] == QLatin1Char('(')) {
            functions.append(start);
            functions.append(length);
        }
    });
    paintFromMarkToEnd(text, u"//", SingleLineComment, cells);
    paintFirstToLast(text, QLatin1Char('"'), QLatin1Char('"'), Quotation, cells);
    for (int i = 0; i < functions.size(); i += 2)
        cells.paint(functions[i], functions[i + 1], Function);
    paintPreprocessorWords(text, cells);
    setCurrentBlockState(
        paintBlockComments(text, previousBlockState() == 1, u"/*", u"*/", MultiLineComment, cells));

    const QTextCharFormat *formats[] = {nullptr,
                                        &m_keywordFormat,
                                        &m_classFormat,
                                        &m_singleLineCommentFormat,
                                        &m_quotationFormat,
                                        &m_functionFormat,
                                        &m_preprocessorFormat,
                                        &m_multiLineCommentFormat};
    cells.forEachRun(
        [&](int start, int length, quint8 id) { setFormat(start, length, *formats[id]); });
}
