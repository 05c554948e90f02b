#include <ZezuzuDOD/dcfwriter.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// What a file must look like after opening and writing it back: the same bytes without the
// value and denotation lines, and without sections that held nothing else. Written line by
// line on purpose, independent of the library's own reading.
QByteArray withoutValues(const QByteArray &original)
{
    static const QRegularExpression valueLine(
        QStringLiteral("^\\s*(parametervalue|denotation)\\s*="),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression denotationSection(
        QStringLiteral("^\\s*\\[[^\\]]*denotation[^\\]]*\\]"),
        QRegularExpression::CaseInsensitiveOption);
    QByteArray result;
    bool dropSection = false;
    int start = 0;
    while (start < original.size()) {
        int end = original.indexOf('\n', start);
        end = end < 0 ? original.size() : end + 1;
        const QByteArray line = original.mid(start, end - start);
        const QString text = QString::fromLatin1(line);
        if (text.trimmed().startsWith(QLatin1Char('[')))
            dropSection = denotationSection.match(text).hasMatch();
        if (!dropSection && !valueLine.match(text).hasMatch())
            result += line;
        start = end;
    }
    return result;
}

// The keys of a written file as "section/key" -> value, read the simple way.
QMap<QString, QString> keysOf(const QString &path)
{
    QMap<QString, QString> keys;
    QString section;
    const QList<QByteArray> lines = readAll(path).split('\n');
    for (QByteArray line : lines) {
        line = line.trimmed();
        if (line.startsWith('[')) {
            section = QString::fromUtf8(line.mid(1, line.indexOf(']') - 1));
        } else if (line.contains('=') && !line.startsWith(';')) {
            const int eq = line.indexOf('=');
            const QString key
                = section + QLatin1Char('/') + QString::fromUtf8(line.left(eq).trimmed());
            if (!keys.contains(key))
                keys.insert(key, QString::fromUtf8(line.mid(eq + 1).trimmed()));
        }
    }
    return keys;
}

const QByteArray heartbeatFile = "[1000]\nParameterName=Device type\nObjectType=0x7\n\n"
                                 "[1017]\nParameterName=Heartbeat\nObjectType=0x7\n";

} // namespace

class TestDcfWriter : public QObject
{
    Q_OBJECT

private:
    QString copyOf(const QByteArray &bytes, const QString &name = QStringLiteral("test.dcf"))
    {
        const QString path = m_dir->filePath(QString::number(++m_files) + name);
        writeAll(path, bytes);
        return path;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    int m_files = 0;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void roundTripDropsOnlyValuesAndDenotations_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::newRow("upper case, CR LF, 8-bit byte, quotes, $NODEID, compact objects")
            << QStringLiteral("io-module-crlf.dcf");
        QTest::newRow("lower case, LF, BOM, UTF-8, odd key case, blanks around =")
            << QStringLiteral("sensor-lower-lf.eds");
    }

    void roundTripDropsOnlyValuesAndDenotations()
    {
        QFETCH(QString, fixture);
        const QByteArray original = readAll(QFINDTESTDATA(fixture));
        QVERIFY(original.size() > 100);
        const QString path = copyOf(original, fixture);
        {
            DCFWriter writer;
            QVERIFY(writer.setDCFFile(path));
            QVERIFY(writer.writeFile());
            QCOMPARE(readAll(path), withoutValues(original));
        }
        // A second round changes nothing: nothing was left to drop and nothing is rewritten.
        DCFWriter again;
        QVERIFY(again.setDCFFile(path));
        QVERIFY(again.writeFile());
        QCOMPARE(readAll(path), withoutValues(original));
    }

