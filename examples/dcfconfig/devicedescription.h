#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QVector>

/** One value of the object dictionary: a plain object (sub-index 0) or one sub-index of a record
 *  or array, as the window lists it. */
struct ObjectEntry
{
    unsigned short index = 0;
    unsigned char subIndex = 0;
    QString name;
    unsigned short dataType = 0;
    QString accessType;
    QString defaultValue;
    /** The configured "ParameterValue" of a DCF, else the default value. */
    QString value;

    /** Whether a configured value makes sense: the entry can be written over the bus. */
    bool isWritable() const;
    /** The index as four hexadecimal digits, "1018". */
    QString indexText() const;
    /** "1018sub1", the way the file names the entry's section. */
    QString sectionName() const;
};

/** The contents of an EDS or DCF file that the window shows: the object dictionary's entries and
 *  the bit rates the device supports. Reading never changes the file; writing is DCFWriter's job.
 *
 *  Sections and keys are found without regard to case, as CANopen tools write them in either. */
class DeviceDescription
{
    Q_DECLARE_TR_FUNCTIONS(DeviceDescription)
public:
    /** Reads \a path. False, with \a error set to a sentence for the user and the earlier
     *  contents kept, when it cannot be read, is too large to be a device file or holds no
     *  object dictionary entry. */
    bool read(const QString &path, QString *error);

    /** The entries, ordered by index and sub-index. */
    QVector<ObjectEntry> entries() const { return m_entries; }
    /** "ProductName" of [DeviceInfo]; empty when the file gives none. */
    QString productName() const;
    /** The bit rates in kbit/s that [DeviceInfo] marks as supported ("BaudRate_250=1"). */
    QVector<int> supportedBaudRates() const;

    /** The CANopen name of a data type ("UNSIGNED32"), or its number in hexadecimal. */
    static QString dataTypeName(unsigned short dataType);
    /** The bit width of a numeric data type; 0 for strings, domains and unknown types. */
    static int dataTypeBits(unsigned short dataType);

private:
    using Section = QHash<QString, QString>;

    bool parse(const QString &text);
    QString value(const QString &section, const QString &key) const;

    QHash<QString, Section> m_sections;
    QVector<ObjectEntry> m_entries;
};
