#include "commissioningsettings.h"

#include <ZezuzuDOD/guihelper.h>

#include <QVariant>

#include <iterator>

namespace {

const QString rememberedGroup = QStringLiteral("Commissioning");

// The command-line options of the commissioning values, with their keys in the group.
struct Option
{
    QLatin1String name;
    QLatin1String key;
};
const Option options[] = {
    {QLatin1String("--node-id"), QLatin1String("NodeId")},
    {QLatin1String("--baudrate"), QLatin1String("BaudRate")},
    {QLatin1String("--net-number"), QLatin1String("NetNumber")},
    {QLatin1String("--network-name"), QLatin1String("NetworkName")},
    {QLatin1String("--node-name"), QLatin1String("NodeName")},
};

// The value of an option in either form; the last one counts, as for the job's parser. Null
// when the command line does not give it.
QString optionValue(const QStringList &arguments, const QLatin1String &option)
{
    QString value;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            break;
        if (argument == option && i + 1 < arguments.size())
            value = arguments.at(++i);
        else if (argument.startsWith(option + QLatin1Char('=')))
            value = argument.mid(option.size() + 1);
    }
    return value;
}

} // namespace

QVector<int> CommissioningSettings::baudRates()
{
    return {10, 20, 50, 125, 250, 500, 800, 1000};
}

QStringList CommissioningSettings::arguments() const
{
    const QString values[] = {QString::number(nodeId), QString::number(baudRate),
                              QString::number(netNumber), networkName, nodeName};
    QStringList result;
    for (int i = 0; i < int(std::size(options)); ++i)
        result << options[i].name << values[i];
    return result;
}

QStringList CommissioningSettings::withRememberedValues(QStringList arguments)
{
    for (const Option &option : options) {
        if (!optionValue(arguments, option.name).isNull())
            continue;
        const QVariant last = GuiHelper::restoreSetting(rememberedGroup, option.key);
        // In one word and before any "--" that ends the options.
        if (last.isValid())
            arguments.insert(1, option.name + QLatin1Char('=') + last.toString());
    }
    return arguments;
}

void CommissioningSettings::rememberValues(const QStringList &arguments)
{
    for (const Option &option : options) {
        const QString value = optionValue(arguments, option.name);
        if (!value.isNull())
            GuiHelper::saveSetting(rememberedGroup, option.key, value);
    }
}
