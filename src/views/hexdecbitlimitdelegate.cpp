#include "hexdecbitlimitdelegate.h"

#include <QHelpEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QToolTip>

namespace {

constexpr int BitsRole = Qt::UserRole + 1;
constexpr int MaximumRole = Qt::UserRole + 2;
constexpr int widestLimit = 0x7FFFFFFF;

// A text that does not convert counts as 0.
int toValue(const QVariant &text)
{
    return text.toString().toInt(nullptr, 0);
}

} // namespace

HexDecBitLimitDelegate::HexDecBitLimitDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{}

HexDecBitLimitDelegate::~HexDecBitLimitDelegate() = default;

void HexDecBitLimitDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                   const QModelIndex &index) const
{
    if (isIndexValid(index)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem outOfRange(option);
    outOfRange.palette.setBrush(QPalette::All, QPalette::Text, QBrush(Qt::red));
    outOfRange.font.setWeight(QFont::Bold);
    QStyledItemDelegate::paint(painter, outOfRange, index);
}

QWidget *HexDecBitLimitDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                              const QModelIndex &) const
{
    auto *editor = new QLineEdit(parent);
    editor->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("^(0x[0-9a-fA-F]+|[0-9]+)$")), editor));
    return editor;
}

void HexDecBitLimitDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *lineEdit = qobject_cast<QLineEdit *>(editor);
    if (!lineEdit)
        return;
    const QString text = index.data(Qt::EditRole).toString();
    lineEdit->setText(text);
    bool ok = false;
    const int value = text.toInt(&ok, 0);
    if (ok)
        checkAndEmitValidity(index, value);
}

bool HexDecBitLimitDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                                       const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (!event || event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const int bits = index.data(BitsRole).toInt();
    const int limit = getMax(index);
    if (limit < 1)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QString text = QStringLiteral("Max Value: %1 / 0x%2").arg(limit).arg(limit, 0, 16);
    if (bits > 0)
        text += QStringLiteral(" - %1 Bits").arg(bits);
    QToolTip::showText(event->globalPos(), text, view);
    return true;
}

int HexDecBitLimitDelegate::getMax(const QModelIndex &index) const
{
    const int bits = index.data(BitsRole).toInt();
    if (bits > 30)
        return widestLimit;
    return std::max(index.data(MaximumRole).toInt(), calculateMaxValue(bits));
}

int HexDecBitLimitDelegate::calculateMaxValue(int bits) const
{
    if (bits <= 0)
        return 0;
    if (bits > 30)
        return widestLimit;
    return (1 << bits) - 1;
}

bool HexDecBitLimitDelegate::isIndexValid(const QModelIndex &index) const
{
    return toValue(index.data(Qt::DisplayRole)) <= getMax(index);
}

bool HexDecBitLimitDelegate::isValid() const
{
    const auto *table = qobject_cast<const QTableWidget *>(parent());
    if (!table)
        return true;
    const QAbstractItemModel *model = table->model();
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            const QModelIndex index = model->index(row, column);
            if (table->itemDelegate(index) == this && !isIndexValid(index))
                return false;
        }
    }
    return true;
}

void HexDecBitLimitDelegate::checkAndEmitValidity(const QModelIndex &index, int value) const
{
    if (const auto *table = qobject_cast<const QTableWidget *>(parent()))
        emit sigValidityChanged(table->item(index.row(), index.column()), value <= getMax(index));
}
