#include <ZezuzuDOD/genericviewsearch.h>

#include "testutil.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>

namespace {

constexpr int Role = GenericViewSearch::SearchTextRole;
const QString red = QStringLiteral("QPushButton {background-color: red}");
const QString blue = QStringLiteral("QPushButton {background-color: blue}");

// A model whose data() calls a hook, so that a test can act in the middle of a scan.
class HookedModel : public QStandardItemModel
{
public:
    std::function<void(int)> onRead;
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (onRead && role == Role)
            onRead(index.row());
        return QStandardItemModel::data(index, role);
    }
};

// One row per text, the text in column 0 unless it is "-"; column 1 holds "zeta", which must
// never be found.
void fill(QStandardItemModel &model, const QStringList &texts)
{
    model.clear();
    for (const QString &text : texts) {
        QList<QStandardItem *> row{new QStandardItem, new QStandardItem};
        if (text != QLatin1String("-"))
            row[0]->setData(text, Role);
        row[1]->setData(qs("zeta"), Role);
        model.appendRow(row);
    }
}

// 5000 rows "row <n>", but "hit <n>" for the hit rows.
void fill(QStandardItemModel &model, std::initializer_list<int> hits)
{
    QStringList texts;
    for (int row = 0; row < 5000; ++row)
        texts << qs(std::count(hits.begin(), hits.end(), row) ? "hit %1" : "row %1").arg(row);
    fill(model, texts);
}

