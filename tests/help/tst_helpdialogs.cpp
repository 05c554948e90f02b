#include <ZezuzuDOD/aboutdialog.h>
#include <ZezuzuDOD/helpviewerdialog.h>
#include <ZezuzuDOD/manualhandler.h>
#include <ZezuzuDOD/tipoftheday.h>

#include "testutil.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

namespace {

// The heading at the top of the visible part; the test page's headings are its anchor names.
QString topHeading(QTextBrowser *browser)
{
    return browser->cursorForPosition(QPoint(0, 0)).block().text();
}

QString shownText(const TipOfTheDay &dialog)
{
    return dialog.findChild<QTextBrowser *>()->toPlainText();
}

QStringList list(const char *text)
{
    return qs(text).split(QLatin1Char('|'));
}

void click(const QWidget &dialog, const char *button)
{
    QTest::mouseClick(dialog.findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
}

} // namespace

class TestHelpDialogs : public QObject
{
    Q_OBJECT

public slots:
    // Stands in for the system's viewer of every file URL.
    void openUrl(const QUrl &url) { m_opened.append(url); }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QDesktopServices::setUrlHandler(qs("file"), this, "openUrl");
        QVERIFY(m_dir.isValid());
        // Long enough that each anchor but the first can be scrolled to the top. The last
        // anchor stands before its heading, where it names the heading's block, not its text.
        const QByteArray filler = QByteArray("<p>Filler line.</p>").repeated(60);
        const QByteArray html = "<h2><a name=\"start\"></a>start</h2>" + filler
                                + "<h2><a name=\"wiring\"></a>wiring</h2>" + filler
                                + "<a name=\"nodes\"></a><h2>nodes</h2>" + filler;
        m_helpFile = m_dir.filePath(qs("help #1 für 50%.html"));
        QVERIFY(writeFile(m_helpFile, html));
    }

    void init() { m_opened.clear(); }

