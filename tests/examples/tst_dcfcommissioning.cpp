// The example tool's job run in process: DcfCommissioning returns exit codes, never exits.

#include "commissioningsettings.h"
#include "dcfcommissioning.h"
#include "testutil.h"

#include <QtTest>

// The tool's command line from a text split at "|".
static QStringList args(const char *text)
{
    return qs(text).split(QLatin1Char('|'));
}

class TestDcfCommissioning : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    const QString m_eds = m_dir.filePath(qs("device.eds"));
    const QByteArray m_original = "[1017]\nParameterName=Heartbeat\nDefaultValue=0\n\n"
                                  "[DeviceComissioning]\nNodeID=1\nNodeName=old\n";

    QString m_errors;

    // "EDS" and "OUT" in the arguments stand for the device file and the output.
    int exec(QStringList arguments, const QString &output)
    {
        arguments.replaceInStrings(qs("EDS"), m_eds);
        arguments.replaceInStrings(qs("OUT"), output);
        QString text;
        QTextStream out(&text);
        m_errors.clear();
        QTextStream err(&m_errors);
        return DcfCommissioning().exec(arguments, out, err);
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(qs("Zezuzu Test"));
        QCoreApplication::instance()->setProperty("AppNameWithVersion", qs("dcfconfig test"));
        QVERIFY(writeFile(m_eds, m_original));
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
        QCOMPARE(exec(arguments.prepend(qs("dcfconfig|")).split(QLatin1Char('|')), output),
                 exitCode);
        QCOMPARE(m_errors.isEmpty(), exitCode == 0);
        QCOMPARE(readFile(output), written.isEmpty() ? QByteArray("<unreadable>") : written);
        QCOMPARE(readFile(m_eds), m_original); // with -o only the copy changes
    }

    void commandLineComesBeforeRememberedValues()
    {
        CommissioningSettings::rememberValues(
            args("dcfconfig|--node-id|3|--net-number=7|--node-name=old"));
        const QString output = m_dir.filePath(qs("remembered.dcf"));
        QCOMPARE(exec(CommissioningSettings::withRememberedValues(
                          args("dcfconfig|EDS|--node-id=9|-o|OUT")),
                      output),
                 0);
        QCOMPARE(readFile(output),
                 QByteArray(m_original)
                     .replace("NodeID=1\nNodeName=old\n", "NodeID=9\nNodeName=old\nNetNumber=7\n"));
    }
};

QTEST_GUILESS_MAIN(TestDcfCommissioning)
#include "tst_dcfcommissioning.moc"
