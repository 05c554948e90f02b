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
        // Long enough that each anchor but the first can be scrolled to the top. The last
        // anchor stands before its heading, where it names the heading's block, not its text.
        const QByteArray filler = QByteArray("<p>Filler line.</p>").repeated(60);
        const QByteArray html = "<h2><a name=\"start\"></a>start</h2>" + filler
                                + "<h2><a name=\"wiring\"></a>wiring</h2>" + filler
                                + "<a name=\"nodes\"></a><h2>nodes</h2>" + filler;
        m_helpFile = m_dir.filePath(qs("help #1 für 50%.html"));
        QVERIFY(writeFile(m_helpFile, html));
    }

    void topicsAndManuals()
    {
        HelpViewerDialog dialog;
        auto *browser = dialog.findChild<QTextBrowser *>();
        QVERIFY(!dialog.setFile(m_dir.filePath(qs("missing.html"))));
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

    // Known manuals get their titles, others their name up to the first dot; in name order,
    // whatever the case.
    void manualsMenu()
    {
        QTemporaryDir dir;
        const QStringList files
            = list("manual_90001_de.pdf|Release.Notes.pdf|#3 für 50%.PDF|a.txt");
        for (const QString &file : files)
            QVERIFY(writeFile(dir.filePath(file)));
        QVERIFY(QDir(dir.path()).mkdir(qs("folder.pdf")));
        auto handler = std::make_unique<ManualHandler>();
        handler->setManualsPath(dir.path());
        QPointer<QMenu> menu = handler->getManualsMenu();
        QStringList shown;
        for (const QAction *action : menu->actions())
            shown.append(action->text());
        QCOMPARE(shown, list("#3 für 50%|Handbuch (de)|Release"));
        QPointer<QAction> entry = menu->actions().constFirst();
        entry->trigger();
        QCOMPARE(m_opened.last(), QUrl::fromLocalFile(dir.filePath(files.at(2))));
        // A rescan replaces the entries: without a PDF file there is no menu.
        QVERIFY(QDir(dir.path()).removeRecursively());
        QVERIFY(!handler->getManualsMenu() && !entry);
        handler.reset(); // the menu goes with the handler
        QVERIFY(!menu);
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
        QTest::newRow("only 256 of 300 tips addressed")
            << many << 254 << list("tip 255|tip 0|tip 255|tip 254");
        // Text up to the first ";" or zero byte, leading blanks kept, blank lines skipped.
        QTest::newRow("one tip a line")
            << QByteArray("Use F1;help.png\r\n  \t \n\n  A;B;c.gif\nGröße\0after;x.png", 54) << 2
            << list("Use F1|  A|Use F1|Größe");
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
        // Closing by the title bar reports nothing.
        QSignalSpy reported(&dialog, &TipOfTheDay::newTipValues);
        dialog.close();
        QCOMPARE(reported.count(), 0);
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
        // Close reports the shown tip and the start-up choice.
        QSignalSpy reported(&dialog, &TipOfTheDay::newTipValues);
        QTest::mouseClick(dialog.findChild<QCheckBox *>(), Qt::LeftButton);
        click(dialog, "btnClose");
        QCOMPARE(reported, QList<QVariantList>({{QVariant::fromValue<uchar>(1), false}}));
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

// Not covered: the about dialog's Close button (hide and deleteLater); a tip picture missing from
// the resources; a folder given as the help file.