    void configuredFileKeepsItsLayout()
    {
        const QByteArray original = readAll(QFINDTESTDATA("io-module-crlf.dcf"));
        const QString path = copyOf(original);
        DCFWriter writer;
        QVERIFY(writer.setDCFFile(path));
        QVERIFY(writer.setParameterValue(0x1800, 1, QStringLiteral("$NODEID+0x1A0"),
                                         QStringLiteral("Status; \"inputs\", C:\\io")));
        QVERIFY(writer.setParameterValue(0x1017, 0, QStringLiteral("250"), QString()));
        writer.updateDeviceCommisioning(500, 2, QStringLiteral("Hall 4"), 9,
                                        QStringLiteral("M\u00f6bius"));
        writer.updateOptionalObjects({0x6200, 0x1017});
        QVERIFY(writer.writeFile());

        QByteArray expected = withoutValues(original);
        expected.replace("NodeID=5\r\n", "NodeID=9\r\n");
        expected.replace("NodeName=dio-left", "NodeName=M\xf6"
                                              "bius");
        expected.replace("Baudrate=250", "Baudrate=500");
        expected.replace("NetNumber=1\r\n", "NetNumber=2\r\n");
        expected.replace("NetworkName=Line 3", "NetworkName=Hall 4");
        expected.replace("SupportedObjects=3\r\n1=0x1017\r\n2=0x1800\r\n3=0x6200\r\n",
                         "SupportedObjects=2\r\n1=0x1017\r\n2=0x6200\r\n");
        expected.replace("DefaultValue=0\r\nPDOMapping=0\r\n",
                         "DefaultValue=0\r\nPDOMapping=0\r\nParameterValue=250\r\n");
        expected.replace("DefaultValue=$NODEID+0x180\r\nPDOMapping=0\r\n",
                         "DefaultValue=$NODEID+0x180\r\nPDOMapping=0\r\n"
                         "ParameterValue=$NODEID+0x1A0\r\n"
                         "Denotation=Status; \"inputs\", C:\\io\r\n");
        QCOMPARE(readAll(path), expected);
    }

    void badInputOpensAndWritesBackWhatItRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("binary garbage")
            << QByteArray("\x00\xff\xfe[\x01=\x02\r\r\n\x80]=\n\x00", 15);
        QTest::newRow("only comments") << QByteArray("; one\n;two\r\n# three");
        QTest::newRow("sections without keys") << QByteArray("[1000]\n\n[2000]\n[]\n[unclosed\n");
        QTest::newRow("keys before any section") << QByteArray("a=1\nb = 2\n\n[1000]\nc=3\n");
        QTest::newRow("duplicate sections and keys, other case")
            << QByteArray("[1000]\nA=1\na=2\n[2000]\nb=1\n[1000]\nA=3\nc=4\n");
        QTest::newRow("very long line") << QByteArray("[x]\nk=" + QByteArray(1 << 20, 'v') + '\n');
        QTest::newRow("BOM only") << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("mixed line ends, no final line end")
            << QByteArray("[a]\r\nk=1\nl=2\rm=3\r\n\n[b]\nn=4");
        QTest::newRow("invalid UTF-8 after a BOM") << QByteArray("\xEF\xBB\xBF[a]\nk=\xC3\x28\n");
        QTest::newRow("slashes and empty names") << QByteArray("[a/]\nk=1\n[/b]\nx//y=2\n=3\n");
    }

    void badInputOpensAndWritesBackWhatItRead()
    {
        QFETCH(QByteArray, bytes);
        const QString path = copyOf(bytes);
        DCFWriter writer;
        QVERIFY(writer.setDCFFile(path));
        QVERIFY(writer.writeFile());
        QCOMPARE(readAll(path), bytes);

        // A new key lands in a file that still holds every old byte.
        writer.updateOtherSettings(QStringLiteral("Added"), QStringLiteral("Key"),
                                   QStringLiteral("v"));
        QVERIFY(writer.writeFile());
        const QByteArray written = readAll(path);
        QVERIFY2(written.startsWith(bytes), written.left(200).constData());
        const QByteArray tail = written.mid(bytes.size());
        QVERIFY2(tail.contains("[Added]") && tail.contains("Key=v"), tail.constData());
    }

    void duplicatesFirstOccurrenceCounts()
    {
        const QString path = copyOf("[1000]\nParameterName=first\nParameterName=second\n"
                                    "[2000]\nx=1\n[1000]\nParameterName=third\nObjectType=7\n");
        DCFWriter writer;
        QVERIFY(writer.setDCFFile(path));
        QVERIFY(
            writer.addIndex(0x1000, CAN::UNSIGNED8, CANopen::OBJECT_VAR, QStringLiteral("new"), 0));
        QVERIFY(writer.writeFile());
        QCOMPARE(readAll(path), QByteArray("[1000]\nParameterName=new\nParameterName=second\n"
                                           "SubNumber=0\n[2000]\nx=1\n[1000]\n"
                                           "ParameterName=third\nObjectType=7\n"));
    }

    void editsLandInTheFilesSpelling()
    {
        const QString path = copyOf("[1A00]\nParametername=old\nObjectType=0x9\n\n"
                                    "; list of entry 1\n[1a00SUB1]\nparameterName=x\n");
        DCFWriter writer;
        QVERIFY(writer.setDCFFile(path));
        QVERIFY(writer.addIndex(0x1A00, CAN::UNSIGNED32, CANopen::OBJECT_RECORD,
                                QStringLiteral("TPDO mapping"), 2));
        QVERIFY(writer.setParameterValue(0x1A00, 1, QStringLiteral("0x60000108"), QString()));
        QVERIFY(writer.addSub(0x1A00, 2, CAN::UNSIGNED32, QStringLiteral("e2"),
                              QStringLiteral("rw"), true, QString()));
        QVERIFY(writer.writeFile());
        QCOMPARE(readAll(path),
                 QByteArray("[1A00]\nParametername=TPDO mapping\nObjectType=9\nSubNumber=2\n\n"
                            "; list of entry 1\n[1a00SUB1]\nparameterName=x\n"
                            "ParameterValue=0x60000108\n\n[1a00sub2]\nParameterName=e2\n"
                            "ObjectType=7\nDataType=0x7\nAccessType=rw\nPDOMapping=0x1\n"
                            "Denotation=e2\n"));
    }

    void valuesAreKeptVerbatim_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("quotes are not stripped")
            << QByteArray("[s]\n") << QStringLiteral("Do if i/o is \"Off\"")
            << QByteArray("[s]\nk=Do if i/o is \"Off\"\n");
        QTest::newRow("semicolon is no comment, comma no list")
            << QByteArray("[s]\n") << QStringLiteral("a, b; c") << QByteArray("[s]\nk=a, b; c\n");
        QTest::newRow("backslashes are no escapes")
            << QByteArray("[s]\n") << QStringLiteral("C:\\tools\\eds")
            << QByteArray("[s]\nk=C:\\tools\\eds\n");
        QTest::newRow("line break becomes a blank, no second line")
            << QByteArray("[s]\r\n") << QStringLiteral("one\r\n[evil]\ntwo")
            << QByteArray("[s]\r\nk=one [evil] two\r\n");
        QTest::newRow("8-bit file stays 8-bit")
            << QByteArray("[s]\nold=\xe4\n") << QStringLiteral("\u00f6")
            << QByteArray("[s]\nold=\xe4\nk=\xf6\n");
        QTest::newRow("UTF-8 file stays UTF-8")
            << QByteArray("[s]\nold=\xc3\xa4\n") << QStringLiteral("\u00f6")
            << QByteArray("[s]\nold=\xc3\xa4\nk=\xc3\xb6\n");
    }

    void valuesAreKeptVerbatim()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, value);
        QFETCH(QByteArray, written);
        const QString path = copyOf(file);
        DCFWriter writer;
        QVERIFY(writer.setDCFFile(path));
        writer.updateOtherSettings(QStringLiteral("S"), QStringLiteral("k"), value);
        QVERIFY(writer.writeFile());
        QCOMPARE(readAll(path), written);
    }

    void editedKeyLineStaysAKey()
    {
        // "[k=..." is a key; a "]" in its new value must not make it a section header.
        const QString path = copyOf("[s]\n[k=1\n");
        {
            DCFWriter writer;
            QVERIFY(writer.setDCFFile(path));
            writer.updateOtherSettings(QStringLiteral("s"), QStringLiteral("[k"),
                                       QStringLiteral("[v]"));
            QVERIFY(writer.writeFile());
        }
        DCFWriter again;
        QVERIFY(again.setDCFFile(path));
        again.updateOtherSettings(QStringLiteral("s"), QStringLiteral("[k"), QStringLiteral("w"));
        QVERIFY(again.writeFile());
        QCOMPARE(readAll(path), QByteArray("[s]\n[k=w\n"));
    }

    void existence_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("subIndex"); // -1: ask existIndex
        QTest::addColumn<bool>("exists");
        QTest::newRow("upper-case object section")
            << QByteArray("[1A00]\nk=1\n") << 0x1A00 << -1 << true;
        QTest::newRow("lower-case object section")
            << QByteArray("[1a00]\nk=1\n") << 0x1A00 << -1 << true;
        QTest::newRow("index 1 is 0001") << QByteArray("[0001]\nk=1\n") << 0x0001 << -1 << true;
        QTest::newRow("sub section is no object")
            << QByteArray("[1000sub0]\nk=1\n") << 0x1000 << -1 << false;
        QTest::newRow("sub 0x0A is subA")
            << QByteArray("[1600subA]\nk=1\n") << 0x1600 << 0x0A << true;
        QTest::newRow("sub 0x0A is SUBA")
            << QByteArray("[1600SUBA]\nk=1\n") << 0x1600 << 0x0A << true;
        QTest::newRow("sub 0x10 is sub10, not sub16")
            << QByteArray("[1600sub16]\nk=1\n") << 0x1600 << 0x10 << false;
        QTest::newRow("header without keys is no section")
            << QByteArray("[1000]\n") << 0x1000 << -1 << false;
        QTest::newRow("only values: gone after opening")
            << QByteArray("[1000]\nParameterValue=1\n") << 0x1000 << -1 << false;
    }

    void existence()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, index);
        QFETCH(int, subIndex);
        QFETCH(bool, exists);
        DCFWriter writer;
        QVERIFY(writer.setDCFFile(copyOf(file)));
        if (subIndex < 0)
            QCOMPARE(writer.existIndex(index), exists);
        else
            QCOMPARE(writer.existSub(index, subIndex), exists);
    }

    void entryLookup_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("subIndex");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("section"); // where ParameterValue must land
        QTest::newRow("sub 0 without sub section: object section")
            << QByteArray("[1017]\nk=1\n") << 0 << true << QStringLiteral("1017");
        QTest::newRow("sub 0 with sub section: sub section")
            << QByteArray("[1017]\nk=1\n[1017sub0]\nk=1\n") << 0 << true
            << QStringLiteral("1017sub0");
        QTest::newRow("odd case found in that spelling")
            << QByteArray("[1017]\nk=1\n[1017SUB1]\nk=1\n") << 1 << true
            << QStringLiteral("1017SUB1");
        QTest::newRow("sub 0 in an unusual case: the object section takes it")
            << QByteArray("[1017]\nk=1\n[1017SUB0]\nk=1\n") << 0 << true << QStringLiteral("1017");
        QTest::newRow("missing entry is not created")
            << QByteArray("[1017]\nk=1\n") << 1 << false << QString();
    }

    void entryLookup()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, subIndex);
        QFETCH(bool, found);
        QFETCH(QString, section);
        const QString path = copyOf(file);
        DCFWriter writer;
        QVERIFY(writer.setDCFFile(path));
        QCOMPARE(
            writer.setParameterValue(0x1017, subIndex, QStringLiteral("7"), QStringLiteral("d")),
            found);
        QCOMPARE(writer.setDenotation(0x1017, subIndex, QStringLiteral("e")), found);
        QVERIFY(writer.writeFile());
        if (!found) {
            QCOMPARE(readAll(path), file);
            return;
        }
        const auto keys = keysOf(path);
        QCOMPARE(keys.value(section + QLatin1String("/ParameterValue")), QStringLiteral("7"));
        QCOMPARE(keys.value(section + QLatin1String("/Denotation")), QStringLiteral("e"));
        QCOMPARE(keys.size(), file.count('=') + 2);
    }

    void addSubWritesItsKeys_data()
    {
        QTest::addColumn<bool>("network");
        QTest::addColumn<int>("subIndex");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("sub 0 with value: default and value")
            << false << 0 << QStringLiteral("2")
            << QStringLiteral("AccessType=rw DataType=0x7 DefaultValue=2 Denotation=n "
                              "ObjectType=7 PDOMapping=0x1 ParameterName=n ParameterValue=2");
        QTest::newRow("sub 1 with value: value only")
            << false << 1 << QStringLiteral("2")
            << QStringLiteral("AccessType=rw DataType=0x7 Denotation=n ObjectType=7 "
                              "PDOMapping=0x1 ParameterName=n ParameterValue=2");
        QTest::newRow("empty value: six keys")
            << false << 1 << QString()
            << QStringLiteral("AccessType=rw DataType=0x7 Denotation=n ObjectType=7 "
                              "PDOMapping=0x1 ParameterName=n");
        QTest::newRow("network variable sub 0: not mappable, no default")
            << true << 0 << QStringLiteral("2")
            << QStringLiteral("AccessType=rw DataType=0x7 Denotation=n ObjectType=7 "
                              "PDOMapping=0x0 ParameterName=n ParameterValue=2");
        QTest::newRow("network variable sub 3: mappable")
            << true << 3 << QString()
            << QStringLiteral("AccessType=rw DataType=0x7 Denotation=n ObjectType=7 "
                              "PDOMapping=0x1 ParameterName=n");
    }

    void addSubWritesItsKeys()
    {
        QFETCH(bool, network);
        QFETCH(int, subIndex);
        QFETCH(QString, value);
        QFETCH(QString, expected);
        const QString path = copyOf("[a040]\nParameterName=x\n");
        DCFWriter writer;
        QVERIFY(writer.setDCFFile(path));
        const QString name = QStringLiteral("n");
        const QString access = QStringLiteral("rw");
        QVERIFY(network
                    ? writer.addNVSub(0xA040, subIndex, CAN::UNSIGNED32, name, access, value)
                    : writer.addSub(0xA040, subIndex, CAN::UNSIGNED32, name, access, true, value));
        QVERIFY(writer.writeFile());
        QStringList keys;
        const auto all = keysOf(path);
        const QString prefix = QStringLiteral("a040sub%1/").arg(subIndex);
        for (auto it = all.cbegin(); it != all.cend(); ++it) {
            if (it.key().startsWith(prefix))
                keys << it.key().mid(prefix.size()) + QLatin1Char('=') + it.value();
        }
        QCOMPARE(keys.join(QLatin1Char(' ')), expected);
    }

    void objectCodesAndArrays()
    {
        const QString path = copyOf("[x]\nk=1\n");
        DCFWriter writer;
        QVERIFY(writer.setDCFFile(path));
        QVERIFY(writer.addIndex(0x2000, CAN::UNSIGNED8, CANopen::OBJECT_RECORD,
                                QStringLiteral("rec"), 12));
        QVERIFY(writer.addNVArray(0xA040, CAN::UNSIGNED8, QStringLiteral("arr"), 3));
        QVERIFY(writer.writeFile());
        const auto keys = keysOf(path);
        QCOMPARE(keys.value(QStringLiteral("2000/ObjectType")), QStringLiteral("9"));
        QCOMPARE(keys.value(QStringLiteral("2000/SubNumber")), QStringLiteral("12"));
        QCOMPARE(keys.value(QStringLiteral("a040/ObjectType")), QStringLiteral("8"));
        QCOMPARE(keys.value(QStringLiteral("a040/ParameterName")), QStringLiteral("arr"));
    }

    void deletionRemovesSectionsWithTheirComments()
    {
        const QString path = copyOf("[1000]\nk=1\n\n; the object\n[1A00]\nk=2\n\n[1A00sub0]\nk=3\n"
                                    "\n[1a00SUBA]\nk=4\n; the last one\n[1A00subA]\nk=5\n"
                                    "[1a00suba]\nk=6\n");
        DCFWriter writer;
        QVERIFY(writer.setDCFFile(path));
        QVERIFY(writer.delIndex(0x1A00));
        QVERIFY(writer.existSub(0x1A00, 0));
        QVERIFY(writer.delSub(0x1A00, 0x0A));
        QVERIFY(writer.delSub(0x1B00, 0x0A)); // nothing there: still true
        QVERIFY(writer.writeFile());
        QCOMPARE(readAll(path), QByteArray("[1000]\nk=1\n\n[1A00sub0]\nk=3\n\n"));
    }

    void optionalObjects_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<unsigned short>>("objects");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("sorted, repetitions dropped, old entries removed")
            << QByteArray("[OptionalObjects]\nSupportedObjects=5\n1=0x1\n2=0x2\n3=0x3\n4=0x4\n5="
                          "0x5\n\n[x]\nk=1\n")
            << QList<unsigned short>{0x2000, 0x1005, 0x2000}
            << QByteArray(
                   "[OptionalObjects]\nSupportedObjects=2\n1=0x1005\n2=0x2000\n\n[x]\nk=1\n");
        QTest::newRow("empty list: count 0, no entries")
            << QByteArray("[OptionalObjects]\nSupportedObjects=2\n1=0x1\n2=0x2\n")
            << QList<unsigned short>{} << QByteArray("[OptionalObjects]\nSupportedObjects=0\n");
        QTest::newRow("more entries than before, numbered in order, padded lower-case hex")
            << QByteArray("[OPTIONALOBJECTS]\nSupportedObjects=1\n1=0x1\n")
            << QList<unsigned short>{0x1A00, 0x0001, 3, 4, 5, 6, 7, 8, 9, 10, 11}
            << QByteArray("[OPTIONALOBJECTS]\nSupportedObjects=11\n1=0x0001\n2=0x0003\n"
                          "3=0x0004\n4=0x0005\n5=0x0006\n6=0x0007\n7=0x0008\n8=0x0009\n"
                          "9=0x000a\n10=0x000b\n11=0x1a00\n");
        QTest::newRow("count not decimal: leftovers stay")
            << QByteArray("[OptionalObjects]\nSupportedObjects=0x2\n1=0x1\n2=0x2\n")
            << QList<unsigned short>{0x1000}
            << QByteArray("[OptionalObjects]\nSupportedObjects=1\n1=0x1000\n2=0x2\n");
    }

    void optionalObjects()
    {
        QFETCH(QByteArray, file);
        QFETCH(QList<unsigned short>, objects);
        QFETCH(QByteArray, written);
        const QString path = copyOf(file);
        DCFWriter writer;
        QVERIFY(writer.setDCFFile(path));
        writer.updateOptionalObjects(objects);
        QVERIFY(writer.writeFile());
        QCOMPARE(readAll(path), written);
    }

    void newCommissioningSectionIsAppended()
    {
        const QString path = copyOf("[1000]\r\nk = 1\r\n");
        DCFWriter writer;
        QVERIFY(writer.setDCFFile(path));
        writer.updateDeviceCommisioning(250, 1, QStringLiteral("net"), 0x7F, QStringLiteral("n"));
        QVERIFY(writer.writeFile());
        QCOMPARE(readAll(path), QByteArray("[1000]\r\nk = 1\r\n[DeviceComissioning]\r\n"
                                           "NodeID = 127\r\nNodeName = n\r\nBaudrate = 250\r\n"
                                           "NetNumber = 1\r\nNetworkName = net\r\n"));
    }

    void withoutDocumentNothingHappens()
    {
        DCFWriter writer;
        QVERIFY(!writer.writeFile());
        QVERIFY(!writer.existIndex(0x1000));
        QVERIFY(!writer.existSub(0x1000, 0));
        QVERIFY(!writer.addIndex(0x1000, CAN::UNSIGNED8, CANopen::OBJECT_VAR, QString(), 0));
        QVERIFY(!writer.addNVArray(0x1000, CAN::UNSIGNED8, QString(), 0));
        QVERIFY(!writer.addSub(0x1000, 0, CAN::UNSIGNED8, QString(), QString(), false, QString()));
        QVERIFY(!writer.addNVSub(0x1000, 0, CAN::UNSIGNED8, QString(), QString(), QString()));
        QVERIFY(!writer.delIndex(0x1000));
        QVERIFY(!writer.delSub(0x1000, 0));
        QVERIFY(!writer.setParameterValue(0x1000, 0, QStringLiteral("1"), QString()));
        QVERIFY(!writer.setDenotation(0x1000, 0, QStringLiteral("1")));
        writer.updateDeviceCommisioning(1, 1, QString(), 1, QString());
        writer.updateOtherSettings(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"));
        writer.updateOptionalObjects({1});
        QVERIFY(writer.findChildren<QObject *>().isEmpty());
    }

    void missingFileKeepsTheEarlierDocument()
    {
        const QString path = copyOf(heartbeatFile);
        DCFWriter writer;
        QVERIFY(!writer.setDCFFile(m_dir->filePath(QStringLiteral("missing.dcf"))));
        QVERIFY(writer.setDCFFile(path));
        QVERIFY(!writer.setDCFFile(m_dir->filePath(QStringLiteral("missing.dcf"))));
        QVERIFY(writer.setParameterValue(0x1017, 0, QStringLiteral("100"), QString()));
        QVERIFY(writer.writeFile());
        QCOMPARE(keysOf(path).value(QStringLiteral("1017/ParameterValue")), QStringLiteral("100"));
        QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("missing.dcf"))));
    }

    void storeWritesByItselfWhenDestroyed()
    {
        const QByteArray original = "[1000]\nParameterValue=1\nk=2\n";
        const QString path = copyOf(original);
        {
            DCFWriter writer;
            QVERIFY(writer.setDCFFile(path));
        }
        QCOMPARE(readAll(path), QByteArray("[1000]\nk=2\n"));
    }

    void failedWriteLeavesTheFileWhole_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::newRow("file vanished: not created again") << QStringLiteral("vanished");
        QTest::newRow("disk full (size limit)") << QStringLiteral("size limit");
        QTest::newRow("file is a link to /dev/full") << QStringLiteral("dev full");
        QTest::newRow("read-only folder") << QStringLiteral("read-only folder");
    }

    void failedWriteLeavesTheFileWhole()
    {
        QFETCH(QString, failure);
        QByteArray original = heartbeatFile;
        original += "[big]\nk=" + QByteArray(64 * 1024, 'x') + '\n';
        const QString folder = m_dir->filePath(QStringLiteral("fail%1").arg(++m_files));
        QVERIFY(QDir().mkpath(folder));
        QString path = folder + QLatin1String("/device.dcf");
        writeAll(path, original);

        QString device = QStringLiteral("/dev/full");
        if (failure == QLatin1String("dev full")) {
            // As root a faulty writer could rename a text file over the device; let it be a
            // device node of our own then.
            if (geteuid() == 0) {
                device = folder + QLatin1String("/full");
                if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 7)))
                    QSKIP("no device nodes can be made here");
            }
            path = folder + QLatin1String("/full.dcf");
            QVERIFY(QFile::link(device, path));
        }
        auto owner = std::make_unique<DCFWriter>();
        DCFWriter &writer = *owner;
        QVERIFY(writer.setDCFFile(path));
        writer.updateOtherSettings(QStringLiteral("1017"), QStringLiteral("ParameterValue"),
                                   QStringLiteral("100"));
        QVERIFY(writer.addIndex(0x2000, CAN::UNSIGNED8, CANopen::OBJECT_VAR, QStringLiteral("more"),
                                0));

        bool ok = true;
        if (failure == QLatin1String("vanished")) {
            QVERIFY(QFile::remove(path));
            ok = writer.writeFile();
            QVERIFY(!QFileInfo::exists(path));
        } else if (failure == QLatin1String("size limit")) {
            rlimit old{};
            QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
            rlimit small = old;
            small.rlim_cur = 16 * 1024;
            const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
            ok = writer.writeFile();
            setrlimit(RLIMIT_FSIZE, &old);
            std::signal(SIGXFSZ, oldHandler);
        } else if (failure == QLatin1String("dev full")) {
            ok = writer.writeFile();
            QVERIFY(QFileInfo(path).isSymLink());
            QCOMPARE(QFileInfo(path).symLinkTarget(), device);
            QVERIFY(!QFileInfo(device).isFile());
        } else {
            if (geteuid() == 0)
                QSKIP("root writes into read-only folders");
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
            ok = writer.writeFile();
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        QVERIFY(!ok);
        owner.reset(); // the store writes once more when it is destroyed, and must fail again
        QVERIFY(!QFileInfo(device).isFile());
        if (failure != QLatin1String("vanished"))
            QCOMPARE(readAll(folder + QLatin1String("/device.dcf")), original);
        // No temporary or lock file is left behind, and nothing new appeared.
        QStringList expected;
        if (failure != QLatin1String("vanished"))
            expected << QStringLiteral("device.dcf");
        if (failure == QLatin1String("dev full") && device != QLatin1String("/dev/full"))
            expected << QStringLiteral("full");
        if (failure == QLatin1String("dev full"))
            expected << QStringLiteral("full.dcf");
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name),
                 expected);
    }
};

QTEST_GUILESS_MAIN(TestDcfWriter)
#include "tst_dcfwriter.moc"

// Not covered: writers in several threads (the format registers through a function-local static
// and guards its document cache with a mutex, but QSettings' own caches use locks that a thread
// sanitizer build cannot see); a file that changes on disk between opening and writing (the
// store reads it again and the new text gives the layout); the example tool's command line (its
// demo runs it).
