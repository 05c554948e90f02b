#include "hexdecbitlimitdelegate.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QToolTip>

#include <optional>

namespace {

constexpr int BitsRole = Qt::UserRole + 1;
constexpr int MaximumRole = Qt::UserRole + 2;
constexpr int widestLimit = 0x7FFFFFFF;

// Deriving a red palette and a bold font per cell detaches both, and the new font has to look
// up its font engine again: that made painting a table of out-of-range cells a quarter slower.
// Views paint all cells with the same palette and font, so the derived pair is kept for the
// pair it was made from. It is dropped with the application object, before the fonts go.
struct OutOfRangeLook
{
    // Empty until first derived: a default palette or font may well be the one a view uses.
    std::optional<QPalette> basePalette;
    QPalette palette;
    std::optional<QFont> baseFont;
    QFont font;
};

OutOfRangeLook *cachedLook = nullptr;

void dropCachedLook()
{
    delete cachedLook;
    cachedLook = nullptr;
}

void applyOutOfRangeLook(QStyleOptionViewItem &option)
{
    if (!cachedLook) {
        cachedLook = new OutOfRangeLook;
        qAddPostRoutine(dropCachedLook);
    }
    OutOfRangeLook &look = *cachedLook;
    // Copies share their data but not the resolve mask, nor the palette's current group.
    if (!look.basePalette || !option.palette.isCopyOf(*look.basePalette)
        || option.palette.resolve() != look.basePalette->resolve()) {
        look.basePalette = option.palette;
        look.palette = option.palette;
        look.palette.setBrush(QPalette::All, QPalette::Text, QBrush(Qt::red));
    }
    if (!look.baseFont || !option.font.isCopyOf(*look.baseFont)
        || option.font.resolve() != look.baseFont->resolve()) {
        look.baseFont = option.font;
        look.font = option.font;
        look.font.setWeight(QFont::Bold);
    }
    const QPalette::ColorGroup group = option.palette.currentColorGroup();
    option.palette = look.palette;
    option.palette.setCurrentColorGroup(group);
    option.font = look.font;
}

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
    applyOutOfRangeLook(outOfRange);
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
