#pragma once

#include "zezuzudod_export.h"

#include <QColor>
#include <QPointer>
#include <QProxyStyle>
#include <QString>

/** The application style of the tools: a proxy over a base style of the tool's choice that
 *  draws a few elements its own way and leaves everything else to the base style.
 *
 *  - The empty area of item view headers gets a vertical gradient (or the stops of the
 *    palette's window gradient, where it has one) with thin dark border lines.
 *  - Splitter handles get a grip of nine dots across their middle; tool box tabs a plain
 *    shaded panel; tool buttons with a separate menu part a drop-down panel one pixel wider
 *    than the menu part, so the two parts overlap by one pixel.
 *  - Dock widgets get neither a frame nor a title bar drawn by the style.
 *  - Tree branch indicators and tab close buttons come from a second style, named at
 *    construction (for example "Windows"); without it, from the base style.
 *  - Combo boxes never use the pop-up list presentation. A widget with the dynamic property
 *    "fastTooltip" set to true shows its tool tip without the wake-up delay.
 *  - In item views, an item whose data for role 506 (Qt::UserRole + 250) has the
 *    Qt::AlignHCenter bit gets its check box centred in the cell and its focus frame widened to
 *    the cell's left edge.
 *  - One horizontal header, set with setRotatedLabelHeader(), gets its section labels drawn
 *    upwards from the bottom-right corner of each section, for narrow columns with long names.
 *
 *  Install it as the application style, for example over Fusion:
 *  \code
 *  QApplication::setStyle(new QuelmAppStyle(QStyleFactory::create(QStringLiteral("Fusion")),
 *                                           QStringLiteral("Windows")));
 *  \endcode
 *  As with every QProxyStyle, the style takes ownership of the base style; it also owns the
 *  named style and deletes both with itself. */
class ZEZUZUDOD_EXPORT QuelmAppStyle : public QProxyStyle
{
    Q_OBJECT
public:
    /** A proxy over \a style (null: the platform's default style) that borrows branch
     *  indicators and tab close buttons from the style that QStyleFactory creates from
     *  \a styleName. An unknown name leaves those to the base style. */
    QuelmAppStyle(QStyle *style, const QString &styleName);
    ~QuelmAppStyle() override;

    /** The object name QStyleFactory gave the named style (the name in lower case), or an
     *  empty text when the name was unknown. */
    QString getDefaultStyleName() const;
    /** The colour of the light dots of the splitter grip: opaque white. */
    QColor lightShade() const;
    /** The colour of the dark dots of the splitter grip: opaque black. */
    QColor darkShade() const;

    /** Makes \a header the header whose section labels are drawn rotated, while it is a
     *  horizontal QHeaderView; null turns the rotation off. The style does not own the header
     *  and forgets it when it is deleted. */
    void setRotatedLabelHeader(const QWidget *header);
    /** The header set with setRotatedLabelHeader(), or null. */
    const QWidget *rotatedLabelHeader() const;

    /** \reimp */
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    /** \reimp */
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    /** \reimp */
    QRect subElementRect(SubElement element, const QStyleOption *option,
                         const QWidget *widget) const override;
    /** \reimp */
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget = nullptr) const override;
    /** \reimp */
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr,
                  const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;

private:
    void drawRotatedHeaderLabel(const QStyleOption *option, QPainter *painter) const;
    void drawSplitterGrip(const QStyleOption *option, QPainter *painter) const;
    void drawHeaderEmptyArea(const QStyleOption *option, QPainter *painter,
                             const QWidget *widget) const;
    void drawToolButton(const QStyleOptionComplex *option, QPainter *painter,
                        const QWidget *widget) const;

    QPointer<QStyle> m_namedStyle;
    QPointer<const QWidget> m_rotatedLabelHeader;
};
