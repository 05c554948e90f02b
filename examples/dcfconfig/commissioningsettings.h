#pragma once

#include <QString>
#include <QVector>

/** The commissioning values that the tool writes into every DCF, kept between runs in the
 *  group "Commissioning" of the tool's default settings store (or of an INI file, if given). */
struct CommissioningSettings
{
    int nodeId = 1;     ///< 1 to 127
    int baudRate = 125; ///< kbit/s, one of baudRates()
    QString networkName;
    QString nodeName;

    /** The stored values; a value that is missing or out of range keeps its default. */
    static CommissioningSettings load(const QString &iniFile = QString());
    /** Stores the values; failures of the store are silent. */
    void save(const QString &iniFile = QString()) const;

    /** The CANopen bit rates in kbit/s that the tool offers. */
    static QVector<int> baudRates();
};
