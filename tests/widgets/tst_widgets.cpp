#include <ZezuzuDOD/clickablelineedit.h>
#include <ZezuzuDOD/customlineedit.h>
#include <ZezuzuDOD/quelmappstyle.h>
#include <ZezuzuDOD/textoverlay.h>

#include "testutil.h"

#include <QtTest>
#include <QtWidgets>

using S = QStyle;

// Records the primitives that reach it; gives tool buttons fixed parts and metrics.
class RecordingStyle : public QCommonStyle
{
public:
    void drawPrimitive(PrimitiveElement e, const QStyleOption *o, QPainter *,
                       const QWidget *) const override
    {
        const QRect &r = o->rect;
        calls << QString::asprintf("%s %d,%d-%d,%d %x",
                                   QMetaEnum::fromType<PrimitiveElement>().valueToKey(e), r.left(),
                                   r.top(), r.right(), r.bottom(), int(o->state));
    }
    QRect subControlRect(ComplexControl, const QStyleOptionComplex *, SubControl sc,
                         const QWidget *) const override
    {
        return sc == SC_ToolButtonMenu ? QRect(30, 2, 12, 20) : QRect(0, 0, 30, 24);
    }
    int pixelMetric(PixelMetric m, const QStyleOption *, const QWidget *) const override
    {
        return m == PM_MenuButtonIndicator ? 12 : 2;
    }
    mutable QStringList calls;
};

template<typename Draw>
static QImage rendered(const QColor &background, Draw draw)
{
    QImage image(140, 230, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QPainter painter(&image);
    draw(&painter);
    return image;
}

// What the style draws for the element over a grey (or another) background.
static QImage drawn(const QStyle &style, S::ControlElement element, const QStyleOption &option,
                    const QWidget *widget = nullptr, const QColor &background = Qt::gray)
{
    return rendered(background,
                    [&](QPainter *p) { style.drawControl(element, &option, p, widget); });
}

// The bounding rectangle of the pixels that are ink.
template<typename Ink>
static QRect inkRect(const QImage &image, Ink ink)
{
    QRect rect;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            rect |= ink(image.pixel(x, y)) ? QRect(x, y, 1, 1) : QRect();
    }
    return rect;
}

// Whether a grey pixel is \a grey with black drawn over it at \a alpha, give or take one step.
static bool near(QRgb pixel, int grey, int alpha = 0)
{
    return qAbs(qRed(pixel) - grey * (255 - alpha) / 255) <= 1;
}

class TestWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // A click is a left press and a left release, wherever the release happens; a link's
    // target is clicked until the text is cleared, which keeps the link's text as the tool tip.
    void click()
    {
        ClickableLineEdit edit(nullptr);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QSignalSpy spy(&edit, &ClickableLineEdit::clicked);
        QTest::mousePress(&edit, Qt::RightButton, {}, QPoint(5, 5));
        QTest::mouseRelease(&edit, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(spy.count(), 0);
        QTest::mousePress(&edit, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(&edit, Qt::LeftButton, {}, QPoint(-9, -9)); // dragged out
        QTest::mouseRelease(&edit, Qt::LeftButton, {}, QPoint(5, 5));   // one press, one click
        QCOMPARE(spy.count(), 1);

        edit.setLinkText(qs("Open the folder"), qs("/tmp/out"));
        QTest::mouseClick(&edit, Qt::LeftButton);
        QCOMPARE(spy.last().first().toString(), qs("/tmp/out"));
        edit.clear();
        QTest::mouseClick(&edit, Qt::LeftButton);
        QCOMPARE(spy.last().first().toString() + edit.toolTip(), qs("Open the folder"));
    }

    void drop_data()
    {
        QTest::addColumn<QString>("suffixes");
        QTest::addColumn<QString>("urls");
        QTest::addColumn<int>("taken"); // index of the URL taken, -1: refused
        QTest::newRow("no suffix accepted") << QString() << qs("/d/a.dcf") << -1;
        QTest::newRow("letter case counts") << qs("dcf") << qs("/d/a.DCF") << -1;
        QTest::newRow("after the last dot") << qs("dcf") << qs("/d/a.tar.dcf") << 0;
        QTest::newRow("first URL refused") << qs("dcf") << qs("/d/a.eds /d/b.dcf") << -1;
        QTest::newRow("remote file") << qs("dcf") << qs("https://example.org/a.dcf") << -1;
    }

    void drop()
    {
        QFETCH(QString, suffixes);
        QFETCH(QString, urls);
        QFETCH(int, taken);
        QList<QUrl> list;
        for (const QString &url : urls.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            list << QUrl::fromUserInput(url);
        QMimeData mime;
        mime.setText(qs("text that a plain QLineEdit would take"));
        mime.setUrls(list);
        for (const bool invokeReturn : {true, false}) {
            CustomLineEdit edit(nullptr);
            for (const QString &suffix : suffixes.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                edit.addAcceptedSuffix(suffix);
            edit.setInvokeReturnPressed(invokeReturn);
            QSignalSpy returns(&edit, &QLineEdit::returnPressed);
            QDragEnterEvent enter({5, 5}, Qt::CopyAction, &mime, Qt::LeftButton, {});
            QDragMoveEvent move({5, 5}, Qt::CopyAction, &mime, Qt::LeftButton, {});
            QDropEvent drop({5, 5}, Qt::CopyAction, &mime, Qt::LeftButton, {});
            // Straight to the handlers, which QApplication skips after a refused enter event.
            for (QDropEvent *event : std::initializer_list<QDropEvent *>{&enter, &move, &drop}) {
                static_cast<QObject &>(edit).event(event);
                QCOMPARE(event->isAccepted(), taken >= 0);
            }
            QCOMPARE(edit.text(), taken >= 0 ? list.at(taken).toLocalFile() : QString());
            QCOMPARE(returns.count(), taken >= 0 && invokeReturn ? 1 : 0);
        }
    }

    // The font shrinks from 100 points until the text fits the rectangle; a null rectangle
    // gets the smallest size.
    void overlayFontFitting()
    {
        TextOverlay overlay(qs("Drop"), nullptr);
        const auto fitted = [&](const QSize &extra) { // beyond the text's size at 100 points
            overlay.setFont(QFont(qs("Arial"), 100)); // measured as the overlay measures
            const QSize text(overlay.fontMetrics().horizontalAdvance(qs("Drop")),
                             overlay.fontMetrics().height());
            const QRect rect = extra.isValid() ? QRect(QPoint(5, 5), text + extra) : QRect();
            overlay.setCoords(rect.topLeft(), rect.bottomRight());
            overlay.calcNewTextSize();
            return overlay.font().pointSize();
        };
        QCOMPARE(fitted(QSize(1, 1)), 100);
        QCOMPARE(fitted(QSize(0, 1)), 70); // one pixel too narrow
        QCOMPARE(fitted(QSize()), 10);
    }

    void toolButtonMenuPart()
    {
        auto *base = new RecordingStyle;
        QuelmAppStyle style(base, QString());
        QStyleOptionToolButton option;
        option.rect = QRect(0, 0, 42, 24);
        option.state = S::State_Enabled | S::State_Raised | S::State_Sunken;
        option.subControls = S::SC_ToolButton | S::SC_ToolButtonMenu;
        option.activeSubControls = S::SC_ToolButtonMenu;
        option.features = QStyleOptionToolButton::MenuButtonPopup;
        const auto draw = [&] {
            base->calls.clear();
            rendered(Qt::gray,
                     [&](QPainter *p) { style.drawComplexControl(S::CC_ToolButton, &option, p); });
            return base->calls;
        };
        // The button part is raised, not sunken (state 3); the drop-down panel, one pixel wider
        // than the menu part to the left, is sunken (7). Then a menu without a part of its own.
        QCOMPARE(draw(), QStringList({qs("PE_PanelButtonTool 0,0-29,23 3"),
                                      qs("PE_IndicatorButtonDropDown 29,2-41,21 7"),
                                      qs("PE_IndicatorArrowDown 29,2-41,21 7")}));
        option.subControls = S::SC_ToolButton;
        option.features = QStyleOptionToolButton::HasMenu;
        QCOMPARE(draw().last(), qs("PE_IndicatorArrowDown 34,16-39,21 7"));
    }

    void checkAlignmentRole()
    {
        QuelmAppStyle style(QStyleFactory::create(qs("Fusion")), QString());
        QStandardItemModel model(1, 1);
        QStyleOptionViewItem option;
        option.rect = QRect(40, 5, 101, 20); // centre 40 + 101 / 2
        option.index = model.index(0, 0);
        option.features = QStyleOptionViewItem::HasCheckIndicator;
        const auto rect = [&](S::SubElement e, const QStyle *s) {
            return s->subElementRect(e, &option, nullptr);
        };
        const QRect check = rect(S::SE_ItemViewItemCheckIndicator, style.baseStyle());
        const QRect focus = rect(S::SE_ItemViewItemFocusRect, style.baseStyle());
        model.setData(option.index, int(Qt::AlignLeft), Qt::UserRole + 250);
        QCOMPARE(rect(S::SE_ItemViewItemCheckIndicator, &style), check);
        model.setData(option.index, int(Qt::AlignCenter), Qt::UserRole + 250);
        QCOMPARE(rect(S::SE_ItemViewItemCheckIndicator, &style),
                 check.translated(90 - check.width() / 2 - check.left(), 0));
        QCOMPARE(rect(S::SE_ItemViewItemFocusRect, &style), focus.adjusted(-focus.left(), 0, 0, 0));
    }

    void headerEmptyArea()
    {
        QuelmAppStyle style(new QCommonStyle, QString());
        QHeaderView horizontal(Qt::Horizontal), vertical(Qt::Vertical);
        const int b = 240, s = QColor(b, b, b).lighter(104).red(), g = 100;
        QStyleOption option;
        option.rect = QRect(10, 10, 40, 201); // right 49, bottom 210
        option.palette.setColor(QPalette::Button, QColor(b, b, b));
        QImage image = drawn(style, S::CE_HeaderEmptyArea, option, &horizontal, QColor(g, g, g));
        // Row y samples the gradient at (y + 0.5 - top) / (bottom - top): just before the stop
        // at 0.5 (60 % of S) and just after the one at 0.501 (40 %).
        QVERIFY(near(image.pixel(30, 10), s) && near(image.pixel(30, 200), b));
        QVERIFY(near(image.pixel(30, 109), s * 60 / 100 + b * 40 / 100));
        QVERIFY(near(image.pixel(30, 111), s * 40 / 100 + b * 60 / 100));
        // Alpha 40 left of the area, from one above to one short of the bottom, alpha 80 along
        // the bottom; for a vertical header above it and along its right edge.
        QVERIFY(near(image.pixel(9, 9), g, 40) && near(image.pixel(9, 209), g, 40));
        QVERIFY(near(image.pixel(9, 210), g) && near(image.pixel(30, 210), b, 80));
        image = drawn(style, S::CE_HeaderEmptyArea, option, &vertical, QColor(g, g, g));
        QVERIFY(near(image.pixel(48, 9), g, 40) && near(image.pixel(49, 200), b, 80));
    }

    // Nine dots 8 pixels apart around the handle's centre (4, 49), down a vertical bar and
    // across a horizontal one; nothing on a handle without width.
    void splitterGrip()
    {
        QuelmAppStyle style(new QCommonStyle, QString());
        for (const bool vertical : {true, false}) {
            QStyleOption option;
            option.state = vertical ? S::State_Horizontal : S::State_None;
            option.rect = vertical ? QRect(0, 0, 10, 100) : QRect(0, 0, 100, 10);
            const QImage image = drawn(style, S::CE_Splitter, option);
            // The pixels along the bar at a distance across it: B black, W white, . the
            // background.
            const auto along = [&](int across) {
                QString pixels;
                for (int i = 0; i < 100; ++i) {
                    const QColor c(vertical ? image.pixel(across, i) : image.pixel(i, across));
                    pixels += QLatin1Char(c == Qt::black ? 'B' : c == Qt::white ? 'W' : '.');
                }
                return pixels;
            };
            const auto dots = [](const char *dot) -> QString {
                return qs(".").repeated(17) + qs(dot).repeated(9) + qs(".").repeated(11);
            };
            // A white block of 2 x 3 pixels beside or above a black one of 1 x 2, which lies
            // over the white's first column on a vertical bar.
            QCOMPARE(along(5), dots(vertical ? "BBW....." : "BB......"));
            QCOMPARE(along(vertical ? 6 : 3), dots("WWW....."));
            option.rect = vertical ? QRect(0, 0, 1, 100) : QRect(0, 0, 100, 1);
            QCOMPARE(drawn(style, S::CE_Splitter, option), rendered(Qt::gray, [](QPainter *) {}));
        }
    }

    // Raised when neither pressed nor current, else sunken: light and dark edges swap.
    void toolBoxTab()
    {
        QuelmAppStyle style(new QCommonStyle, QString());
        for (const S::State state : {S::State_None, S::State_Sunken, S::State_On}) {
            QStyleOption option;
            option.rect = QRect(10, 10, 100, 30);
            option.state = state;
            option.palette.setColor(QPalette::Button, QColor(10, 200, 30));
            const QImage image = drawn(style, S::CE_ToolBoxTabShape, option);
            const QPalette &pal = option.palette;
            const bool sunken = state != S::State_None;
            QCOMPARE(image.pixel(60, 25), pal.button().color().rgb());
            QCOMPARE(image.pixel(10, 10), (sunken ? pal.dark() : pal.light()).color().rgb());
            QCOMPARE(image.pixel(109, 39), (sunken ? pal.light() : pal.dark()).color().rgb());
        }
    }

    // Black at alpha 10 over whatever is beneath, centred in the text rectangle.
    void overlayPainting()
    {
        QWidget parent;
        parent.resize(300, 200);
        TextOverlay overlay(qs("HINT"), &parent);
        overlay.setGeometry(0, 0, 300, 200);
        overlay.setCoords(QPoint(100, 0), QPoint(299, 199));
        QImage image(300, 200, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        overlay.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        int darkest = 255;
        const QRect ink = inkRect(image, [&](QRgb pixel) {
            darkest = qMin(darkest, qRed(pixel));
            return qRed(pixel) < 255;
        });
        QVERIFY2(qAbs(darkest - 255 * 245 / 255) <= 1, qPrintable(QString::number(darkest)));
        QVERIFY(ink.left() > 100 && qAbs(ink.center().x() - 200) <= 3
                && qAbs(ink.center().y() - 100) <= 6);
    }

    void rotatedLabels() // upwards from the section's bottom-right corner, glyphs inside it
    {
        QuelmAppStyle style(QStyleFactory::create(qs("Fusion")), QString());
        QHeaderView header(Qt::Horizontal);
        style.setRotatedLabelHeader(&header);
        QStyleOptionHeader option;
        option.rect = QRect(10, 10, 40, 150); // right 49, bottom 159
        option.text = qs("HEAD");
        const QImage image = rendered(Qt::transparent, [&](QPainter *p) {
            style.drawControl(S::CE_HeaderLabel, &option, p, &header);
            QVERIFY(p->transform().isIdentity());
        });
        const QRect ink = inkRect(image, [](QRgb pixel) { return qAlpha(pixel) != 0; });
        QVERIFY(ink.right() <= 49 && ink.right() >= 46 && ink.bottom() <= 159 && ink.bottom() >= 156
                && ink.height() > 2 * ink.width());
    }
};

// Not covered: the style hints, dock widget parts and the named style's elements, each a fixed
// rectangle, colour or call; the proxy's ownership of the named style; other headers' labels; the
// overlay's refit on resize; the link's hand cursor; ClickableLineEdit's order of signal and slot.

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
