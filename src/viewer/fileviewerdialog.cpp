#include "fileviewerdialog.h"
#include "ui_fileviewerdialog.h"

#include "ansichighlighter.h"
#include "dbchighlighter.h"
#include "edshighlighter.h"
#include "plchighlighter.h"
#include "xmlhighlighter.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLocale>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTextStream>
#include <QTimer>
#include <QUrl>

namespace {

// Larger files keep the tool busy for a long time and take gigabytes as a text document.
constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

// Resource paths show only the file's base name; file paths show as given.
QString shownName(const QString &path)
{
    if (!path.startsWith(QLatin1Char(':')))
        return path;
    return path.section(QLatin1Char('/'), -1).section(QLatin1Char('.'), 0, 0);
}

} // namespace

FileViewerDialog::FileViewerDialog(const QString &filePath, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::FileViewerDialog)
    , m_filePath(filePath)
{
    ui->setupUi(this);
    setWindowTitle(QLatin1String("File Viewer - ") + shownName(m_filePath));

    loadFile();
    // The dialog is not shown yet, so the wait cursor goes over the whole application while
    // the highlighter makes its first pass over the text. User input waits meanwhile: a click
    // must not reach the tool while this dialog is half made.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    attachHighlighter();
    QApplication::restoreOverrideCursor();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    watchFile();
    createShortcuts();
    ui->frSearchAndButton->hide();

    QScrollBar *bar = ui->txtViewer->verticalScrollBar();
    connect(bar, &QScrollBar::rangeChanged, this, &FileViewerDialog::restoreScrollPosition);
    // Whatever the user does to move the view ends the wait for the old position.
    connect(bar, &QScrollBar::actionTriggered, this, [this] { m_scrollLine = -1; });
    connect(ui->txtViewer, &QTextEdit::cursorPositionChanged, this, [this] { m_scrollLine = -1; });
}

FileViewerDialog::~FileViewerDialog()
{
    delete ui;
}

void FileViewerDialog::setTextSize(double pointSize)
{
    ui->txtViewer->setFontPointSize(pointSize);
    timerElapsed();
}

void FileViewerDialog::loadFile()
{
    const QFileInfo info(m_filePath);
    // Only regular files: a pipe would block the open, a device would never end.
    if (!info.isReadable() || !info.isFile()) {
        ui->txtViewer->setPlainText(tr("Error %1 is not readable.").arg(m_filePath));
        return;
    }
    if (info.size() > MaxFileSize) {
        ui->txtViewer->setPlainText(tooLargeText(info.size()));
        return;
    }
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    ui->txtViewer->setPlainText(stream.readAll());
}

QString FileViewerDialog::tooLargeText(qint64 size) const
{
    const QLocale locale;
    return tr("%1 is too large to be viewed: it holds %2, the viewer takes at most %3.")
        .arg(m_filePath, locale.formattedDataSize(size), locale.formattedDataSize(MaxFileSize));
}

