#include <ZezuzuDOD/helpviewer.h>

#include "testutil.h"

#include <QtHelp>
#include <QtTest>
#include <QtWidgets>

#include <algorithm>

namespace {

QUrl helpUrl(const char *page)
{
    return QUrl(qs("qthelp://example.varnio.testmanual/doc/") + qs(page));
}

} // namespace

class TestHelpViewer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void entriesShowTheirPages()
    {
        // The search engine writes its index beside the collection, so the test uses a copy.
        QTemporaryDir dir;
        const QString collection = dir.filePath(qs("testmanual.qhc"));
        QVERIFY(QFile::copy(qs(TEST_COLLECTION), collection));
        QVERIFY(QFile::copy(qs(TEST_HELP_FILE), dir.filePath(qs("testmanual.qch"))));
        HelpViewer viewer;
        viewer.resize(800, 600);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));

        // A corrupt collection leaves the tabs empty and the file as it is.
        const QString broken = dir.filePath(qs("broken.qhc"));
        const QByteArray content("SQLite format 3\0 but no more", 28);
        QVERIFY(writeFile(broken, content));
        viewer.setHelpFile(broken);
        QHelpEngine *brokenEngine = viewer.findChild<QHelpEngine *>();
        QTRY_VERIFY(!brokenEngine->contentModel()->isCreatingContents()
                    && !brokenEngine->indexModel()->isCreatingIndex());
        QCOMPARE(brokenEngine->contentModel()->rowCount() + brokenEngine->indexModel()->rowCount(),
                 0);
        // A missing collection is not made; a second collection replaces the first: one
        // engine, one browser, three tabs.
        const QString missing = dir.filePath(qs("none.qhc"));
        viewer.setHelpFile(missing);
        QCOMPARE(readFile(broken), content);
        viewer.setHelpFile(collection);
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(viewer.findChildren<QHelpEngine *>().size(), 1);
        QHelpEngine *engine = viewer.findChild<QHelpEngine *>();
        QSignalSpy indexed(engine->searchEngine(), &QHelpSearchEngine::indexingFinished);
        auto *tabs = viewer.findChild<QTabWidget *>();
        QCOMPARE(tabs->count(), 3);
        auto *splitter = viewer.findChild<QSplitter *>(QStringLiteral("splitter"));
        QCOMPARE(splitter->count(), 2);
        auto *browser = qobject_cast<QTextBrowser *>(splitter->widget(1));

        QHelpContentModel *contentModel = engine->contentModel();
        QTRY_COMPARE(contentModel->rowCount(), 1);
        auto *contents = viewer.findChild<QHelpContentWidget *>();
        contents->expandAll();
        contents->setCurrentIndex(contentModel->index(0, 0, contentModel->index(0, 0)));
        QTest::keyClick(contents, Qt::Key_Return);
        QCOMPARE(browser->source(), helpUrl("wiring.html"));
        // The picture exists only inside the collection.
        const QImage page
            = browser->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto *pixels = reinterpret_cast<const QRgb *>(page.constBits());
        QVERIFY(std::count(pixels, pixels + page.width() * page.height(), qRgb(200, 0, 200))
                >= 40 * 40);

        QHelpIndexModel *indexModel = engine->indexModel();
        QTRY_COMPARE(indexModel->rowCount(), 2);
        auto *index = viewer.findChild<QHelpIndexWidget *>();
        index->setCurrentIndex(
            indexModel->index(indexModel->stringList().indexOf(qs("termination resistor"))));
        QTest::keyClick(index, Qt::Key_Return);
        QCOMPARE(browser->source(), helpUrl("wiring.html#termination"));

        QVERIFY(indexed.count() || indexed.wait(10000));
        tabs->setCurrentIndex(1);
        auto *input = tabs->currentWidget()->findChild<QLineEdit *>();
        QSignalSpy searched(engine->searchEngine(), &QHelpSearchEngine::searchingFinished);
        QTest::keyClicks(input, qs("quinquagenarian"));
        QTest::keyClick(input, Qt::Key_Return);
        QVERIFY(searched.wait(10000));
        QCOMPARE(engine->searchEngine()->searchResultCount(), 1);
        // A user reaches the hit's link with Tab and follows it with Return.
        auto *hits = tabs->currentWidget()->findChild<QTextBrowser *>();
        hits->setFocus();
        QTest::keyClick(hits, Qt::Key_Tab);
        QTest::keyClick(hits, Qt::Key_Return);
        QCOMPARE(browser->source(), helpUrl("nodes.html"));

        const QString local = dir.filePath(qs("local page #1 ü.html"));
        QVERIFY(writeFile(local, "<p>Beside the help</p>"));
        browser->setSource(QUrl::fromLocalFile(local));
        QCOMPARE(browser->toPlainText(), qs("Beside the help"));
    }
};

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
