#include <ZezuzuDOD/guihelper.h>

#include "messageboxcloser.h"

#include <QApplication>
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

// Where a box of this size lands when centred over the parent, in geometry() coordinates.
QPoint centred(const QWidget &parent, const QSize &box)
{
    return parent.geometry().topLeft()
           + QPoint(parent.width() / 2 - box.width() / 2, parent.height() / 2 - box.height() / 2);
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
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void modalBox()
    {
        QWidget parent;
        parent.resize(640, 480);
        parent.move(120, 60);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        MessageBoxCloser closer(QMessageBox::No);
        QCOMPARE(GuiHelper::showMessageBox(&parent, qs("Title"), qs("Main text"), qs("More"),
                                           QMessageBox::Yes | QMessageBox::No,
                                           QMessageBox::Warning),
                 int(QMessageBox::No));
        QVERIFY(closer.closed());
        QCOMPARE(QStringList({closer.title(), closer.text(), closer.informativeText()}),
                 QStringList({qs("Title"), qs("Main text"), qs("More")}));
        QCOMPARE(closer.icon(), QMessageBox::Warning);
        QCOMPARE(closer.buttonTexts().size(), 2);
        QCOMPARE(closer.geometry().topLeft(), centred(parent, closer.geometry().size()));
        QVERIFY(!hasMessageBoxWindow()); // the box was local to the call
    }

    void nonBlockingBox()
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
        QVERIFY(box && box->isVisible() && !box->isModal());
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
};

QTEST_MAIN(TestGuiHelperDialogs)
#include "tst_guihelper_dialogs.moc"

// Not covered: makeLabelBold (a one-line font change), setComboboxValue (a loop over the item
// data); the modal box without a parent.
