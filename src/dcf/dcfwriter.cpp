#include "dcfwriter.h"

#include "dcfdocument_p.h"
#include "dcfnameindex_p.h"
#include "dcfsettingsformat_p.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QStringMatcher>
#include <QVariant>
#include <QVector>

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

QString joinPath(QStringView section, const QString &key)
{
    if (section.isEmpty())
        return key;
    QString path;
    path.reserve(int(section.size()) + 1 + key.size());
    path.append(section.data(), int(section.size()));
    path.append(QLatin1Char('/'));
    path.append(key);
    return path;
}

// The store drops empty parts and slashes at either end of a path; the index has to see the
// same section and key as the store, so it splits the path the store will use.
bool splitPath(const QString &section, const QString &key, QString *sectionPart, QString *keyPart)
{
    // As a rule both are plain names already, and nothing needs to be built.
    if (!key.isEmpty() && !key.contains(QLatin1Char('/')) && !section.startsWith(QLatin1Char('/'))
        && !section.endsWith(QLatin1Char('/')) && !section.contains(QLatin1String("//"))) {
        *sectionPart = section;
        *keyPart = key;
        return true;
    }
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

/* The writer's view of the document: the text as it was read, and per section and key whether
 * it is there now. Sections here are what a settings store makes of a path, the part before its
 * last slash. Every change also goes to the store, which writes it into the file. */
class DCFWriterPrivate
{
public:
    struct Section
    {
        int keys = 0;   // keys that are there now; a section without keys is no section
        int first = -1; // its keys, present or not, chained through Key::next
    };
    struct Key
    {
        int section = -1;
        int next = -1;
        bool present = true;
    };

    DCFWriterPrivate(QSettings *store, std::shared_ptr<const DcfDocument> document);

    bool exists(const QString &section) const;
    bool isListedExactly(const QString &section) const;
    QString entrySection(unsigned short index, unsigned char subIndex) const;
    QVariant value(const QString &section, const QString &key) const;

    void setKey(const QString &section, const QString &key, const QVariant &value);
    void removeKey(const QString &section, const QString &key);
    void removeSection(const QString &name);
    void setSub(unsigned short index, unsigned char subIndex, CAN::CANopenDataType dataType,
                const QString &parameterName, const QString &accessType, bool pdoMapping,
                const QString &value, bool withDefault);

    QSettings *store;

private:
    int findSection(QStringView name) const;
    int sectionOf(QStringView name);
    int findKey(QStringView path) const;
    QStringView keyPath(int key) const;
    void link(int key, int section);
    void drop(int key);

    const std::shared_ptr<const DcfDocument> m_document;
    const int m_documentKeys; // keys below this number are the document's own
    QVector<Section> m_sections;
    DcfNameIndex m_sectionNames; // as the document spells them, numbered as m_sections
    QVector<Key> m_keys;
    DcfNameIndex m_addedPaths; // of the keys the document did not have, from m_documentKeys on
};

namespace {

bool isCommissioningValue(QStringView path)
{
    // Matchers keep their tables between calls; a file has some hundred thousand paths.
    static const QStringMatcher value(QStringLiteral("parametervalue"), Qt::CaseInsensitive);
    static const QStringMatcher denotation(QStringLiteral("denotation"), Qt::CaseInsensitive);
    const int size = int(path.size());
    return value.indexIn(path.data(), size) >= 0 || denotation.indexIn(path.data(), size) >= 0;
}

} // namespace

DCFWriterPrivate::DCFWriterPrivate(QSettings *store, std::shared_ptr<const DcfDocument> document)
    : store(store)
    , m_document(std::move(document))
    , m_documentKeys(m_document->keyCount())
    , m_keys(m_documentKeys)
{
    // Values and denotations are those of one commissioning; a document starts without them.
    // Keys come grouped by section, so each section is looked up once.
    int section = -1;
    for (int key = 0; key < m_documentKeys; ++key) {
        const QStringView path = m_document->keyPath(key);
        const QStringView sectionPart
            = path.left(std::max(int(path.lastIndexOf(QLatin1Char('/'))), 0));
        if (section < 0 || m_sectionNames.name(section) != sectionPart)
            section = sectionOf(sectionPart);
        link(key, section);
        if (isCommissioningValue(path)) {
            m_keys[key].present = false;
            store->setValue(path.toString(), QVariant());
        } else {
            ++m_sections[section].keys;
        }
    }
}

bool DCFWriterPrivate::exists(const QString &section) const
{
    const int found = findSection(section);
    return found >= 0 && m_sections.at(found).keys > 0;
}

bool DCFWriterPrivate::isListedExactly(const QString &section) const
{
    const int found = findSection(section);
    return found >= 0 && m_sections.at(found).keys > 0 && m_sectionNames.name(found) == section;
}

// An entry's value lives in its sub-index section; sub-index 0 of an object without one keeps
// it in the object section. The usual spellings are tried as the file may have them, the last
// candidate is then taken in whatever case the file uses. Null when there is no section.
QString DCFWriterPrivate::entrySection(unsigned short index, unsigned char subIndex) const
{
    const QString lowerIndex = indexText(index);
    const QString upperIndex = lowerIndex.toUpper();
    //: Section name of a sub-index entry in a device configuration file; keep it as it is.
    QString candidate = DCFWriter::tr("%1sub%2").arg(lowerIndex, subIndexText(subIndex));
    if (!isListedExactly(candidate)) {
        candidate = upperIndex + QStringLiteral("sub%2").arg(subIndexText(subIndex));
        if (!isListedExactly(candidate) && subIndex == 0)
            candidate = isListedExactly(lowerIndex) ? lowerIndex : upperIndex;
    }
    const int found = findSection(candidate);
    return found >= 0 && m_sections.at(found).keys > 0 ? m_sectionNames.name(found).toString()
                                                       : QString();
}

QVariant DCFWriterPrivate::value(const QString &section, const QString &key) const
{
    const int found = findSection(section);
    if (found < 0)
        return QVariant();
    const int id = findKey(joinPath(m_sectionNames.name(found), key));
    if (id < 0 || !m_keys.at(id).present)
        return QVariant();
    // The store holds what was set since the document was read.
    const QVariant changed = store->value(keyPath(id).toString());
    if (changed.isValid() || id >= m_documentKeys)
        return changed;
    return m_document->keyValue(id);
}

void DCFWriterPrivate::setKey(const QString &section, const QString &key, const QVariant &value)
{
    QString sectionPart;
    QString keyPart;
    if (!splitPath(section, key, &sectionPart, &keyPart))
        return;
    const int owner = sectionOf(sectionPart);
    const QString path = joinPath(m_sectionNames.name(owner), keyPart);
    int id = findKey(path);
    if (id < 0) {
        id = m_documentKeys + m_addedPaths.insert(path);
        m_keys.append(Key{-1, -1, false});
        link(id, owner);
    }
    Key &entry = m_keys[id];
    if (!entry.present) {
        entry.present = true;
        ++m_sections[entry.section].keys;
    }
    store->setValue(id < m_documentKeys ? keyPath(id).toString() : path, value);
}

void DCFWriterPrivate::removeKey(const QString &section, const QString &key)
{
    QString sectionPart;
    QString keyPart;
    if (!splitPath(section, key, &sectionPart, &keyPart))
        return;
    const int owner = findSection(sectionPart);
    if (owner < 0)
        return;
    const int id = findKey(joinPath(m_sectionNames.name(owner), keyPart));
    if (id >= 0)
        drop(id);
}

void DCFWriterPrivate::removeSection(const QString &name)
{
    // Only the section's own keys: a group of the store would take sections named "1a00/..."
    // along with it.
    const int section = findSection(name);
    if (section < 0)
        return;
    for (int id = m_sections.at(section).first; id >= 0; id = m_keys.at(id).next)
        drop(id);
}

int DCFWriterPrivate::findSection(QStringView name) const
{
    return m_sectionNames.find(name);
}

int DCFWriterPrivate::sectionOf(QStringView name)
{
    const int section = m_sectionNames.insert(name);
    if (section == m_sections.size())
        m_sections.append(Section());
    return section;
}

int DCFWriterPrivate::findKey(QStringView path) const
{
    const int key = m_document->findKey(path);
    if (key >= 0)
        return key;
    const int added = m_addedPaths.find(path);
    return added >= 0 ? m_documentKeys + added : -1;
}

QStringView DCFWriterPrivate::keyPath(int key) const
{
    return key < m_documentKeys ? m_document->keyPath(key)
                                : m_addedPaths.name(key - m_documentKeys);
}

void DCFWriterPrivate::link(int key, int section)
{
    m_keys[key].section = section;
    m_keys[key].next = m_sections.at(section).first;
    m_sections[section].first = key;
}

void DCFWriterPrivate::drop(int key)
{
    Key &entry = m_keys[key];
    if (!entry.present)
        return;
    entry.present = false;
    --m_sections[entry.section].keys;
    // A key that the file may hold by now is dropped explicitly; an invalid value says so.
    store->setValue(keyPath(key).toString(), QVariant());
}

DCFWriter::DCFWriter(QObject *parent)
    : QObject(parent)
{}

DCFWriter::~DCFWriter() = default;

bool DCFWriter::setDCFFile(const QString &fileName)
{
    // Only a regular file is a document: reading a device such as /dev/zero never ends, and
    // opening a FIFO waits for a writer.
    if (!QFileInfo(fileName).isFile())
        return false;
    // An earlier store stays a child until the writer dies; nothing uses it any more. The stores
    // of one file share their changes, and one that was not written yet (by a write that
    // failed) is written as the new store starts; the file is read after that.
    auto *store = new QSettings(fileName, dcfSettingsFormat(), this);
    // The file is read here, explicitly; the store only collects changes. A file that cannot be
    // read opens as an empty document (and cannot be written either).
    QFile file(fileName);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    auto document = std::make_shared<const DcfDocument>(DcfDocument::parse(bytes));
    dcfLendDocument(store->fileName(), document);
    d = std::make_unique<DCFWriterPrivate>(store, std::move(document));
    return true;
}

bool DCFWriter::writeFile()
{
    if (!d)
        return false;
    // Syncing a vanished file makes the store forget what it had written; keep it for a retry.
    // Only regular files are written (see the format's writer).
    if (!QFileInfo(d->store->fileName()).isFile())
        return false;
    // A QSettings keeps the first error it met for good. After a failed write a new store of
    // the file takes over: it shares the changes not yet written and reports on this write
    // alone. The old one stays a child, unused, like the store of an earlier document.
    if (d->store->status() != QSettings::NoError)
        d->store = new QSettings(d->store->fileName(), dcfSettingsFormat(), this);
    d->store->sync();
    return d->store->status() == QSettings::NoError;
}

bool DCFWriter::existIndex(unsigned short index)
{
    return d && d->exists(indexText(index));
}

bool DCFWriter::existSub(unsigned short index, unsigned char subIndex)
{
    return d && d->exists(subSectionName(index, subIndex));
}

bool DCFWriter::addIndex(unsigned short index, CAN::CANopenDataType dataType,
                         CANopen::ObjectCode objectCode, QString parameterName,
                         unsigned char subNumber)
{
    Q_UNUSED(dataType)
    if (!d)
        return false;
    const QString section = indexText(index);
    d->setKey(section, QStringLiteral("ParameterName"), parameterName);
    d->setKey(section, QStringLiteral("ObjectType"), QString::number(int(objectCode)));
    d->setKey(section, QStringLiteral("SubNumber"), QString::number(subNumber));
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
    if (!d)
        return false;
    d->setSub(index, subIndex, dataType, parameterName, accessType, pdoMapping, value,
              subIndex == 0);
    return true;
}

bool DCFWriter::addNVSub(unsigned short index, unsigned char subIndex,
                         CAN::CANopenDataType dataType, QString parameterName, QString accessType,
                         QString value)
{
    if (!d)
        return false;
    d->setSub(index, subIndex, dataType, parameterName, accessType, subIndex != 0, value, false);
    return true;
}

bool DCFWriter::delIndex(unsigned short index)
{
    if (!d)
        return false;
    // Both spellings name one section here, so the second removal finds nothing left.
    d->removeSection(indexText(index));
    d->removeSection(indexText(index).toUpper());
    return true;
}

bool DCFWriter::delSub(unsigned short index, unsigned char subIndex)
{
    if (!d)
        return false;
    const QString lower = subSectionName(index, subIndex);
    d->removeSection(lower);
    d->removeSection(lower.toUpper());
    d->removeSection(indexText(index).toUpper() + QLatin1String("sub")
                     + subIndexText(subIndex).toUpper());
    return true;
}

bool DCFWriter::setParameterValue(unsigned short index, unsigned char subIndex, QString value,
                                  QString denotation)
{
    if (!d)
        return false;
    const QString section = d->entrySection(index, subIndex);
    if (section.isNull())
        return false;
    if (!value.isEmpty())
        d->setKey(section, QStringLiteral("ParameterValue"), value);
    if (!denotation.isEmpty())
        d->setKey(section, QStringLiteral("Denotation"), denotation);
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
    if (!d)
        return;
    const QString section = QStringLiteral("DeviceComissioning");
    d->setKey(section, QStringLiteral("Baudrate"), int(baudrate));
    d->setKey(section, QStringLiteral("NodeID"), int(nodeId));
    d->setKey(section, QStringLiteral("NetNumber"), int(netNumber));
    d->setKey(section, QStringLiteral("NetworkName"), networkName);
    d->setKey(section, QStringLiteral("NodeName"), nodeName);
}

void DCFWriter::updateOtherSettings(QString section, QString key, QString value)
{
    if (d)
        d->setKey(section, key, value);
}

void DCFWriter::updateOptionalObjects(QList<unsigned short> objects)
{
    if (!d)
        return;
    const QString section = QStringLiteral("OptionalObjects");
    const QString countKey = QStringLiteral("SupportedObjects");
    const auto count = static_cast<unsigned short>(d->value(section, countKey).toInt());
    for (int i = 1; i <= count; ++i)
        d->removeKey(section, QString::number(i));

    std::sort(objects.begin(), objects.end());
    objects.erase(std::unique(objects.begin(), objects.end()), objects.end());
    for (int i = 0; i < objects.size(); ++i) {
        d->setKey(section, QString::number(i + 1),
                  QStringLiteral("0x%1").arg(objects.at(i), 4, 16, QLatin1Char('0')));
    }
    d->setKey(section, countKey, int(objects.size()));
}

void DCFWriterPrivate::setSub(unsigned short index, unsigned char subIndex,
                              CAN::CANopenDataType dataType, const QString &parameterName,
                              const QString &accessType, bool pdoMapping, const QString &value,
                              bool withDefault)
{
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
}
