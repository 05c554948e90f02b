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
#include "testutil.h"

#include <QTcpServer>
#include <QtTest>
#include <QtWidgets>

namespace {

QSet<QString> placeholders(const QString &text)
{
    static const QRegularExpression placeholder(QStringLiteral("%(n|\\d+)"));
    QSet<QString> found;
    for (auto it = placeholder.globalMatch(text); it.hasNext();)
        found.insert(it.next().captured());
    return found;
}

// Every message of a catalogue that a German user would not see translated as it should be:
// unfinished, or with a placeholder lost or added on the way. lupdate writes one element per
// line in a fixed order, so a pattern reads its messages.
QStringList faultyMessages(const QString &tsFile)
{
    static const QRegularExpression message(
        QStringLiteral("<source>(.*?)</source>.*?<translation([^>]*)>(.*?)</translation>"),
        QRegularExpression::DotMatchesEverythingOption);
    QStringList faults;
    int messages = 0;
    for (auto it = message.globalMatch(QString::fromUtf8(readFile(tsFile))); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        ++messages;
        if (!match.capturedRef(2).isEmpty()) // type="unfinished"
            faults << match.captured(2) + QLatin1String(": ") + match.captured(1);
        else if (placeholders(match.captured(1)) != placeholders(match.captured(3)))
            faults << QLatin1String("placeholders differ: ") + match.captured(1);
    }
    if (messages == 0)
        faults << QLatin1String("no messages in ") + tsFile;
    return faults;
}

// What a user reads on the children of \a root named in \a names, joined by " | ": an empty
// name stands for the window title, a tab widget for its tab texts.
QString shownTexts(const QWidget &root, std::initializer_list<const char *> names)
{
    QStringList texts;
    for (const char *name : names) {
        QObject *child = root.findChild<QObject *>(QLatin1String(name));
        if (!*name) {
            texts << root.windowTitle();
        } else if (!child) {
            texts << QStringLiteral("<no %1>").arg(QLatin1String(name));
        } else if (auto *tabs = qobject_cast<QTabWidget *>(child)) {
            for (int tab = 0; tab < tabs->count(); ++tab)
                texts << tabs->tabText(tab);
        } else {
            const bool textEdit = child->property("plainText").isValid();
            texts << child->property(textEdit ? "plainText" : "text").toString();
        }
    }
    return texts.join(QLatin1String(" | "));
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

    // A text put into tr() without a translation, or one that left the code, makes lupdate
    // change the catalogue (the update_translations target runs it with the same options).
    void catalogueIsComplete()
    {
        const QString copy = m_dir.filePath(QStringLiteral("zezuzudod_de.ts"));
        QVERIFY(QFile::copy(QStringLiteral(TS_FILE), copy));
        const QString arguments
            = qs("-silent|-locations|none|-no-obsolete|" LIBRARY_SOURCES "|-ts|") + copy;
        QCOMPARE(QProcess::execute(qs(LUPDATE), arguments.split(QLatin1Char('|'))), 0);
        QVERIFY2(readFile(copy) == readFile(QStringLiteral(TS_FILE)),
                 "lupdate changes the catalogue");
        const QStringList faults = faultyMessages(copy);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void dialogs()
    {
        const QString missing = m_dir.filePath(QStringLiteral("missing.txt"));
        FileViewerDialog viewer(missing);
        QCOMPARE(shownTexts(viewer, {"txtViewer", "pushButton"}),
                 qs("Fehler: %1 ist nicht lesbar. | Ordner öffnen").arg(missing));
        // The keys are translatable too: a translation the key parser does not understand would
        // leave a shortcut without a key.
        QStringList keys;
        const auto shortcuts = viewer.findChildren<QShortcut *>();
        for (const QShortcut *shortcut : shortcuts)
            keys << shortcut->key().toString(QKeySequence::PortableText);
        keys.sort();
        QCOMPARE(keys.join(QLatin1Char(' ')), qs("/ B Ctrl++ Ctrl+- N"));

        HelpViewer help;
        help.setHelpFile(m_dir.filePath(QStringLiteral("empty.qhc")));
        QCOMPARE(shownTexts(help, {"tabWidget", "btnClose"}),
                 qs("Inhalt | Suche | Index | Schließen"));
        QCOMPARE(shownTexts(HelpViewerDialog(), {"", "pushButton"}),
                 qs("Ortelan - Hilfe | Schließen"));

        AboutDialog about;
        QCOMPARE(shownTexts(about, {"", "label", "pushButton"}), qs("Über | Über ... | Schließen"));
        // Translated rich text that lost its markup would show the tags as text.
        const QString notice = shownTexts(about, {"QtText"});
        QVERIFY2(notice.startsWith(qs("Dieses Programm verwendet das Qt-Framework"))
                     && !notice.contains(QLatin1Char('<')),
                 qPrintable(notice));

        QTableView view;
        GenericViewSearch search(&view, nullptr, nullptr, nullptr);
        QStringList texts;
        for (auto type : {GenericViewSearch::SearchNext, GenericViewSearch::SearchSubElements,
                          GenericViewSearch::SearchAll})
            texts << search.getMenuAction(type)->text();
        texts << view.findChild<QProgressBar *>()->format();
        QCOMPARE(texts.join(QLatin1String(" | ")),
                 qs("Weitersuchen | Unterelemente durchsuchen | Alle suchen | "
                    "Daten werden durchsucht...  %p%"));
    }

    void tipOfTheDayFollowsTheLanguage()
    {
        const QString tips = m_dir.filePath(QStringLiteral("tips.txt"));
        QVERIFY(writeFile(tips, "Drücken Sie F1;\n"));
        // Made while the tool still spoke English; the translator arrives afterwards, and the tip
        // stays.
        QCoreApplication::removeTranslator(&m_translator);
        TipOfTheDay dialog(tips, true, 0);
        QCOMPARE(dialog.windowTitle(), qs("Tip of the day"));
        QCoreApplication::installTranslator(&m_translator);
        QTRY_COMPARE(dialog.windowTitle(), qs("Tipp des Tages"));
        QCOMPARE(shownTexts(dialog,
                            {"label", "checkBox", "btnPrev", "btnNext", "btnClose", "textBrowser"}),
                 qs("Wussten Sie schon ...? | Tipps beim Start anzeigen | Vorheriger Tipp | "
                    "Nächster Tipp | Schließen | Drücken Sie F1"));
    }

    // The version file checker's window title and the out-of-memory text stay English on purpose.
    void boxes()
    {
        const auto shown = [](const MessageBoxCloser &box) -> QString {
            return box.title() + QLatin1String(" | ") + box.text();
        };
        {
            MessageBoxCloser box;
            QPointer<UpdateChecker> checker = new UpdateChecker; // gone once it has answered
            checker->setBaseUrl(closedPortUrl());
            checker->queryForUpdates(qs("Device"), qs("1.0.0"), false);
            QTRY_VERIFY_WITH_TIMEOUT(!checker, 10000);
            QCOMPARE(shown(box), qs("Update Check | Die Update-Abfrage ist fehlgeschlagen."));
        }
        {
            MessageBoxCloser box;
            newUpdateChecker checker;
            checker.setBaseUrl(closedPortUrl());
            checker.checkForUpdates(qs("01777"), qs("1.0.0"), 0, true);
            QTRY_VERIFY_WITH_TIMEOUT(box.closed(), 10000);
            QCOMPARE(shown(box), qs(" | Die Update-Abfrage ist fehlgeschlagen."));
        }
        MessageBoxCloser box;
        static_cast<VarnioBaseApplication *>(qApp)->showMessageBox();
        QVERIFY(box.closed());
        QCOMPARE(box.title(), qs("Zu wenig Arbeitsspeicher"));
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
