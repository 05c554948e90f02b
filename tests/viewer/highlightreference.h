#pragma once

// The highlighting rules as regular expressions, applied the plain way: each rule over the whole
// block in order, the later rule winning, then the multi-line comment pass. The library's
// highlighters scan by hand; the tests and the fuzzer hold them to this, character by character.

#include <ZezuzuDOD/ansichighlighter.h>
#include <ZezuzuDOD/dbchighlighter.h>
#include <ZezuzuDOD/edshighlighter.h>
#include <ZezuzuDOD/plchighlighter.h>

#include <QtGui>

namespace HighlightReference {

enum class Language { AnsiC, Eds, Dbc, Plc };
constexpr Language Languages[] = {Language::AnsiC, Language::Eds, Language::Dbc, Language::Plc};

// The rules of one language, compiled once and shared by every highlighter of that language.
struct RuleSet
{
    explicit RuleSet(Language language)
    {
        const char *quote = "\".*\"";
        switch (language) {
        case Language::AnsiC:
            add(words("char class const double enum explicit friend inline int long namespace "
                      "operator private protected public short signals signed slots static struct "
                      "template typedef typename union unsigned virtual void volatile"),
                Qt::darkBlue, QFont::Bold);
            add({"\\bQ[A-Za-z]+\\b"}, Qt::darkMagenta, QFont::Bold);
            add({"//[^\n]*"}, Qt::darkYellow);
            add({quote}, Qt::darkGreen);
            add({"\\b[A-Za-z0-9_]+(?=\\()"}, Qt::blue, -1, true);
            add({"#[a-z]*"}, Qt::darkRed);
            commentMarks = {"/\\*", "\\*/"};
            break;
        case Language::Eds:
            add(words("SupportedObjects ParameterName ObjectType DataType AccessType DefaultValue "
                      "PDOMapping SubNumber LowLimit HighLimit ObjFlags"),
                Qt::darkBlue, QFont::Normal);
            add(words("Denotation ParameterValue"), Qt::darkRed, QFont::Bold);
            add({";[^\n]*"}, Qt::darkYellow);
            add({quote}, Qt::darkGreen);
            add({"\\[.*\\]"}, Qt::red);
            break;
        case Language::Dbc:
            add({quote}, Qt::darkGreen);
            add(words("NS_ BS_ BU_ BO_ SG_ CM_ Brot BA_ BA_DEF_ BA_DEF_DEF_"), Qt::darkBlue,
                QFont::Normal);
            add(words("SPN J1939PG PGN"), Qt::darkRed, QFont::Bold);
            add({"^#.*"}, Qt::darkYellow);
            break;
        case Language::Plc:
            add(words("VAR_EXTERNAL END_VAR"), Qt::black, QFont::Bold);
            add(words("BYTE WORD DWORD SINT INT DINT USINT UINT UDINT REAL LREAL STRING"),
                Qt::darkRed, QFont::Bold);
            commentMarks = {"\\(\\*", "\\*\\)"};
            break;
        }
        commentStart.setPattern(QString::fromLatin1(commentMarks.first));
        commentEnd.setPattern(QString::fromLatin1(commentMarks.second));
        commentFormat.setForeground(Qt::darkYellow);
    }

    static QList<QByteArray> words(const char *list)
    {
        QList<QByteArray> patterns = QByteArray(list).split(' ');
        for (QByteArray &pattern : patterns)
            pattern = "\\b" + pattern + "\\b";
        return patterns;
    }

    void add(const QList<QByteArray> &patterns, Qt::GlobalColor colour, int weight = -1,
             bool italic = false)
    {
        QTextCharFormat format;
        format.setForeground(colour);
        if (weight >= 0)
            format.setFontWeight(weight);
        if (italic)
            format.setFontItalic(true);
        for (const QByteArray &pattern : patterns)
            rules.append({QRegularExpression(QString::fromLatin1(pattern)), format});
    }

