#include "customlineedit.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

CustomLineEdit::CustomLineEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setDragEnabled(true);
    setAcceptDrops(true);
}

CustomLineEdit::~CustomLineEdit() = default;

void CustomLineEdit::addAcceptedSuffix(const QString &suffix)
{
    m_acceptedSuffixes.append(suffix);
}

QStringList CustomLineEdit::acceptedSuffixes() const
{
    return m_acceptedSuffixes;
}

void CustomLineEdit::setInvokeReturnPressed(bool invoke)
{
    m_invokeReturnPressed = invoke;
}

bool CustomLineEdit::invokeReturnPressed() const
{
    return m_invokeReturnPressed;
}

QString CustomLineEdit::acceptedFile(const QMimeData *mimeData) const
{
    if (!mimeData || !mimeData->hasUrls())
        return QString();
    const QList<QUrl> urls = mimeData->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return QString();
    const QFileInfo file(urls.first().toLocalFile());
    if (!m_acceptedSuffixes.contains(file.suffix(), Qt::CaseSensitive))
        return QString();
    return file.absoluteFilePath();
}

// None of the handlers passes the event on to QLineEdit: its own handlers would take dragged
// text, and this field only takes files.
void CustomLineEdit::dragEnterEvent(QDragEnterEvent *event)
{
    if (!acceptedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CustomLineEdit::dragMoveEvent(QDragMoveEvent *event)
{
    if (!acceptedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CustomLineEdit::dropEvent(QDropEvent *event)
{
    const QString path = acceptedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    setText(path);
    if (m_invokeReturnPressed)
        emit returnPressed();
}
