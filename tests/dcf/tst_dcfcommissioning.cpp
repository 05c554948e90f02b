// The example tool's job run in process: DcfCommissioning returns exit codes, never exits.

#include "dcfcommissioning.h"

#include <QtTest>

class TestDcfCommissioning : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    const QString m_eds = m_dir.filePath(QStringLiteral("device.eds"));
    const QByteArray m_original = "[1017]\nParameterName=Heartbeat\nDefaultValue=0\n\n"
                                  "[DeviceComissioning]\nNodeID=1\nNodeName=old\n";

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QFile file(m_eds);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(m_original) == m_original.size());
    }

    void exitCodesAndResult_data()
    {
        QTest::addColumn<QString>("arguments"); // split at "|"
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("written"); // empty: no output file expected
        const auto row = [](const char *name, const char *arguments, int code, const char *out) {
            QTest::newRow(name) << QString::fromUtf8(arguments) << code << QByteArray(out);
        };
        row("debugging switches are no unknown options", "--debug-log|--with-debug", 0, "");
        row("unknown option", "--bogus", 2, "");
        row("node-ID out of range", "EDS|--node-id|128", 2, "");
        row("--set without sub-index", "EDS|--set|1017=5", 2, "");
        row("missing input", "nowhere.eds", 1, "");
        row("some commissioning values: the others stay",
            "EDS|--node-id|0x10|--set|1017:0=1000=x|-o|OUT", 0,
            "[1017]\nParameterName=Heartbeat\nDefaultValue=0\nParameterValue=1000=x\n\n"
            "[DeviceComissioning]\nNodeID=16\nNodeName=old\n");
        row("all commissioning values, entry not in the file",
            "EDS|--node-id|5|--baudrate|500|--net-number|2|--network-name|Line 1|--node-name|io|"
            "--set|0x2000:1=3|-o|OUT",
            1,
            "[1017]\nParameterName=Heartbeat\nDefaultValue=0\n\n[DeviceComissioning]\nNodeID=5\n"
            "NodeName=io\nBaudrate=500\nNetNumber=2\nNetworkName=Line 1\n");
    }

    void exitCodesAndResult()
    {
        QFETCH(QString, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, written);
        const QString output = m_dir.filePath(QString::fromUtf8(QTest::currentDataTag()));
        arguments.prepend(QStringLiteral("dcfconfig|")).replace(QStringLiteral("EDS"), m_eds);
        arguments.replace(QStringLiteral("OUT"), output);

        QString outText, errText;
        QTextStream out(&outText), err(&errText);
        QCOMPARE(DcfCommissioning().exec(arguments.split(QLatin1Char('|')), out, err), exitCode);
        QCOMPARE(errText.isEmpty(), exitCode == 0);

        QFile file(output);
        QCOMPARE(file.exists(), !written.isEmpty());
        if (file.open(QIODevice::ReadOnly))
            QCOMPARE(file.readAll(), written);
        QFile original(m_eds); // with -o only the copy changes
        QVERIFY(original.open(QIODevice::ReadOnly));
        QCOMPARE(original.readAll(), m_original);
    }
};

QTEST_GUILESS_MAIN(TestDcfCommissioning)
#include "tst_dcfcommissioning.moc"
