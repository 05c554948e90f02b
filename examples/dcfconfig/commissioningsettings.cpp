#include "commissioningsettings.h"

#include <ZezuzuDOD/guihelper.h>

namespace {

QString group()
{
    return QStringLiteral("Commissioning");
}

// A stored number that does not read as one, or lies outside the range, leaves the default.
void loadNumber(const QString &iniFile, const QString &key, int min, int max, int &value)
{
    bool ok = false;
    const int stored = GuiHelper::restoreSetting(group(), key, iniFile).toInt(&ok);
    if (ok && stored >= min && stored <= max)
        value = stored;
}

} // namespace

CommissioningSettings CommissioningSettings::load(const QString &iniFile)
{
    CommissioningSettings s;
    loadNumber(iniFile, QStringLiteral("NodeId"), 1, 127, s.nodeId);
    int rate = s.baudRate;
    loadNumber(iniFile, QStringLiteral("BaudRate"), 0, 1000, rate);
    if (baudRates().contains(rate))
        s.baudRate = rate;
    s.networkName
        = GuiHelper::restoreSetting(group(), QStringLiteral("NetworkName"), iniFile).toString();
    s.nodeName = GuiHelper::restoreSetting(group(), QStringLiteral("NodeName"), iniFile).toString();
    return s;
}

void CommissioningSettings::save(const QString &iniFile) const
{
    GuiHelper::saveSetting(group(), QStringLiteral("NodeId"), nodeId, iniFile);
    GuiHelper::saveSetting(group(), QStringLiteral("BaudRate"), baudRate, iniFile);
    GuiHelper::saveSetting(group(), QStringLiteral("NetworkName"), networkName, iniFile);
    GuiHelper::saveSetting(group(), QStringLiteral("NodeName"), nodeName, iniFile);
}

QVector<int> CommissioningSettings::baudRates()
{
    return {10, 20, 50, 125, 250, 500, 800, 1000};
}
