#include "dcfcommissioning.h"

#include <ZezuzuDOD/dcfwriter.h>

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

namespace {

// Numbers as CANopen people write them: decimal, or hexadecimal with 0x.
std::optional<uint> number(const QString &text, uint maximum)
{
    bool ok = false;
    const uint value = text.trimmed().toUInt(&ok, 0);
    if (!ok || value > maximum)
        return std::nullopt;
    return value;
}

} // namespace

int DcfCommissioning::exec(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments)) {
        err << parser.errorText() << '\n';
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out << parser.helpText();
        return 0;
    }
    QString error;
    if (!takeOptions(parser, &error)) {
        err << error << '\n';
        return 2;
    }
    if (m_input.isEmpty()) {
        out << tr("No file given: nothing to commission (see --help).") << '\n';
        return 0;
    }
    if (!run(out, &error)) {
        err << error << '\n';
        return 1;
    }
    if (!m_missing.isEmpty()) {
        err << tr("Not in the file, not set: %1").arg(m_missing.join(QStringLiteral(", "))) << '\n';
        return 1;
    }
    return 0;
}

void DcfCommissioning::addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        tr("Turns a device description (EDS) into a commissioned configuration file (DCF)."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), tr("The EDS or DCF to commission."));
    parser.addOptions({
        {QStringLiteral("node-id"), tr("Node-ID, 1 to 127."), QStringLiteral("N")},
        {QStringLiteral("baudrate"), tr("Bit rate in kbit/s."), QStringLiteral("K")},
        {QStringLiteral("net-number"), tr("Network number, 0 to 255."), QStringLiteral("N")},
        {QStringLiteral("network-name"), tr("Name of the network."), QStringLiteral("S")},
        {QStringLiteral("node-name"), tr("Name of the node."), QStringLiteral("S")},
        {QStringLiteral("set"),
         tr("Configured value of an entry; INDEX in hexadecimal, SUB decimal or 0x... "
            "May be given several times."),
         QStringLiteral("INDEX:SUB=VALUE")},
        {{QStringLiteral("o"), QStringLiteral("output")},
         tr("Copy FILE to OUT and commission the copy."),
         QStringLiteral("OUT")},
        // The debugging switches belong to the base application, which reads them itself.
        {QStringLiteral("debug-log"), tr("Write a debug log file.")},
        {QStringLiteral("with-debug"), tr("Show debug messages.")},
        {QStringLiteral("debug-detailed"), tr("Show debug messages in detail.")},
        {QStringLiteral("debug-standard"), tr("Show debug messages in the standard form.")},
        {QStringLiteral("instrument-functions"), tr("Trace function calls.")},
        // The window's options; the job itself ignores them.
        {QStringLiteral("gui"), tr("Open the window, with FILE and OUT if given.")},
        {QStringLiteral("lang"), tr("Language of the texts: de or en (default: the system's)."),
         QStringLiteral("LANG")},
        {QStringLiteral("update-url"), tr("Update server to ask, e.g. https://127.0.0.1:8443."),
         QStringLiteral("URL")},
        {QStringLiteral("update-ca"),
         tr("Also trust the certificate authority in this PEM file for the update server."),
         QStringLiteral("FILE")},
    });
    QCommandLineOption screenshots(QStringLiteral("screenshots"),
                                   tr("Save pictures of the windows into DIR and quit."),
                                   QStringLiteral("DIR"));
    screenshots.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(screenshots);
}

