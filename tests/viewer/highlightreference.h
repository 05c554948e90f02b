#pragma once

// The highlighting rules as regular expressions, applied the plain way: each rule over the whole
// block in order, the later rule winning, then the multi-line comment pass. The library's
// highlighters scan by hand; the tests and the fuzzer hold them to this, character by character.

#include <ZezuzuDOD/ansichighlighter.h>
#include <ZezuzuDOD/dbchighlighter.h>
#include <ZezuzuDOD/edshighlighter.h>
#include <ZezuzuDOD/plchighlighter.h>

#include <QAbstractTextDocumentLayout>
#include <QRegularExpression>
#include <QStringList>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QVector>

#include <memory>

namespace HighlightReference {

enum class Language { AnsiC, Eds, Dbc, Plc };
constexpr Language Languages[] = {Language::AnsiC, Language::Eds, Language::Dbc, Language::Plc};

// The rules of one language, compiled once and shared by every highlighter of that language.
struct RuleSet
{
    struct Rule
    {
        QRegularExpression pattern;
        QTextCharFormat format;
    };

    explicit RuleSet(Language language)
    {
        const QString quote = QStringLiteral("\".*\"");
        switch (language) {
        case Language::AnsiC:
            add(words({"char",    "class",     "const",   "double",   "enum",      "explicit",
                       "friend",  "inline",    "int",     "long",     "namespace", "operator",
                       "private", "protected", "public",  "short",    "signals",   "signed",
                       "slots",   "static",    "struct",  "template", "typedef",   "typename",
                       "union",   "unsigned",  "virtual", "void",     "volatile"}),
                Qt::darkBlue, QFont::Bold);
            add({QStringLiteral("\\bQ[A-Za-z]+\\b")}, Qt::darkMagenta, QFont::Bold);
            add({QStringLiteral("//[^\n]*")}, Qt::darkYellow);
            add({quote}, Qt::darkGreen);
            add({QStringLiteral("\\b[A-Za-z0-9_]+(?=\\()")}, Qt::blue, -1, true);
            add({QStringLiteral("#[a-z]*")}, Qt::darkRed);
            setComments(QStringLiteral("/\\*"), QStringLiteral("\\*/"));
            break;
        case Language::Eds:
            add(words({"SupportedObjects", "ParameterName", "ObjectType", "DataType", "AccessType",
                       "DefaultValue", "PDOMapping", "SubNumber", "LowLimit", "HighLimit",
                       "ObjFlags"}),
                Qt::darkBlue, QFont::Normal);
            add(words({"Denotation", "ParameterValue"}), Qt::darkRed, QFont::Bold);
            add({QStringLiteral(";[^\n]*")}, Qt::darkYellow);
            add({quote}, Qt::darkGreen);
            add({QStringLiteral("\\[.*\\]")}, Qt::red);
            break;
        case Language::Dbc:
            add({quote}, Qt::darkGreen);
            add(words({"NS_", "BS_", "BU_", "BO_", "SG_", "CM_", "Brot", "BA_", "BA_DEF_",
                       "BA_DEF_DEF_"}),
                Qt::darkBlue, QFont::Normal);
            add(words({"SPN", "J1939PG", "PGN"}), Qt::darkRed, QFont::Bold);
            add({QStringLiteral("^#.*")}, Qt::darkYellow);
            break;
        case Language::Plc:
            add(words({"VAR_EXTERNAL", "END_VAR"}), Qt::black, QFont::Bold);
            add(words({"BYTE", "WORD", "DWORD", "SINT", "INT", "DINT", "USINT", "UINT", "UDINT",
                       "REAL", "LREAL", "STRING"}),
                Qt::darkRed, QFont::Bold);
            setComments(QStringLiteral("\\(\\*"), QStringLiteral("\\*\\)"));
            break;
        }
    }

    static QStringList words(std::initializer_list<const char *> list)
    {
        QStringList patterns;
        for (const char *word : list)
            patterns << QStringLiteral("\\b%1\\b").arg(QLatin1String(word));
        return patterns;
    }

    void add(const QStringList &patterns, Qt::GlobalColor colour, int weight = -1,
             bool italic = false)
    {
        QTextCharFormat format;
        format.setForeground(colour);
        if (weight >= 0)
            format.setFontWeight(weight);
        if (italic)
            format.setFontItalic(true);
        for (const QString &pattern : patterns)
            rules.append({QRegularExpression(pattern), format});
    }

    void setComments(const QString &start, const QString &end)
    {
        commentStart.setPattern(start);
        commentEnd.setPattern(end);
        commentFormat.setForeground(Qt::darkYellow);
    }

