#include "dcfwriter.h"

#include "dcfdocument_p.h"
#include "dcfname_p.h"
#include "dcfsettingsformat_p.h"

#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <algorithm>

namespace {

QString indexText(unsigned short index)
{
    return QStringLiteral("%1").arg(index, 4, 16, QLatin1Char('0'));
}

QString subIndexText(unsigned char subIndex)
{
    return QString::number(subIndex, 16);
}

QString subSectionName(unsigned short index, unsigned char subIndex)
{
    return indexText(index) + QLatin1String("sub") + subIndexText(subIndex);
}

QString joinPath(const QString &section, const QString &key)
{
    return section.isEmpty() ? key : section + QLatin1Char('/') + key;
}

// The store drops empty parts and slashes at either end of a path; the index has to see the
// same section and key as the store, so it splits the path the store will use.
bool splitPath(const QString &section, const QString &key, QString *sectionPart, QString *keyPart)
{
    const QString path
        = QStringList(
              QString(section + QLatin1Char('/') + key).split(QLatin1Char('/'), Qt::SkipEmptyParts))
              .join(QLatin1Char('/'));
    if (path.isEmpty())
        return false;
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    *sectionPart = slash < 0 ? QString() : path.left(slash);
    *keyPart = path.mid(slash + 1);
    return true;
}

} // namespace

struct DCFWriter::Name : DcfName
{
    explicit Name(const QString &name)
        : DcfName{name}
    {}
};

uint qHash(const DCFWriter::Name &name, uint seed) noexcept
{
    return qHash(static_cast<const DcfName &>(name), seed);
}

DCFWriter::DCFWriter(QObject *parent)
    : QObject(parent)
{}

DCFWriter::~DCFWriter() = default;

bool DCFWriter::setDCFFile(const QString &fileName)
{
    if (!QFile::exists(fileName))
        return false;
    // An earlier store stays a child until the writer dies; nothing uses it any more. No INI
    // codec is set: the format keeps the file's own encoding, UTF-8 or 8-bit.
    //
    // When the new store reads the file itself, its keys are those of the document it read;
    // asking the store for all keys instead costs as much again on a large file. A store that
    // took its keys from QSettings' cache of the path (or wrote while starting) is asked.
    const QString path = QFileInfo(fileName).absoluteFilePath();
    const DcfFileActivity before = dcfFileActivity(path);
    m_settings = new QSettings(fileName, dcfSettingsFormat(), this);
    const DcfFileActivity after = dcfFileActivity(path);
    std::shared_ptr<const DcfDocument> document;
    if (after.reads == before.reads + 1 && after.writes == before.writes)
        document = dcfReadDocument(path);
    m_sections.clear();
    m_keys.clear();
    // Values and denotations are those of one commissioning; a document starts without them.
    QStringList keys;
    if (document) {
        keys.reserve(document->keyCount());
        for (int i = 0; i < document->keyCount(); ++i)
            keys.append(document->keyPath(i));
    } else {
        keys = m_settings->allKeys();
    }
    m_keys.reserve(keys.size());
    // Keys come grouped by section, so each section is looked up once; QHash keeps its
    // values in place while it grows, so the pointer stays valid.
    Section *section = nullptr;
    for (const QString &key : keys) {
        if (key.contains(QLatin1String("parametervalue"), Qt::CaseInsensitive)
            || key.contains(QLatin1String("denotation"), Qt::CaseInsensitive)) {
            m_settings->remove(key);
            continue;
        }
        const int slash = key.lastIndexOf(QLatin1Char('/'));
        const QStringRef sectionPart = key.leftRef(std::max(slash, 0));
        if (!section || section->name != sectionPart) {
            const QString name = sectionPart.toString();
            auto it = m_sections.find(Name(name));
            if (it == m_sections.end())
                it = m_sections.insert(Name(name), Section{name, 0});
            section = &it.value();
        }
        // A document's keys differ without regard to case already; the store's may not.
        if (document || !m_keys.contains(Name(key))) {
            m_keys.insert(Name(key), key);
            ++section->keys;
        }
    }
    return true;
}

