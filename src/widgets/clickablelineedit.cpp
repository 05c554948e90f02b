#include "clickablelineedit.h"

#include <QMouseEvent>

ClickableLineEdit::ClickableLineEdit(QWidget *parent)
    : QLineEdit(parent)
{}

ClickableLineEdit::~ClickableLineEdit() = default;

void ClickableLineEdit::setLinkText(const QString &toolTip, const QString &link)
{
    setToolTip(toolTip);
    if (link.isEmpty())
        unsetCursor();
    else
        setCursor(Qt::PointingHandCursor);
    m_link = link;
}

QString ClickableLineEdit::link() const
{
    return m_link;
}

void ClickableLineEdit::clear()
{
    m_link.clear();
    unsetCursor();
    QLineEdit::clear();
}

void ClickableLineEdit::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    QLineEdit::mousePressEvent(event);
}

void ClickableLineEdit::mouseReleaseEvent(QMouseEvent *event)
{
    // The release is the click even when the mouse has left the field since the press: the
    // field only ever shows one link, so there is nothing else the user could have meant.
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        emit clicked(m_link);
    }
    QLineEdit::mouseReleaseEvent(event);
}
