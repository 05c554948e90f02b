// The example tool's job, run in process: DcfCommissioning returns its exit code instead of
// leaving the process.

#include "dcfcommissioning.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

class TestDcfCommissioning : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_eds;
    QByteArray m_original;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        m_original = "[1017]\nParameterName=Heartbeat\nDefaultValue=0\n\n"
                     "[DeviceComissioning]\nNodeID=1\nNodeName=old\n";
        m_eds = m_dir.filePath(QStringLiteral("device.eds"));
        QFile file(m_eds);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(m_original);
    }

    void exitCodesAndResult_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("written"); // empty: no output file expected
        QTest::newRow("debugging switches are no unknown options")
            << QStringList{QStringLiteral("--debug-log"), QStringLiteral("--with-debug")} << 0
            << QByteArray();
        QTest::newRow("unknown option")
            << QStringList{QStringLiteral("--bogus")} << 2 << QByteArray();
        QTest::newRow("node-ID out of range")
            << QStringList{QStringLiteral("EDS"), QStringLiteral("--node-id"),
                           QStringLiteral("128")}
            << 2 << QByteArray();
        QTest::newRow("--set without sub-index")
            << QStringList{QStringLiteral("EDS"), QStringLiteral("--set"), QStringLiteral("1017=5")}
            << 2 << QByteArray();
        QTest::newRow("missing input")
            << QStringList{QStringLiteral("nowhere.eds")} << 1 << QByteArray();
        QTest::newRow("some commissioning values: the others stay")
            << QStringList{QStringLiteral("EDS"),
                           QStringLiteral("--node-id"),
                           QStringLiteral("0x10"),
                           QStringLiteral("--set"),
                           QStringLiteral("1017:0=1000=x"),
                           QStringLiteral("-o"),
                           QStringLiteral("OUT")}
            << 0
            << QByteArray("[1017]\nParameterName=Heartbeat\nDefaultValue=0\n"
                          "ParameterValue=1000=x\n\n[DeviceComissioning]\nNodeID=16\n"
                          "NodeName=old\n");
        QTest::newRow("all commissioning values, entry not in the file")
            << QStringList{QStringLiteral("EDS"),        QStringLiteral("--node-id"),
                           QStringLiteral("5"),          QStringLiteral("--baudrate"),
                           QStringLiteral("500"),        QStringLiteral("--net-number"),
                           QStringLiteral("2"),          QStringLiteral("--network-name"),
                           QStringLiteral("Line 1"),     QStringLiteral("--node-name"),
                           QStringLiteral("io"),         QStringLiteral("--set"),
                           QStringLiteral("0x2000:1=3"), QStringLiteral("-o"),
                           QStringLiteral("OUT")}
            << 1
            << QByteArray("[1017]\nParameterName=Heartbeat\nDefaultValue=0\n\n"
                          "[DeviceComissioning]\nNodeID=5\nNodeName=io\nBaudrate=500\n"
                          "NetNumber=2\nNetworkName=Line 1\n");
    }

    void exitCodesAndResult()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, written);
        static int run = 0;
        const QString output = m_dir.filePath(QStringLiteral("out%1.dcf").arg(++run));
        arguments.replaceInStrings(QStringLiteral("EDS"), m_eds);
        arguments.replaceInStrings(QStringLiteral("OUT"), output);
        arguments.prepend(QStringLiteral("dcfconfig"));

        QString outText;
        QString errText;
        QTextStream out(&outText);
        QTextStream err(&errText);
        QCOMPARE(DcfCommissioning().exec(arguments, out, err), exitCode);
        QCOMPARE(errText.isEmpty(), exitCode == 0);

        QFile file(output);
        if (written.isEmpty()) {
            QVERIFY(!file.exists());
        } else {
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), written);
        }
        // With -o only the copy changes.
        QFile original(m_eds);
        QVERIFY(original.open(QIODevice::ReadOnly));
        QCOMPARE(original.readAll(), m_original);
    }
};

QTEST_GUILESS_MAIN(TestDcfCommissioning)
#include "tst_dcfcommissioning.moc"
