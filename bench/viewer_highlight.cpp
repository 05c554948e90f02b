// The first highlighting pass over a large device file and a large C source, against
// KSyntaxHighlighting's INI and C definitions on the same text, with the floor (a highlighter
// that colours nothing) and the plain regular-expression rule pass for comparison; then opening
// the viewer on the device file against putting the same file into a bare QTextEdit.

#include "highlightreference.h"

#include <ZezuzuDOD/ansichighlighter.h>
#include <ZezuzuDOD/edshighlighter.h>
#include <ZezuzuDOD/fileviewerdialog.h>

#include <KSyntaxHighlighting/Definition>
#include <KSyntaxHighlighting/Repository>
#include <KSyntaxHighlighting/SyntaxHighlighter>
#include <KSyntaxHighlighting/Theme>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextEdit>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 7;

QString lines(const QStringList &list, int count)
{
    return list.mid(0, count).join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString edsText(int count)
{
    QStringList out{QStringLiteral("[FileInfo]"), QStringLiteral("FileName=bench.eds"),
                    QStringLiteral("Description=\"generated\" ; for the benchmark"), QString()};
    for (int object = 0; out.size() < count; ++object) {
        const QString index = QString::number(0x2000 + object, 16).toUpper();
        out << QLatin1Char('[') + index + QLatin1Char(']')
            << QStringLiteral("ParameterName=Object %1").arg(object)
            << QStringLiteral("ObjectType=0x9") << QStringLiteral("SubNumber=4") << QString();
        for (int sub = 0; sub < 4; ++sub) {
            out << QStringLiteral("[%1sub%2]").arg(index).arg(sub)
                << QStringLiteral("ParameterName=Entry %1").arg(sub)
                << QStringLiteral("ObjectType=0x7") << QStringLiteral("DataType=0x0007")
                << QStringLiteral("AccessType=rw") << QStringLiteral("DefaultValue=0x00000000")
                << QStringLiteral("LowLimit=0x0") << QStringLiteral("HighLimit=0xFFFFFFFF")
                << QStringLiteral("PDOMapping=1") << QStringLiteral("ParameterValue=0x12345678")
                << QStringLiteral("Denotation=\"Channel %1\" ; set by the tool").arg(sub)
                << QString();
        }
    }
    return lines(out, count);
}

QString cText(int count)
{
    QStringList out;
    for (int n = 0; out.size() < count; ++n) {
        const QString function = QStringLiteral("convert_%1").arg(n);
        out << QStringLiteral("/* Converts the raw value of channel %1.").arg(n)
            << QStringLiteral(" * Returns -1 when the channel is out of range. */")
            << QStringLiteral("static int %1(const unsigned char *data, int length)").arg(function)
            << QStringLiteral("{") << QStringLiteral("    int value = 0; // accumulated")
            << QStringLiteral("    for (int i = 0; i < length; ++i)")
            << QStringLiteral("        value = (value << 8) | data[i];")
            << QStringLiteral("    if (length > 4)")
            << QStringLiteral("        printf(\"channel %d: \\\"%s\\\"\\n\", %1, \"too long\");")
                   .arg(n)
            << QStringLiteral("#ifdef DEBUG")
            << QStringLiteral("    QString text = QString::number(value);")
            << QStringLiteral("#endif") << QStringLiteral("    return value;")
            << QStringLiteral("}") << QString();
    }
    return lines(out, count);
}

class Floor : public QSyntaxHighlighter
{
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

protected:
    void highlightBlock(const QString &) override {}
};

// The best run of each job, in milliseconds; each run measures itself. The jobs take turns, so
// that a busy spell of the machine does not fall on one of them alone.
std::vector<double> bestOf(const std::vector<std::function<double()>> &jobs)
{
    std::vector<double> best(jobs.size(), 1e300);
    for (int run = 0; run < Runs; ++run) {
        for (size_t i = 0; i < jobs.size(); ++i)
            best[i] = std::min(best[i], jobs[i]());
    }
    return best;
}

double msSince(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// From attaching the highlighter to the end of its first pass, which it makes from the event loop.
std::function<double()> firstPass(const QString &text,
                                  const std::function<void(QTextDocument *)> &attach)
{
    return [&text, attach] {
        QTextDocument document;
        document.setPlainText(text);
        QElapsedTimer timer;
        timer.start();
        attach(&document);
        QCoreApplication::processEvents();
        return msSince(timer);
    };
}

void compareFirstPass(const char *what, const QString &text,
                      const KSyntaxHighlighting::Definition &definition,
                      const KSyntaxHighlighting::Theme &theme,
                      const std::function<void(QTextDocument *)> &attachOurs,
                      HighlightReference::Language language)
{
    using KSyntaxHighlighting::SyntaxHighlighter;
    const std::vector<double> ms = bestOf({
        firstPass(text, attachOurs),
        firstPass(text,
                  [=](QTextDocument *d) { new HighlightReference::RuleHighlighter(language, d); }),
        firstPass(text, [](QTextDocument *d) { new Floor(d); }),
        firstPass(text,
                  [&](QTextDocument *d) {
                      // Made on the document as its parent, attached once it has its definition.
                      auto *highlighter = new SyntaxHighlighter(static_cast<QObject *>(d));
                      highlighter->setTheme(theme);
                      highlighter->setDefinition(definition);
                      highlighter->setDocument(d);
                  }),
    });
    const double ours = ms[0], rules = ms[1], floor = ms[2], baseline = ms[3];
    std::printf("%s: %d lines, %.1f MB\n", what, text.count(QLatin1Char('\n')),
                text.size() * 2 / 1e6);
    std::printf("  first pass, ours:                         %7.1f ms\n", ours);
    std::printf("  first pass, rule pass of expressions:     %7.1f ms\n", rules);
    std::printf("  first pass, KSyntaxHighlighting %-9s %7.1f ms\n",
                qPrintable(definition.name() + QLatin1Char(':')), baseline);
    std::printf("  floor, a highlighter that colours nothing: %6.1f ms\n", floor);
    std::printf("ratio = ours / KSyntaxHighlighting (%s) = %.2f (goal <= 0.5)\n",
                qPrintable(definition.name()), ours / baseline);
    std::printf("ratio = floor / KSyntaxHighlighting (%s) = %.2f\n", qPrintable(definition.name()),
                floor / baseline);
    std::printf("ratio = ours / rule pass = %.2f\n", ours / rules);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    KSyntaxHighlighting::Repository repository;
    const auto theme = repository.defaultTheme(KSyntaxHighlighting::Repository::LightTheme);
    const auto ini = repository.definitionForName(QStringLiteral("INI Files"));
    const auto c = repository.definitionForName(QStringLiteral("C"));
    if (!ini.isValid() || !c.isValid())
        qFatal("KSyntaxHighlighting has no INI or C definition");

    const QString eds = edsText(135000);
    compareFirstPass(
        "EDS", eds, ini, theme, [](QTextDocument *d) { new EdsHighlighter(d); },
        HighlightReference::Language::Eds);
    compareFirstPass(
        "C", cText(100000), c, theme, [](QTextDocument *d) { new AnsiCHighlighter(d); },
        HighlightReference::Language::AnsiC);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.eds"));
    QFile file(path);
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly) || file.write(eds.toUtf8()) < 0)
        qFatal("cannot write %s", qPrintable(path));
    file.close();
    const std::vector<double> ms = bestOf({
        [&] {
            QElapsedTimer timer;
            timer.start();
            FileViewerDialog dialog(path);
            return msSince(timer);
        },
        [&] {
            QTextEdit edit;
            QElapsedTimer timer;
            timer.start();
            QFile in(path);
            if (!in.open(QIODevice::ReadOnly | QIODevice::Text))
                qFatal("cannot read %s", qPrintable(path));
            edit.setText(QString::fromUtf8(in.readAll()));
            return msSince(timer);
        },
    });
    const double viewer = ms[0], setText = ms[1];
    std::printf("open the viewer on the EDS file, first pass done: %7.1f ms\n", viewer);
    std::printf("bare QTextEdit: read the file, setText:           %7.1f ms\n", setText);
    std::printf("ratio = viewer / bare setText = %.2f\n", viewer / setText);
    return 0;
}
