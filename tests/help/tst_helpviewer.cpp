#include <ZezuzuDOD/helpviewer.h>

#include "testutil.h"

#include <QtHelp>
#include <QtTest>
#include <QtWidgets>

#include <algorithm>
#include <memory>

namespace {

QUrl helpUrl(const char *page)
{
    return QUrl(qs("qthelp://example.varnio.testmanual/doc/") + qs(page));
}

QTextBrowser *pageBrowser(const HelpViewer &viewer)
{
    auto *splitter = viewer.findChild<QSplitter *>(QStringLiteral("splitter"));
    return splitter->count() == 2 ? qobject_cast<QTextBrowser *>(splitter->widget(1)) : nullptr;
}

} // namespace

class TestHelpViewer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The search engine writes its index beside the collection, so every case gets a copy.
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_collection = m_dir->filePath(qs("testmanual.qhc"));
        QVERIFY(QFile::copy(qs(TEST_COLLECTION), m_collection));
        QVERIFY(QFile::copy(qs(TEST_HELP_FILE), m_dir->filePath(qs("testmanual.qch"))));
        m_viewer = std::make_unique<HelpViewer>();
        m_viewer->resize(800, 600);
        m_viewer->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_viewer.get()));
    }

    void contentsEntryShowsPageWithItsResources()
    {
        // A second collection replaces the first: one engine, one browser, three tabs.
        m_viewer->setHelpFile(m_dir->filePath(qs("none.qhc")));
        QPointer<QTextBrowser> firstBrowser = pageBrowser(*m_viewer);
        QPointer<QHelpEngine> firstEngine = m_viewer->findChild<QHelpEngine *>();
        m_viewer->setHelpFile(m_collection);
        QVERIFY(!firstBrowser && !firstEngine);
        QCOMPARE(m_viewer->findChildren<QHelpEngine *>().size(), 1);
        auto *tabs = m_viewer->findChild<QTabWidget *>();
        QCOMPARE(tabs->count(), 3);
        QCOMPARE(QStringList({tabs->tabText(0), tabs->tabText(1), tabs->tabText(2)}),
                 QStringList({qs("Content"), qs("Search"), qs("Index")}));

        QHelpContentModel *model = m_viewer->findChild<QHelpEngine *>()->contentModel();
        QTRY_COMPARE(model->rowCount(), 1);
        auto *contents = m_viewer->findChild<QHelpContentWidget *>();
        contents->expandAll();
        contents->setCurrentIndex(model->index(0, 0, model->index(0, 0)));
        QTest::keyClick(contents, Qt::Key_Return);

        QTextBrowser *browser = pageBrowser(*m_viewer);
        QCOMPARE(browser->source(), helpUrl("wiring.html"));
        // The style sheet and the picture exist only inside the collection.
        QCOMPARE(browser->document()->begin().begin().fragment().charFormat().foreground().color(),
                 QColor(0x00, 0x57, 0xae));
        const QImage page
            = browser->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto *pixels = reinterpret_cast<const QRgb *>(page.constBits());
        QVERIFY(std::count(pixels, pixels + page.width() * page.height(), qRgb(200, 0, 200))
                >= 40 * 40);

        const QString local = m_dir->filePath(qs("local page #1 ü.html"));
        QVERIFY(writeFile(local, "<p>Beside the help</p>"));
        browser->setSource(QUrl::fromLocalFile(local));
        QCOMPARE(browser->toPlainText(), qs("Beside the help"));
    }

    void indexEntryShowsPage()
    {
        m_viewer->setHelpFile(m_collection);
        QHelpIndexModel *model = m_viewer->findChild<QHelpEngine *>()->indexModel();
        QTRY_COMPARE(model->rowCount(), 2);
        auto *index = m_viewer->findChild<QHelpIndexWidget *>();
        index->setCurrentIndex(
            model->index(model->stringList().indexOf(qs("termination resistor"))));
        QTest::keyClick(index, Qt::Key_Return);
        QCOMPARE(pageBrowser(*m_viewer)->source(), helpUrl("wiring.html#termination"));
    }

    void searchHitShowsPage()
    {
        m_viewer->setHelpFile(m_collection);
        QHelpSearchEngine *search = m_viewer->findChild<QHelpEngine *>()->searchEngine();
        QSignalSpy indexed(search, &QHelpSearchEngine::indexingFinished);
        QVERIFY(indexed.wait(10000));
        auto *tabs = m_viewer->findChild<QTabWidget *>();
        tabs->setCurrentIndex(1);
        auto *input = tabs->currentWidget()->findChild<QLineEdit *>();
        QSignalSpy searched(search, &QHelpSearchEngine::searchingFinished);
        QTest::keyClicks(input, qs("quinquagenarian"));
        QTest::keyClick(input, Qt::Key_Return);
        QVERIFY(searched.wait(10000));
        QCOMPARE(search->searchResultCount(), 1);

        // A user reaches the hit's link with Tab and follows it with Return.
        auto *hits = tabs->currentWidget()->findChild<QTextBrowser *>();
        hits->setFocus();
        QTest::keyClick(hits, Qt::Key_Tab);
        QTest::keyClick(hits, Qt::Key_Return);
        QCOMPARE(pageBrowser(*m_viewer)->source(), helpUrl("nodes.html"));
    }

    void unreadableCollectionLeavesTabsEmpty_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing: no file is made") << QByteArray();
        QTest::newRow("corrupt: left as it is") << QByteArray("SQLite format 3\0 but no more", 28);
    }

    void unreadableCollectionLeavesTabsEmpty()
    {
        QFETCH(QByteArray, content);
        const QString file = m_dir->filePath(qs("broken.qhc"));
        QVERIFY(content.isEmpty() || writeFile(file, content));
        m_viewer->setHelpFile(file);
        QHelpEngine *engine = m_viewer->findChild<QHelpEngine *>();
        QTRY_VERIFY(!engine->contentModel()->isCreatingContents()
                    && !engine->indexModel()->isCreatingIndex());
        QCOMPARE(m_viewer->findChild<QTabWidget *>()->count(), 3);
        QCOMPARE(engine->contentModel()->rowCount() + engine->indexModel()->rowCount(), 0);
        m_viewer.reset();
        QCOMPARE(readFile(file), content.isEmpty() ? QByteArray("<unreadable>") : content);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<HelpViewer> m_viewer;
    QString m_collection;
};

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
