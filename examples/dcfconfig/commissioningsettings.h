#pragma once

#include <QString>
#include <QVector>

/** The commissioning values that the window hands to the tool's job. The job's command line
 *  carries them; main.cpp keeps them between runs. */
struct CommissioningSettings
{
    int nodeId = 1;     ///< 1 to 127
    int baudRate = 125; ///< kbit/s, one of baudRates()
    QString networkName;
    QString nodeName;

    /** The CANopen bit rates in kbit/s that the tool offers. */
    static QVector<int> baudRates();
};