void FileViewerDialog::attachHighlighter()
{
    const QString suffix = QFileInfo(m_filePath).completeSuffix();
    QTextDocument *document = ui->txtViewer->document();
    if (suffix == QLatin1String("c") || suffix == QLatin1String("h"))
        new AnsiCHighlighter(document);
    else if (suffix == QLatin1String("eds") || suffix == QLatin1String("dcf"))
        new EdsHighlighter(document);
    else if (suffix == QLatin1String("txt"))
        new PlcHighlighter(document);
    else if (suffix == QLatin1String("xml"))
        new XMLHighlighter(document);
    else if (suffix == QLatin1String("dbc"))
        new DBCHighlighter(document);
    else
        return;
    // The highlighter makes its first pass from the event loop.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void FileViewerDialog::watchFile()
{
    m_watcher = new QFileSystemWatcher(this);
    connect(m_watcher.data(), &QFileSystemWatcher::fileChanged, this,
            &FileViewerDialog::fileModified);
    connect(m_watcher.data(), &QFileSystemWatcher::directoryChanged, this,
            &FileViewerDialog::fileReappeared);
    if (m_filePath.startsWith(QLatin1Char(':')))
        return; // resources do not change
    if (QFileInfo::exists(m_filePath))
        m_watcher->addPath(m_filePath);
    // The folder tells when a file that was deleted is created again.
    const QFileInfo folder(QFileInfo(m_filePath).absolutePath());
    if (folder.isDir())
        m_watcher->addPath(folder.filePath());
}

void FileViewerDialog::createShortcuts()
{
    const auto add = [this](const QString &keys, void (FileViewerDialog::*slot)()) {
        auto *shortcut = new QShortcut(QKeySequence(keys, QKeySequence::NativeText), ui->txtViewer);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
    };
    add(tr("Ctrl++", "Increase font size"), &FileViewerDialog::on_actionIncreaseFontSize_triggered);
    add(tr("Ctrl+-", "Decrease font size"),
        &FileViewerDialog::on_actionDescreaseFontSize_triggered);
    add(tr("/", "Find dialog"), &FileViewerDialog::on_actionOpenSearchDialog_triggered);
    add(tr("n", "Find next"), &FileViewerDialog::findNext);
    add(tr("b", "Find previous"), &FileViewerDialog::findBackwards);
}

void FileViewerDialog::fileModified(const QString &filePath)
{
    Q_UNUSED(filePath)
    // Every notification gets its own reload, so that a burst of changes never ends with a
    // reload that came too early for the last of them.
    QTimer::singleShot(700, this, &FileViewerDialog::timerElapsed);
    // Editors save by writing a new file and renaming it over the old one; the watcher then
    // drops the path or keeps watching the old file, so the path is watched anew each time.
    if (m_watcher && QFileInfo::exists(m_filePath)) {
        m_watcher->removePath(m_filePath);
        m_watcher->addPath(m_filePath);
    }
}

void FileViewerDialog::fileReappeared()
{
    if (m_watcher && !m_watcher->files().contains(m_filePath) && QFileInfo::exists(m_filePath))
        fileModified(m_filePath);
}

void FileViewerDialog::timerElapsed()
{
    const QFileInfo info(m_filePath);
    if (!info.isFile())
        return;
    if (info.size() > MaxFileSize) {
        showReloadedText(tooLargeText(info.size()));
        return;
    }
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    // Bounded even if the file grows while it is read.
    const QByteArray bytes = file.read(MaxFileSize);
    const auto length = qstrnlen(bytes.constData(), uint(bytes.size()));
    showReloadedText(QString::fromUtf8(bytes.constData(), int(length)));
}

void FileViewerDialog::showReloadedText(const QString &text)
{
    QTextEdit *edit = ui->txtViewer;
    int line = m_scrollLine;
    int offset = m_scrollOffset;
    // Until the last reload's position is reached again, the view shows only how far the
    // layout has got, so a reload that comes before keeps waiting for that position.
    if (line < 0) {
        const int value = edit->verticalScrollBar()->value();
        const QTextBlock top = edit->cursorForPosition(QPoint(0, 0)).block();
        const qreal topY = edit->document()->documentLayout()->blockBoundingRect(top).top();
        line = value > 0 ? top.blockNumber() : -1;
        offset = qMax(0, value - qRound(topY));
    }
    edit->setPlainText(text);
    m_scrollLine = line;
    m_scrollOffset = offset;
    restoreScrollPosition();
}

// Qt lays out a long text in steps and grows the scroll range with them, so the old position
// may be out of range at first; each growth of the range tries again until it is reached.
void FileViewerDialog::restoreScrollPosition()
{
    if (m_scrollLine < 0)
        return;
    QTextDocument *document = ui->txtViewer->document();
    const QTextBlock block
        = document->findBlockByNumber(qMin(m_scrollLine, document->blockCount() - 1));
    const QRectF rect = document->documentLayout()->blockBoundingRect(block);
    const int target
        = qRound(rect.top()) + qMin(m_scrollOffset, qMax(0, qRound(rect.height()) - 1));
    QScrollBar *bar = ui->txtViewer->verticalScrollBar();
    bar->setValue(target);
    if (bar->value() == target)
        m_scrollLine = -1;
}

void FileViewerDialog::changeFontSize(int step)
{
    QFont font = ui->txtViewer->font();
    const int size = font.pointSize() + step;
    // A font set in pixels has no point size; below one point QFont refuses with a warning.
    if (font.pointSize() <= 0 || size <= 0)
        return;
    font.setPointSize(size);
    ui->txtViewer->setFont(font);
}

void FileViewerDialog::on_actionIncreaseFontSize_triggered()
{
    changeFontSize(2);
}

void FileViewerDialog::on_actionDescreaseFontSize_triggered()
{
    changeFontSize(-1);
}

void FileViewerDialog::on_actionOpenSearchDialog_triggered()
{
    ui->frSearchAndButton->show();
    ui->edtSearchLine->setFocus(Qt::OtherFocusReason);
}

void FileViewerDialog::on_edtSearchLine_textChanged(const QString &arg1)
{
    m_searchText = arg1;
    ui->txtViewer->find(m_searchText);
}

void FileViewerDialog::on_edtSearchLine_returnPressed()
{
    ui->frSearchAndButton->hide();
}

void FileViewerDialog::findNext()
{
    ui->txtViewer->find(m_searchText);
}

void FileViewerDialog::findBackwards()
{
    ui->txtViewer->find(m_searchText, QTextDocument::FindBackward);
}

void FileViewerDialog::on_pushButton_clicked()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(m_filePath).absolutePath()));
}
