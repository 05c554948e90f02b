#include "helpviewerdialog.h"
#include "ui_helpviewerdialog.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

namespace {

// Looks where QTextEdit::scrollToAnchor() looks: an anchor just before a heading
// ("<a name=x></a><h2>") names the heading's block, not a fragment of its text.
bool hasAnchor(const QTextDocument *document, const QString &name)
{
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.charFormat().anchorNames().contains(name))
            return true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorNames().contains(name))
                return true;
        }
    }
    return false;
}

} // namespace

HelpViewerDialog::HelpViewerDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::HelpViewerDialog)
{
    ui->setupUi(this);
}

HelpViewerDialog::~HelpViewerDialog()
{
    delete ui;
}

bool HelpViewerDialog::setFile(const QString &fileName)
{
    const QFileInfo file(fileName);
    if (!file.isFile())
        return false;
    // A relative file URL would be resolved against the browser's previous page.
    ui->textBrowser->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    return true;
}

void HelpViewerDialog::setTopic(const QString &topic)
{
    if (topic == QLatin1String("Manual")) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QCoreApplication::applicationDirPath()
                                                      + QLatin1String("/doc/manual_90001_de.pdf")));
        return;
    }
    // QTextEdit scrolls to the top for an anchor it does not know.
    if (hasAnchor(ui->textBrowser->document(), topic))
        ui->textBrowser->scrollToAnchor(topic);
    show();
}

void HelpViewerDialog::setTitle(const QString &title)
{
    setWindowTitle(title);
}

void HelpViewerDialog::setManualFile(const QString &manualFile)
{
    m_manualFile = manualFile;
}

bool HelpViewerDialog::showManual()
{
    if (m_manualFile.isEmpty())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(m_manualFile));
}

void HelpViewerDialog::on_pushButton_clicked()
{
    hide();
}
