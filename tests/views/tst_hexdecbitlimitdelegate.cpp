#include <ZezuzuDOD/hexdecbitlimitdelegate.h>

#include <QtTest>
#include <QtWidgets>

namespace {

constexpr int BitsRole = Qt::UserRole + 1;
constexpr int MaximumRole = Qt::UserRole + 2;

QString qs(const char *text)
{
    return QString::fromUtf8(text);
}

QTableWidgetItem *setCell(QTableWidget &table, int row, int column, const QString &text,
                          const QVariant &bits, const QVariant &maximum = {})
{
    auto *item = new QTableWidgetItem(text);
    item->setData(BitsRole, bits);
    item->setData(MaximumRole, maximum);
    table.setItem(row, column, item);
    return item;
}

} // namespace

class TestHexDecBitLimitDelegate : public QObject
{
    Q_OBJECT

    QTableWidget *table = nullptr;
    HexDecBitLimitDelegate *delegate = nullptr;

    QLineEdit *openEditor(int row, int column)
    {
        table->edit(table->model()->index(row, column));
        return table->viewport()->findChild<QLineEdit *>();
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        table = new QTableWidget(1, 2);
        delegate = new HexDecBitLimitDelegate(table);
        table->setItemDelegate(delegate);
        table->resize(400, 200);
        table->show();
        QVERIFY(QTest::qWaitForWindowExposed(table));
    }
    void cleanup() { delete table; }

    void limitAndToolTip_data()
    {
        QTest::addColumn<QVariant>("bits");
        QTest::addColumn<QVariant>("maximum");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("8 bits") << QVariant(8) << QVariant() << 255
                                << qs("Max Value: 255 / 0xff - 8 Bits");
        QTest::newRow("explicit maximum without width")
            << QVariant(0) << QVariant(1000) << 1000 << qs("Max Value: 1000 / 0x3e8");
        QTest::newRow("explicit maximum does not lower the width")
            << QVariant(16) << QVariant(100) << 65535 << qs("Max Value: 65535 / 0xffff - 16 Bits");
        QTest::newRow("explicit maximum raises the width")
            << QVariant(4) << QVariant(100) << 100 << qs("Max Value: 100 / 0x64 - 4 Bits");
        QTest::newRow("30 bits still shifts") << QVariant(30) << QVariant() << 0x3fffffff
                                              << qs("Max Value: 1073741823 / 0x3fffffff - 30 Bits");
        for (int bits : {31, 32, 64})
            QTest::addRow("%d bits stop at the largest int", bits)
                << QVariant(bits) << QVariant(5) << 0x7fffffff
                << qs("Max Value: 2147483647 / 0x7fffffff - %1 Bits").arg(bits);
        QTest::newRow("no roles: the model's tool tip")
            << QVariant() << QVariant() << 0 << qs("own tip");
        QTest::newRow("negative width: the model's tool tip")
            << QVariant(-4) << QVariant() << 0 << qs("own tip");
    }
    void limitAndToolTip()
    {
        QFETCH(QVariant, bits);
        QFETCH(QVariant, maximum);
        QFETCH(int, limit);
        QFETCH(QString, toolTip);
        setCell(*table, 0, 0, qs("1"), bits, maximum)->setToolTip(qs("own tip"));
        const QModelIndex index = table->model()->index(0, 0);
        QCOMPARE(delegate->getMax(index), limit);

        const QPoint pos = table->visualRect(index).center();
        QHelpEvent help(QEvent::ToolTip, pos, table->viewport()->mapToGlobal(pos));
        QApplication::sendEvent(table->viewport(), &help);
        QTRY_COMPARE(QToolTip::text(), toolTip);
        QToolTip::hideText();
    }

