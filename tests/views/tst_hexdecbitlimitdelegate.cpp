#include <ZezuzuDOD/hexdecbitlimitdelegate.h>

#include "testutil.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// A cell of row 0; a bit width or maximum of 0 is left out of the item.
QTableWidgetItem *setCell(QTableWidget &table, int column, const char *text, int bits = 0,
                          int maximum = 0)
{
    auto *item = new QTableWidgetItem(qs(text));
    if (bits)
        item->setData(Qt::UserRole + 1, bits);
    if (maximum)
        item->setData(Qt::UserRole + 2, maximum);
    table.setItem(0, column, item);
    return item;
}

} // namespace

class TestHexDecBitLimitDelegate : public QObject
{
    Q_OBJECT

    QTableWidget *table = nullptr;
    HexDecBitLimitDelegate *delegate = nullptr;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        table = new QTableWidget(1, 2);
        delegate = new HexDecBitLimitDelegate(table);
        table->setItemDelegate(delegate);
        table->show();
        QVERIFY(QTest::qWaitForWindowExposed(table));
    }
    void cleanup() { delete table; }

    // Whether a cell's text is within the limit of its bit width and maximum.
    void limits_data()
    {
        QTest::addColumn<int>("bits");    // 0: no role
        QTest::addColumn<int>("maximum"); // 0: no role
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("8 bits: 255 fits") << 8 << 0 << qs("255") << true;
        QTest::newRow("8 bits: 0x100 is too much") << 8 << 0 << qs("0x100") << false;
        QTest::newRow("maximum without width") << 0 << 1000 << qs("1000") << true;
        QTest::newRow("maximum raises the width") << 4 << 100 << qs("101") << false;
        QTest::newRow("64 bits: the largest int") << 64 << 5 << qs("2147483647") << true;
        QTest::newRow("no roles: only 0 fits") << 0 << 0 << qs("1") << false;
    }
    void limits()
    {
        QFETCH(int, bits);
        QFETCH(int, maximum);
        QFETCH(QString, text);
        QFETCH(bool, valid);
        setCell(*table, 1, qPrintable(text), bits, maximum);
        QCOMPARE(delegate->isIndexValid(table->model()->index(0, 1)), valid);
        QCOMPARE(delegate->isValid(), valid);
    }

    void paintsOutOfRangeCellsBoldRed()
    {
        // Compared with the plain delegate, and with what it paints for a cell that the model
        // itself marks red and bold; for two fonts, so that an old font is not painted again.
        setCell(*table, 0, "3000", 16);
        QTableWidgetItem *outOfRange = setCell(*table, 1, "3000", 8);
        table->selectionModel()->clearCurrentIndex(); // no focus frame in the cells
        QStyledItemDelegate plain;
        for (int pointSize : {9, 15}) {
            QFont font = table->font();
            font.setPointSize(pointSize);
            table->setFont(font);
            const QRect valid = table->visualRect(table->model()->index(0, 0));
            const QRect invalid = table->visualItemRect(outOfRange);
            const QImage ours = table->viewport()->grab().toImage();
            table->setItemDelegate(&plain);
            const QImage base = table->viewport()->grab().toImage();
            QVERIFY(delegate->isValid()); // the out-of-range cell is no longer its own
            font.setBold(true);
            outOfRange->setFont(font);
            outOfRange->setForeground(Qt::red);
            const QImage marked = table->viewport()->grab().toImage();
            outOfRange->setData(Qt::FontRole, QVariant());
            outOfRange->setData(Qt::ForegroundRole, QVariant());
            table->setItemDelegate(delegate);
            QCOMPARE(ours.copy(valid), base.copy(valid));
            QCOMPARE(ours.copy(invalid), marked.copy(invalid));
            QVERIFY(ours.copy(invalid) != base.copy(invalid));
        }
    }

    void editorAndValiditySignal_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("valid");
        QTest::newRow("hex digits of either case") << qs("0x1fF") << qs("0x1fF") << false;
        QTest::newRow("sign and blank refused") << qs("-1 2") << qs("12") << true;
    }
    void editorAndValiditySignal()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(bool, valid);
        using Report = QPair<QTableWidgetItem *, bool>;
        QList<Report> reports;
        connect(delegate, &HexDecBitLimitDelegate::sigValidityChanged,
                [&](QTableWidgetItem *item, bool valid) {
                    reports.append({item, valid});
                });
        QTableWidgetItem *item = setCell(*table, 0, "0x100", 8);
        table->edit(table->model()->index(0, 0));
        auto *editor = table->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        QCOMPARE(editor->text(), qs("0x100"));
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, typed);
        QTest::keyClick(editor, Qt::Key_Enter);
        QTRY_COMPARE(item->text(), stored);
        // Reported when the editor opens, and again for the committed value.
        QTRY_COMPARE(reports, (QList<Report>{{item, false}, {item, valid}}));
    }
};

QTEST_MAIN(TestHexDecBitLimitDelegate)
#include "tst_hexdecbitlimitdelegate.moc"

// Not covered: the limit shown in the cell's tool tip; bit widths between 30 and 64.