bool DCFWriter::writeFile()
{
    if (!m_settings)
        return false;
    // Syncing a vanished file makes the store forget what it had read; keep it for a retry.
    // Only regular files are written (see the format's writer).
    if (!QFileInfo(m_settings->fileName()).isFile())
        return false;
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

bool DCFWriter::existIndex(unsigned short index)
{
    return m_settings && findSection(indexText(index));
}

bool DCFWriter::existSub(unsigned short index, unsigned char subIndex)
{
    return m_settings && findSection(subSectionName(index, subIndex));
}

bool DCFWriter::addIndex(unsigned short index, CAN::CANopenDataType dataType,
                         CANopen::ObjectCode objectCode, QString parameterName,
                         unsigned char subNumber)
{
    Q_UNUSED(dataType)
    if (!m_settings)
        return false;
    const QString section = indexText(index);
    setKey(section, QStringLiteral("ParameterName"), parameterName);
    setKey(section, QStringLiteral("ObjectType"), QString::number(int(objectCode)));
    setKey(section, QStringLiteral("SubNumber"), QString::number(subNumber));
    return true;
}

bool DCFWriter::addNVArray(unsigned short index, CAN::CANopenDataType dataType,
                           QString parameterName, unsigned char subNumber)
{
    return addIndex(index, dataType, CANopen::OBJECT_ARRAY, parameterName, subNumber);
}

bool DCFWriter::addSub(unsigned short index, unsigned char subIndex, CAN::CANopenDataType dataType,
                       QString parameterName, QString accessType, bool pdoMapping, QString value)
{
    return writeSub(index, subIndex, dataType, parameterName, accessType, pdoMapping, value,
                    subIndex == 0);
}

bool DCFWriter::addNVSub(unsigned short index, unsigned char subIndex,
                         CAN::CANopenDataType dataType, QString parameterName, QString accessType,
                         QString value)
{
    return writeSub(index, subIndex, dataType, parameterName, accessType, subIndex != 0, value,
                    false);
}

bool DCFWriter::delIndex(unsigned short index)
{
    if (!m_settings)
        return false;
    // Both spellings name one section here, so the second removal finds nothing left.
    removeSection(indexText(index));
    removeSection(indexText(index).toUpper());
    return true;
}

bool DCFWriter::delSub(unsigned short index, unsigned char subIndex)
{
    if (!m_settings)
        return false;
    const QString lower = subSectionName(index, subIndex);
    removeSection(lower);
    removeSection(lower.toUpper());
    removeSection(indexText(index).toUpper() + QLatin1String("sub")
                  + subIndexText(subIndex).toUpper());
    return true;
}

bool DCFWriter::setParameterValue(unsigned short index, unsigned char subIndex, QString value,
                                  QString denotation)
{
    if (!m_settings)
        return false;
    const QString section = entrySection(index, subIndex);
    if (section.isNull())
        return false;
    if (!value.isEmpty())
        setKey(section, QStringLiteral("ParameterValue"), value);
    if (!denotation.isEmpty())
        setKey(section, QStringLiteral("Denotation"), denotation);
    return true;
}

bool DCFWriter::setDenotation(unsigned short index, unsigned char subIndex, QString denotation)
{
    return setParameterValue(index, subIndex, QString(), denotation);
}

void DCFWriter::updateDeviceCommisioning(unsigned short baudrate, unsigned char netNumber,
                                         const QString &networkName, unsigned char nodeId,
                                         const QString &nodeName)
{
    if (!m_settings)
        return;
    const QString section = QStringLiteral("DeviceComissioning");
    setKey(section, QStringLiteral("Baudrate"), int(baudrate));
    setKey(section, QStringLiteral("NodeID"), int(nodeId));
    setKey(section, QStringLiteral("NetNumber"), int(netNumber));
    setKey(section, QStringLiteral("NetworkName"), networkName);
    setKey(section, QStringLiteral("NodeName"), nodeName);
}

void DCFWriter::updateOtherSettings(QString section, QString key, QString value)
{
    if (!m_settings)
        return;
    setKey(section, key, value);
}

void DCFWriter::updateOptionalObjects(QList<unsigned short> objects)
{
    if (!m_settings)
        return;
    const QString section = QStringLiteral("OptionalObjects");
    const QString countKey = QStringLiteral("SupportedObjects");
    int oldCount = 0;
    if (const Section *entry = findSection(section)) {
        const QString spelling = m_keys.value(Name(joinPath(entry->name, countKey)));
        if (!spelling.isEmpty())
            oldCount = m_settings->value(spelling, 0).toInt();
    }
    const unsigned short count = static_cast<unsigned short>(oldCount);
    for (int i = 1; i <= count; ++i)
        removeKey(section, QString::number(i));

    std::sort(objects.begin(), objects.end());
    objects.erase(std::unique(objects.begin(), objects.end()), objects.end());
    for (int i = 0; i < objects.size(); ++i) {
        setKey(section, QString::number(i + 1),
               QStringLiteral("0x%1").arg(objects.at(i), 4, 16, QLatin1Char('0')));
    }
    setKey(section, countKey, int(objects.size()));
}

bool DCFWriter::writeSub(unsigned short index, unsigned char subIndex,
                         CAN::CANopenDataType dataType, const QString &parameterName,
                         const QString &accessType, bool pdoMapping, const QString &value,
                         bool withDefault)
{
    if (!m_settings)
        return false;
    const QString section = subSectionName(index, subIndex);
    setKey(section, QStringLiteral("ParameterName"), parameterName);
    setKey(section, QStringLiteral("ObjectType"), QStringLiteral("7"));
    setKey(section, QStringLiteral("Denotation"), parameterName);
    setKey(section, QStringLiteral("DataType"), QStringLiteral("0x%1").arg(int(dataType), 0, 16));
    setKey(section, QStringLiteral("PDOMapping"),
           pdoMapping ? QStringLiteral("0x1") : QStringLiteral("0x0"));
    setKey(section, QStringLiteral("AccessType"), accessType);
    if (!value.isEmpty()) {
        if (withDefault)
            setKey(section, QStringLiteral("DefaultValue"), value);
        setKey(section, QStringLiteral("ParameterValue"), value);
    }
    return true;
}

const DCFWriter::Section *DCFWriter::findSection(const QString &name) const
{
    const auto it = m_sections.constFind(Name(name));
    return it == m_sections.constEnd() ? nullptr : &it.value();
}

bool DCFWriter::isListedExactly(const QString &name) const
{
    const Section *section = findSection(name);
    return section && section->name == name;
}

// An entry's value lives in its sub-index section; sub-index 0 of an object without one keeps
// it in the object section. The usual spellings are tried as the file may have them, the last
// candidate is then taken in whatever case the file uses. Null when there is no section.
QString DCFWriter::entrySection(unsigned short index, unsigned char subIndex) const
{
    const QString lowerIndex = indexText(index);
    const QString upperIndex = lowerIndex.toUpper();
    //: Section name of a sub-index entry in a device configuration file; keep it as it is.
    QString candidate = tr("%1sub%2").arg(lowerIndex, subIndexText(subIndex));
    if (!isListedExactly(candidate)) {
        candidate = upperIndex + QStringLiteral("sub%2").arg(subIndexText(subIndex));
        if (!isListedExactly(candidate) && subIndex == 0)
            candidate = isListedExactly(lowerIndex) ? lowerIndex : upperIndex;
    }
    const Section *section = findSection(candidate);
    return section ? section->name : QString();
}

void DCFWriter::setKey(const QString &section, const QString &key, const QVariant &value)
{
    QString sectionPart;
    QString keyPart;
    if (!splitPath(section, key, &sectionPart, &keyPart))
        return;
    auto entry = m_sections.find(Name(sectionPart));
    if (entry == m_sections.end())
        entry = m_sections.insert(Name(sectionPart), Section{sectionPart, 0});
    const QString path = joinPath(entry->name, keyPart);
    auto spelling = m_keys.find(Name(path));
    if (spelling == m_keys.end()) {
        spelling = m_keys.insert(Name(path), path);
        ++entry->keys;
    }
    m_settings->setValue(spelling.value(), value);
}

void DCFWriter::removeKey(const QString &section, const QString &key)
{
    QString sectionPart;
    QString keyPart;
    if (!splitPath(section, key, &sectionPart, &keyPart))
        return;
    const auto entry = m_sections.find(Name(sectionPart));
    if (entry == m_sections.end())
        return;
    const auto spelling = m_keys.find(Name(joinPath(entry->name, keyPart)));
    if (spelling == m_keys.end())
        return;
    m_settings->remove(spelling.value());
    m_keys.erase(spelling);
    if (--entry->keys == 0)
        m_sections.erase(entry);
}

void DCFWriter::removeSection(const QString &name)
{
    const auto entry = m_sections.find(Name(name));
    if (entry == m_sections.end())
        return;
    // Only the section's own keys: a group of the store would take sections named "1a00/..."
    // along with it.
    m_settings->beginGroup(entry->name);
    const QStringList keys = m_settings->childKeys();
    m_settings->endGroup();
    for (const QString &key : keys) {
        const QString path = joinPath(entry->name, key);
        m_settings->remove(path);
        m_keys.remove(Name(path));
    }
    m_sections.erase(entry);
}
