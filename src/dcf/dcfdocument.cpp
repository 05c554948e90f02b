#include "dcfdocument_p.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cstring>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Strict: overlong forms, surrogates and values above U+10FFFF make a file 8-bit text, so that
// every byte of such a file maps to one character and back.
bool isValidUtf8(const char *data, int size)
{
    const auto *s = reinterpret_cast<const unsigned char *>(data);
    const unsigned char *const e = s + size;
    while (s < e) {
        const unsigned c = *s;
        if (c < 0x80) {
            ++s;
            continue;
        }
        int length;
        unsigned codePoint;
        unsigned minimum;
        if ((c & 0xE0) == 0xC0) {
            length = 2, codePoint = c & 0x1F, minimum = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3, codePoint = c & 0x0F, minimum = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4, codePoint = c & 0x07, minimum = 0x10000;
        } else {
            return false;
        }
        if (e - s < length)
            return false;
        for (int i = 1; i < length; ++i) {
            if ((s[i] & 0xC0) != 0x80)
                return false;
            codePoint = (codePoint << 6) | (s[i] & 0x3F);
        }
        if (codePoint < minimum || codePoint > 0x10FFFF
            || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return false;
        s += length;
    }
    return true;
}

// The store normalises every path it is given (no empty parts, no slash at either end); a key
// whose path would change by that cannot be addressed and stays a plain line of the text.
bool isAddressable(const QString &path)
{
    return !path.isEmpty() && !path.startsWith(QLatin1Char('/')) && !path.endsWith(QLatin1Char('/'))
           && !path.contains(QLatin1String("//"));
}

// A new key joins its section in the order device description files usually have, so that a
// section created by the library reads like one written by hand; numbered list entries follow
// by number, anything else in the store's order.
int knownKeyRank(const QString &lowerName)
{
    static const char *const order[]
        = {"parametername",   "objecttype",     "datatype",    "accesstype",     "defaultvalue",
           "pdomapping",      "lowlimit",       "highlimit",   "subnumber",      "compactsubobj",
           "objflags",        "parametervalue", "denotation",  "nodeid",         "nodename",
           "baudrate",        "netnumber",      "networkname", "canopenmanager", "lss_serialnumber",
           "supportedobjects"};
    for (int i = 0; i < int(sizeof(order) / sizeof(order[0])); ++i) {
        if (lowerName == QLatin1String(order[i]))
            return i;
    }
    return -1;
}

QString singleLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

struct NewKey
{
    QString name;
    QString value;
    int rank;
    qulonglong number;
};

void sortNewKeys(QVector<NewKey> &keys)
{
    std::stable_sort(keys.begin(), keys.end(), [](const NewKey &a, const NewKey &b) {
        if (a.rank != b.rank)
            return a.rank < b.rank;
        return a.number < b.number;
    });
}

NewKey makeNewKey(const QString &name, const QString &value)
{
    NewKey key{singleLine(name), value, 0, 0};
    const int known = knownKeyRank(name.toLower());
    bool numeric = false;
    const qulonglong number = name.toULongLong(&numeric);
    if (known >= 0) {
        key.rank = known;
    } else if (numeric && !name.isEmpty() && name.at(0).isDigit()) {
        key.rank = 1000;
        key.number = number;
    } else {
        key.rank = 2000;
    }
    return key;
}

} // namespace

