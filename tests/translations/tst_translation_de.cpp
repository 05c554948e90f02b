#include <ZezuzuDOD/aboutdialog.h>
#include <ZezuzuDOD/fileviewerdialog.h>
#include <ZezuzuDOD/genericviewsearch.h>
#include <ZezuzuDOD/helpviewer.h>
#include <ZezuzuDOD/helpviewerdialog.h>
#include <ZezuzuDOD/newupdatechecker.h>
#include <ZezuzuDOD/tipoftheday.h>
#include <ZezuzuDOD/updatechecker.h>
#include <ZezuzuDOD/varniobaseapplication.h>

#include "messageboxcloser.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTranslator>
#include <QXmlStreamReader>

#include <memory>

namespace {

QString qs(const char *text)
{
    return QString::fromUtf8(text);
}

QString buttonText(const QWidget &dialog, const char *name)
{
    const auto *button = dialog.findChild<QAbstractButton *>(QLatin1String(name));
    return button ? button->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

QSet<QString> placeholders(const QString &text)
{
    static const QRegularExpression placeholder(QStringLiteral("%(n|\\d+)"));
    QSet<QString> found;
    for (auto it = placeholder.globalMatch(text); it.hasNext();)
        found.insert(it.next().captured());
    return found;
}

// Every message of a catalogue that a German user would not see translated as it should be:
// unfinished, vanished or obsolete, or with a placeholder lost or added on the way.
QStringList faultyMessages(const QString &tsFile)
{
    QFile file(tsFile);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("cannot read ") + tsFile};
    QStringList faults;
    QString source;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString translation = xml.readElementText();
            if (!type.isEmpty())
                faults << type + QLatin1String(": ") + source;
            else if (placeholders(source) != placeholders(translation))
                faults << QLatin1String("placeholders differ: ") + source;
        }
    }
    if (xml.hasError())
        faults << xml.errorString();
    return faults;
}

QUrl closedPortUrl()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort()));
}

} // namespace

