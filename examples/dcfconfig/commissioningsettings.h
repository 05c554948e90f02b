#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

/** The commissioning values that the window hands to the tool's job. The job's command line
 *  carries them, and the values of each successful run are kept for the next one. */
struct CommissioningSettings
{
    int nodeId = 1;     ///< 1 to 127
    int baudRate = 125; ///< kbit/s, one of baudRates()
    int netNumber = 1;  ///< 0 to 255
    QString networkName;
    QString nodeName;

    /** The CANopen bit rates in kbit/s that the tool offers. */
    static QVector<int> baudRates();

    /** The job's options for these values, every one of them. */
    QStringList arguments() const;

    /** The command line with each commissioning value that it leaves out (in either form,
     *  "--node-id 5" or "--node-id=5") taken from the last run that gave it. */
    static QStringList withRememberedValues(QStringList arguments);
    /** Keeps the commissioning values that the command line gives for later runs. */
    static void rememberValues(const QStringList &arguments);
};
