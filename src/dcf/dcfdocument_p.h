#pragma once

#include "dcfnameindex_p.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QVector>

#include <vector>

/* The text of a CANopen configuration file as it was read: every line with its bytes, so that
 * a file written back keeps everything that was not edited byte for byte.
 *
 * Keys are addressed the way a settings store sees them ("Section/Key", values verbatim as
 * text). render() lays a set of changes out in this document's text: a key mapped to a value
 * gets it in place, or goes to the end of its section (new sections to the end of the file); a
 * key mapped to an invalid QVariant is dropped with the comment lines right above it, and a
 * section that loses all its keys is dropped with its comments. Keys without a change stay.
 *
 * Sections and keys are matched without regard to case; the first occurrence of a section or
 * key counts, later duplicates stay in the text as they are (and go with the key when it is
 * dropped). Any byte sequence is a document: lines that are neither a section, a key, a
 * comment nor blank are kept as they stand. */
class DcfDocument
{
public:
    static DcfDocument parse(const QByteArray &bytes);

    QSettings::SettingsMap keys() const;
    QByteArray render(const QSettings::SettingsMap &changes) const;

    const QByteArray &bytes() const { return m_bytes; }
    bool isUtf8() const { return m_utf8; }

    /* Keys are numbered in file order; the number of a path is -1 when the file has none. */
    int keyCount() const { return m_keys.size(); }
    int findKey(QStringView path) const { return m_keyNames.find(path); }
    /* "Section/Key" as first spelled in the file; valid as long as the document. */
    QStringView keyPath(int key) const { return m_keyNames.name(key); }
    QString keyValue(int key) const;

    /* The text a value gets in the file: line breaks become blanks, because a value is one line. */
    static QString valueText(const QVariant &value);

private:
    enum class Kind : unsigned char { Blank, Comment, Header, Key, Other };

    struct Line
    {
        int start = 0;      // first byte of the line
        int contentEnd = 0; // first byte of the line end
        int end = 0;        // first byte after the line end
        int valueStart = 0; // key lines: the value's bytes, without surrounding blanks
        int valueEnd = 0;
        int section = 0; // the section the line belongs to (0: before any header)
        int key = -1;    // key lines that the store can address: their key
        Kind kind = Kind::Other;
    };

    struct Key
    {
        int line = 0; // the line that counts; its value is decoded when asked for
    };

    struct Section
    {
        QVector<int> headers;  // every header line of the section, in file order
        int firstBlockEnd = 0; // the line after the first block of the section
        bool hasKeys = false;
    };

    QString decode(int from, int to) const;
    void appendDecoded(QString *text, int from, int to) const;
    QByteArray encode(const QString &text) const;
    int leadingCommentStart(int line) const;

    QByteArray m_bytes;
    int m_bomLength = 0;
    bool m_utf8 = true;
    QByteArray m_lineEnd;
    QByteArray m_separator;
    bool m_blankBeforeHeaders = false;
    std::vector<Line> m_lines;   // QVector<Line> trips a false GCC 12 overflow warning
    QVector<Key> m_keys;         // numbered as their paths in m_keyNames
    QVector<Section> m_sections; // numbered as their names in m_sectionNames; 0 is the start
    DcfNameIndex m_keyNames;
    DcfNameIndex m_sectionNames;
};
