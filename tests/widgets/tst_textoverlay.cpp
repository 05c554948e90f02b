#include <ZezuzuDOD/textoverlay.h>

#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

namespace {

QString qs(const char *text)
{
    return QString::fromUtf8(text);
}

// Measured as a widget measures: its font carries the screen's resolution.
QSize measured(int pointSize, const QString &text)
{
    QWidget widget;
    widget.setFont(QFont(qs("Arial"), pointSize));
    const QFontMetrics metrics(widget.font());
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

void resizeTo(QWidget *widget, const QSize &size)
{
    QResizeEvent event(size, widget->size());
    QApplication::sendEvent(widget, &event);
}

const QFont marker(qs("Courier"), 7);

} // namespace

class TestTextOverlay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void fontFitting_data()
    {
        QTest::addColumn<QRect>("textRect");
        QTest::addColumn<int>("pointSize");
        // A rectangle whose right minus left and bottom minus top equal the text's size at
        // 100 points holds it exactly; one pixel less and the next step down is taken.
        const QSize at100 = measured(100, qs("Drop"));
        QTest::newRow("holds it exactly") << QRect(QPoint(5, 5), at100 + QSize(1, 1)) << 100;
        QTest::newRow("one pixel too narrow") << QRect(QPoint(5, 5), at100 + QSize(0, 1)) << 70;
        QTest::newRow("one pixel too low") << QRect(QPoint(5, 5), at100 + QSize(1, 0)) << 70;
        QTest::newRow("room for the largest") << QRect(0, 0, 5000, 2000) << 400;
        QTest::newRow("null rectangle ends at 10 points") << QRect() << 10;
        QTest::newRow("nothing fits: 10 points") << QRect(0, 0, 3, 3) << 10;
    }

    void fontFitting()
    {
        QFETCH(QRect, textRect);
        QFETCH(int, pointSize);
        TextOverlay overlay(qs("Drop"), nullptr);
        overlay.setCoords(textRect.topLeft(), textRect.bottomRight());
        overlay.calcNewTextSize();
        QCOMPARE(overlay.font().family(), qs("Arial"));
        QCOMPARE(overlay.font().pointSize(), pointSize);
    }

    void refitOnResize_data()
    {
        QTest::addColumn<QList<QSize>>("sizes");
        QTest::addColumn<QList<bool>>("refits");
        QTest::newRow("20 by 20 keeps the font") << QList<QSize>{{20, 20}} << QList<bool>{false};
        QTest::newRow("31 wider refits") << QList<QSize>{{31, 0}} << QList<bool>{true};
        QTest::newRow("31 higher refits") << QList<QSize>{{0, 31}} << QList<bool>{true};
        QTest::newRow("30 both ways keeps") << QList<QSize>{{30, 30}} << QList<bool>{false};
        QTest::newRow("the last size moves only with a refit")
            << QList<QSize>{{20, 0}, {40, 0}, {60, 0}, {71, 0}, {40, 0}}
            << QList<bool>{false, true, false, true, true};
    }

    void refitOnResize()
    {
        QFETCH(QList<QSize>, sizes);
        QFETCH(QList<bool>, refits);
        TextOverlay overlay(qs("Drop"), nullptr);
        overlay.setCoords(QPoint(0, 0), QPoint(99, 99));
        for (int i = 0; i < sizes.size(); ++i) {
            overlay.setFont(marker);
            resizeTo(&overlay, sizes.at(i));
            QCOMPARE(overlay.font().family() == qs("Arial"), refits.at(i));
        }
    }

    void setTextRefitsOnlyAfterAFit()
    {
        TextOverlay overlay(nullptr);
        overlay.setCoords(QPoint(0, 0), QPoint(299, 99));
        overlay.setFont(marker);
        overlay.setText(qs("Drop an EDS file here"));
        QCOMPARE(overlay.font().family(), marker.family());
        resizeTo(&overlay, QSize(300, 100));
        const int longText = overlay.font().pointSize();
        overlay.setText(qs("EDS"));
        QVERIFY(overlay.font().pointSize() > longText);
        QCOMPARE(overlay.property("text").toString(), qs("EDS"));
    }

    void painting()
    {
        const QString text = qs("Drop an EDS file here");
        const QRect textRect(QPoint(12, 8), QPoint(251, 91));
        TextOverlay overlay(text, nullptr);
        overlay.resize(270, 110);
        overlay.setCoords(textRect.topLeft(), textRect.bottomRight());
        resizeTo(&overlay, overlay.size());

        QImage rendered(overlay.size(), QImage::Format_ARGB32);
        rendered.fill(Qt::white);
        overlay.render(&rendered, QPoint(), QRegion(), QWidget::DrawChildren);

        QImage expected(overlay.size(), QImage::Format_ARGB32);
        expected.fill(Qt::white);
        // The widget paints at the screen's resolution; the reference has to use the same.
        expected.setDotsPerMeterX(qRound(overlay.logicalDpiX() / 0.0254));
        expected.setDotsPerMeterY(qRound(overlay.logicalDpiY() / 0.0254));
        QPainter painter(&expected);
        painter.setFont(overlay.font());
        painter.setPen(QColor(0, 0, 0, 10));
        painter.drawText(textRect, Qt::AlignHCenter | Qt::AlignVCenter, text);
        painter.end();
        QCOMPARE(rendered, expected);

        // Black at alpha 10 over white is never darker than 245.
        int darkest = 255;
        for (int y = 0; y < rendered.height(); ++y)
            for (int x = 0; x < rendered.width(); ++x)
                darkest = qMin(darkest, qRed(rendered.pixel(x, y)));
        QVERIFY(darkest < 255);
        QVERIFY(darkest >= 245);
    }

    void clicksReachTheWidgetBeneath()
    {
        QWidget window;
        window.resize(200, 100);
        QPushButton button(qs("Beneath"), &window);
        button.setGeometry(window.rect());
        TextOverlay overlay(qs("Over"), &window);
        overlay.setGeometry(window.rect());
        overlay.raise();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy clicked(&button, &QPushButton::clicked);
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(100, 50));
        QCOMPARE(clicked.count(), 1);
    }
};

QTEST_MAIN(TestTextOverlay)
#include "tst_textoverlay.moc"
