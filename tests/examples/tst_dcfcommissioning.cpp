// The example tool's job run in process: DcfCommissioning returns exit codes, never exits.

#include "commissioningsettings.h"
#include "dcfcommissioning.h"

#include <QtTest>

class TestDcfCommissioning : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    const QString m_eds = m_dir.filePath(QStringLiteral("device.eds"));
    const QByteArray m_original = "[1017]\nParameterName=Heartbeat\nDefaultValue=0\n\n"
                                  "[DeviceComissioning]\nNodeID=1\nNodeName=old\n";

    QString m_errors;

    // "EDS" and "OUT" in the arguments stand for the device file and the output.
    int exec(QStringList arguments, const QString &output)
    {
        arguments.replaceInStrings(QStringLiteral("EDS"), m_eds);
        arguments.replaceInStrings(QStringLiteral("OUT"), output);
        QString text;
        QTextStream out(&text);
        m_errors.clear();
        QTextStream err(&m_errors);
        return DcfCommissioning().exec(arguments, out, err);
    }
    static QByteArray readAll(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("Zezuzu Test"));
        QCoreApplication::instance()->setProperty("AppNameWithVersion",
                                                  QStringLiteral("dcfconfig test"));
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
        QCOMPARE(
            exec(arguments.prepend(QStringLiteral("dcfconfig|")).split(QLatin1Char('|')), output),
            exitCode);
        QCOMPARE(m_errors.isEmpty(), exitCode == 0);
        QCOMPARE(QFile::exists(output), !written.isEmpty());
        QCOMPARE(readAll(output), written);
        QCOMPARE(readAll(m_eds), m_original); // with -o only the copy changes
    }

    void commandLineComesBeforeRememberedValues()
    {
        CommissioningSettings::rememberValues(
            {QStringLiteral("dcfconfig"), QStringLiteral("--node-id"), QStringLiteral("3"),
             QStringLiteral("--net-number=7"), QStringLiteral("--node-name=old")});
        const QString output = m_dir.filePath(QStringLiteral("remembered.dcf"));
        const QStringList given
            = {QStringLiteral("dcfconfig"), QStringLiteral("EDS"), QStringLiteral("--node-id=9"),
               QStringLiteral("-o"), QStringLiteral("OUT")};
        QCOMPARE(exec(CommissioningSettings::withRememberedValues(given), output), 0);
        QCOMPARE(readAll(output),
                 QByteArray(m_original)
                     .replace("NodeID=1\nNodeName=old\n", "NodeID=9\nNodeName=old\nNetNumber=7\n"));
    }

    void windowJobPassesEveryValue()
    {
        const CommissioningSettings values{5, 500, 4, QStringLiteral("Line 1"),
                                           QStringLiteral("io")};
        const QString output = m_dir.filePath(QStringLiteral("window.dcf"));
        QCOMPARE(exec(QStringList{QStringLiteral("dcfconfig"), QStringLiteral("EDS"),
                                  QStringLiteral("-o"), QStringLiteral("OUT")}
                          + values.arguments(),
                      output),
                 0);
        QCOMPARE(readAll(output),
                 QByteArray(m_original)
                     .replace("NodeName=old\n", "NodeName=io\nBaudrate=500\n"
                                                "NetNumber=4\nNetworkName=Line 1\n")
                     .replace("NodeID=1", "NodeID=5"));
    }
};

QTEST_GUILESS_MAIN(TestDcfCommissioning)
#include "tst_dcfcommissioning.moc"
