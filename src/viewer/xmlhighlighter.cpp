#include "xmlhighlighter.h"

#include "highlightrules_p.h"

using namespace HighlightRules;

namespace {

enum : quint8 { Tag = 1, Attribute, Quotation, Comment, Entity };

// Where a block ends, kept as the block state.
enum State { InText, InComment, InCData, InTag, InDoubleQuoted, InSingleQuoted };

// Names are read generously: whatever is not markup or a blank belongs to a name, so that a
// document in any script gets its names coloured.
bool isNameStart(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || u == u'_' || u == u':'
           || u >= 0x80;
}

bool isNameChar(QChar c)
{
    const char16_t u = c.unicode();
    return isNameStart(c) || (u >= u'0' && u <= u'9') || u == u'-' || u == u'.';
}

int skipName(QStringView text, int i)
{
    while (i < text.size() && isNameChar(text[i]))
        ++i;
    return int(i);
}

class XmlScanner
{
public:
    XmlScanner(QStringView text, int state, FormatCells &cells)
        : m_text(text)
        , m_state(state)
        , m_cells(cells)
    {}

    int scan()
    {
        while (m_pos < m_text.size()) {
            switch (m_state) {
            case InComment:
                scanUntil(u"-->", Comment, Comment, InText);
                break;
            case InCData:
                scanUntil(u"]]>", 0, Tag, InText);
                break;
            case InDoubleQuoted:
                scanUntil(u"\"", Quotation, Quotation, InTag);
                break;
            case InSingleQuoted:
                scanUntil(u"'", Quotation, Quotation, InTag);
                break;
            case InTag:
                scanTag();
                break;
            default:
                scanText();
                break;
            }
        }
        return m_state;
    }

private:
    bool at(QStringView mark) const { return m_text.mid(m_pos).startsWith(mark); }

    void paint(int length, quint8 id)
    {
        m_cells.paint(m_pos, length, id);
        m_pos += length;
    }

    // Paints up to the end mark with the body's id (0 for none) and the mark with its own id;
    // without the mark in this block, the rest of the block is body and the state stays.
    void scanUntil(QStringView mark, quint8 body, quint8 markId, int next)
    {
        const int end = int(m_text.indexOf(mark, m_pos));
        if (end < 0) {
            paint(int(m_text.size()) - m_pos, body);
            return;
        }
        paint(end - m_pos, body);
        paint(int(mark.size()), markId);
        m_state = next;
    }

    void scanText()
    {
        const QChar c = m_text[m_pos];
        if (c == QLatin1Char('&')) {
            const int end = skipName(m_text, m_pos + 1 + (m_text.mid(m_pos + 1).startsWith(u"#")));
            if (end > m_pos + 1 && end < m_text.size() && m_text[end] == QLatin1Char(';'))
                paint(end + 1 - m_pos, Entity);
            else
                ++m_pos;
        } else if (c != QLatin1Char('<')) {
            ++m_pos;
        } else if (at(u"<!--")) {
            paint(4, Comment);
            m_state = InComment;
        } else if (at(u"<![CDATA[")) {
            paint(9, Tag);
            m_state = InCData;
        } else {
            // "<name", "</name", "<?name" and "<!NAME"; a "<" before anything else is text.
            int nameStart = m_pos + 1;
            if (nameStart < m_text.size() && QStringView(u"/?!").contains(m_text[nameStart]))
                ++nameStart;
            if (nameStart < m_text.size() && isNameStart(m_text[nameStart])) {
                paint(skipName(m_text, nameStart) - m_pos, Tag);
                m_state = InTag;
            } else {
                ++m_pos;
            }
        }
    }

    void scanTag()
    {
        const QChar c = m_text[m_pos];
        if (c == QLatin1Char('>')) {
            paint(1, Tag);
            m_state = InText;
        } else if (at(u"/>") || at(u"?>")) {
            paint(2, Tag);
            m_state = InText;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            paint(1, Quotation);
            m_state = c == QLatin1Char('"') ? InDoubleQuoted : InSingleQuoted;
        } else if (c == QLatin1Char('<')) {
            // A tag left open: the new one starts here.
            m_state = InText;
        } else if (isNameStart(c)) {
            paint(skipName(m_text, m_pos) - m_pos, Attribute);
        } else {
            ++m_pos;
        }
    }

    QStringView m_text;
    int m_state;
    FormatCells &m_cells;
    int m_pos = 0;
};

} // namespace

XMLHighlighter::XMLHighlighter(QTextDocument *parent)
    : QSyntaxHighlighter(parent)
{
    m_tagFormat.setForeground(Qt::darkBlue);
    m_attributeFormat.setForeground(Qt::darkRed);
    m_quotationFormat.setForeground(Qt::darkGreen);
    m_commentFormat.setForeground(Qt::darkYellow);
    m_entityFormat.setForeground(Qt::darkMagenta);
}

XMLHighlighter::~XMLHighlighter() = default;

void XMLHighlighter::highlightBlock(const QString &text)
{
    FormatCells cells(text.size());
    const int previous = previousBlockState();
    setCurrentBlockState(XmlScanner(text, previous < 0 ? InText : previous, cells).scan());

    const QTextCharFormat *formats[]
        = {nullptr,          &m_tagFormat,   &m_attributeFormat, &m_quotationFormat,
           &m_commentFormat, &m_entityFormat};
    cells.forEachRun(
        [&](int start, int length, quint8 id) { setFormat(start, length, *formats[id]); });
}
