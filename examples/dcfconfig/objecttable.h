#pragma once

#include "devicedescription.h"

#include <QStringList>
#include <QTableWidget>
#include <QVector>

class HexDecBitLimitDelegate;
class QStyledItemDelegate;
class TextOverlay;

/** The object dictionary of the opened device file, one row per entry: index, sub-index, name,
 *  data type, access and value. Values of writable entries can be edited; numeric ones are
 *  limited to their data type's bit width by a HexDecBitLimitDelegate, which paints values out of
 *  range in bold red. While the table is empty, a hint asks for a dropped device file.
 *
 *  Column 0 supplies GenericViewSearch's search text ("1018sub1 Vendor-ID UNSIGNED32"). */
class ObjectTable : public QTableWidget
{
    Q_OBJECT
public:
    enum Column {
        IndexColumn,
        SubIndexColumn,
        NameColumn,
        DataTypeColumn,
        AccessColumn,
        ValueColumn,
        ColumnCount
    };

    explicit ObjectTable(QWidget *parent = nullptr);
    ~ObjectTable() override;

    /** Replaces the rows by \a entries; an empty list shows the drop hint again. */
    void setEntries(const QVector<ObjectEntry> &entries);
    /** Puts \a value into the value cell of the entry, as typing it would; false when the table
     *  has no such entry. */
    bool setValue(unsigned short index, unsigned char subIndex, const QString &value);
    /** The value cell of the entry, or null when the table has no such entry. */
    QTableWidgetItem *valueItem(unsigned short index, unsigned char subIndex) const;
    /** "INDEX:SUB=VALUE" (index in hexadecimal) for each writable entry whose value differs
     *  from its default, in table order: what a DCF is to configure. */
    QStringList configuredValues() const;
    /** Whether every numeric value fits its data type. */
    bool valuesValid() const;
    /** The delegate of the value column, for its validity reports. */
    HexDecBitLimitDelegate *valueDelegate() const { return m_valueDelegate; }

protected:
    /** \reimp */
    bool viewportEvent(QEvent *event) override;

private:
    void placeOverlay();

    HexDecBitLimitDelegate *m_valueDelegate;
    // Rows of strings and domains: the bit-limited delegate would check a numeric-looking text
    // against a limit of 0.
    QStyledItemDelegate *m_plainDelegate;
    TextOverlay *m_overlay;
    QVector<ObjectEntry> m_entries;
};
