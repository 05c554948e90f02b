#include "commissioningsettings.h"

QVector<int> CommissioningSettings::baudRates()
{
    return {10, 20, 50, 125, 250, 500, 800, 1000};
}
