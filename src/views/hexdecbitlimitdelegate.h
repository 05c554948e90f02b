#pragma once

#include "zezuzudod_export.h"

#include <QStyledItemDelegate>

class QTableWidgetItem;

/** An item delegate for cells of non-negative integers typed in decimal or as "0x" and
 *  hexadecimal digits, each cell limited to what fits into a number of bits.
 *
 *  The limits come from the model, per cell: the bit width under Qt::UserRole + 1 and an
 *  explicit maximum under Qt::UserRole + 2 (both 0 when missing). The limit is the larger of the
 *  explicit maximum and the largest value of the bit width, and 0x7FFFFFFF for every width above
 *  30 bits. A cell's Qt::DisplayRole text is read as QString::toInt() in base 0 reads it ("0x"
 *  or "0X" hexadecimal, a leading "0" octal, else decimal); a text that does not convert (also
 *  one beyond the range of a 32-bit signed integer) counts as 0, so it is always within limit.
 *
 *  Cells above their limit are painted in bold red, the limit is the cell's tool tip, and the
 *  editor accepts only decimal digits or "0x" with hexadecimal digits (it does not know the
 *  limit, so too large values can be committed and then show in red). When the delegate's parent
 *  is the QTableWidget that uses it, opening an editor reports the cell's validity through
 *  sigValidityChanged(), and isValid() checks every cell painted by this delegate before the
 *  tool uses the values; with any other parent nothing is reported and isValid() is true. */
class ZEZUZUDOD_EXPORT HexDecBitLimitDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    /** Give the QTableWidget that uses the delegate as \a parent for the validity checks. */
    explicit HexDecBitLimitDelegate(QObject *parent = nullptr);
    ~HexDecBitLimitDelegate() override;

    /** Paints the cell as QStyledItemDelegate does, in bold red when it is above its limit. */
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    /** A QLineEdit that accepts "^(0x[0-9a-fA-F]+|[0-9]+)$". */
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    /** Puts the cell's Qt::EditRole text into a QLineEdit editor and reports its validity. */
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    /** Shows "Max Value: <limit> / 0x<limit in hex>", with " - <n> Bits" for a cell with a bit
     *  width, as tool tip; a cell whose limit is below 1 gets the model's own tool tip. */
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

    /** The cell's limit; 0 for an invalid index. */
    int getMax(const QModelIndex &index) const;
    /** The largest value of \a bits bits: 0 up to 0 bits, 0x7FFFFFFF from 31 bits on. */
    int calculateMaxValue(int bits) const;
    /** Whether the cell's displayed value is within its limit. */
    bool isIndexValid(const QModelIndex &index) const;
    /** Whether every cell of the parent table that this delegate paints is within its limit;
     *  true when the parent is not a QTableWidget. */
    bool isValid() const;
    /** Emits sigValidityChanged() with whether \a value is within the cell's limit, when the
     *  parent is a QTableWidget. */
    void checkAndEmitValidity(const QModelIndex &index, int value) const;

signals:
    /** The validity of a cell of the parent table; \a item is null for a cell without item. */
    void sigValidityChanged(QTableWidgetItem *item, bool isValid) const;
};
