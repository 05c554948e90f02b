#include "bitratetable.h"

#include "commissioningsettings.h"

#include <ZezuzuDOD/quelmappstyle.h>

#include <QApplication>
#include <QHeaderView>

namespace {

// The role under which QuelmAppStyle looks for Qt::AlignHCenter to centre a check box.
constexpr int CheckAlignmentRole = Qt::UserRole + 250;

} // namespace

BitRateTable::BitRateTable(QWidget *parent)
    : QTableWidget(parent)
{
    const QVector<int> rates = CommissioningSettings::baudRates();
    setRowCount(1);
    setColumnCount(rates.size());
    QStringList labels;
    for (int rate : rates)
        labels << QString::number(rate);
    setHorizontalHeaderLabels(labels);
    verticalHeader()->hide();
    setFocusPolicy(Qt::NoFocus);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    QHeaderView *header = horizontalHeader();
    if (auto *style = qobject_cast<QuelmAppStyle *>(QApplication::style())) {
        style->setRotatedLabelHeader(header);
        header->setFixedHeight(fontMetrics().horizontalAdvance(labels.constLast()) + 12);
    }
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setDefaultSectionSize(fontMetrics().height() + 12);
    for (int column = 0; column < rates.size(); ++column) {
        auto *item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled);
        item->setData(CheckAlignmentRole, int(Qt::AlignHCenter));
        item->setCheckState(Qt::Unchecked);
        setItem(0, column, item);
    }
    setFixedSize(header->length() + 2 * frameWidth(),
                 header->height() + rowHeight(0) + 2 * frameWidth());
}

BitRateTable::~BitRateTable() = default;

void BitRateTable::setSupportedRates(const QVector<int> &rates)
{
    m_supported = rates;
    m_known = true;
    const QVector<int> all = CommissioningSettings::baudRates();
    for (int column = 0; column < all.size(); ++column) {
        const bool supported = rates.contains(all.at(column));
        const QString tip = supported ? tr("%1 kbit/s: supported by the device")
                                      : tr("%1 kbit/s: not supported by the device");
        item(0, column)->setCheckState(supported ? Qt::Checked : Qt::Unchecked);
        item(0, column)->setToolTip(tip.arg(all.at(column)));
    }
}

bool BitRateTable::supports(int rate) const
{
    return !m_known || m_supported.contains(rate);
}
