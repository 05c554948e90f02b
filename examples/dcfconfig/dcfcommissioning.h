#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QCommandLineParser;
class QTextStream;

/** The main job of dcfconfig: turns a device description (EDS) into a commissioned device
 *  configuration file with DCFWriter.
 *
 *    dcfconfig FILE [--node-id N] [--baudrate K] [--net-number N] [--network-name S]
 *              [--node-name S] [--set INDEX:SUB=VALUE]... [-o OUT]
 *
 *  With -o the file is first copied to OUT and only the copy is changed; without it FILE is
 *  changed in place. exec() returns the process exit code: 0 done (or nothing to do), 1 the job
 *  failed or some --set entry is not in the file, 2 the command line is wrong. The window runs
 *  the same job when it writes a DCF. */
class DcfCommissioning
{
    Q_DECLARE_TR_FUNCTIONS(DcfCommissioning)
public:
    int exec(const QStringList &arguments, QTextStream &out, QTextStream &err);

    /** Every option of the tool, the window's included, so that the job accepts any command
     *  line the tool accepts and --help lists them all. */
    static void addOptions(QCommandLineParser &parser);

private:
    struct Assignment
    {
        unsigned short index = 0;
        unsigned char subIndex = 0;
        QString value;
    };

    bool takeOptions(const QCommandLineParser &parser, QString *error);
    bool run(QTextStream &out, QString *error);

    QString m_input;
    QString m_output;
    std::optional<unsigned short> m_baudrate;
    std::optional<unsigned char> m_netNumber;
    std::optional<QString> m_networkName;
    std::optional<unsigned char> m_nodeId;
    std::optional<QString> m_nodeName;
    QList<Assignment> m_values;
    QStringList m_missing;
};