class TestTranslationDe : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // As a tool on a German system loads it: zezuzudod_de_DE is not there, zezuzudod_de is.
        QVERIFY(m_translator.load(QLocale(QLocale::German, QLocale::Germany),
                                  QStringLiteral("zezuzudod"), QStringLiteral("_"),
                                  QStringLiteral(":/i18n")));
        QVERIFY(QCoreApplication::installTranslator(&m_translator));
        QVERIFY(m_dir.isValid());
    }

    void catalogueIsComplete_data()
    {
        QTest::addColumn<bool>("updateFirst");
        QTest::newRow("the committed catalogue") << false;
        QTest::newRow("a text put into tr() without a translation") << true;
    }

    void catalogueIsComplete()
    {
        QFETCH(bool, updateFirst);
        QString tsFile = QStringLiteral(TS_FILE);
        if (updateFirst) {
            const QString copy = m_dir.filePath(QStringLiteral("zezuzudod_de.ts"));
            QFile::remove(copy);
            QVERIFY(QFile::copy(tsFile, copy));
            QProcess lupdate;
            lupdate.start(QStringLiteral(LUPDATE),
                          {QStringLiteral("-silent"), QStringLiteral("-locations"),
                           QStringLiteral("none"), QStringLiteral("-no-obsolete"),
                           QStringLiteral(LIBRARY_SOURCES), QStringLiteral("-ts"), copy});
            QVERIFY(lupdate.waitForFinished(60000));
            QCOMPARE(lupdate.exitCode(), 0);
            tsFile = copy;
        }
        const QStringList faults = faultyMessages(tsFile);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void fileViewer()
    {
        const QString path = m_dir.filePath(QStringLiteral("missing.txt"));
        FileViewerDialog dialog(path);
        QCOMPARE(dialog.findChild<QTextEdit *>(QStringLiteral("txtViewer"))->toPlainText(),
                 qs("Fehler: %1 ist nicht lesbar.").arg(path));
        QCOMPARE(buttonText(dialog, "pushButton"), qs("Ordner öffnen"));

        // The keys are translatable too: a translation the key parser does not understand would
        // leave a shortcut without a key.
        QStringList keys;
        const auto shortcuts = dialog.findChildren<QShortcut *>();
        for (const QShortcut *shortcut : shortcuts)
            keys << shortcut->key().toString(QKeySequence::PortableText);
        keys.sort();
        QCOMPARE(keys, QStringList({qs("/"), qs("B"), qs("Ctrl++"), qs("Ctrl+-"), qs("N")}));
    }

    void helpWindows()
    {
        HelpViewer viewer;
        viewer.setHelpFile(m_dir.filePath(QStringLiteral("empty.qhc")));
        const auto *tabs = viewer.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
        QCOMPARE(QStringList({tabs->tabText(0), tabs->tabText(1), tabs->tabText(2)}),
                 QStringList({qs("Inhalt"), qs("Suche"), qs("Index")}));
        QCOMPARE(buttonText(viewer, "btnClose"), qs("Schließen"));

        HelpViewerDialog helpText;
        QCOMPARE(helpText.windowTitle(), qs("Ortelan - Hilfe"));
        QCOMPARE(buttonText(helpText, "pushButton"), qs("Schließen"));
    }

    void tipOfTheDayFollowsTheLanguage()
    {
        const QString tips = m_dir.filePath(QStringLiteral("tips.txt"));
        QFile file(tips);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("Drücken Sie F1;\n") > 0);
        file.close();

        // Made while the tool still spoke English; the translator arrives afterwards.
        QCoreApplication::removeTranslator(&m_translator);
        TipOfTheDay dialog(tips, true, 0);
        QCOMPARE(dialog.windowTitle(), qs("Tip of the day"));
        QCoreApplication::installTranslator(&m_translator);
        QTRY_COMPARE(dialog.windowTitle(), qs("Tipp des Tages"));

        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("label"))->text(),
                 qs("Wussten Sie schon ...?"));
        QCOMPARE(buttonText(dialog, "checkBox"), qs("Tipps beim Start anzeigen"));
        QCOMPARE(QStringList({buttonText(dialog, "btnPrev"), buttonText(dialog, "btnNext"),
                              buttonText(dialog, "btnClose")}),
                 QStringList({qs("Vorheriger Tipp"), qs("Nächster Tipp"), qs("Schließen")}));
        QCOMPARE(dialog.findChild<QTextEdit *>(QStringLiteral("textBrowser"))->toPlainText(),
                 qs("Drücken Sie F1"));
    }

    void aboutDialog()
    {
        AboutDialog dialog;
        QCOMPARE(dialog.windowTitle(), qs("Über"));
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("label"))->text(), qs("Über ..."));
        QCOMPARE(buttonText(dialog, "pushButton"), qs("Schließen"));
        // Translated rich text that lost its markup would show the tags as text.
        const QString notice
            = dialog.findChild<QTextEdit *>(QStringLiteral("QtText"))->toPlainText();
        QVERIFY2(notice.startsWith(qs("Dieses Programm verwendet das Qt-Framework")),
                 qPrintable(notice));
        QVERIFY2(!notice.contains(QLatin1Char('<')), qPrintable(notice));
    }

    void searchActions()
    {
        QTableView view;
        GenericViewSearch search(&view, nullptr, nullptr, nullptr);
        QStringList texts;
        for (auto type : {GenericViewSearch::SearchNext, GenericViewSearch::SearchSubElements,
                          GenericViewSearch::SearchAll})
            texts << search.getMenuAction(type)->text();
        QCOMPARE(texts, QStringList({qs("Weitersuchen"), qs("Unterelemente durchsuchen"),
                                     qs("Alle suchen")}));
        QCOMPARE(view.findChild<QProgressBar *>()->format(), qs("Daten werden durchsucht...  %p%"));
    }

    void boxes_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        // The informative texts and the checker's window title stay English on purpose.
        QTest::newRow("version file checker, no connection")
            << 0 << qs("Update Check") << qs("Die Update-Abfrage ist fehlgeschlagen.");
        QTest::newRow("product checker, no connection")
            << 1 << QString() << qs("Die Update-Abfrage ist fehlgeschlagen.");
        QTest::newRow("out of memory") << 2 << qs("Zu wenig Arbeitsspeicher") << QString();
    }

    void boxes()
    {
        QFETCH(int, box);
        QFETCH(QString, title);
        QFETCH(QString, text);
        MessageBoxCloser closer;
        if (box == 0) {
            QPointer<UpdateChecker> checker = new UpdateChecker;
            checker->setBaseUrl(closedPortUrl());
            checker->queryForUpdates(qs("Device"), qs("1.0.0"), false);
            QTRY_VERIFY_WITH_TIMEOUT(!checker, 10000);
        } else if (box == 1) {
            newUpdateChecker checker;
            checker.setBaseUrl(closedPortUrl());
            checker.checkForUpdates(qs("01777"), qs("1.0.0"), 0, true);
            QTRY_VERIFY_WITH_TIMEOUT(closer.closed(), 10000);
        } else {
            static_cast<VarnioBaseApplication *>(qApp)->showMessageBox();
        }
        QVERIFY(closer.closed());
        if (!title.isNull())
            QCOMPARE(closer.title(), title);
        if (!text.isNull())
            QCOMPARE(closer.text(), text);
    }

private:
    QTranslator m_translator;
    QTemporaryDir m_dir;
};

// The test runs in the library's own application object, as a tool does, so that the
// out-of-memory box can be asked for.
int main(int argc, char **argv)
{
    VarnioBaseApplication app(argc, argv, QStringLiteral("Translation Test"),
                              QStringLiteral("1.0"));
    TestTranslationDe test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_translation_de.moc"

// Not covered: the viewer's text for a file too large to be viewed (its placeholders are checked
// in the catalogue), and the update boxes that need a server's answer.
