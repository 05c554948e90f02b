// Any bytes as a configuration file: reading never fails, writing back without an edit gives
// the same bytes, and reading what was written after edits gives back exactly those edits.

#include "dcfdocument_p.h"

#include <ZezuzuDOD/dcfwriter.h>

#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

QByteArray encoded(const QString &text, bool utf8)
{
    return utf8 ? text.toUtf8() : text.toLatin1();
}

// Compared as bytes: a file whose only invalid UTF-8 was edited away reads as UTF-8 next time,
// and its bytes are what must not change.
QMap<QByteArray, QByteArray> asBytes(const QSettings::SettingsMap &map, bool utf8)
{
    QMap<QByteArray, QByteArray> result;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        result.insert(encoded(it.key(), utf8), encoded(DcfDocument::valueText(it.value()), utf8));
    return result;
}

void check(bool condition, const char *what)
{
    if (!condition) {
        fprintf(stderr, "dcf_roundtrip: %s\n", what);
        abort();
    }
}

// A name the file can hold as a section header; others cannot read back as written.
bool isHeaderName(const QString &name)
{
    static const QString blanks = QStringLiteral(" \t");
    return !name.isEmpty() && !blanks.contains(name.front()) && !blanks.contains(name.back())
           && !name.contains(QLatin1Char(']')) && !name.contains(QLatin1Char('='))
           && !name.contains(QLatin1Char('\r')) && !name.contains(QLatin1Char('\n'));
}

void editAndReadBack(const DcfDocument &document, const uint8_t *data, size_t size)
{
    // The changes, and the keys the document must hold once they are written.
    QSettings::SettingsMap changes;
    QSettings::SettingsMap expected = document.keys();
    const uint8_t seed = size > 0 ? data[0] : 0;
    int n = 0;
    QString someSection;
    QSet<DcfName> names; // as the document matches them: without regard to case
    for (auto it = expected.begin(); it != expected.end();) {
        const QString path = it.key();
        names.insert(DcfName{path});
        const int slash = path.lastIndexOf(QLatin1Char('/'));
        if (slash > 0 && someSection.isEmpty() && isHeaderName(path.left(slash)))
            someSection = path.left(slash);
        switch ((n++ + seed) % 3) {
        case 0:
            changes.insert(path, QVariant());
            it = expected.erase(it);
            continue;
        case 1:
            it.value() = QString(it.value().toString() + QStringLiteral("\r\n;x=[y] "));
            changes.insert(path, it.value());
            break;
        default:
            break;
        }
        ++it;
    }
    const auto add = [&](const QString &path, const QVariant &value) {
        changes.insert(path, value);
        expected.insert(path, value);
    };
    const QString newKey = someSection + QLatin1String("/FuzzAddedKey");
    if (!someSection.isEmpty() && !names.contains(DcfName{newKey}))
        add(newKey, QStringLiteral(" added\nvalue"));
    if (!names.contains(DcfName{QStringLiteral("FuzzAddedSection/B")})
        && !names.contains(DcfName{QStringLiteral("FuzzAddedSection/A")})) {
        add(QStringLiteral("FuzzAddedSection/B"), 2);
        add(QStringLiteral("FuzzAddedSection/A"), QStringLiteral("1"));
    }

    const QByteArray written = document.render(changes);
    const DcfDocument reread = DcfDocument::parse(written);
    check(asBytes(reread.keys(), reread.isUtf8()) == asBytes(expected, document.isUtf8()),
          "read after write differs from what was written");
    check(reread.render({}) == written, "second write differs");
}

void throughTheWriter(const uint8_t *data, size_t size)
{
    static QTemporaryDir scratch; // removed when the fuzzer exits
    // A path of its own per input: QSettings keeps the changes of a path for later stores.
    static int inputs = 0;
    const QString path = scratch.filePath(QStringLiteral("input%1.dcf").arg(++inputs));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            abort();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    DCFWriter writer;
    check(writer.setDCFFile(path), "existing file did not open");
    writer.setParameterValue(0x1000, 0, QStringLiteral("1"), QStringLiteral("d"));
    writer.addSub(0x1A00, 1, CAN::UNSIGNED32, QStringLiteral("n"), QStringLiteral("rw"), true,
                  QStringLiteral("0x1"));
    writer.delIndex(0x1018);
    writer.updateOptionalObjects({0x1A00, 0x1000});
    check(writer.writeFile(), "write failed");
    QFile::remove(path);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 256 * 1024)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const DcfDocument document = DcfDocument::parse(bytes);
    check(document.render({}) == bytes, "unedited write differs from the input");
    editAndReadBack(document, data, size);
    throughTheWriter(data, size);
    return 0;
}