DcfDocument DcfDocument::parse(const QByteArray &bytes)
{
    DcfDocument doc;
    doc.m_bytes = bytes;
    const char *const data = bytes.constData();
    const int size = bytes.size();
    if (size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0)
        doc.m_bomLength = 3;
    doc.m_utf8 = isValidUtf8(data + doc.m_bomLength, size - doc.m_bomLength);

    doc.m_sections.append(Section());
    doc.m_sectionNames.insert(QStringView());
    // Sized for files like those of the tools: some 20 bytes a line, and key paths about as long
    // as the text, since each repeats its section name.
    doc.m_keyNames = DcfNameIndex(size / 28, size);
    QString scratch; // a name or path being read
    int current = 0;
    int openFirstBlock = 0; // the section whose first block the lines still belong to, or -1
    doc.m_lines.reserve(size / 20 + 1);
    doc.m_keys.reserve(size / 28);

    int pos = doc.m_bomLength;
    while (pos < size) {
        Line line;
        line.start = pos;
        int i = pos;
        while (i < size && data[i] != '\n' && data[i] != '\r')
            ++i;
        line.contentEnd = i;
        if (i < size)
            line.end = (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n') ? i + 2 : i + 1;
        else
            line.end = size;
        if (doc.m_lineEnd.isEmpty() && line.end > line.contentEnd)
            doc.m_lineEnd = QByteArray(data + line.contentEnd, line.end - line.contentEnd);
        pos = line.end;

        int s = line.start;
        int e = line.contentEnd;
        while (s < e && isBlank(data[s]))
            ++s;
        while (e > s && isBlank(data[e - 1]))
            --e;
        const int lineIndex = int(doc.m_lines.size());
        const char *close = nullptr;
        const char *equals = nullptr;
        if (s == e) {
            line.kind = Kind::Blank;
        } else if (data[s] == ';' || data[s] == '#') {
            line.kind = Kind::Comment;
        } else if (data[s] == '['
                   && (close = static_cast<const char *>(std::memchr(data + s + 1, ']', e - s - 1)))
                   && !std::memchr(data + s, '=', close - (data + s))) {
            // A "=" before the "]" makes the line a key: editing its value must never turn it
            // into a section header.
            line.kind = Kind::Header;
            int nameStart = s + 1;
            int nameEnd = int(close - data);
            while (nameStart < nameEnd && isBlank(data[nameStart]))
                ++nameStart;
            while (nameEnd > nameStart && isBlank(data[nameEnd - 1]))
                --nameEnd;
            scratch.clear();
            doc.appendDecoded(&scratch, nameStart, nameEnd);
            if (openFirstBlock >= 0) {
                doc.m_sections[openFirstBlock].firstBlockEnd = lineIndex;
                openFirstBlock = -1;
            }
            const int section = doc.m_sectionNames.insert(scratch);
            if (section == doc.m_sections.size()) {
                doc.m_sections.append(Section());
                openFirstBlock = section;
            }
            doc.m_sections[section].headers.append(lineIndex);
            current = section;
        } else if ((equals = static_cast<const char *>(std::memchr(data + s, '=', e - s)))) {
            const int eq = int(equals - data);
            int keyEnd = eq;
            while (keyEnd > s && isBlank(data[keyEnd - 1]))
                --keyEnd;
            int valueStart = eq + 1;
            while (valueStart < e && isBlank(data[valueStart]))
                ++valueStart;
            if (keyEnd > s) {
                line.kind = Kind::Key;
                line.valueStart = valueStart;
                line.valueEnd = e;
                if (doc.m_separator.isEmpty())
                    doc.m_separator = QByteArray(data + keyEnd, valueStart - keyEnd);
                scratch.clear();
                if (current > 0) {
                    const QStringView sectionName = doc.m_sectionNames.name(current);
                    scratch.append(sectionName.data(), int(sectionName.size()));
                    scratch.append(QLatin1Char('/'));
                }
                doc.appendDecoded(&scratch, s, keyEnd);
                if (isAddressable(scratch)) {
                    line.key = doc.m_keyNames.insert(scratch);
                    if (line.key == doc.m_keys.size()) {
                        doc.m_keys.append(Key{lineIndex});
                        doc.m_sections[current].hasKeys = true;
                    }
                }
            }
        }
        line.section = current;
        doc.m_lines.push_back(line);
    }
    if (openFirstBlock >= 0)
        doc.m_sections[openFirstBlock].firstBlockEnd = int(doc.m_lines.size());

    // Files without any line end get the one of the platform the format comes from.
    if (doc.m_lineEnd.isEmpty())
        doc.m_lineEnd = QByteArrayLiteral("\r\n");
    const auto separatorIsPlain = [&doc] {
        int equalsSigns = 0;
        for (char c : qAsConst(doc.m_separator)) {
            if (c == '=')
                ++equalsSigns;
            else if (!isBlank(c))
                return false;
        }
        return equalsSigns == 1;
    };
    if (!separatorIsPlain())
        doc.m_separator = QByteArrayLiteral("=");
    for (const Section &section : qAsConst(doc.m_sections)) {
        for (int header : section.headers) {
            const int lead = doc.leadingCommentStart(header);
            if (lead > 0 && doc.m_lines.at(lead - 1).kind == Kind::Blank)
                doc.m_blankBeforeHeaders = true;
        }
    }
    return doc;
}

QSettings::SettingsMap DcfDocument::keys() const
{
    QSettings::SettingsMap map;
    for (int key = 0; key < m_keys.size(); ++key)
        map.insert(keyPath(key).toString(), keyValue(key));
    return map;
}

QString DcfDocument::keyValue(int key) const
{
    const Line &line = m_lines.at(size_t(m_keys.at(key).line));
    return decode(line.valueStart, line.valueEnd);
}

QString DcfDocument::valueText(const QVariant &value)
{
    QString text = value.userType() == QMetaType::QStringList
                       ? value.toStringList().join(QLatin1Char(','))
                       : value.toString();
    if (text.isEmpty())
        return text;
    const auto blank = [](QChar c) {
        return c == QLatin1Char(' ') || c == QLatin1Char('\t');
    };
    if (!blank(text.front()) && !blank(text.back()) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    text = singleLine(text);
    // Blanks around a value are not part of it when the file is read, so they are not written.
    int s = 0;
    int e = text.size();
    while (s < e && blank(text.at(s)))
        ++s;
    while (e > s && blank(text.at(e - 1)))
        --e;
    return (s == 0 && e == text.size()) ? text : text.mid(s, e - s);
}

void DcfDocument::appendDecoded(QString *text, int from, int to) const
{
    // A configuration file's names are ASCII as a rule; those need no conversion of their own.
    const char *data = m_bytes.constData();
    if (!m_utf8 || std::all_of(data + from, data + to, [](char c) { return c >= 0; }))
        text->append(QLatin1String(data + from, to - from));
    else
        text->append(decode(from, to));
}

QString DcfDocument::decode(int from, int to) const
{
    const char *data = m_bytes.constData() + from;
    int size = to - from;
    if (!m_utf8)
        return QString::fromLatin1(data, size);
    // fromUtf8() drops a byte order mark at the start; inside the text it is a character.
    QString marks;
    for (; size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0; data += 3, size -= 3)
        marks += QChar(0xFEFF);
    return marks.isEmpty() ? QString::fromUtf8(data, size) : marks + QString::fromUtf8(data, size);
}

QByteArray DcfDocument::encode(const QString &text) const
{
    return m_utf8 ? text.toUtf8() : text.toLatin1();
}

int DcfDocument::leadingCommentStart(int line) const
{
    while (line > 0 && m_lines.at(line - 1).kind == Kind::Comment)
        --line;
    return line;
}

QByteArray DcfDocument::render(const QSettings::SettingsMap &changes) const
{
    const int lineCount = int(m_lines.size());
    QVector<QString> values(m_keys.size());
    enum : char { Unchanged, Changed, Dropped };
    QVector<char> change(m_keys.size(), Unchanged);
    QVector<QVector<NewKey>> added(m_sections.size());
    struct NewSection
    {
        QString name;
        QVector<NewKey> keys;
    };
    QVector<NewSection> newSections;
    QHash<DcfName, int> newSectionIndex;
    QSet<DcfName> newPaths;

    for (auto it = changes.constBegin(); it != changes.constEnd(); ++it) {
        const QString &path = it.key();
        const bool drop = !it.value().isValid();
        const int id = findKey(path);
        if (id >= 0) {
            // Two spellings of one key: the file's own wins.
            if (change.at(id) != Unchanged && QStringView(path) != keyPath(id))
                continue;
            change[id] = drop ? Dropped : Changed;
            if (!drop)
                values[id] = valueText(it.value());
            continue;
        }
        if (drop || newPaths.contains(DcfName{path}))
            continue;
        newPaths.insert(DcfName{path});
        const int slash = path.lastIndexOf(QLatin1Char('/'));
        const QString sectionName = slash < 0 ? QString() : path.left(slash);
        const NewKey key = makeNewKey(path.mid(slash + 1), valueText(it.value()));
        const int section = m_sectionNames.find(sectionName);
        if (section >= 0) {
            added[section].append(key);
            continue;
        }
        int fresh = newSectionIndex.value(DcfName{sectionName}, -1);
        if (fresh < 0) {
            fresh = newSections.size();
            newSections.append(NewSection{singleLine(sectionName), {}});
            newSectionIndex.insert(DcfName{sectionName}, fresh);
        }
        newSections[fresh].keys.append(key);
    }

    QVector<char> removed(lineCount, 0);
    QVector<char> alive(m_sections.size(), 0);
    for (int id = 0; id < m_keys.size(); ++id) {
        if (change.at(id) != Dropped)
            alive[m_lines.at(size_t(m_keys.at(id).line)).section] = 1;
    }
    // A section that had keys and has none left was deleted: it goes with every block and the
    // comments above each header. Sections that never had a key stay as they were.
    for (int section = 1; section < m_sections.size(); ++section) {
        const Section &entry = m_sections.at(section);
        if (!entry.hasKeys || alive.at(section) || !added.at(section).isEmpty())
            continue;
        for (int header : entry.headers) {
            int end = header + 1;
            while (end < lineCount && m_lines.at(end).kind != Kind::Header)
                ++end;
            if (end < lineCount)
                end = std::max(header + 1, leadingCommentStart(end));
            for (int i = leadingCommentStart(header); i < end; ++i)
                removed[i] = 1;
        }
    }
    for (int i = 0; i < lineCount; ++i) {
        const Line &line = m_lines.at(i);
        if (line.key < 0 || change.at(line.key) != Dropped || removed.at(i))
            continue;
        for (int j = leadingCommentStart(i); j <= i; ++j)
            removed[j] = 1;
    }

    // New keys go after the last line of the section's first block that is neither blank nor
    // a comment, so that the comments introducing the next section stay with it.
    QHash<int, QVector<int>> insertBefore;
    for (int section = 0; section < m_sections.size(); ++section) {
        if (added.at(section).isEmpty())
            continue;
        sortNewKeys(added[section]);
        const Section &entry = m_sections.at(section);
        const int first = section == 0 ? 0 : entry.headers.first() + 1;
        const int blockEnd = entry.firstBlockEnd;
        int at = -1;
        for (int i = blockEnd - 1; i >= first; --i) {
            const Kind kind = m_lines.at(i).kind;
            if (!removed.at(i) && kind != Kind::Blank && kind != Kind::Comment
                && kind != Kind::Header) {
                at = i + 1;
                break;
            }
        }
        if (at < 0) {
            if (section != 0)
                at = entry.headers.first() + 1;
            else
                at = blockEnd < lineCount ? leadingCommentStart(blockEnd) : lineCount;
        }
        insertBefore[at].append(section);
    }

    QByteArray out;
    out.reserve(m_bytes.size() + 256);
    out.append(m_bytes.constData(), m_bomLength);
    bool openLine = false; // the last line written has no line end yet
    const auto endOpenLine = [&] {
        if (openLine)
            out += m_lineEnd;
        openLine = false;
    };
    const auto writeLine = [&](const QByteArray &text) {
        endOpenLine();
        out += text;
        out += m_lineEnd;
    };
    const auto writeKeys = [&](const QVector<NewKey> &newKeys) {
        for (const NewKey &key : newKeys)
            writeLine(encode(key.name) + m_separator + encode(key.value));
    };
    const char *const data = m_bytes.constData();
    for (int i = 0; i <= lineCount; ++i) {
        const auto insertion = insertBefore.constFind(i);
        if (insertion != insertBefore.constEnd()) {
            for (int section : insertion.value())
                writeKeys(added.at(section));
        }
        if (i == lineCount || removed.at(i))
            continue;
        const Line &line = m_lines.at(i);
        endOpenLine();
        if (line.key >= 0 && m_keys.at(line.key).line == i && change.at(line.key) == Changed) {
            out.append(data + line.start, line.valueStart - line.start);
            out += encode(values.at(line.key));
            out.append(data + line.valueEnd, line.end - line.valueEnd);
        } else {
            out.append(data + line.start, line.end - line.start);
        }
        openLine = line.end == line.contentEnd;
    }
    for (NewSection &section : newSections) {
        endOpenLine();
        if (m_blankBeforeHeaders && out.size() > m_bomLength)
            out += m_lineEnd;
        writeLine('[' + encode(section.name) + ']');
        sortNewKeys(section.keys);
        writeKeys(section.keys);
    }
    return out;
}