QList<int> selectedRows(const QAbstractItemView &view)
{
    QList<int> rows;
    for (const QModelIndex &index : view.selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace

class TestGenericViewSearch : public QObject
{
    Q_OBJECT

    QWidget *window = nullptr;
    QTableView *table = nullptr;
    QLineEdit *edit = nullptr;
    QPushButton *button = nullptr;
    HookedModel model;
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
        model.onRead = nullptr;
        fill(model, qs("Alpha,beta,GAMMA ray,alphabet,-,delta").split(QLatin1Char(',')));
        table->setModel(&model);
        search = new GenericViewSearch(table, edit, button, window);
        window->resize(400, 300);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    void cleanup() { delete window; }

    // Search next goes on after the selected row and round to the rows before it, but never
    // finds the selected row again nor looks into column 1.
    void searchNext()
    {
        const auto next = [&](const char *text) {
            search->searchSingleOccurrence(qs(text));
            return selectedRows(*table);
        };
        QCOMPARE(next("alpha"), QList<int>{0}); // nothing selected: starts at row 0
        QCOMPARE(next("alpha"), QList<int>{3});
        QCOMPARE(next("alpha"), QList<int>{0});
        QCOMPARE(button->styleSheet(), QString());
        table->selectRow(2);
        QCOMPARE(next("gamma"), QList<int>());
        QCOMPARE(button->styleSheet(), red);
        QCOMPARE(next("zeta"), QList<int>());
    }

    // Search all selects every hit and hands the focus to the view; search next then walks the
    // kept hits, which die with their rows.
    void searchAllThenNext()
    {
        fill(model, {0, 1, 2, 150});
        table->selectRow(5);
        QTest::keyClicks(edit, qs("HIT"));
        search->getMenuAction(GenericViewSearch::SearchAll)->trigger();
        QCOMPARE(selectedRows(*table), (QList<int>{0, 1, 2, 150}));
        QCOMPARE(table->selectionModel()->selection().size(), 2); // adjacent rows merged
        QCOMPARE(table->verticalScrollBar()->value(), 0);
        QCOMPARE(window->focusWidget(), table);
        for (int row : {0, 1, 2, 150}) {
            QTest::keyClick(edit, Qt::Key_Return);
            QCOMPARE(selectedRows(*table), QList<int>{row});
        }
        QCOMPARE(button->styleSheet(), QString());
        search->searchSingleOccurrence(qs("HIT")); // round to the first hit, blue for a while
        QCOMPARE(selectedRows(*table), QList<int>{0});
        QCOMPARE(button->styleSheet(), blue);
        QTRY_COMPARE(button->styleSheet(), QString());
        model.removeRows(1, 1); // the next hit dies, row 2 moves to 1
        search->searchSingleOccurrence(qs("HIT"));
        QCOMPARE(selectedRows(*table), QList<int>{1});
        fill(model, {qs("x"), qs("hit")}); // a model reset kills every hit: a fresh scan
        search->searchSingleOccurrence(qs("HIT"));
        QCOMPARE(selectedRows(*table), QList<int>{1});
        search->searchAllOccurrence(QString());
        QCOMPARE(button->styleSheet(), red);
    }

    // Children are searched only with the sub-element action, right after their parent and one
    // level deep; the parent of a hit is expanded.
    void treeChildren()
    {
        QStandardItemModel tree;
        const auto add = [](auto *parent, const char *text) {
            auto *item = new QStandardItem;
            item->setData(qs(text), Role);
            parent->appendRow(item);
            return item;
        };
        QStandardItem *one = add(&tree, "one");
        add(one, "x child");
        add(add(one, "y child"), "deep x");
        add(&tree, "x three");
        QTreeView view;
        view.setModel(&tree);
        GenericViewSearch treeSearch(&view, nullptr, nullptr, nullptr);
        const auto next = [&] {
            treeSearch.searchSingleOccurrence(qs("x"));
            const QModelIndexList rows = view.selectionModel()->selectedRows();
            return rows.size() == 1 ? rows[0].data(Role).toString() : QString();
        };
        QCOMPARE(next(), qs("x three"));
        treeSearch.getMenuAction(GenericViewSearch::SearchSubElements)->trigger();
        view.clearSelection();
        QCOMPARE(next(), qs("x child"));
        QVERIFY(view.isExpanded(one->index()));
        QCOMPARE(next(), qs("x three")); // on from the child, never into "deep x"
        treeSearch.searchAllOccurrence(qs("child"));
        QCOMPARE(view.selectionModel()->selectedRows().size(), 2);
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
        fill(model, {hit});
        auto *dialog = table->findChild<QProgressDialog *>();
        QVERIFY(dialog && !dialog->isVisible());
        if (pauseAfterAnEarlierSearch >= 0) {
            search->searchSingleOccurrence(qs("row 1"));
            QTest::qWait(pauseAfterAnEarlierSearch);
        }
        bool shownWhileBusy = false;
        model.onRead = [&](int row) {
            if (row == 500)
                QThread::msleep(stall);
            shownWhileBusy = shownWhileBusy || dialog->isVisible();
        };
        search->searchSingleOccurrence(qs("hit"));
        QTest::qWait(300);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(selectedRows(*table), QList<int>{hit});
        QCOMPARE(shownWhileBusy, shown);
    }

    void changesDuringAScan_data()
    {
        QTest::addColumn<QString>("change");
        for (const char *change : {"second request", "remove rows", "reset", "delete model",
                                   "delete view", "delete search"})
            QTest::newRow(change) << qs(change);
    }
    void changesDuringAScan()
    {
        QFETCH(QString, change);
        QPointer<HookedModel> scan = new HookedModel;
        fill(*scan, {100, 2500, 4900});
        QPointer<QObject> view = table, victim = search;
        table->setModel(scan);
        QSignalSpy autoscroll(search, &GenericViewSearch::stopAutoscroll);
        const QPointer<QProgressDialog> busy = table->findChild<QProgressDialog *>();
        const auto is = [&](const char *name) {
            return change == QLatin1String(name);
        };
        scan->onRead = [&](int row) {
            if (row == 500) // the busy display is shown at the event processing of row 1000
                QThread::msleep(250);
            if (row == 1500) // acts at the event processing of row 2000
                QTimer::singleShot(0, [&] {
                    if (is("second request")) {
                        QTest::keyClick(edit, Qt::Key_Return);
                        search->onSearchAll();
                    } else if (is("remove rows")) {
                        scan->removeRows(0, 1000);
                    } else if (is("reset")) {
                        fill(*scan, {100, 2500, 4900});
                    } else {
                        delete (is("delete model")  ? scan.data()
                                : is("delete view") ? view
                                                    : victim);
                    }
                });
        };
        search->searchAllOccurrence(qs("hit"));
        // A busy display left behind is window modal: the window would take no input any more.
        QVERIFY(!busy || !busy->isVisible());
        if (view && scan && victim) {
            QCOMPARE(autoscroll.count(), 1);
            const QModelIndexList rows = table->selectionModel()->selectedRows();
            QCOMPARE(rows.size(), is("second request") ? 3 : is("remove rows") ? 1 : 2);
            for (const QModelIndex &index : rows)
                QVERIFY(index.data(Role).toString().startsWith(QLatin1String("hit")));
        }
        delete scan;
    }
};

QTEST_MAIN(TestGenericViewSearch)
#include "tst_genericviewsearch.moc"

// Not covered: the progress percentage of showProgressBar(true, true, n), which no search uses;
// the matcher's answers for all kinds of text, which the views_matcher fuzzer compares with
// QString::indexOf; search all reusing the kept hits; an empty text after a search all.
