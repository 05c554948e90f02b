#include "messageboxcloser.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

MessageBoxCloser::MessageBoxCloser(QMessageBox::StandardButton button, QObject *parent)
    : QObject(parent)
    , m_button(button)
{
    QTimer::singleShot(0, this, &MessageBoxCloser::poll);
}

void MessageBoxCloser::poll()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) {
        QTimer::singleShot(0, this, &MessageBoxCloser::poll);
        return;
    }
    m_title = box->windowTitle();
    m_text = box->text();
    m_informativeText = box->informativeText();
    m_icon = box->icon();
    m_geometry = box->geometry();
    const auto buttons = box->buttons();
    for (QAbstractButton *b : buttons)
        m_buttonTexts << b->text();
    QAbstractButton *target = m_button == QMessageBox::NoButton ? nullptr : box->button(m_button);
    if (!target && !buttons.isEmpty())
        target = buttons.first();
    m_closed = true;
    if (target)
        target->click();
    else
        box->done(0);
}
