#include <ZezuzuDOD/guihelper.h>

#include "messageboxcloser.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>

namespace {

QString qs(const char *text)
{
    return QString::fromUtf8(text);
}

// Where a box of this size lands when centred over the parent, in the geometry() coordinates
// that the closer records; the window frame, if the platform draws one, is the same for both.
QPoint centred(const QWidget &parent, const QSize &box)
{
    const QPoint frame = parent.geometry().topLeft() - parent.pos();
    return parent.pos()
           + QPoint(parent.width() / 2 - box.width() / 2, parent.height() / 2 - box.height() / 2)
           + frame;
}

bool hasMessageBoxWindow()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.cbegin(), windows.cend(),
                       [](QWidget *w) { return qobject_cast<QMessageBox *>(w); });
}

} // namespace

class TestGuiHelperDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void setComboboxValue_data();
    void setComboboxValue();
    void setComboboxValueWithoutCombo();
    void makeLabelBold();
    void modalBox_data();
    void modalBox();
    void nonBlockingBox();
};

void TestGuiHelperDialogs::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestGuiHelperDialogs::setComboboxValue_data()
{
    QTest::addColumn<bool>("withData");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("current");
    QTest::newRow("match selects the item") << true << QVariant(500) << true << 2 << 2;
    QTest::newRow("number read back as text still matches")
        << true << QVariant(qs("500")) << true << 2 << 2;
    QTest::newRow("no match: current item kept, count reported")
        << true << QVariant(42) << false << 4 << 1;
    QTest::newRow("item text is not item data") << false << QVariant(500) << false << 4 << 1;
}

void TestGuiHelperDialogs::setComboboxValue()
{
    QFETCH(bool, withData);
    QFETCH(QVariant, value);
    QComboBox combo;
    for (int kbit : {125, 250, 500, 1000})
        combo.addItem(QString::number(kbit), withData ? QVariant(kbit) : QVariant());
    combo.setCurrentIndex(1);
    int index = -7;
    QTEST(GuiHelper::setComboboxValue(&combo, value, &index), "found");
    QTEST(index, "index");
    QTEST(combo.currentIndex(), "current");
    QCOMPARE(GuiHelper::setComboboxValue(&combo, value), combo.currentIndex() == 2);
}

void TestGuiHelperDialogs::setComboboxValueWithoutCombo()
{
    int index = -7;
    QVERIFY(!GuiHelper::setComboboxValue(nullptr, 1, &index));
    QCOMPARE(index, -7);
}

void TestGuiHelperDialogs::makeLabelBold()
{
    QLabel label;
    QFont font = label.font();
    font.setItalic(true);
    label.setFont(font);
    GuiHelper::makeLabelBold(&label, true);
    QCOMPARE(label.font().weight(), 75);
    QVERIFY(label.font().italic());
    GuiHelper::makeLabelBold(&label, false);
    QCOMPARE(label.font().weight(), 50);
}

void TestGuiHelperDialogs::modalBox_data()
{
    QTest::addColumn<bool>("withParent");
    QTest::newRow("centred over its parent") << true;
    QTest::newRow("without parent") << false;
}

void TestGuiHelperDialogs::modalBox()
{
    QFETCH(bool, withParent);
    QWidget parent;
    parent.resize(640, 480);
    parent.move(120, 60);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));

    MessageBoxCloser closer(QMessageBox::No);
    const int result = GuiHelper::showMessageBox(
        withParent ? &parent : nullptr, qs("Title"), qs("Main text"), qs("More"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Warning);
    QVERIFY(closer.closed());
    QCOMPARE(result, int(QMessageBox::No));
    QCOMPARE(closer.title(), qs("Title"));
    QCOMPARE(closer.text(), qs("Main text"));
    QCOMPARE(closer.informativeText(), qs("More"));
    QCOMPARE(closer.icon(), QMessageBox::Warning);
    QCOMPARE(closer.buttonTexts().size(), 2);
    if (withParent)
        QCOMPARE(closer.geometry().topLeft(), centred(parent, closer.geometry().size()));
    QVERIFY(!hasMessageBoxWindow()); // the box was local to the call
}

void TestGuiHelperDialogs::nonBlockingBox()
{
    // Without a parent there is nothing to centre over and nobody to own the box.
    QCOMPARE(GuiHelper::showNonBlockingMessageBox(nullptr, qs("Title"), qs("Text")), -1);
    QVERIFY(!hasMessageBoxWindow());

    auto *parent = new QWidget;
    parent->resize(500, 300);
    parent->move(200, 100);
    parent->show();
    QVERIFY(QTest::qWaitForWindowExposed(parent));

    QCOMPARE(GuiHelper::showNonBlockingMessageBox(parent, qs("Title"), qs("Text"), qs("Info"),
                                                  QMessageBox::Ok, QMessageBox::Information),
             -1);
    QPointer<QMessageBox> box = parent->findChild<QMessageBox *>();
    QVERIFY(box);
    QVERIFY(box->isVisible());
    QVERIFY(!box->isModal());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(box->text(), qs("Text"));
    QCOMPARE(box->informativeText(), qs("Info"));
    QCOMPARE(box->geometry().topLeft(), centred(*parent, box->size()));

    // Answering hides the box; the parent keeps it until it dies itself.
    box->button(QMessageBox::Ok)->click();
    QVERIFY(!box->isVisible());
    QCoreApplication::processEvents();
    QVERIFY(box);
    delete parent;
    QVERIFY(!box);
}

QTEST_MAIN(TestGuiHelperDialogs)
#include "tst_guihelper_dialogs.moc"