    QVector<QPair<QRegularExpression, QTextCharFormat>> rules;
    QPair<const char *, const char *> commentMarks{"", ""};
    QRegularExpression commentStart;
    QRegularExpression commentEnd;
    QTextCharFormat commentFormat;
};

class RuleHighlighter : public QSyntaxHighlighter
{
public:
    RuleHighlighter(Language language, QTextDocument *document)
        : QSyntaxHighlighter(document)
        , m_set(ruleSet(language))
    {}

    static const RuleSet &ruleSet(Language language)
    {
        static const RuleSet sets[] = {RuleSet(Language::AnsiC), RuleSet(Language::Eds),
                                       RuleSet(Language::Dbc), RuleSet(Language::Plc)};
        return sets[int(language)];
    }

protected:
    void highlightBlock(const QString &text) override
    {
        for (const auto &rule : m_set.rules) {
            QRegularExpressionMatchIterator it = rule.first.globalMatch(text);
            while (it.hasNext()) {
                const QRegularExpressionMatch match = it.next();
                setFormat(match.capturedStart(), match.capturedLength(), rule.second);
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
    if (language == Language::AnsiC)
        return new AnsiCHighlighter(document);
    if (language == Language::Eds)
        return new EdsHighlighter(document);
    if (language == Language::Dbc)
        return new DBCHighlighter(document);
    return new PlcHighlighter(document);
}

/** What a reader sees of each character of the block: colour, weight, italics ("" if plain). */
inline QStringList styles(const QTextBlock &block)
{
    const QMetaEnum colours = QMetaEnum::fromType<Qt::GlobalColor>();
    QStringList result;
    for (int i = 0; i < block.length() - 1; ++i)
        result << QString();
    const auto ranges = block.layout()->formats();
    for (const QTextLayout::FormatRange &range : ranges) {
        const QTextCharFormat &format = range.format;
        QString style = format.foreground().color().name();
        // color0 and color1 are bitmap values that compare equal to white and black.
        for (int i = 0; i < colours.keyCount(); ++i) {
            if (qstrncmp(colours.key(i), "color", 5)
                && QColor(Qt::GlobalColor(colours.value(i))) == format.foreground().color())
                style = QLatin1String(colours.key(i));
        }
        if (format.fontWeight() != QFont::Normal)
            style += QStringLiteral(" weight %1").arg(format.fontWeight());
        if (format.fontItalic())
            style += QStringLiteral(" italic");
        for (int i = range.start; i < range.start + range.length && i < result.size(); ++i)
            result[i] = style;
    }
    return result;
}

/** Empty when the library's highlighter colours the text exactly as the rule pass does, and
 *  gives the same block states; otherwise where and how they first differ. */
inline QString differenceFromReference(Language language, const QString &text)
{
    QTextDocument fastDocument;
    QTextDocument referenceDocument;
    fastDocument.setPlainText(text);
    referenceDocument.setPlainText(text);
    createFast(language, &fastDocument)->rehighlight();
    (new RuleHighlighter(language, &referenceDocument))->rehighlight();

    QTextBlock fast = fastDocument.begin();
    for (QTextBlock reference = referenceDocument.begin(); reference.isValid();
         reference = reference.next(), fast = fast.next()) {
        const QStringList got = QStringList(QString::number(fast.userState())) + styles(fast);
        const QStringList expected
            = QStringList(QString::number(reference.userState())) + styles(reference);
        for (int i = 0; i < expected.size(); ++i) {
            if (got[i] != expected[i])
                return QStringLiteral("line %1 \"%2\", %3: \"%4\", expected \"%5\"")
                    .arg(reference.blockNumber() + 1)
                    .arg(reference.text(),
                         i ? QStringLiteral("column %1").arg(i) : QStringLiteral("block state"),
                         got[i], expected[i]);
        }
    }
    return QString();
}

} // namespace HighlightReference