    void validity_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("255 fits 8 bits") << 8 << qs("255") << true;
        QTest::newRow("0xff fits 8 bits") << 8 << qs("0xff") << true;
        QTest::newRow("256 is one too many") << 8 << qs("256") << false;
        QTest::newRow("0x100 is one too many") << 8 << qs("0x100") << false;
        QTest::newRow("leading 0 is octal: 017 is 15") << 4 << qs("017") << true;
        QTest::newRow("018 is no octal number and counts as 0") << 2 << qs("018") << true;
        QTest::newRow("0X1F is 31") << 5 << qs("0X1F") << true;
        QTest::newRow("0X1F is too much for 4 bits") << 4 << qs("0X1F") << false;
        QTest::newRow("2^31 does not convert") << 8 << qs("2147483648") << true;
        QTest::newRow("0x80000000 does not convert") << 8 << qs("0x80000000") << true;
        QTest::newRow("largest int fits 31 bits") << 31 << qs("2147483647") << true;
        QTest::newRow("no width: 0 fits") << 0 << qs("0") << true;
        QTest::newRow("no width: 1 is too much") << 0 << qs("1") << false;
        QTest::newRow("no width: a word counts as 0") << 0 << qs("abc") << true;
    }
    void validity()
    {
        QFETCH(int, bits);
        QFETCH(QString, text);
        QFETCH(bool, valid);
        setCell(*table, 0, 0, text, bits);
        QCOMPARE(delegate->isIndexValid(table->model()->index(0, 0)), valid);
        QCOMPARE(delegate->isValid(), valid);
    }

    void isValidChecksOnlyItsOwnCells()
    {
        table->setRowCount(2);
        setCell(*table, 0, 0, qs("300"), 8);
        setCell(*table, 1, 1, qs("300"), 8);
        auto *plain = new QStyledItemDelegate(table);
        table->setItemDelegate(plain);
        QVERIFY(delegate->isValid());
        table->setItemDelegateForColumn(1, delegate);
        QVERIFY(!delegate->isValid());
        table->setItemDelegateForRow(1, plain); // a row delegate wins over a column delegate
        QVERIFY(delegate->isValid());
        table->setRowCount(0);
        table->setItemDelegate(delegate);
        QVERIFY(delegate->isValid());

        // Another parent: nothing to check and nobody to tell.
        auto *orphan = new HexDecBitLimitDelegate(table->viewport());
        table->setRowCount(1);
        setCell(*table, 0, 0, qs("300"), 8);
        table->setItemDelegate(orphan);
        QSignalSpy spy(orphan, &HexDecBitLimitDelegate::sigValidityChanged);
        openEditor(0, 0);
        QCOMPARE(spy.count(), 0);
        QVERIFY(orphan->isValid());
    }

    void paintsOutOfRangeCellsBoldRed()
    {
        // Compared with the plain delegate, and with what it paints for a cell that the model
        // itself marks red and bold; for two fonts, so that an old font is not painted again.
        setCell(*table, 0, 0, qs("3000"), 16);
        QTableWidgetItem *outOfRange = setCell(*table, 0, 1, qs("3000"), 8);
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

    void editor_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("hex digits of either case") << qs("0x1fF") << qs("0x1fF");
        QTest::newRow("decimal") << qs("1234") << qs("1234");
        QTest::newRow("sign refused") << qs("-12") << qs("12");
        QTest::newRow("blank refused") << qs("1 2") << qs("12");
        QTest::newRow("capital X refused") << qs("0X1F") << qs("01");
        QTest::newRow("prefix alone is not committed") << qs("0x") << qs("7");
    }
    void editor()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QTableWidgetItem *item = setCell(*table, 0, 0, qs("7"), 8);
        QLineEdit *editor = openEditor(0, 0);
        QVERIFY(editor);
        QCOMPARE(editor->text(), qs("7"));
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, typed);
        QTest::keyClick(editor, Qt::Key_Enter);
        QCoreApplication::processEvents();
        QCOMPARE(item->text(), stored);
    }

    void validitySignal()
    {
        QList<QPair<QTableWidgetItem *, bool>> reports;
        connect(delegate, &HexDecBitLimitDelegate::sigValidityChanged,
                [&](QTableWidgetItem *item, bool valid) {
                    reports.append({item, valid});
                });
        QTableWidgetItem *item = setCell(*table, 0, 0, qs("0x100"), 8);
        QLineEdit *editor = openEditor(0, 0);
        QCOMPARE(reports, (QList<QPair<QTableWidgetItem *, bool>>{{item, false}}));
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, qs("0xff"));
        QTest::keyClick(editor, Qt::Key_Enter);
        QTRY_COMPARE(reports.size(), 2);
        QCOMPARE(reports.last(), qMakePair(item, true));

        // A cell without item: the report carries no item. A text that does not convert: none.
        delegate->checkAndEmitValidity(table->model()->index(0, 1), 1);
        QCOMPARE(reports.last(), qMakePair(static_cast<QTableWidgetItem *>(nullptr), false));
        setCell(*table, 0, 1, qs("word"), 8);
        openEditor(0, 1);
        QCOMPARE(reports.size(), 3);
    }
};

QTEST_MAIN(TestHexDecBitLimitDelegate)
#include "tst_hexdecbitlimitdelegate.moc"
