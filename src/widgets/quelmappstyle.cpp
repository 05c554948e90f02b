#include "quelmappstyle.h"

#include <QHeaderView>
#include <QLinearGradient>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <qdrawutil.h>

namespace {

// The model data role by which an item asks for a centred check box.
constexpr int checkAlignmentRole = Qt::UserRole + 250;

// Mixes two colours channel by channel, \a percent of the first and the rest of the second,
// with the first colour's alpha.
QColor blend(const QColor &first, const QColor &second, int percent)
{
    const auto mix = [percent](int a, int b) {
        return a * percent / 100 + b * (100 - percent) / 100;
    };
    return QColor(mix(first.red(), second.red()), mix(first.green(), second.green()),
                  mix(first.blue(), second.blue()), first.alpha());
}

bool hasAnyState(QStyle::State state, QStyle::State wanted)
{
    return (state & wanted) != QStyle::State_None;
}

} // namespace

QuelmAppStyle::QuelmAppStyle(QStyle *style, const QString &styleName)
    : QProxyStyle(style)
    , m_namedStyle(QStyleFactory::create(styleName))
{
    // The named style only lends two indicators; as a child it goes with the proxy.
    if (m_namedStyle)
        m_namedStyle->setParent(this);
}

QuelmAppStyle::~QuelmAppStyle() = default;

QString QuelmAppStyle::getDefaultStyleName() const
{
    return m_namedStyle ? m_namedStyle->objectName() : QString();
}

QColor QuelmAppStyle::lightShade() const
{
    return QColor(255, 255, 255);
}

QColor QuelmAppStyle::darkShade() const
{
    return QColor(0, 0, 0);
}

void QuelmAppStyle::setRotatedLabelHeader(const QWidget *header)
{
    m_rotatedLabelHeader = header;
}

const QWidget *QuelmAppStyle::rotatedLabelHeader() const
{
    return m_rotatedLabelHeader;
}

void QuelmAppStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                  QPainter *painter, const QWidget *widget) const
{
    switch (element) {
    case PE_FrameDockWidget:
        return;
    case PE_IndicatorBranch:
    case PE_IndicatorTabClose:
        if (m_namedStyle) {
            m_namedStyle->drawPrimitive(element, option, painter, widget);
            return;
        }
        break;
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void QuelmAppStyle::drawControl(ControlElement element, const QStyleOption *option,
                                QPainter *painter, const QWidget *widget) const
{
    switch (element) {
    case CE_HeaderLabel: {
        const auto *header = qobject_cast<const QHeaderView *>(widget);
        if (header && header->orientation() == Qt::Horizontal && widget == m_rotatedLabelHeader
            && qstyleoption_cast<const QStyleOptionHeader *>(option)) {
            drawRotatedHeaderLabel(option, painter);
            return;
        }
        break;
    }
    case CE_Splitter:
        drawSplitterGrip(option, painter);
        return;
    case CE_DockWidgetTitle:
        return;
    case CE_ToolBoxTabShape: {
        const QBrush fill = option->palette.brush(QPalette::Button);
        qDrawShadePanel(painter, option->rect, option->palette,
                        hasAnyState(option->state, State_Sunken | State_On), 1, &fill);
        return;
    }
    case CE_HeaderEmptyArea:
        drawHeaderEmptyArea(option, painter, widget);
        return;
    default:
        break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

QRect QuelmAppStyle::subElementRect(SubElement element, const QStyleOption *option,
                                    const QWidget *widget) const
{
    QRect rect = QProxyStyle::subElementRect(element, option, widget);
    const auto *item = qstyleoption_cast<const QStyleOptionViewItem *>(option);
    if (!item || element == SE_DockWidgetCloseButton)
        return rect;
    const QVariant alignment = item->index.data(checkAlignmentRole);
    if (alignment.isNull() || !(alignment.toUInt() & Qt::AlignHCenter))
        return rect;
    switch (element) {
    case SE_ItemViewItemCheckIndicator:
        rect.moveLeft(option->rect.left() + option->rect.width() / 2 - rect.width() / 2);
        break;
    case SE_ItemViewItemFocusRect:
        rect.setLeft(0);
        break;
    default:
        break;
    }
    return rect;
}

void QuelmAppStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                       QPainter *painter, const QWidget *widget) const
{
    if (control == CC_ToolButton)
        drawToolButton(option, painter, widget);
    else
        QProxyStyle::drawComplexControl(control, option, painter, widget);
}

int QuelmAppStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                             QStyleHintReturn *returnData) const
{
    switch (hint) {
    case SH_ComboBox_Popup:
        return 0;
    case SH_ToolTip_WakeUpDelay:
        if (widget && widget->property("fastTooltip").toBool())
            return 0;
        break;
    default:
        break;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void QuelmAppStyle::drawRotatedHeaderLabel(const QStyleOption *option, QPainter *painter) const
{
    const auto *header = static_cast<const QStyleOptionHeader *>(option);
    // Turned a quarter to the left about the section's bottom-right corner, the text runs
    // upwards with its glyphs to the left of the corner, inside the section.
    painter->save();
    painter->translate(option->rect.right(), option->rect.bottom());
    painter->rotate(-90);
    painter->drawText(QPoint(0, 0), header->text);
    painter->restore();
}

void QuelmAppStyle::drawSplitterGrip(const QStyleOption *option, QPainter *painter) const
{
    const QRect &r = option->rect;
    if (r.right() - r.left() <= 0 || r.bottom() - r.top() <= 0)
        return;
    const int cx = (r.left() + r.right()) / 2;
    const int cy = (r.top() + r.bottom()) / 2;
    if (option->state & State_Horizontal) {
        for (int y = cy - 32; y <= cy + 32; y += 8) {
            painter->fillRect(QRect(QPoint(cx + 1, y), QPoint(cx + 2, y + 2)), lightShade());
            painter->fillRect(QRect(QPoint(cx + 1, y), QPoint(cx + 1, y + 1)), darkShade());
        }
    } else {
        for (int x = cx - 32; x <= cx + 32; x += 8) {
            painter->fillRect(QRect(QPoint(x, cy - 1), QPoint(x + 2, cy)), lightShade());
            painter->fillRect(QRect(QPoint(x, cy + 1), QPoint(x + 1, cy + 1)), darkShade());
        }
    }
}

void QuelmAppStyle::drawHeaderEmptyArea(const QStyleOption *option, QPainter *painter,
                                        const QWidget *widget) const
{
    const QRect &r = option->rect;
    const QColor button = option->palette.button().color();
    const QColor start = button.lighter(104);

    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    if (const QGradient *window = option->palette.window().gradient()) {
        gradient.setStops(window->stops());
    } else {
        gradient.setColorAt(0, start);
        gradient.setColorAt(0.5, blend(start, button, 60));
        gradient.setColorAt(0.501, blend(start, button, 40));
        gradient.setColorAt(0.92, button);
        gradient.setColorAt(1, button);
    }
    painter->fillRect(r, gradient);

    const QPen oldPen = painter->pen();
    const auto *header = qobject_cast<const QHeaderView *>(widget);
    if (header && header->orientation() == Qt::Vertical) {
        painter->setPen(QColor(0, 0, 0, 40));
        painter->drawLine(r.left() - 1, r.top() - 1, r.right() - 1, r.top() - 1);
        painter->setPen(QColor(0, 0, 0, 80));
        painter->drawLine(r.right(), r.top(), r.right(), r.bottom());
    } else {
        painter->setPen(QColor(0, 0, 0, 40));
        painter->drawLine(r.left() - 1, r.top() - 1, r.left() - 1, r.bottom() - 1);
        painter->setPen(QColor(0, 0, 0, 80));
        painter->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    }
    painter->setPen(oldPen);
}

void QuelmAppStyle::drawToolButton(const QStyleOptionComplex *option, QPainter *painter,
                                   const QWidget *widget) const
{
    const auto *toolButton = qstyleoption_cast<const QStyleOptionToolButton *>(option);
    if (!toolButton)
        return;
    const QStyle *style = proxy();
    const QRect button = style->subControlRect(CC_ToolButton, toolButton, SC_ToolButton, widget);
    const QRect menu = style->subControlRect(CC_ToolButton, toolButton, SC_ToolButtonMenu, widget);
    const State raisedStates = State_Sunken | State_On | State_Raised;

    State buttonState = toolButton->state & ~State_Sunken;
    if ((buttonState & State_AutoRaise)
        && !((buttonState & State_MouseOver) && (buttonState & State_Enabled)))
        buttonState &= ~State_Raised;
    State menuState = buttonState;
    if (toolButton->state & State_Sunken) {
        if (toolButton->activeSubControls & SC_ToolButton)
            buttonState |= State_Sunken;
        menuState |= State_Sunken;
    }

    QStyleOption panel = *toolButton;
    panel.rect = button;
    panel.state = buttonState;
    if ((toolButton->subControls & SC_ToolButton) && hasAnyState(buttonState, raisedStates))
        style->drawPrimitive(PE_PanelButtonTool, &panel, painter, widget);

    if (toolButton->state & State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(*toolButton);
        focus.rect.adjust(3, 3, -3, -3);
        if (toolButton->features & QStyleOptionToolButton::MenuButtonPopup)
            focus.rect.adjust(0, 0, -style->pixelMetric(PM_MenuButtonIndicator, toolButton, widget),
                              0);
        style->drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }

    QStyleOptionToolButton label = *toolButton;
    label.state = buttonState;
    const int frame = style->pixelMetric(PM_DefaultFrameWidth, toolButton, widget);
    label.rect = button.adjusted(frame, frame, -frame, -frame);
    style->drawControl(CE_ToolButtonLabel, &label, painter, widget);

    const QRect &r = toolButton->rect;
    if (toolButton->subControls & SC_ToolButtonMenu) {
        // One pixel wider than the menu part to the left, so that the drop-down panel's left
        // border covers the button part's right border instead of doubling it.
        panel.rect
            = QRect(QPoint(r.right() - r.left() - 1 - (menu.right() - menu.left()), menu.top()),
                    QPoint(r.right() - r.left(), menu.bottom()));
        panel.state = menuState;
        if (hasAnyState(menuState, raisedStates))
            style->drawPrimitive(PE_IndicatorButtonDropDown, &panel, painter, widget);
        style->drawPrimitive(PE_IndicatorArrowDown, &panel, painter, widget);
    } else if (toolButton->features & QStyleOptionToolButton::HasMenu) {
        const int indicator = style->pixelMetric(PM_MenuButtonIndicator, toolButton, widget);
        QStyleOptionToolButton arrow = *toolButton;
        arrow.rect = QRect(QPoint(r.right() + 5 - indicator, r.bottom() + 5 - indicator),
                           QPoint(r.right() - 2, r.bottom() - 2));
        style->drawPrimitive(PE_IndicatorArrowDown, &arrow, painter, widget);
    }
}
