#include <ZezuzuDOD/aboutdialog.h>
#include <ZezuzuDOD/fileviewerdialog.h>
#include <ZezuzuDOD/genericviewsearch.h>
#include <ZezuzuDOD/helpviewer.h>
#include <ZezuzuDOD/helpviewerdialog.h>
#include <ZezuzuDOD/newupdatechecker.h>
#include <ZezuzuDOD/tipoftheday.h>

#include "messageboxcloser.h"
#include "testutil.h"

#include <QTcpServer>
#include <QtTest>
#include <QtWidgets>

namespace {

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
    }

    // A few texts of each dialog, from its form and from its code.
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
        QCOMPARE(shownTexts(help, {"tabWidget"}), qs("Inhalt | Suche | Index"));
        QCOMPARE(shownTexts(HelpViewerDialog(), {""}), qs("Ortelan - Hilfe"));

        // Translated rich text that lost its markup would show the tags as text.
        const QString notice = shownTexts(AboutDialog(), {"QtText"});
        QVERIFY2(notice.startsWith(qs("Dieses Programm verwendet das Qt-Framework"))
                     && !notice.contains(QLatin1Char('<')),
                 qPrintable(notice));

        QTableView view;
        GenericViewSearch search(&view, nullptr, nullptr, nullptr);
        QCOMPARE(search.getMenuAction(GenericViewSearch::SearchAll)->text(), qs("Alle suchen"));
        QCOMPARE(view.findChild<QProgressBar *>()->format(), qs("Daten werden durchsucht...  %p%"));
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
        QCOMPARE(shownTexts(dialog, {"btnNext", "textBrowser"}),
                 qs("Nächster Tipp | Drücken Sie F1"));
    }

    // The box of an update check whose server could not be asked.
    void updateFailureBox()
    {
        QTcpServer closed; // listens, but is closed before it is asked
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QUrl closedPort(QStringLiteral("http://127.0.0.1:%1").arg(closed.serverPort()));
        closed.close();
        MessageBoxCloser failure;
        newUpdateChecker checker;
        checker.setBaseUrl(closedPort);
        checker.checkForUpdates(qs("01777"), qs("1.0.0"), 0, true);
        QTRY_VERIFY_WITH_TIMEOUT(failure.closed(), 10000);
        QCOMPARE(failure.text(), qs("Die Update-Abfrage ist fehlgeschlagen."));
    }

private:
    QTranslator m_translator;
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestTranslationDe)
#include "tst_translation_de.moc"

// Not covered: placeholders lost or added in a translation, the viewer's text for a file too large
// to be viewed, the out-of-memory box, the older UpdateChecker's boxes, and the update boxes that
// need a server's answer.
