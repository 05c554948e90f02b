#pragma once

#include "zezuzudod_export.h"

#include <QLineEdit>
#include <QString>

/** A line edit that stands for a link: a left click on it emits clicked() with the link text
 *  the tool stored, and while a link is stored the mouse cursor over it is a pointing hand.
 *
 *  The tool decides what the link means (a folder to open, a web address) and acts on
 *  clicked(). A click is a left-button press on the field followed by the next left-button
 *  release, wherever the mouse is by then; a click is reported also when no link is stored,
 *  with an empty text. Editing, selecting and the context menu work as in any QLineEdit. */
class ZEZUZUDOD_EXPORT ClickableLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    /** An empty field without link; \a parent owns it. */
    explicit ClickableLineEdit(QWidget *parent = nullptr);
    ~ClickableLineEdit() override;

    /** Sets the tool tip to \a toolTip and stores \a link. A link that is not empty gives the
     *  field the pointing-hand cursor; an empty one removes the field's own cursor. */
    void setLinkText(const QString &toolTip, const QString &link);
    /** The stored link; empty when none is stored. */
    QString link() const;

public slots:
    /** Forgets the link, removes the field's own cursor and empties the text. The tool tip
     *  stays. Hides QLineEdit::clear(), which only empties the text. */
    void clear();

signals:
    /** A left click on the field; \a link is the stored link, empty when none is stored. */
    void clicked(const QString &link);

protected:
    /** \reimp */
    void mousePressEvent(QMouseEvent *event) override;
    /** \reimp */
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString m_link;
    bool m_pressed = false;
};
