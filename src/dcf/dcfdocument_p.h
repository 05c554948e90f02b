#pragma once

#include "dcfname_p.h"

#include <QByteArray>
#include <QHash>
#include <QSettings>
#include <QString>
#include <QVector>

#include <vector>

/* The text of a CANopen configuration file as it was read: every line with its bytes, so that
 * a file written back keeps everything that was not edited byte for byte.
 *
 * keys() gives the keys the way the settings store sees them ("Section/Key", values verbatim
 * as text); render() lays a settings map out in this document's text: edited values are
 * replaced in place, keys missing from the map are dropped with the comment lines right
 * above them, a section that lost all its keys is dropped with its comments, new keys go to the
 * end of their section and new sections to the end of the file.
 *
 * Sections and keys are matched without regard to case; the first occurrence of a section or
 * key counts, later duplicates stay in the text as they are. Any byte sequence is a document:
 * lines that are neither a section, a key, a comment nor blank are kept as they stand. */
class DcfDocument
{
public:
    static DcfDocument parse(const QByteArray &bytes);

    QSettings::SettingsMap keys() const;
    QByteArray render(const QSettings::SettingsMap &keys) const;

    const QByteArray &bytes() const { return m_bytes; }
    int keyCount() const { return m_keys.size(); }
    const QString &keyPath(int key) const { return m_keys.at(key).path; }
    bool isUtf8() const { return m_utf8; }

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
        QString path;  // "Section/Key" as first spelled in the file
        QString value; // as read, without surrounding blanks
        int line = 0;  // the line that counts
    };

    struct Section
    {
        QString name;          // as first spelled in the file
        QVector<int> headers;  // every header line of the section, in file order
        int firstBlockEnd = 0; // the line after the first block of the section
        bool hasKeys = false;
    };

    QString decode(int from, int to) const;
    QByteArray encode(const QString &text) const;
    int leadingCommentStart(int line) const;

    QByteArray m_bytes;
    int m_bomLength = 0;
    bool m_utf8 = true;
    QByteArray m_lineEnd;
    QByteArray m_separator;
    bool m_blankBeforeHeaders = false;
    std::vector<Line> m_lines; // QVector<Line> trips a false GCC 12 overflow warning
    QVector<Key> m_keys;
    QVector<Section> m_sections;
    QHash<DcfName, int> m_keyIndex;     // path -> key
    QHash<DcfName, int> m_sectionIndex; // name -> section
};
