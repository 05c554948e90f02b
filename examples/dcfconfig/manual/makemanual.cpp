// makemanual: prints the pages of a Qt help project, in the order of its table of contents, into
// one PDF. The tool's PDF manual is thus made from the same pages as its help, at build time.
//
//   makemanual <project.qhp> <output.pdf>
//
// Exit code 0 when the PDF was written, 1 when a file could not be read or written, 2 for a
// wrong command line.

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QStringList>
#include <QTextDocument>
#include <QUrl>
#include <QXmlStreamReader>

namespace {

QString readText(const QString &path, bool *ok)
{
    QFile file(path);
    *ok = file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

// The pages of the table of contents, each once, in order, and the title of its first section.
bool readProject(const QString &path, QStringList *pages, QString *title)
{
    QFile project(path);
    if (!project.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader xml(&project);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement
            || xml.name() != QLatin1String("section"))
            continue;
        const QString page = xml.attributes()
                                 .value(QLatin1String("ref"))
                                 .toString()
                                 .section(QLatin1Char('#'), 0, 0);
        if (title->isEmpty())
            *title = xml.attributes().value(QLatin1String("title")).toString();
        if (!page.isEmpty() && !pages->contains(page))
            pages->append(page);
    }
    return !xml.hasError() && !pages->isEmpty();
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        qWarning("usage: makemanual <project.qhp> <output.pdf>");
        return 2;
    }
    const QString folder = QFileInfo(arguments.at(1)).absolutePath() + QLatin1Char('/');
    QStringList pages;
    QString title;
    if (!readProject(arguments.at(1), &pages, &title)) {
        qWarning("makemanual: %s has no readable table of contents", qPrintable(arguments.at(1)));
        return 1;
    }

    // One document: each page's body, every page after the first on a new sheet.
    static const QRegularExpression body(QStringLiteral("<body[^>]*>(.*)</body>"),
                                         QRegularExpression::DotMatchesEverythingOption
                                             | QRegularExpression::CaseInsensitiveOption);
    QString html;
    for (const QString &page : qAsConst(pages)) {
        bool ok = false;
        const QString text = readText(folder + page, &ok);
        if (!ok) {
            qWarning("makemanual: cannot read %s", qPrintable(folder + page));
            return 1;
        }
        html += html.isEmpty() ? QStringLiteral("<div>")
                               : QStringLiteral("<div style=\"page-break-before: always\">");
        html += body.match(text).captured(1) + QLatin1String("</div>");
    }

    QTextDocument document;
    bool ok = false;
    document.setDefaultStyleSheet(readText(folder + QLatin1String("style.css"), &ok));
    // Images are found relative to the pages.
    document.setMetaInformation(QTextDocument::DocumentUrl,
                                QUrl::fromLocalFile(folder + pages.constFirst()).toString());
    document.setHtml(html);

    QPdfWriter pdf(arguments.at(2));
    pdf.setTitle(title);
    pdf.setCreator(QStringLiteral("makemanual"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
    document.print(&pdf);
    if (!QFileInfo(arguments.at(2)).size()) {
        qWarning("makemanual: cannot write %s", qPrintable(arguments.at(2)));
        return 1;
    }
    return 0;
}
