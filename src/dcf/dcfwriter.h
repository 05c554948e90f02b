#pragma once

#include "zezuzudod_export.h"

#include <canopendatatype.h>
#include <canopenobjectcode.h>

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class DCFWriterPrivate;

/** Opens, edits and writes back a CANopen device configuration file (DCF/EDS, INI-style text).
 *
 *  setDCFFile() reads an existing file as the document and drops every "ParameterValue" and
 *  "Denotation" key from it; the editing operations change the document; writeFile() writes it
 *  back. The changes are kept in a QSettings store, a child of the writer, which also writes
 *  them by itself when control returns to the event loop and when it is destroyed. As with any
 *  QSettings, the stores of one file share their changes: those that a failed write left are
 *  written by the next write of that file, whichever writer makes it.
 *
 *  The file is written in place of the old one only when the whole new text has been written,
 *  and keeps everything that was not edited byte for byte: order of sections and keys, comments,
 *  blank lines, line ends, the encoding (UTF-8, else 8-bit) and the spelling of every name.
 *  Values are plain text: no quoting, escaping or list splitting; a line break inside a value is
 *  written as a blank. Sections and keys are found without regard to case, so an edit of
 *  "1a00" lands in an existing [1A00]. Blanks around a value are not part of it. In an 8-bit
 *  file a character beyond Latin-1 is written as "?". Names that a line cannot hold (a section
 *  name with "]" or "=", a key name with "=", a name starting with ";", "#" or "[") are written
 *  as given but do not read back the same.
 *
 *  Failure: without a document every operation with a result returns false and every other
 *  one does nothing. setDCFFile() is false when there is no regular file at the path (the
 *  earlier document stays); any existing file opens, whatever it holds. writeFile() is false
 *  when the file cannot be written or has vanished; the file then stays as it was and the edits
 *  stay, so a later writeFile() can still write them. The writer owns its document; the class
 *  is used from the thread that owns it. */
class ZEZUZUDOD_EXPORT DCFWriter : public QObject
{
    Q_OBJECT
public:
    /** A writer without a document; setDCFFile() opens one. */
    explicit DCFWriter(QObject *parent = nullptr);
    ~DCFWriter() override;

    /** Opens the file as the document; false, with nothing changed, if there is no regular
     *  file at the path (a folder, a device or a FIFO is none). */
    bool setDCFFile(const QString &fileName);
    /** Writes the document to its file; true when this write succeeded (or there was nothing
     *  to write), whatever earlier writes met. */
    bool writeFile();

    /** Whether the document has the object section of the index. */
    bool existIndex(unsigned short index);
    /** Whether the document has the sub-index section of the pair. */
    bool existSub(unsigned short index, unsigned char subIndex);

    /** Sets "ParameterName", "ObjectType" and "SubNumber" of the object section. */
    bool addIndex(unsigned short index, CAN::CANopenDataType dataType,
                  CANopen::ObjectCode objectCode, QString parameterName, unsigned char subNumber);
    /** Like addIndex() for an array of network variables ("ObjectType" 8). */
    bool addNVArray(unsigned short index, CAN::CANopenDataType dataType, QString parameterName,
                    unsigned char subNumber);
    /** Fills the sub-index section of an entry; an empty value writes no value. */
    bool addSub(unsigned short index, unsigned char subIndex, CAN::CANopenDataType dataType,
                QString parameterName, QString accessType, bool pdoMapping, QString value);
    /** Like addSub() for a network variable: mappable except sub-index 0, no "DefaultValue". */
    bool addNVSub(unsigned short index, unsigned char subIndex, CAN::CANopenDataType dataType,
                  QString parameterName, QString accessType, QString value);
    /** Removes the object section; its sub-index sections stay. Always true with a document. */
    bool delIndex(unsigned short index);
    /** Removes the sub-index section of the pair. Always true with a document. */
    bool delSub(unsigned short index, unsigned char subIndex);

    /** Sets the configured value and the denotation (each only if not empty) of an entry that
     *  the document holds; false, with nothing written, if it does not hold it. */
    bool setParameterValue(unsigned short index, unsigned char subIndex, QString value,
                           QString denotation);
    /** Sets the denotation (if not empty) of an entry that the document holds. */
    bool setDenotation(unsigned short index, unsigned char subIndex, QString denotation);

    /** Fills the section [DeviceComissioning] (spelled so). */
    void updateDeviceCommisioning(unsigned short baudrate, unsigned char netNumber,
                                  const QString &networkName, unsigned char nodeId,
                                  const QString &nodeName);
    /** Sets any key; section and key are created when missing. */
    void updateOtherSettings(QString section, QString key, QString value);
    /** Replaces the list of optional objects by the given indexes, sorted and each once. */
    void updateOptionalObjects(QList<unsigned short> objects);

private:
    std::unique_ptr<DCFWriterPrivate> d;
};
