#include "highlightreference.h"

#include "testutil.h"

#include <ZezuzuDOD/fileviewerdialog.h>

#include <QtTest>
#include <QtWidgets>

using namespace HighlightReference;

Q_DECLARE_METATYPE(HighlightReference::Language)

namespace {

// Lines made of what the rules react to, in any order: keywords of every language, quotes,
// comment marks of every kind, brackets, parentheses, semicolons, words that almost are keywords
// and letters beyond ASCII next to keywords.
QString generatedLines(quint32 seed, int lines)
{
    static const QStringList pieces
        = qs("int|void|QString|QA1|Q|main|f(|(|)|\"|\"|//|/*|*/|(*|*)|*|/|;|[|]|#|#include|#Define|"
             "ParameterName|ParameterValue|Denotation|DataType|BO_|SG_|BA_DEF_|BA_DEF_DEF_|SPN|"
             "J1939PG|VAR_EXTERNAL|END_VAR|INT|UINT|STRING|var_external|_int|int2|é|ß|x|=|0x1A|{|}|"
             "\t")
              .split(QLatin1Char('|'));
    QRandomGenerator random(seed);
    QStringList result;
    for (int line = 0; line < lines; ++line) {
        QString text;
        const int count = random.bounded(12);
        for (int i = 0; i < count; ++i) {
            if (random.bounded(3) == 0)
                text += QLatin1Char(' ');
            text += pieces.at(random.bounded(pieces.size()));
        }
        result << text;
    }
    return result.join(QLatin1Char('\n'));
}

QString dataPath(const QString &relative)
{
    return QStringLiteral(VIEWER_TEST_DATA "/") + relative;
}

// One line per block: its state, its coloured runs, its text.
QString dump(const QTextDocument &document)
{
    QString result;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QStringList chars = styles(block);
        QStringList runs;
        for (int start = 0, end = 0; start < chars.size(); start = end) {
            while (end < chars.size() && chars[end] == chars[start])
                ++end;
            if (!chars[start].isEmpty())
                runs << QStringLiteral("%1-%2 %3").arg(start).arg(end - 1).arg(chars[start]);
        }
        result += QStringLiteral("%1 | %2 | %3\n")
                      .arg(block.userState())
                      .arg(runs.join(QStringLiteral("; ")), block.text());
    }
    return result;
}

} // namespace

class TestHighlighters : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The samples, which hold a line for each interaction of the rules that a reader of a
    // highlighter must know, then generated lines, which reach the finer points of words, marks
    // and brackets.
    void sameAsReference_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("text");
        const auto sample = [](Language language, const char *name) {
            QTest::newRow(name) << language
                                << QString::fromUtf8(readFile(dataPath(qs("input/") + qs(name))));
        };
        sample(Language::AnsiC, "sample.c");
        sample(Language::Eds, "sample.eds");
        sample(Language::Dbc, "sample.dbc");
        sample(Language::Plc, "sample.txt");
        for (const Language language : Languages) {
            for (quint32 seed = 1; seed <= 4; ++seed) {
                QTest::addRow("generated: language %d, seed %u", int(language), seed)
                    << language << generatedLines(seed, 1500);
            }
        }
    }

    void sameAsReference()
    {
        QFETCH(Language, language);
        QFETCH(QString, text);
        const QString difference = differenceFromReference(language, text);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    // Each sample is opened in the viewer, which picks the highlighter by the suffix; the runs
    // must be there when the constructor returns. ZEZUZUDOD_UPDATE_REFERENCES=1 writes them
    // as the new references instead (update-references.sh).
    void goldenFiles_data()
    {
        QTest::addColumn<QString>("name");
        const QStringList names = QDir(dataPath(QStringLiteral("input"))).entryList(QDir::Files);
        for (const QString &name : names)
            QTest::newRow(qPrintable(name)) << name;
    }

    void goldenFiles()
    {
        QFETCH(QString, name);
        FileViewerDialog dialog(dataPath(QStringLiteral("input/") + name));
        const QString runs = dump(*dialog.findChild<QTextEdit *>()->document());
        QFile reference(dataPath(QStringLiteral("reference/") + name + QStringLiteral(".ref")));
        if (qEnvironmentVariableIsSet("ZEZUZUDOD_UPDATE_REFERENCES")) {
            QVERIFY(reference.open(QIODevice::WriteOnly | QIODevice::Text));
            reference.write(runs.toUtf8());
            return;
        }
        QVERIFY2(reference.open(QIODevice::ReadOnly | QIODevice::Text),
                 qPrintable(reference.fileName()));
        QCOMPARE(runs.split(QLatin1Char('\n')),
                 QString::fromUtf8(reference.readAll()).split(QLatin1Char('\n')));
    }
};

QTEST_MAIN(TestHighlighters)
#include "tst_highlighters.moc"

// Not covered: a block with an unpaired surrogate, which UTF-8 decoding never produces; the
// expressions refuse such a block as a whole.
