#include <ZezuzuDOD/genericviewsearch.h>

#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <vector>

namespace {

constexpr int Role = GenericViewSearch::SearchTextRole;
const QString red = QStringLiteral("QPushButton {background-color: red}");
const QString blue = QStringLiteral("QPushButton {background-color: blue}");

QString qs(const char *text)
{
    return QString::fromUtf8(text);
}

// Rows of three columns; column 0 carries the search text unless it is "-". A search text put
// into column 1 must never be found.
void fill(QStandardItemModel &model, const QStringList &texts)
{
    model.clear();
    for (const QString &text : texts) {
        QList<QStandardItem *> row{new QStandardItem, new QStandardItem, new QStandardItem};
        if (text != QLatin1String("-"))
            row[0]->setData(text, Role);
        row[1]->setData(qs("zeta"), Role);
        model.appendRow(row);
    }
}

QList<int> selectedRows(const QAbstractItemView &view)
{
    QList<int> rows;
    for (const QModelIndex &index : view.selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

// Rows "row <n>", or "hit <n>" for hit rows; data() calls a hook, so that a test can act in the
// middle of a scan. Rows can be removed and inserted, and the model reset.
class ScanModel : public QAbstractTableModel
{
public:
    std::vector<char> hits = std::vector<char>(5000);
    std::function<void(int)> onRead;

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(hits.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : 2;
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Role || index.column() != 0)
            return {};
        if (onRead)
            onRead(index.row());
        return qs(hits[index.row()] ? "hit %1" : "row %1").arg(index.row());
    }
    void change(const char *how)
    {
        if (qstrcmp(how, "remove") == 0) {
            beginRemoveRows({}, 0, 999);
            hits.erase(hits.begin(), hits.begin() + 1000);
            endRemoveRows();
        } else if (qstrcmp(how, "insert") == 0) {
            beginInsertRows({}, 0, 999);
            hits.insert(hits.begin(), 1000, 1);
            endInsertRows();
        } else {
            beginResetModel();
            endResetModel();
        }
    }
};

class ShowCounter : public QObject
{
public:
    int shown = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        shown += event->type() == QEvent::Show;
        return false;
    }
};

} // namespace

class TestGenericViewSearch : public QObject
{
    Q_OBJECT

    QWidget *window = nullptr;
    QTableView *table = nullptr;
    QLineEdit *edit = nullptr;
    QPushButton *button = nullptr;
    QStandardItemModel model;
    GenericViewSearch *search = nullptr;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        window = new QWidget;
        auto *layout = new QVBoxLayout(window);
        layout->addWidget(edit = new QLineEdit);
        layout->addWidget(button = new QPushButton(qs("Find")));
        layout->addWidget(table = new QTableView);
        fill(model,
             {qs("Alpha"), qs("beta"), qs("GAMMA ray"), qs("alphabet"), qs("-"), qs("delta")});
        table->setModel(&model);
        search = new GenericViewSearch(table, edit, button, window);
        window->resize(400, 300);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    void cleanup() { delete window; }

