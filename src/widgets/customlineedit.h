#pragma once

#include "zezuzudod_export.h"

#include <QLineEdit>
#include <QStringList>

class QMimeData;

/** A line edit that takes a file dropped onto it, for file name fields.
 *
 *  A drag is accepted only when the first URL it carries is a local file whose suffix (the
 *  text after the last dot, as QFileInfo::suffix() gives it) is one of the accepted suffixes,
 *  with the same letter case; further URLs are ignored. Without an accepted suffix every drop
 *  is refused, and text dragged from other widgets is never taken. A drop replaces the text
 *  with the file's absolute path and, unless switched off, emits returnPressed() as if the
 *  user had confirmed the entry, so a tool handles typed and dropped names in one place.
 *
 *  The class adds no signals, slots or properties: the meta-object system sees a QLineEdit. */
class ZEZUZUDOD_EXPORT CustomLineEdit : public QLineEdit
{
public:
    /** Enables dragging the text out of the field and dropping files onto it. */
    explicit CustomLineEdit(QWidget *parent = nullptr);
    ~CustomLineEdit() override;

    /** Accepts files ending in ".<suffix>"; give the suffix without the dot. */
    void addAcceptedSuffix(const QString &suffix);
    /** The suffixes added so far, in their order. */
    QStringList acceptedSuffixes() const;
    /** Whether a drop emits returnPressed() after setting the text; true from construction. */
    void setInvokeReturnPressed(bool invoke);
    /** Whether a drop emits returnPressed(). */
    bool invokeReturnPressed() const;

protected:
    /** \reimp */
    void dragEnterEvent(QDragEnterEvent *event) override;
    /** \reimp */
    void dragMoveEvent(QDragMoveEvent *event) override;
    /** \reimp */
    void dropEvent(QDropEvent *event) override;

private:
    /** The absolute path of the file that \a mimeData offers, or an empty text when it offers
     *  none that is accepted. */
    QString acceptedFile(const QMimeData *mimeData) const;

    QStringList m_acceptedSuffixes;
    bool m_invokeReturnPressed = true;
};
