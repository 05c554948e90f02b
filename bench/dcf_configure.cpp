// The configuration job of a large device file with DCFWriter against Qt's bare INI round trip
// of the same file (open, one edit, write), and the same job on a file twice as large to show
// that it stays linear.

#include <ZezuzuDOD/dcfwriter.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int SubEntries = 4;

QByteArray generate(int objects)
{
    QByteArray text;
    text.reserve(objects * 800);
    text += "[FileInfo]\r\nFileName=bench.dcf\r\nDescription=generated\r\n\r\n"
            "[DeviceComissioning]\r\nNodeID=1\r\nBaudrate=250\r\n\r\n";
    text += "[OptionalObjects]\r\nSupportedObjects=" + QByteArray::number(objects) + "\r\n";
    for (int i = 0; i < objects; ++i)
        text += QByteArray::number(i + 1) + "=0x" + QByteArray::number(0x2000 + i, 16) + "\r\n";
    for (int i = 0; i < objects; ++i) {
        const QByteArray index = QByteArray::number(0x2000 + i, 16).toUpper();
        text += "\r\n[" + index + "]\r\nParameterName=Object " + QByteArray::number(i)
                + "\r\nObjectType=0x9\r\nSubNumber=" + QByteArray::number(SubEntries) + "\r\n";
        for (int sub = 0; sub < SubEntries; ++sub) {
            text += "\r\n[" + index + "sub" + QByteArray::number(sub)
                    + "]\r\n"
                      "ParameterName=Entry "
                    + QByteArray::number(sub)
                    + "\r\n"
                      "ObjectType=0x7\r\nDataType=0x0007\r\nAccessType=rw\r\n"
                      "DefaultValue=0x00000000\r\nPDOMapping=1\r\n"
                      "ParameterValue=0x12345678\r\nDenotation=old name\r\n";
        }
    }
    return text;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

qint64 configure(const QString &path, int objects)
{
    QElapsedTimer timer;
    timer.start();
    {
        DCFWriter writer;
        writer.setDCFFile(path);
        QList<unsigned short> optional;
        for (int i = 0; i < objects; ++i) {
            const auto index = static_cast<unsigned short>(0x2000 + i);
            for (int sub = 0; sub < SubEntries; ++sub) {
                writer.setParameterValue(
                    index, static_cast<unsigned char>(sub),
                    QStringLiteral("0x%1").arg(i * 4 + sub, 8, 16, QLatin1Char('0')), QString());
                writer.setDenotation(index, static_cast<unsigned char>(sub),
                                     QStringLiteral("Channel %1.%2").arg(i).arg(sub));
            }
            optional.append(index);
        }
        writer.updateDeviceCommisioning(500, 1, QStringLiteral("Line 1"), 5,
                                        QStringLiteral("Node 5"));
        writer.updateOptionalObjects(optional);
        if (!writer.writeFile())
            qFatal("write failed");
    }
    return timer.nsecsElapsed();
}

qint64 bareIniRoundTrip(const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.setValue(QStringLiteral("DeviceComissioning/NodeID"), 5);
        settings.sync();
        if (settings.status() != QSettings::NoError)
            qFatal("bare write failed");
    }
    return timer.nsecsElapsed();
}

// Each run gets a file of its own: QSettings keeps what it knows of a path for later stores.
// An untimed run of the same job comes first, so that the heap is in the state the job leaves
// it in rather than in the one the other job left behind.
template<typename Job>
qint64 timed(const QTemporaryDir &dir, const QByteArray &bytes, Job job)
{
    static int files = 0;
    qint64 ns = 0;
    for (int round = 0; round < 2; ++round) {
        const QString path = dir.filePath(QStringLiteral("bench%1.dcf").arg(++files));
        writeFile(path, bytes);
        ns = job(path);
        QFile::remove(path);
    }
    return ns;
}

struct Best
{
    qint64 ns = -1;
    void add(qint64 sample) { ns = ns < 0 ? sample : std::min(ns, sample); }
    double ms() const { return ns / 1e6; }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        qFatal("no temporary folder");
    constexpr int Runs = 7;
    constexpr int Objects = 3000;

    const QByteArray single = generate(Objects);
    const QByteArray twice = generate(2 * Objects);
    // Interleaved, so that a busy spell of the machine hits ours and the baseline alike.
    Best ours, baseline, oursTwice, baselineTwice;
    for (int run = 0; run < Runs; ++run) {
        ours.add(timed(dir, single, [](const QString &path) { return configure(path, Objects); }));
        baseline.add(timed(dir, single, bareIniRoundTrip));
        oursTwice.add(
            timed(dir, twice, [](const QString &path) { return configure(path, 2 * Objects); }));
        baselineTwice.add(timed(dir, twice, bareIniRoundTrip));
    }

    std::printf("file: %d objects x %d sub-entries, %d sections, %.2f MB\n", Objects, SubEntries,
                Objects * (SubEntries + 1) + 3, single.size() / 1e6);
    std::printf("configuration job (DCFWriter, %d values + %d denotations): %.1f ms\n",
                Objects * SubEntries, Objects * SubEntries, ours.ms());
    std::printf("baseline (bare INI QSettings round trip: open, one edit, write): %.1f ms\n",
                baseline.ms());
    std::printf("ratio = ours / baseline = %.2f (goal <= 1.5)\n", ours.ms() / baseline.ms());
    std::printf("double file (%.2f MB): %.1f ms\n", twice.size() / 1e6, oursTwice.ms());
    std::printf("ratio = double / single = %.2f (goal <= 2.3)\n", oursTwice.ms() / ours.ms());
    // For comparison: how the plain INI store itself grows with the file.
    std::printf("baseline double file: %.1f ms, double / single = %.2f\n", baselineTwice.ms(),
                baselineTwice.ms() / baseline.ms());
    return 0;
}