    QVector<Rule> rules;
    QRegularExpression commentStart;
    QRegularExpression commentEnd;
    QTextCharFormat commentFormat;
};

inline const RuleSet &ruleSet(Language language)
{
    static const RuleSet sets[] = {RuleSet(Language::AnsiC), RuleSet(Language::Eds),
                                   RuleSet(Language::Dbc), RuleSet(Language::Plc)};
    return sets[int(language)];
}

class RuleHighlighter : public QSyntaxHighlighter
{
public:
    RuleHighlighter(Language language, QTextDocument *document)
        : QSyntaxHighlighter(document)
        , m_set(ruleSet(language))
    {}

protected:
    void highlightBlock(const QString &text) override
    {
        for (const RuleSet::Rule &rule : m_set.rules) {
            QRegularExpressionMatchIterator it = rule.pattern.globalMatch(text);
            while (it.hasNext()) {
                const QRegularExpressionMatch match = it.next();
                setFormat(match.capturedStart(), match.capturedLength(), rule.format);
            }
        }
        if (m_set.commentStart.pattern().isEmpty())
            return;
        setCurrentBlockState(0);
        int start = previousBlockState() == 1 ? 0 : text.indexOf(m_set.commentStart);
        while (start >= 0) {
            const QRegularExpressionMatch end = m_set.commentEnd.match(text, start);
            int length = text.length() - start;
            if (end.hasMatch())
                length = end.capturedStart() - start + end.capturedLength();
            else
                setCurrentBlockState(1);
            setFormat(start, length, m_set.commentFormat);
            start = text.indexOf(m_set.commentStart, start + length);
        }
    }

private:
    const RuleSet &m_set;
};

inline QSyntaxHighlighter *createFast(Language language, QTextDocument *document)
{
    switch (language) {
    case Language::AnsiC:
        return new AnsiCHighlighter(document);
    case Language::Eds:
        return new EdsHighlighter(document);
    case Language::Dbc:
        return new DBCHighlighter(document);
    case Language::Plc:
        break;
    }
    return new PlcHighlighter(document);
}

/** What a reader sees of one character's format. */
struct Style
{
    QColor colour; // invalid without a foreground
    int weight = QFont::Normal;
    bool italic = false;

    bool operator==(const Style &other) const
    {
        return colour == other.colour && weight == other.weight && italic == other.italic;
    }
};

inline QVector<Style> styles(const QTextBlock &block)
{
    QVector<Style> result(block.length() - 1);
    const auto ranges = block.layout()->formats();
    for (const QTextLayout::FormatRange &range : ranges) {
        Style style;
        if (range.format.hasProperty(QTextFormat::ForegroundBrush))
            style.colour = range.format.foreground().color();
        style.weight = range.format.fontWeight();
        style.italic = range.format.fontItalic();
        for (int i = range.start; i < range.start + range.length && i < result.size(); ++i)
            result[i] = style;
    }
    return result;
}

inline QString describe(const Style &style)
{
    return QStringLiteral("%1 weight %2%3")
        .arg(style.colour.isValid() ? style.colour.name() : QStringLiteral("none"))
        .arg(style.weight)
        .arg(style.italic ? QStringLiteral(" italic") : QString());
}

// Formats live in the blocks' own layouts; laying the text out for a screen would only cost time.
class NoLayout : public QAbstractTextDocumentLayout
{
public:
    using QAbstractTextDocumentLayout::QAbstractTextDocumentLayout;
    void draw(QPainter *, const PaintContext &) override {}
    int hitTest(const QPointF &, Qt::HitTestAccuracy) const override { return -1; }
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override { return {}; }
    QRectF frameBoundingRect(QTextFrame *) const override { return {}; }
    QRectF blockBoundingRect(const QTextBlock &) const override { return {}; }

protected:
    void documentChanged(int, int, int) override {}
};

/** Empty when the library's highlighter colours the text exactly as the rule pass does, and
 *  gives the same block states; otherwise where and how they first differ. */
inline QString differenceFromReference(Language language, const QString &text)
{
    QTextDocument fastDocument;
    QTextDocument referenceDocument;
    for (QTextDocument *document : {&fastDocument, &referenceDocument}) {
        document->setDocumentLayout(new NoLayout(document));
        document->setPlainText(text);
    }
    createFast(language, &fastDocument)->rehighlight();
    (new RuleHighlighter(language, &referenceDocument))->rehighlight();

    QTextBlock fast = fastDocument.begin();
    for (QTextBlock reference = referenceDocument.begin(); reference.isValid();
         reference = reference.next(), fast = fast.next()) {
        const QString where = QStringLiteral("line %1 \"%2\": ")
                                  .arg(reference.blockNumber() + 1)
                                  .arg(reference.text());
        if (fast.userState() != reference.userState())
            return where
                   + QStringLiteral("state %1, expected %2")
                         .arg(fast.userState())
                         .arg(reference.userState());
        const QVector<Style> got = styles(fast);
        const QVector<Style> expected = styles(reference);
        for (int i = 0; i < expected.size(); ++i) {
            if (!(got[i] == expected[i]))
                return where
                       + QStringLiteral("column %1: %2, expected %3")
                             .arg(i + 1)
                             .arg(describe(got[i]), describe(expected[i]));
        }
    }
    return QString();
}

} // namespace HighlightReference
