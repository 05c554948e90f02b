#include "textoverlay.h"

#include <QFontMetrics>
#include <QPainter>
#include <QResizeEvent>

#include <cstdlib>

namespace {

constexpr int largestPointSize = 400;
constexpr int pointSizeStep = 30;
// Below this many pixels of change a resize keeps the font: fitting measures the text up to
// thirteen times, too much to repeat for every pixel of a window being dragged larger.
constexpr int refitDistance = 31;

} // namespace

TextOverlay::TextOverlay(QWidget *parent)
    : TextOverlay(QString(), parent)
{}

TextOverlay::TextOverlay(const QString &text, QWidget *parent)
    : QWidget(parent)
    , m_text(text)
{
    setPalette(QPalette(Qt::transparent));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

TextOverlay::~TextOverlay() = default;

QString TextOverlay::text() const
{
    return m_text;
}

void TextOverlay::setText(const QString &text)
{
    m_text = text;
    if (m_lastWidth != 0 || m_lastHeight != 0)
        calcNewTextSize();
    update();
}

void TextOverlay::setCoords(const QPoint &topLeft, const QPoint &bottomRight)
{
    m_textRect = QRect(topLeft, bottomRight);
}

QRect TextOverlay::textRect() const
{
    return m_textRect;
}

void TextOverlay::calcNewTextSize()
{
    setFont(QFont(QStringLiteral("Arial"), largestPointSize));
    QFont fitted = font();
    // The inclusive corners are compared, so the text has one pixel less than the rectangle's
    // width and height; a null rectangle leaves it less than nothing and ends at the smallest
    // size.
    for (;;) {
        const QFontMetrics metrics(fitted);
        if (metrics.horizontalAdvance(m_text) <= m_textRect.right() - m_textRect.left()
            && metrics.height() <= m_textRect.bottom() - m_textRect.top())
            break;
        if (fitted.pointSize() <= pointSizeStep)
            break;
        fitted.setPointSize(fitted.pointSize() - pointSizeStep);
    }
    setFont(fitted);
}

void TextOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QColor(0, 0, 0, 10));
    painter.drawText(m_textRect, Qt::AlignCenter, m_text);
}

void TextOverlay::resizeEvent(QResizeEvent *event)
{
    const QSize size = event->size();
    if (std::abs(size.width() - m_lastWidth) < refitDistance
        && std::abs(size.height() - m_lastHeight) < refitDistance)
        return;
    m_lastWidth = size.width();
    m_lastHeight = size.height();
    calcNewTextSize();
}
