#pragma once

#include "zezuzudod_export.h"

#include <QRect>
#include <QString>
#include <QWidget>

/** A transparent child widget that paints one text, centred and almost transparent (black at
 *  alpha 10 of 255), over the widgets beneath it, for hints such as "drop a file here" over an
 *  empty view. It never takes mouse input: clicks go to the widgets under it.
 *
 *  The overlay does not follow its parent by itself: the tool sets its geometry and, with
 *  setCoords(), the rectangle the text is centred in. The font is "Arial" at the largest of
 *  400, 370, ... 40, 10 points at which the text fits that rectangle, or 10 points when none
 *  fits. It is chosen again by calcNewTextSize(), which a resize calls when the width or the
 *  height has changed by 31 pixels or more since the last fit; until the first fit the overlay
 *  uses the font it inherits. */
class ZEZUZUDOD_EXPORT TextOverlay : public QWidget
{
    Q_OBJECT
    /** The text shown, centred in textRect(). */
    Q_PROPERTY(QString text READ text WRITE setText)
public:
    /** An overlay with an empty text, for forms that set the text afterwards. */
    explicit TextOverlay(QWidget *parent = nullptr);
    /** An overlay showing \a text; \a parent owns it. */
    TextOverlay(const QString &text, QWidget *parent = nullptr);
    ~TextOverlay() override;

    /** The text shown. */
    QString text() const;
    /** Replaces the text and repaints; once a resize has fitted the font, it is fitted again to
     *  the new text. */
    void setText(const QString &text);

    /** Sets the rectangle the text is centred in, in the overlay's coordinates, spanned by the
     *  two corners (both inclusive). Neither repaints nor fits the font. */
    void setCoords(const QPoint &topLeft, const QPoint &bottomRight);
    /** The rectangle the text is centred in; a null rectangle until setCoords() is called. */
    QRect textRect() const;
    /** Sets the largest font at which the text fits the text rectangle (see the class). */
    void calcNewTextSize();

protected:
    /** \reimp */
    void paintEvent(QPaintEvent *event) override;
    /** \reimp */
    void resizeEvent(QResizeEvent *event) override;

private:
    QString m_text;
    QRect m_textRect;
    int m_lastWidth = 0;
    int m_lastHeight = 0;
};
