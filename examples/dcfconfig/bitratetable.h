#pragma once

#include <QTableWidget>
#include <QVector>

/** One row of check marks: which CANopen bit rates the opened device supports, labelled in
 *  kbit/s. The columns are narrow, so under QuelmAppStyle their labels are drawn upwards. The table
 * only shows; it takes neither focus nor input. */
class BitRateTable : public QTableWidget
{
    Q_OBJECT
public:
    explicit BitRateTable(QWidget *parent = nullptr);
    ~BitRateTable() override;

    /** Checks the columns of \a rates (kbit/s) and clears the others. */
    void setSupportedRates(const QVector<int> &rates);
    /** Whether the device supports \a rate; true while no device is known. */
    bool supports(int rate) const;

private:
    QVector<int> m_supported;
    bool m_known = false;
};
