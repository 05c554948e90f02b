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

    void entriesShowTheirPages()
    {
        // A missing collection is not made; a second collection replaces the first: one
        // engine, one browser, three tabs.
        const QString missing = m_dir->filePath(qs("none.qhc"));
        m_viewer->setHelpFile(missing);
        QPointer<QTextBrowser> firstBrowser = pageBrowser(*m_viewer);
        QPointer<QHelpEngine> firstEngine = m_viewer->findChild<QHelpEngine *>();
        m_viewer->setHelpFile(m_collection);
        QVERIFY(!firstBrowser && !firstEngine && !QFile::exists(missing));
        QCOMPARE(m_viewer->findChildren<QHelpEngine *>().size(), 1);
        QHelpEngine *engine = m_viewer->findChild<QHelpEngine *>();
        QSignalSpy indexed(engine->searchEngine(), &QHelpSearchEngine::indexingFinished);
        auto *tabs = m_viewer->findChild<QTabWidget *>();
        QCOMPARE(tabs->count(), 3);
        QTextBrowser *browser = pageBrowser(*m_viewer);

        QHelpContentModel *contentModel = engine->contentModel();
        QTRY_COMPARE(contentModel->rowCount(), 1);
        auto *contents = m_viewer->findChild<QHelpContentWidget *>();
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
        auto *index = m_viewer->findChild<QHelpIndexWidget *>();
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

        const QString local = m_dir->filePath(qs("local page #1 ü.html"));
        QVERIFY(writeFile(local, "<p>Beside the help</p>"));
        browser->setSource(QUrl::fromLocalFile(local));
        QCOMPARE(browser->toPlainText(), qs("Beside the help"));
    }

    void corruptCollectionLeavesTabsEmpty()
    {
        const QString file = m_dir->filePath(qs("broken.qhc"));
        const QByteArray content("SQLite format 3\0 but no more", 28);
        QVERIFY(writeFile(file, content));
        m_viewer->setHelpFile(file);
        QHelpEngine *engine = m_viewer->findChild<QHelpEngine *>();
        QTRY_VERIFY(!engine->contentModel()->isCreatingContents()
                    && !engine->indexModel()->isCreatingIndex());
        QCOMPARE(m_viewer->findChild<QTabWidget *>()->count(), 3);
        QCOMPARE(engine->contentModel()->rowCount() + engine->indexModel()->rowCount(), 0);
        m_viewer.reset();
        QCOMPARE(readFile(file), content); // left as it is
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<HelpViewer> m_viewer;
    QString m_collection;
};

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