bool DcfCommissioning::takeOptions(const QCommandLineParser &parser, QString *error)
{
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        *error = tr("Only one FILE, please: %1").arg(files.join(QLatin1Char(' ')));
        return false;
    }
    m_input = files.value(0);
    m_output = parser.value(QStringLiteral("o"));

    const auto take = [&](const char *name, uint minimum, uint maximum) -> std::optional<uint> {
        const QString option = QLatin1String(name);
        if (!parser.isSet(option))
            return std::nullopt;
        const auto value = number(parser.value(option), maximum);
        if (!value || *value < minimum) {
            *error = tr("--%1: %2 is not a number from %3 to %4")
                         .arg(option, parser.value(option))
                         .arg(minimum)
                         .arg(maximum);
        }
        return value;
    };
    if (const auto v = take("node-id", 1, 127))
        m_nodeId = static_cast<unsigned char>(*v);
    if (const auto v = take("baudrate", 1, 0xFFFF))
        m_baudrate = static_cast<unsigned short>(*v);
    if (const auto v = take("net-number", 0, 0xFF))
        m_netNumber = static_cast<unsigned char>(*v);
    if (!error->isEmpty())
        return false;
    if (parser.isSet(QStringLiteral("network-name")))
        m_networkName = parser.value(QStringLiteral("network-name"));
    if (parser.isSet(QStringLiteral("node-name")))
        m_nodeName = parser.value(QStringLiteral("node-name"));

    const QStringList sets = parser.values(QStringLiteral("set"));
    for (const QString &set : sets) {
        const int colon = set.indexOf(QLatin1Char(':'));
        const int equals = set.indexOf(QLatin1Char('='));
        const QString indexText = set.left(colon).trimmed();
        bool indexOk = false;
        const uint index = QString(indexText)
                               .remove(QStringLiteral("0x"), Qt::CaseInsensitive)
                               .toUInt(&indexOk, 16);
        const auto subIndex = number(set.mid(colon + 1, equals - colon - 1), 0xFF);
        if (colon < 1 || equals < colon || !indexOk || index > 0xFFFF || !subIndex) {
            *error = tr("--set %1: expected INDEX:SUB=VALUE, e.g. 1017:0=1000").arg(set);
            return false;
        }
        m_values.append({static_cast<unsigned short>(index), static_cast<unsigned char>(*subIndex),
                         set.mid(equals + 1)});
    }
    return true;
}

bool DcfCommissioning::run(QTextStream &out, QString *error)
{
    if (!QFileInfo(m_input).isFile()) {
        *error = tr("%1: no such file").arg(m_input);
        return false;
    }
    QString target = m_input;
    if (!m_output.isEmpty()
        && QFileInfo(m_output).absoluteFilePath() != QFileInfo(m_input).absoluteFilePath()) {
        // Written aside and renamed over OUT only when complete: an OUT that was there before
        // stays whole if the copy fails half-way.
        QFile source(m_input);
        QSaveFile copy(m_output);
        if (!source.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly)
            || copy.write(source.readAll()) != source.size() || !copy.commit()) {
            *error = tr("%1: cannot copy %2 there").arg(m_output, m_input);
            return false;
        }
        target = m_output;
    }

    DCFWriter writer;
    if (!writer.setDCFFile(target)) {
        *error = tr("%1: cannot open it").arg(target);
        return false;
    }
    qDebug("commissioning %s", qPrintable(target));
    const QString section = QStringLiteral("DeviceComissioning");
    if (m_nodeId && m_baudrate && m_netNumber && m_networkName && m_nodeName) {
        writer.updateDeviceCommisioning(*m_baudrate, *m_netNumber, *m_networkName, *m_nodeId,
                                        *m_nodeName);
    } else {
        // Only what was asked for: the other keys of the section keep their values.
        if (m_nodeId)
            writer.updateOtherSettings(section, QStringLiteral("NodeID"),
                                       QString::number(*m_nodeId));
        if (m_nodeName)
            writer.updateOtherSettings(section, QStringLiteral("NodeName"), *m_nodeName);
        if (m_baudrate)
            writer.updateOtherSettings(section, QStringLiteral("Baudrate"),
                                       QString::number(*m_baudrate));
        if (m_netNumber)
            writer.updateOtherSettings(section, QStringLiteral("NetNumber"),
                                       QString::number(*m_netNumber));
        if (m_networkName)
            writer.updateOtherSettings(section, QStringLiteral("NetworkName"), *m_networkName);
    }

    int set = 0;
    for (const Assignment &assignment : qAsConst(m_values)) {
        const QString entry = QStringLiteral("%1:%2")
                                  .arg(assignment.index, 4, 16, QLatin1Char('0'))
                                  .arg(assignment.subIndex);
        if (writer.setParameterValue(assignment.index, assignment.subIndex, assignment.value,
                                     QString())) {
            ++set;
            qDebug("set %s to %s", qPrintable(entry), qPrintable(assignment.value));
        } else {
            m_missing.append(entry);
            qWarning("entry %s is not in the file", qPrintable(entry));
        }
    }
    if (!writer.writeFile()) {
        *error = tr("%1: cannot write it; the file was left as it was").arg(target);
        return false;
    }
    out << tr("Wrote %1: %n value(s) set", nullptr, set).arg(target) << '\n';
    return true;
}
