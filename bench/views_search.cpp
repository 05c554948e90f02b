// GenericViewSearch on a flat model of 1,000,000 rows in a shown 800 x 600 table view.
//
// Search all, 10,000 scattered hits, from the call until the result is painted, against
// QAbstractItemModel::match() with Qt::MatchContains over the same model, building the merged
// QItemSelection of the hit rows, selecting it once and the same paint.
// Search next, the only hit in the last row, against a plain loop that reads the search text
// role of every row.

#include <ZezuzuDOD/genericviewsearch.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QTableView>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

constexpr int rowCount = 1000000;
constexpr int columnCount = 3;
constexpr int hitCount = 10000;
constexpr int rounds = 5;

// Texts come from a small pool, so that reading a row costs what a model that keeps its texts
// costs, and the search itself is what is measured.
class BenchModel : public QAbstractTableModel
{
public:
    explicit BenchModel(std::vector<char> hits)
        : m_hits(std::move(hits))
    {
        for (int i = 0; i < 97; ++i)
            m_pool << QStringLiteral("Object 0x%1 sub %2 value").arg(0x1000 + i, 0, 16).arg(i % 7);
    }
    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_hits.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : ::columnCount;
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == GenericViewSearch::SearchTextRole && index.column() == 0)
            return m_hits[index.row()] ? m_hitText : m_pool[index.row() % 97];
        if (role == Qt::DisplayRole)
            return m_pool[(index.row() + index.column()) % 97];
        return {};
    }

private:
    std::vector<char> m_hits;
    QStringList m_pool;
    QString m_hitText = QStringLiteral("Object 0x2000 sub 1 Needle");
};

const QString needle = QStringLiteral("needle");

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int selectedRowCount(const QTableView &view)
{
    int count = 0;
    for (const QItemSelectionRange &range : view.selectionModel()->selection())
        count += range.height();
    return count;
}

// Counts the viewport's paint events, so that a run can tell that the result was painted.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// Delivers the pending update requests; true if the viewport was painted.
bool paint(const PaintCounter &counter)
{
    const int before = counter.paints;
    QCoreApplication::processEvents();
    return counter.paints > before;
}

void matchAndSelect(QTableView &view)
{
    QAbstractItemModel *model = view.model();
    const QModelIndexList hits = model->match(model->index(0, 0), GenericViewSearch::SearchTextRole,
                                              needle, -1, Qt::MatchContains);
    QItemSelection selection;
    for (int i = 0; i < hits.size();) {
        int last = i;
        while (last + 1 < hits.size() && hits[last + 1].row() == hits[last].row() + 1)
            ++last;
        selection.append(QItemSelectionRange(model->index(hits[i].row(), 0),
                                             model->index(hits[last].row(), columnCount - 1)));
        i = last + 1;
    }
    view.selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::vector<char> scattered(rowCount);
    for (int k = 0; k < hitCount; ++k)
        scattered[k * (rowCount / hitCount) + (k * 37) % (rowCount / hitCount)] = 1;
    std::vector<char> last(rowCount);
    last.back() = 1;
    BenchModel allModel(std::move(scattered));
    BenchModel nextModel(std::move(last));

    PaintCounter paintCounter;
    QTableView view;
    view.resize(800, 600);
    view.setModel(&allModel);
    view.viewport()->installEventFilter(&paintCounter);
    view.show();
    paint(paintCounter);
    GenericViewSearch search(&view, nullptr, nullptr);

    bool same = true;
    std::vector<double> ours, baseline;
    QElapsedTimer timer;
    for (int round = 0; round < rounds; ++round) {
        search.resetSearch();
        view.clearSelection();
        paint(paintCounter);
        timer.start();
        search.searchAllOccurrence(needle);
        same = paint(paintCounter) && same;
        ours.push_back(timer.nsecsElapsed() / 1e6);
        same = same && selectedRowCount(view) == hitCount;

        view.clearSelection();
        paint(paintCounter);
        timer.start();
        matchAndSelect(view);
        same = paint(paintCounter) && same;
        baseline.push_back(timer.nsecsElapsed() / 1e6);
        same = same && selectedRowCount(view) == hitCount;
    }
    const double allOurs = median(ours), allBaseline = median(baseline);

    view.setModel(&nextModel);
    paint(paintCounter);
    ours.clear();
    baseline.clear();
    int sink = 0;
    for (int round = 0; round < 2 * rounds + 1; ++round) {
        search.resetSearch();
        view.clearSelection();
        timer.start();
        search.searchSingleOccurrence(needle);
        ours.push_back(timer.nsecsElapsed() / 1e6);
        same = same && view.selectionModel()->isRowSelected(rowCount - 1, {});

        // Through the model interface, as any code that works on a view's model reads it.
        const QAbstractItemModel *model = view.model();
        timer.start();
        for (int row = 0; row < rowCount; ++row)
            sink += model->data(model->index(row, 0), GenericViewSearch::SearchTextRole).isValid();
        baseline.push_back(timer.nsecsElapsed() / 1e6);
    }
    const double nextOurs = median(ours), nextBaseline = median(baseline);

    QTextStream out(stdout);
    out.setRealNumberNotation(QTextStream::FixedNotation);
    out.setRealNumberPrecision(2);
    out << "views_search: " << rowCount << " rows in an 800x600 table view, median of " << rounds
        << " (search all) and " << 2 * rounds + 1 << " (search next) rounds"
        << (same && sink > 0 ? "" : " (RESULTS DIFFER)") << '\n';
    out << "  search all, " << hitCount << " hits, until painted: ours " << allOurs
        << " ms, match() + one select " << allBaseline
        << " ms, ratio = ours / baseline = " << allOurs / allBaseline << '\n';
    out << "  search next, hit in the last row: ours " << nextOurs << " ms, reading every row "
        << nextBaseline << " ms, ratio = ours / baseline = " << nextOurs / nextBaseline << '\n';
    out.flush();
    return same ? 0 : 1;
}
