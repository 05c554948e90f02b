// The real tool takes its documentation's pictures, as ./dev screenshots runs it: from the build
// tree, and installed alone into a prefix of its own, where it must find its help collection and
// manual under share/dcfconfig.

#include "screenshottour.h"

#include <QtTest>

class TestScreenshots : public QObject
{
    Q_OBJECT

    static bool run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        const bool ok = process.waitForFinished(120000)
                        && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
        if (!ok)
            qWarning("%s failed:\n%s", qPrintable(program), process.readAll().constData());
        return ok;
    }

private slots:
    void everyPictureIsMade_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::newRow("build tree") << false;
        QTest::newRow("installed") << true;
    }

    void everyPictureIsMade()
    {
        QFETCH(bool, installed);
        QTemporaryDir dir;
        QString tool = QStringLiteral(TOOL);
        if (installed) {
            const QString prefix = dir.filePath(QStringLiteral("prefix"));
            QVERIFY(run(QStringLiteral(CMAKE_COMMAND),
                        {QStringLiteral("--install"), QStringLiteral(BUILD_DIR),
                         QStringLiteral("--component"), QStringLiteral("dcfconfig"),
                         QStringLiteral("--prefix"), prefix}));
            tool = prefix + QLatin1String("/bin/dcfconfig");
            // Only the tool's component is installed; the library stays in the build tree.
            qputenv("LD_LIBRARY_PATH", LIBRARY_PATH);
            QVERIFY(QFile::exists(prefix + QLatin1String("/share/applications/dcfconfig.desktop")));
            QVERIFY(QFile::exists(
                prefix + QLatin1String("/share/icons/hicolor/scalable/apps/dcfconfig.svg")));
            QVERIFY(QFile::exists(prefix
                                  + QLatin1String("/share/dcfconfig/manuals/manual_90001_en.pdf")));
        }

        const QString pictures = dir.filePath(QStringLiteral("pictures"));
        QVERIFY(run(QStringLiteral("bash"), {QStringLiteral(SCREENSHOTS_SCRIPT), tool, pictures}));
        const QStringList names = ScreenshotTour::fileNames();
        for (const QString &name : names) {
            const QImage picture(pictures + QLatin1Char('/') + name);
            QVERIFY2(picture.width() >= 300 && picture.height() >= 200, qPrintable(name));
            // A blank or half-painted window has a handful of colours; text and icons have many.
            QSet<QRgb> colours;
            for (int y = 0; y < picture.height(); y += 3) {
                for (int x = 0; x < picture.width(); x += 3)
                    colours.insert(picture.pixel(x, y));
            }
            QVERIFY2(colours.size() > 32, qPrintable(name));
        }
    }
};

QTEST_GUILESS_MAIN(TestScreenshots)
#include "tst_screenshots.moc"
