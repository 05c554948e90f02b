// Paints a 200 x 50 table widget whose cells all hold values above their 8-bit limit, page by
// page as a user scrolling through it sees it, with HexDecBitLimitDelegate (bold red cells)
// against the same table painted with QStyledItemDelegate.

#include <ZezuzuDOD/hexdecbitlimitdelegate.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

constexpr int rows = 200;
constexpr int columns = 50;
constexpr int rounds = 11;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Renders every page of the table once; returns the milliseconds it took.
double paintAllPages(QTableWidget &table, QImage &page)
{
    const int rowsPerPage = std::max(1, table.viewport()->height() / table.rowHeight(0));
    const int columnsPerPage = std::max(1, table.viewport()->width() / table.columnWidth(0));
    QElapsedTimer timer;
    timer.start();
    for (int row = 0; row < rows; row += rowsPerPage) {
        for (int column = 0; column < columns; column += columnsPerPage) {
            table.verticalScrollBar()->setValue(row);
            table.horizontalScrollBar()->setValue(column);
            table.viewport()->render(&page);
        }
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    QCoreApplication::processEvents();
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTableWidget table(rows, columns);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            auto *item = new QTableWidgetItem(
                (row + column) % 2 ? QString::number(256 + row)
                                   : QStringLiteral("0x1%1").arg(column, 2, 16, QLatin1Char('0')));
            item->setData(Qt::UserRole + 1, 8);
            table.setItem(row, column, item);
        }
    }
    auto *ours = new HexDecBitLimitDelegate(&table);
    auto *plain = new QStyledItemDelegate(&table);
    table.resize(800, 600);
    table.show();
    QCoreApplication::processEvents();
    QImage page(table.viewport()->size(), QImage::Format_ARGB32_Premultiplied);

    table.setItemDelegate(ours);
    const bool allOutOfRange = !ours->isValid();
    std::vector<double> oursMs, plainMs;
    for (int round = 0; round < rounds; ++round) {
        table.setItemDelegate(ours);
        oursMs.push_back(paintAllPages(table, page));
        table.setItemDelegate(plain);
        plainMs.push_back(paintAllPages(table, page));
    }
    const double o = median(oursMs), p = median(plainMs);

    QTextStream out(stdout);
    out.setRealNumberNotation(QTextStream::FixedNotation);
    out.setRealNumberPrecision(2);
    out << "views_delegate: " << rows << "x" << columns << " table, every page rendered, median of "
        << rounds << " rounds" << (allOutOfRange ? "" : " (CELLS NOT OUT OF RANGE)") << '\n';
    out << "  paint: ours " << o << " ms, QStyledItemDelegate " << p
        << " ms, ratio = ours / baseline = " << o / p << '\n';
    out.flush();
    return allOutOfRange ? 0 : 1;
}
