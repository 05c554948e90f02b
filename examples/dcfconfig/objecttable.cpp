#include "objecttable.h"

#include <ZezuzuDOD/genericviewsearch.h>
#include <ZezuzuDOD/hexdecbitlimitdelegate.h>
#include <ZezuzuDOD/textoverlay.h>

#include <QEvent>
#include <QHeaderView>
#include <QStyledItemDelegate>

namespace {

// The model role under which HexDecBitLimitDelegate reads a cell's bit width.
constexpr int BitsRole = Qt::UserRole + 1;

QTableWidgetItem *readOnlyItem(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

ObjectTable::ObjectTable(QWidget *parent)
    : QTableWidget(0, ColumnCount, parent)
    , m_valueDelegate(new HexDecBitLimitDelegate(this)) // the table as parent: validity checks
    , m_plainDelegate(new QStyledItemDelegate(this))
    , m_overlay(new TextOverlay(tr("Drop an EDS file here"), viewport()))
{
    setHorizontalHeaderLabels(
        {tr("Index"), tr("Sub-index"), tr("Name"), tr("Data type"), tr("Access"), tr("Value")});
    setItemDelegateForColumn(ValueColumn, m_valueDelegate);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    // Hundreds of cells would stand between the search line and the Write button: Tab leaves
    // the table, the arrow keys move within it.
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    // Device files have hundreds of entries: rows as tight as their text allows.
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    // Drops belong to the window, which opens the file.
    setAcceptDrops(false);
    viewport()->setAcceptDrops(false);
}

ObjectTable::~ObjectTable() = default;

void ObjectTable::setEntries(const QVector<ObjectEntry> &entries)
{
    for (int row = 0; row < rowCount(); ++row)
        setItemDelegateForRow(row, nullptr);
    m_entries = entries;
    setRowCount(entries.size());
    for (int row = 0; row < entries.size(); ++row) {
        const ObjectEntry &entry = entries.at(row);
        const QString type = DeviceDescription::dataTypeName(entry.dataType);
        auto *index = readOnlyItem(QLatin1String("0x") + entry.indexText());
        const QString searchText
            = entry.sectionName() + QLatin1Char(' ') + entry.name + QLatin1Char(' ') + type;
        index->setData(GenericViewSearch::SearchTextRole, searchText);
        setItem(row, IndexColumn, index);
        setItem(row, SubIndexColumn, readOnlyItem(QString::number(entry.subIndex)));
        setItem(row, NameColumn, readOnlyItem(entry.name));
        setItem(row, DataTypeColumn, readOnlyItem(type));
        setItem(row, AccessColumn, readOnlyItem(entry.accessType));

        auto *value
            = entry.isWritable() ? new QTableWidgetItem(entry.value) : readOnlyItem(entry.value);
        const int bits = DeviceDescription::dataTypeBits(entry.dataType);
        if (bits > 0)
            value->setData(BitsRole, bits);
        else
            setItemDelegateForRow(row, m_plainDelegate);
        setItem(row, ValueColumn, value);
    }
    resizeColumnsToContents();
    horizontalHeader()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    m_overlay->setVisible(entries.isEmpty());
}

bool ObjectTable::setValue(unsigned short index, unsigned char subIndex, const QString &value)
{
    QTableWidgetItem *cell = valueItem(index, subIndex);
    if (cell)
        cell->setText(value);
    return cell;
}

QTableWidgetItem *ObjectTable::valueItem(unsigned short index, unsigned char subIndex) const
{
    for (int row = 0; row < m_entries.size(); ++row) {
        if (m_entries.at(row).index == index && m_entries.at(row).subIndex == subIndex)
            return item(row, ValueColumn);
    }
    return nullptr;
}

QStringList ObjectTable::configuredValues() const
{
    QStringList values;
    for (int row = 0; row < m_entries.size(); ++row) {
        const ObjectEntry &entry = m_entries.at(row);
        const QString value = item(row, ValueColumn)->text().trimmed();
        if (entry.isWritable() && value != entry.defaultValue)
            values << entry.indexText() + QLatin1Char(':') + QString::number(entry.subIndex)
                          + QLatin1Char('=') + value;
    }
    return values;
}

bool ObjectTable::valuesValid() const
{
    return m_valueDelegate->isValid();
}

bool ObjectTable::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Resize)
        placeOverlay();
    return QTableWidget::viewportEvent(event);
}

// The overlay does not follow its parent; the text rectangle first, so that the resize that
// follows fits the font to it.
void ObjectTable::placeOverlay()
{
    const QRect area = viewport()->rect();
    m_overlay->setCoords(QPoint(0, 0), QPoint(area.width() - 1, area.height() - 1));
    m_overlay->setGeometry(area);
}