    void topicsAndManuals()
    {
        HelpViewerDialog dialog;
        auto *browser = dialog.findChild<QTextBrowser *>();
        QVERIFY(!dialog.setFile(m_dir.filePath(qs("missing.html"))));
        QVERIFY(!dialog.setFile(m_dir.path())); // a folder is no help file
        QVERIFY(browser->document()->isEmpty());
        QVERIFY(dialog.setFile(m_helpFile));
        QVERIFY(!dialog.showManual()); // no manual set: nothing opened

        dialog.setTopic(qs("nodes"));
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTRY_COMPARE(topHeading(browser), qs("nodes"));
        dialog.setTopic(qs("wiring"));
        QTRY_COMPARE(topHeading(browser), qs("wiring"));
        dialog.setTopic(qs("no such anchor"));
        QCOMPARE(topHeading(browser), qs("wiring"));

        dialog.hide();
        const QString manual = m_dir.filePath(qs("Handbuch #2 (ü).pdf"));
        dialog.setManualFile(manual);
        dialog.setTopic(qs("Manual"));
        QVERIFY(!dialog.isVisible());
        dialog.setTopic(qs("manual")); // only the exact word is the manual
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.showManual());
        QCOMPARE(m_opened, QList<QUrl>({QUrl::fromLocalFile(QCoreApplication::applicationDirPath()
                                                            + qs("/doc/manual_90001_de.pdf")),
                                        QUrl::fromLocalFile(manual)}));
    }

    void manualsMenu_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("firstOpens");
        QTest::newRow("known manuals, in name order")
            << list("manual_kx_90007_en.pdf|manual_90001_de.pdf|kx_script_api.pdf")
            << list("Script API (en)|Handbuch (de)|Manual (en)") << qs("kx_script_api.pdf");
        QTest::newRow("unknown or differently cased: name up to the first dot")
            << list("Release.Notes.pdf|Manual_90001_DE.pdf|a.PDF|#3 Bus für 50% (de).pdf")
            << list("#3 Bus für 50% (de)|a|Manual_90001_DE|Release")
            << qs("#3 Bus für 50% (de).pdf");
        QTest::newRow("no PDF file: no menu")
            << list("folder.pdf/|notes.txt") << QStringList() << QString();
    }

    void manualsMenu()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, titles);
        QFETCH(QString, firstOpens);
        QTemporaryDir dir;
        for (const QString &file : qAsConst(files))
            QVERIFY(file.endsWith(QLatin1Char('/')) ? QDir(dir.path()).mkdir(file)
                                                    : writeFile(dir.filePath(file)));
        auto handler = std::make_unique<ManualHandler>();
        handler->setManualsPath(dir.path());
        QPointer<QMenu> menu;
        for (int scan = 0; scan < 2; ++scan) { // a rescan replaces the entries
            menu = handler->getManualsMenu();
            QCOMPARE(bool(menu), !titles.isEmpty());
            QStringList shown;
            for (const QAction *action : (menu ? menu->actions() : QList<QAction *>()))
                shown.append(action->text());
            QCOMPARE(shown, titles);
        }
        if (!menu)
            return;
        QPointer<QAction> entry = menu->actions().constFirst();
        entry->trigger();
        QCOMPARE(m_opened, QList<QUrl>({QUrl::fromLocalFile(dir.filePath(firstOpens))}));
        // The menu and its entries go with the handler, also from a menu bar that shows them.
        QMenuBar bar;
        bar.addMenu(menu);
        handler.reset();
        QVERIFY(!menu && !entry && bar.actions().isEmpty());
    }

    void aboutDialogCloseButtonDeletes()
    {
        QPointer<AboutDialog> dialog = new AboutDialog;
        dialog->show();
        dialog->close(); // as by the title bar: hidden only
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(dialog);
        dialog->show();
        QTest::mouseClick(dialog->findChild<QPushButton *>(), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!dialog);
    }

    void tipsShown_data()
    {
        QByteArray many;
        for (int i = 0; i < 300; ++i)
            many += "tip " + QByteArray::number(i) + '\n';
        const QByteArray three("tip 0\ntip 1;anim.gif\ntip 2\n");
        QTest::addColumn<QByteArray>("content"); // null: no tip file
        QTest::addColumn<int>("lastTip");
        QTest::addColumn<QStringList>("expected"); // first, then after Next, Previous, Previous
        QTest::newRow("starts after the last tip, wraps at both ends")
            << three << 1 << list("tip 2|tip 0|tip 2|tip 1");
        QTest::newRow("last tip beyond the list: first tip")
            << three << 200 << list("tip 0|tip 1|tip 0|tip 2");
        QTest::newRow("only 256 of 300 tips addressed")
            << many << 254 << list("tip 255|tip 0|tip 255|tip 254");
        QTest::newRow("text up to the first ;, leading blanks kept")
            << QByteArray("Use F1 for help;help.png\n  A;B;c.gif\n") << 1
            << list("Use F1 for help|  A|Use F1 for help|  A");
        QTest::newRow("blank lines skipped, no line ends in texts")
            << QByteArray("first\r\n  \t \n\nsecond") << 1 << list("first|second|first|second");
        QTest::newRow("zero byte ends the line, UTF-8, rich text")
            << QByteArray("Größe\0after;short.png\n<b>Bold</b> tip\n", 40) << 1
            << list("Größe|Bold tip|Größe|Bold tip");
        QTest::newRow("empty file: the form's text, Next closes")
            << QByteArray("") << 3 << list("Ladida|Ladida|Ladida|Ladida");
        QTest::newRow("no file: the same")
            << QByteArray() << 3 << list("Ladida|Ladida|Ladida|Ladida");
    }

    void tipsShown()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, lastTip);
        QFETCH(QStringList, expected);
        TipOfTheDay dialog(writeTips(content), true, static_cast<unsigned char>(lastTip));
        dialog.show();
        QStringList shown({shownText(dialog)});
        for (const char *button : {"btnNext", "btnPrev", "btnPrev"}) {
            click(dialog, button);
            shown.append(shownText(dialog));
        }
        QCOMPARE(shown, expected);
        QCOMPARE(dialog.isVisible(), !content.isEmpty());
        QEvent languageChange(QEvent::LanguageChange); // the form is retranslated, the tip kept
        QCoreApplication::sendEvent(&dialog, &languageChange);
        QCOMPARE(shownText(dialog), expected.last());
    }

    void pictures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("animated");
        QTest::addColumn<int>("height");
        QTest::newRow("still taller than 440: scaled") << qs("tall.png") << false << 440;
        QTest::newRow("still shorter: unscaled") << qs("short.png") << false << 200;
        QTest::newRow("gif: animated") << qs("anim.gif") << true << 150;
        QTest::newRow("upper-case GIF: first frame") << qs("STILL.GIF") << false << 100;
        QTest::newRow("no such picture: none") << qs("missing.png") << false << 0;
    }

    void pictures()
    {
        QFETCH(QString, name);
        QFETCH(bool, animated);
        QFETCH(int, height);
        TipOfTheDay dialog(writeTips("Text;" + name.toUtf8() + "\nnext\n"), true, 1);
        QLabel *label = dialog.findChild<QLabel *>(QStringLiteral("imgLabel"));
        QCOMPARE(label->isVisibleTo(&dialog), height > 0);
        QCOMPARE(label->isVisibleTo(&dialog) ? label->height() : 0, height);
        QCOMPARE(label->pixmap(Qt::ReturnByValue).height(), animated ? 0 : height);
        QPointer<QMovie> movie = label->movie();
        QCOMPARE(movie && movie->state() == QMovie::Running, animated);
        click(dialog, "btnNext"); // the next tip ends the animation
        QVERIFY(!movie && !label->movie() && !label->isVisibleTo(&dialog));
    }

    void onlyCloseButtonReports()
    {
        for (const bool byButton : {true, false}) {
            TipOfTheDay dialog(writeTips("tip 0\ntip 1\ntip 2\n"), true, 0);
            QSignalSpy spy(&dialog, &TipOfTheDay::newTipValues);
            dialog.show();
            QTest::mouseClick(dialog.findChild<QCheckBox *>(), Qt::LeftButton);
            byButton ? click(dialog, "btnClose") : void(dialog.close()); // or by the title bar
            QVERIFY(!dialog.isVisible());
            QCOMPARE(spy, byButton ? QList<QVariantList>({{QVariant::fromValue<uchar>(1), false}})
                                   : QList<QVariantList>());
        }
    }

private:
    // The path of a new tip file with \a content; of none for null content.
    QString writeTips(const QByteArray &content)
    {
        const QString path = m_dir.filePath(QStringLiteral("tips%1.txt").arg(++m_files));
        return content.isNull() || writeFile(path, content) ? path : QString();
    }

    QTemporaryDir m_dir;
    QString m_helpFile;
    QList<QUrl> m_opened;
    int m_files = 0;
};

QTEST_MAIN(TestHelpDialogs)
#include "tst_helpdialogs.moc"
