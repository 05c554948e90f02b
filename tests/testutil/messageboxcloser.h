#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

/** Closes the next message box that becomes the active modal widget, as a user would: it
 *  records the box's texts and geometry and clicks one of its buttons. Arm it before the call
 *  that runs the box; it checks again on every pass of the event loop until a box is there,
 *  so it never closes anything by a timeout. */
class MessageBoxCloser : public QObject
{
    Q_OBJECT
public:
    /** Clicks the button with this standard value, or, with NoButton, the box's first button. */
    explicit MessageBoxCloser(QMessageBox::StandardButton button = QMessageBox::NoButton,
                              QObject *parent = nullptr);

    bool closed() const { return m_closed; }
    QString title() const { return m_title; }
    QString text() const { return m_text; }
    QString informativeText() const { return m_informativeText; }
    QMessageBox::Icon icon() const { return m_icon; }
    QRect geometry() const { return m_geometry; }
    QStringList buttonTexts() const { return m_buttonTexts; }

private:
    void poll();

    QMessageBox::StandardButton m_button;
    bool m_closed = false;
    QString m_title;
    QString m_text;
    QString m_informativeText;
    QMessageBox::Icon m_icon = QMessageBox::NoIcon;
    QRect m_geometry;
    QStringList m_buttonTexts;
};
