#include "devicedescription.h"

#include "commissioningsettings.h"

#include <canopendatatype.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextCodec>

#include <algorithm>

namespace {

// Device files are a few hundred kilobytes at most; anything far larger is not one.
constexpr qint64 MaximumFileSize = 16 * 1024 * 1024;

struct DataType
{
    unsigned short code;
    const char *name;
    int bits;
};

// REAL32 and REAL64 count by their width: the delegate then lets every value of that size pass.
const DataType dataTypes[] = {
    {CAN::BOOLEAN, "BOOLEAN", 1},
    {CAN::INTEGER8, "INTEGER8", 8},
    {CAN::INTEGER16, "INTEGER16", 16},
    {CAN::INTEGER32, "INTEGER32", 32},
    {CAN::UNSIGNED8, "UNSIGNED8", 8},
    {CAN::UNSIGNED16, "UNSIGNED16", 16},
    {CAN::UNSIGNED32, "UNSIGNED32", 32},
    {CAN::REAL32, "REAL32", 32},
    {CAN::VISIBLE_STRING, "VISIBLE_STRING", 0},
    {CAN::OCTET_STRING, "OCTET_STRING", 0},
    {CAN::UNICODE_STRING, "UNICODE_STRING", 0},
    {CAN::TIME_OF_DAY, "TIME_OF_DAY", 0},
    {CAN::TIME_DIFFERENCE, "TIME_DIFFERENCE", 0},
    {CAN::DOMAIN, "DOMAIN", 0},
    {CAN::INTEGER24, "INTEGER24", 24},
    {CAN::REAL64, "REAL64", 64},
    {CAN::INTEGER40, "INTEGER40", 40},
    {CAN::INTEGER48, "INTEGER48", 48},
    {CAN::INTEGER56, "INTEGER56", 56},
    {CAN::INTEGER64, "INTEGER64", 64},
    {CAN::UNSIGNED24, "UNSIGNED24", 24},
    {CAN::UNSIGNED40, "UNSIGNED40", 40},
    {CAN::UNSIGNED48, "UNSIGNED48", 48},
    {CAN::UNSIGNED56, "UNSIGNED56", 56},
    {CAN::UNSIGNED64, "UNSIGNED64", 64},
};

const DataType *findDataType(unsigned short code)
{
    const auto found = std::find_if(std::begin(dataTypes), std::end(dataTypes),
                                    [code](const DataType &type) { return type.code == code; });
    return found == std::end(dataTypes) ? nullptr : found;
}

// Device files are UTF-8 or, from older tools, Latin-1.
QString decode(const QByteArray &bytes)
{
    QTextCodec::ConverterState state;
    const QString text
        = QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0 ? text : QString::fromLatin1(bytes);
}

} // namespace

bool ObjectEntry::isWritable() const
{
    const QString access = accessType.trimmed().toLower();
    return access == QLatin1String("rw") || access == QLatin1String("wo")
           || access == QLatin1String("rww") || access == QLatin1String("rwr");
}

QString ObjectEntry::indexText() const
{
    return QString::number(index, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

QString ObjectEntry::sectionName() const
{
    return indexText() + QLatin1String("sub") + QString::number(subIndex, 16).toUpper();
}

bool DeviceDescription::read(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = tr("%1 cannot be read: %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > MaximumFileSize) {
        *error = tr("%1 is too large for a device file.").arg(path);
        return false;
    }
    DeviceDescription read;
    if (!read.parse(decode(file.readAll()))) {
        *error = tr("%1 holds no object dictionary entries.").arg(path);
        return false;
    }
    *this = read;
    return true;
}

bool DeviceDescription::parse(const QString &text)
{
    Section *section = nullptr;
    const QVector<QStringRef> lines = text.splitRef(QLatin1Char('\n'));
    for (QStringRef line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';'))
            || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = &m_sections[line.mid(1, line.size() - 2).trimmed().toString().toLower()];
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (section && equals > 0)
            section->insert(line.left(equals).trimmed().toString().toLower(),
                            line.mid(equals + 1).trimmed().toString());
    }

    // Records and arrays are listed by their sub-indexes; their own section holds no value.
    static const QRegularExpression entryName(
        QStringLiteral("^([0-9a-f]{4})(?:sub([0-9a-f]{1,2}))?$"));
    QSet<unsigned short> withSubs;
    QVector<ObjectEntry> entries;
    for (auto it = m_sections.cbegin(); it != m_sections.cend(); ++it) {
        const QRegularExpressionMatch match = entryName.match(it.key());
        if (!match.hasMatch())
            continue;
        ObjectEntry entry;
        entry.index = static_cast<unsigned short>(match.capturedRef(1).toUInt(nullptr, 16));
        if (match.lastCapturedIndex() == 2) {
            entry.subIndex = static_cast<unsigned char>(match.capturedRef(2).toUInt(nullptr, 16));
            withSubs.insert(entry.index);
        }
        const Section &keys = it.value();
        entry.name = keys.value(QStringLiteral("parametername"));
        entry.dataType = static_cast<unsigned short>(
            keys.value(QStringLiteral("datatype")).toUInt(nullptr, 0));
        entry.accessType = keys.value(QStringLiteral("accesstype"));
        entry.defaultValue = keys.value(QStringLiteral("defaultvalue"));
        entry.value = keys.value(QStringLiteral("parametervalue"), entry.defaultValue);
        entries.append(entry);
    }
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&withSubs](const ObjectEntry &entry) {
                                     return entry.dataType == 0 && withSubs.contains(entry.index);
                                 }),
                  entries.end());
    std::sort(entries.begin(), entries.end(), [](const ObjectEntry &a, const ObjectEntry &b) {
        return a.index != b.index ? a.index < b.index : a.subIndex < b.subIndex;
    });
    m_entries = entries;
    return !m_entries.isEmpty();
}

QString DeviceDescription::value(const QString &section, const QString &key) const
{
    return m_sections.value(section.toLower()).value(key.toLower());
}

QString DeviceDescription::productName() const
{
    return value(QStringLiteral("DeviceInfo"), QStringLiteral("ProductName"));
}

QVector<int> DeviceDescription::supportedBaudRates() const
{
    QVector<int> supported;
    const QVector<int> rates = CommissioningSettings::baudRates();
    for (int rate : rates) {
        if (value(QStringLiteral("DeviceInfo"), QStringLiteral("BaudRate_%1").arg(rate))
            == QLatin1String("1"))
            supported.append(rate);
    }
    return supported;
}

QString DeviceDescription::dataTypeName(unsigned short dataType)
{
    if (const DataType *type = findDataType(dataType))
        return QLatin1String(type->name);
    return QStringLiteral("0x%1").arg(dataType, 4, 16, QLatin1Char('0'));
}

int DeviceDescription::dataTypeBits(unsigned short dataType)
{
    const DataType *type = findDataType(dataType);
    return type ? type->bits : 0;
}