    void searchNext_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("found");
        QTest::newRow("nothing selected: starts at row 0") << -1 << qs("alpha") << 0;
        QTest::newRow("case ignored, text found inside the row") << -1 << qs("RAY") << 2;
        QTest::newRow("goes on after the selected row") << 0 << qs("alpha") << 3;
        QTest::newRow("wraps round to rows before the selection") << 3 << qs("alpha") << 0;
        QTest::newRow("selected row is not found again") << 2 << qs("gamma") << -1;
        QTest::newRow("column 1 is not searched") << -1 << qs("zeta") << -1;
        QTest::newRow("empty text without search all") << 1 << QString() << -1;
    }
    void searchNext()
    {
        QFETCH(int, selected);
        QFETCH(QString, text);
        QFETCH(int, found);
        QSignalSpy autoscroll(search, &GenericViewSearch::stopAutoscroll);
        QSignalSpy declaredOnly(search, &GenericViewSearch::sigSearchResult);
        if (selected >= 0)
            table->selectRow(selected);
        search->searchSingleOccurrence(text);
        QCOMPARE(selectedRows(*table), found < 0 ? QList<int>() : QList<int>{found});
        QCOMPARE(button->styleSheet(), found < 0 ? red : QString());
        QCOMPARE(autoscroll.count(), text.isEmpty() ? 0 : 1);
        QCOMPARE(declaredOnly.count(), 0);
    }

    void emptyTextAfterSearchAllMatchesTheFirstRowExamined()
    {
        search->searchAllOccurrence(qs("alpha"));
        search->searchSingleOccurrence(QString()); // from row 0, the first selected
        QCOMPARE(selectedRows(*table), QList<int>{1});
        search->searchSingleOccurrence(QString()); // that scan forgot the search all
        QVERIFY(selectedRows(*table).isEmpty());
        search->searchAllOccurrence(qs("alpha"));
        table->selectRow(3);
        search->searchSingleOccurrence(QString()); // row 4 has no search text at all
        QCOMPARE(selectedRows(*table), QList<int>{4});
    }

    void searchAll()
    {
        QStringList texts;
        for (int row = 0; row < 200; ++row)
            texts << (row <= 2 || row == 150 ? qs("hit") : qs("miss"));
        fill(model, texts);
        table->selectRow(5);
        edit->setFocus();
        search->searchAllOccurrence(qs("HIT"));
        QCOMPARE(selectedRows(*table), (QList<int>{0, 1, 2, 150}));
        QCOMPARE(table->selectionModel()->selection().size(), 2); // adjacent rows merged
        QVERIFY(table->selectionModel()->isRowSelected(150, {}));
        QCOMPARE(table->verticalScrollBar()->value(), 0);
        QCOMPARE(window->focusWidget(), table);
        QCOMPARE(button->styleSheet(), QString());

        // The same text reuses the hits until the text changes or the search is reset.
        model.appendRow(new QStandardItem);
        model.item(200)->setData(qs("hit"), Role);
        search->searchAllOccurrence(qs("HIT"));
        QCOMPARE(selectedRows(*table).size(), 4);
        search->resetSearch();
        search->searchAllOccurrence(qs("HIT"));
        QCOMPARE(selectedRows(*table).size(), 5);

        search->searchAllOccurrence(qs("nowhere"));
        QVERIFY(selectedRows(*table).isEmpty());
        QCOMPARE(button->styleSheet(), QString());
        search->searchAllOccurrence(QString());
        QCOMPARE(button->styleSheet(), red);
    }

    void searchNextWalksTheHitsOfSearchAll()
    {
        search->searchAllOccurrence(qs("a")); // rows 0, 1, 2, 3, 5
        const QList<int> walk{0, 1, 2, 3, 5};
        for (int row : walk) {
            search->searchSingleOccurrence(qs("a"));
            QCOMPARE(selectedRows(*table), QList<int>{row});
        }
        QCOMPARE(button->styleSheet(), QString());
        search->searchSingleOccurrence(qs("a"));
        QCOMPARE(selectedRows(*table), QList<int>{0});
        QCOMPARE(button->styleSheet(), blue);

        search->searchAllOccurrence(qs("a")); // starts the walk again
        search->searchSingleOccurrence(qs("a"));
        QCOMPARE(selectedRows(*table), QList<int>{0});
        model.removeRows(1, 2); // the next two hits die, row 3 moves to 1
        search->searchSingleOccurrence(qs("a"));
        QCOMPARE(selectedRows(*table), QList<int>{1});

        // A reset kills every hit: search next scans afresh, search all too.
        fill(model, {qs("x"), qs("a")});
        search->searchSingleOccurrence(qs("a"));
        QCOMPARE(selectedRows(*table), QList<int>{1});
        search->searchAllOccurrence(qs("a"));
        fill(model, {qs("a"), qs("a")});
        search->searchAllOccurrence(qs("a"));
        QCOMPARE(selectedRows(*table), (QList<int>{0, 1}));
    }

    void foundIndexAfterRow()
    {
        QVERIFY(!search->foundIndexAfterRow(0).isValid());
        search->searchAllOccurrence(qs("alpha")); // rows 0 and 3
        QCOMPARE(search->foundIndexAfterRow(-1).row(), 0);
        QCOMPARE(search->foundIndexAfterRow(0).row(), 3);
        QCOMPARE(button->styleSheet(), QString());
        QCOMPARE(search->foundIndexAfterRow(3).row(), 0);
        QCOMPARE(button->styleSheet(), blue);
        QTRY_COMPARE(button->styleSheet(), QString());
        search->searchSingleOccurrence(qs("nowhere"));
        QCOMPARE(button->styleSheet(), red);
        QTRY_COMPARE(button->styleSheet(), QString());
    }

    void treeChildren()
    {
        QStandardItemModel tree;
        auto add = [](auto *parent, const char *text) {
            auto *item = new QStandardItem(qs(text));
            item->setData(qs(text), Role);
            parent->appendRow(item);
            return item;
        };
        QStandardItem *one = add(&tree, "one");
        add(one, "x child");
        add(add(one, "y child"), "deep x");
        add(&tree, "two");
        add(&tree, "x three");
        QTreeView view;
        view.setModel(&tree);
        GenericViewSearch treeSearch(&view, nullptr, nullptr, nullptr);
        view.show();
        const QModelIndex xChild = tree.index(0, 0, one->index());

        treeSearch.searchSingleOccurrence(qs("x"));
        QCOMPARE(view.selectionModel()->selectedRows(), QModelIndexList{tree.index(2, 0)});
        QAction *children = treeSearch.getMenuAction(GenericViewSearch::SearchSubElements);
        children->trigger();
        view.clearSelection();
        treeSearch.searchSingleOccurrence(qs("x"));
        QCOMPARE(view.selectionModel()->selectedRows(), QModelIndexList{xChild});
        QVERIFY(view.isExpanded(one->index()));
        treeSearch.searchSingleOccurrence(qs("x")); // on from the child, never into "deep x"
        QCOMPARE(view.selectionModel()->selectedRows(), QModelIndexList{tree.index(2, 0)});
        view.setCurrentIndex(tree.index(0, 0)); // from a top-level row: its children first
        treeSearch.searchSingleOccurrence(qs("child"));
        QCOMPARE(view.selectionModel()->selectedRows(), QModelIndexList{xChild});
        treeSearch.searchAllOccurrence(qs("child"));
        QCOMPARE(view.selectionModel()->selectedRows().size(), 2);
        treeSearch.searchAllOccurrence(qs("deep"));
        QVERIFY(!view.selectionModel()->hasSelection());
    }

    void menuActionsAndLineEdit()
    {
        QAction *next = search->getMenuAction(GenericViewSearch::SearchNext);
        QAction *all = search->getMenuAction(GenericViewSearch::SearchAll);
        QAction *children = search->getMenuAction(GenericViewSearch::SearchSubElements);
        QCOMPARE(QStringList({next->text(), all->text(), children->text()}),
                 QStringList({qs("Search next"), qs("Search all"), qs("Search sub elements")}));
        QCOMPARE(next->shortcut(), QKeySequence(QKeySequence::FindNext));
        QCOMPARE(all->shortcut(), QKeySequence(Qt::Key_F4));
        QVERIFY(children->isCheckable() && !children->isChecked());
        QCOMPARE(next->parent(), search);
        QVERIFY(!search->getMenuAction(GenericViewSearch::ActionType(3)));

        QTest::keyClicks(edit, qs("alpha"));
        all->trigger();
        QCOMPARE(selectedRows(*table), (QList<int>{0, 3}));
        table->selectRow(4);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(selectedRows(*table), QList<int>{0});
        next->trigger();
        QCOMPARE(selectedRows(*table), QList<int>{3});
        QTest::mouseClick(button, Qt::LeftButton); // the tool connects the button, not the search
        QCOMPARE(selectedRows(*table), QList<int>{3});
    }

    void busyDisplay_data()
    {
        QTest::addColumn<int>("pauseAfterAnEarlierSearch");
        QTest::addColumn<int>("stall");
        QTest::addColumn<bool>("shown");
        QTest::newRow("short search") << -1 << 0 << false;
        QTest::newRow("long search") << -1 << 250 << true;
        QTest::newRow("not on the timer of an earlier search") << 190 << 100 << false;
    }
    void busyDisplay()
    {
        QFETCH(int, pauseAfterAnEarlierSearch);
        QFETCH(int, stall);
        QFETCH(bool, shown);
        // Events are processed every 1000 rows: a search that finds row 900 ends before the
        // second time, one that stalls at row 500 is still busy then.
        const int hit = stall ? 4000 : 900;
        ScanModel scan;
        scan.hits[hit] = 1;
        table->setModel(&scan);
        auto *dialog = table->findChild<QProgressDialog *>();
        QVERIFY(dialog && !dialog->isVisible());
        ShowCounter counter;
        dialog->installEventFilter(&counter);
        if (pauseAfterAnEarlierSearch >= 0) {
            search->searchSingleOccurrence(qs("row 1"));
            QTest::qWait(pauseAfterAnEarlierSearch);
        }
        QPoint centreWhileBusy;
        scan.onRead = [&](int row) {
            if (row == 500)
                QThread::msleep(stall);
            if (row == 2500 && dialog->isVisible())
                centreWhileBusy = dialog->geometry().center();
        };
        search->searchSingleOccurrence(qs("hit"));
        QTest::qWait(300);
        QCOMPARE(counter.shown, shown ? 1 : 0);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(selectedRows(*table), QList<int>{hit});
        if (shown) {
            QCOMPARE(dialog->labelText(), qs("Searching..."));
            const QPoint viewCentre = table->mapToGlobal(table->rect().center());
            QVERIFY((centreWhileBusy - viewCentre).manhattanLength() <= 2);
        }
    }

    void requestsDuringAScanAreIgnored()
    {
        ScanModel scan;
        scan.hits[4000] = 1;
        table->setModel(&scan);
        edit->setText(qs("row"));
        QSignalSpy autoscroll(search, &GenericViewSearch::stopAutoscroll);
        scan.onRead = [&](int row) {
            if (row != 500)
                return;
            QCoreApplication::postEvent(edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, {}));
            QMetaObject::invokeMethod(search, &GenericViewSearch::onSearchAll,
                                      Qt::QueuedConnection);
        };
        search->searchSingleOccurrence(qs("hit"));
        QCoreApplication::processEvents();
        QCOMPARE(selectedRows(*table), QList<int>{4000});
        QCOMPARE(autoscroll.count(), 1);
    }

    void changesDuringAScan_data()
    {
        QTest::addColumn<QString>("change");
        for (const char *change :
             {"remove", "insert", "reset", "delete model", "delete view", "delete search"})
            QTest::newRow(change) << qs(change);
    }
    void changesDuringAScan()
    {
        QFETCH(QString, change);
        QPointer<ScanModel> scan = new ScanModel;
        scan->hits[100] = scan->hits[2500] = scan->hits[4900] = 1;
        QPointer<QTableView> view = table;
        QPointer<GenericViewSearch> victim = search;
        table->setModel(scan);
        scan->onRead = [&](int row) {
            if (row != 1500)
                return;
            QTimer::singleShot(0, [&] {
                if (change == QLatin1String("delete model"))
                    delete scan;
                else if (change == QLatin1String("delete view"))
                    delete view;
                else if (change == QLatin1String("delete search"))
                    delete victim;
                else
                    scan->change(qPrintable(change));
            });
        };
        search->searchAllOccurrence(qs("hit"));
        if (view && scan && victim) {
            const QModelIndexList rows = view->selectionModel()->selectedRows();
            QVERIFY(!rows.isEmpty());
            for (const QModelIndex &index : rows)
                QVERIFY(index.data(Role).toString().startsWith(QLatin1String("hit")));
            victim->searchSingleOccurrence(qs("hit")); // walks live hits only
            QVERIFY(view->selectionModel()->selectedRows().value(0).data(Role).isValid());
        }
        delete scan;
    }

    void matchingEqualsCaseInsensitiveIndexOf_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("row");
        // Characters beyond ASCII that fold into it, or that fold at all.
        QTest::newRow("KELVIN SIGN folds to k") << qs("k") << qs("\u212A");
        QTest::newRow("LONG S folds to s") << qs("S") << qs("mea\u017Fure");
        QTest::newRow("umlauts fold") << qs("\u00C4RGER") << qs("\u00E4rger");
        QTest::newRow("Deseret letters fold in pairs") << qs("\U00010400") << qs("x\U00010428");
        QTest::newRow("no partial match at the end") << qs("abc") << qs("xxab");
        QTest::newRow("repeated prefix") << qs("aab") << qs("aaab");
        QTest::newRow("surrogate does not fold to ASCII") << qs("x") << qs("\U00010428");
    }
    void matchingEqualsCaseInsensitiveIndexOf()
    {
        QFETCH(QString, text);
        QFETCH(QString, row);
        fill(model, {row});
        search->searchAllOccurrence(text);
        QCOMPARE(selectedRows(*table).size(),
                 row.indexOf(text, 0, Qt::CaseInsensitive) == -1 ? 0 : 1);
    }
};

QTEST_MAIN(TestGenericViewSearch)
#include "tst_genericviewsearch.moc"

// Not covered: the progress percentage of showProgressBar(true, true, n), which no search uses.
