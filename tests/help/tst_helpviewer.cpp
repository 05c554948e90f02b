#include <ZezuzuDOD/helpviewer.h>

#include <QFile>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

namespace {

QString qs(const char *text)
{
    return QString::fromUtf8(text);
}

QUrl helpUrl(const char *page)
{
    return QUrl(QLatin1String("qthelp://example.varnio.testmanual/doc/") + QLatin1String(page));
}

QTextBrowser *pageBrowser(const HelpViewer &viewer)
{
    auto *splitter = viewer.findChild<QSplitter *>(QStringLiteral("splitter"));
    return splitter->count() == 2 ? qobject_cast<QTextBrowser *>(splitter->widget(1)) : nullptr;
}

QHelpEngine *engine(const HelpViewer &viewer)
{
    return viewer.findChild<QHelpEngine *>();
}

// Where the anchor with \a href is drawn in a text browser's viewport.
QPoint anchorPosition(QTextBrowser *browser, const QString &href)
{
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() == href) {
                QTextCursor cursor(browser->document());
                cursor.setPosition(fragment.position() + 1);
                return browser->cursorRect(cursor).center();
            }
        }
    }
    return QPoint(-1, -1);
}

} // namespace

class TestHelpViewer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        // The search engine writes its index beside the collection; each case gets a copy.
        QVERIFY(m_dir.isValid());
        m_collection = m_dir.filePath(qs("testmanual.qhc"));
        QFile::remove(m_collection);
        QFile::remove(m_dir.filePath(qs("testmanual.qch")));
        QVERIFY(QFile::copy(qs(TEST_COLLECTION), m_collection));
        QVERIFY(QFile::copy(qs(TEST_HELP_FILE), m_dir.filePath(qs("testmanual.qch"))));
    }

    void tabsAndPanes()
    {
        HelpViewer viewer;
        auto *tabs = viewer.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
        QCOMPARE(tabs->count(), 0);
        QVERIFY(!pageBrowser(viewer));

        // The second collection replaces the first one, tabs and browser included.
        viewer.setHelpFile(m_dir.filePath(qs("none.qhc")));
        QPointer<QTextBrowser> firstBrowser = pageBrowser(viewer);
        QPointer<QHelpEngine> firstEngine = engine(viewer);
        QVERIFY(firstBrowser && firstEngine);
        viewer.setHelpFile(m_collection);
        QVERIFY(!firstBrowser && !firstEngine);
        QCOMPARE(viewer.findChildren<QHelpEngine *>().size(), 1);
        QCOMPARE(QStringList({tabs->tabText(0), tabs->tabText(1), tabs->tabText(2)}),
                 QStringList({qs("Content"), qs("Search"), qs("Index")}));
        QCOMPARE(tabs->count(), 3);
        QVERIFY(pageBrowser(viewer));
        QTRY_COMPARE(engine(viewer)->contentModel()->rowCount(), 1);

        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QTest::mouseClick(viewer.findChild<QPushButton *>(QStringLiteral("btnClose")),
                          Qt::LeftButton);
        QVERIFY(!viewer.isVisible());
    }

    void contentEntryShowsPageWithItsResources()
    {
        HelpViewer viewer;
        viewer.setHelpFile(m_collection);
        viewer.resize(800, 600);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QHelpContentModel *model = engine(viewer)->contentModel();
        QTRY_COMPARE(model->rowCount(), 1);

        auto *contents = viewer.findChild<QHelpContentWidget *>();
        contents->expandAll();
        const QModelIndex wiring = model->index(0, 0, model->index(0, 0));
        QCOMPARE(wiring.data().toString(), qs("Wiring the bus"));
        contents->setCurrentIndex(wiring);
        QTest::keyClick(contents, Qt::Key_Return);

        QTextBrowser *browser = pageBrowser(viewer);
        QCOMPARE(browser->source(), helpUrl("wiring.html"));
        QVERIFY(browser->toPlainText().contains(qs("termination resistor")));
        // The style sheet and the picture exist only inside the collection.
        QCOMPARE(browser->document()->begin().begin().fragment().charFormat().foreground().color(),
                 QColor(0x00, 0x57, 0xae));
        const QImage page = browser->viewport()->grab().toImage();
        bool pictureShown = false;
        for (int y = 0; y < page.height() && !pictureShown; ++y) {
            for (int x = 0; x < page.width() && !pictureShown; ++x)
                pictureShown = page.pixelColor(x, y) == QColor(200, 0, 200);
        }
        QVERIFY(pictureShown);
    }

    void indexEntryShowsPage_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QUrl>("page");
        QTest::newRow("keyword of a page") << qs("node number") << helpUrl("nodes.html");
        QTest::newRow("keyword of an anchor")
            << qs("termination resistor") << helpUrl("wiring.html#termination");
    }

    void indexEntryShowsPage()
    {
        QFETCH(QString, keyword);
        QFETCH(QUrl, page);
        HelpViewer viewer;
        viewer.setHelpFile(m_collection);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QHelpIndexModel *model = engine(viewer)->indexModel();
        QTRY_COMPARE(model->rowCount(), 2);

        auto *index = viewer.findChild<QHelpIndexWidget *>();
        index->setCurrentIndex(model->index(model->stringList().indexOf(keyword)));
        QTest::keyClick(index, Qt::Key_Return);
        QCOMPARE(pageBrowser(viewer)->source(), page);
    }

    void searchHitShowsPage()
    {
        HelpViewer viewer;
        viewer.setHelpFile(m_collection);
        viewer.resize(800, 600);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QHelpSearchEngine *search = engine(viewer)->searchEngine();
        QSignalSpy indexed(search, &QHelpSearchEngine::indexingFinished);
        QVERIFY(indexed.wait(10000));

        auto *tabs = viewer.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
        tabs->setCurrentIndex(1);
        auto *input = tabs->currentWidget()->findChild<QLineEdit *>();
        QVERIFY(input);
        QSignalSpy searched(search, &QHelpSearchEngine::searchingFinished);
        QTest::keyClicks(input, qs("quinquagenarian"));
        QTest::keyClick(input, Qt::Key_Return);
        QVERIFY(searched.wait(10000));
        QCOMPARE(search->searchResultCount(), 1);

        auto *hits = tabs->currentWidget()->findChild<QTextBrowser *>();
        const QPoint hit = anchorPosition(hits, helpUrl("nodes.html").toString());
        QVERIFY(hits->viewport()->rect().contains(hit));
        QTest::mouseClick(hits->viewport(), Qt::LeftButton, {}, hit);
        QCOMPARE(pageBrowser(viewer)->source(), helpUrl("nodes.html"));
    }

    void otherUrlsLoadAsInAnyBrowser_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("text");
        QTest::newRow("local page") << qs("plain page #1 ü.html") << qs("Beside the help");
        QTest::newRow("help page the collection lacks") << QString() << QString();
    }

    void otherUrlsLoadAsInAnyBrowser()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, text);
        HelpViewer viewer;
        viewer.setHelpFile(m_collection);
        QUrl url = helpUrl("missing.html");
        if (!fileName.isEmpty()) {
            QFile file(m_dir.filePath(fileName));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("<html><body><p>Beside the help</p></body></html>");
            file.close();
            url = QUrl::fromLocalFile(file.fileName());
        }
        QTextBrowser *browser = pageBrowser(viewer);
        browser->setSource(url);
        QCOMPARE(browser->toPlainText(), text);
    }

    void unreadableCollectionLeavesEmptyTabs_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("exists");
        QTest::newRow("missing: no file is made") << QByteArray() << false;
        QTest::newRow("corrupt: left as it is")
            << QByteArray("SQLite format 3\0 but nothing else", 34) << true;
    }

    void unreadableCollectionLeavesEmptyTabs()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, exists);
        const QString path = m_dir.filePath(qs("broken.qhc"));
        if (exists) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        {
            HelpViewer viewer;
            viewer.setHelpFile(path);
            viewer.show();
            QVERIFY(QTest::qWaitForWindowExposed(&viewer));
            QHelpEngine *help = engine(viewer);
            QTRY_VERIFY(!help->contentModel()->isCreatingContents()
                        && !help->indexModel()->isCreatingIndex());
            QCOMPARE(viewer.findChild<QTabWidget *>()->count(), 3);
            QCOMPARE(help->contentModel()->rowCount(), 0);
            QCOMPARE(help->indexModel()->rowCount(), 0);
        }
        QCOMPARE(QFile::exists(path), exists);
        if (exists) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), content);
            QVERIFY(file.remove());
        }
    }

    void linkAfterBrowserIsGoneIsIgnored()
    {
        HelpViewer viewer;
        viewer.setHelpFile(m_collection);
        delete pageBrowser(viewer);
        QHelpLink link;
        link.url = helpUrl("nodes.html");
        viewer.onDocumentActivated(link, qs("node number"));
        emit viewer.findChild<QHelpContentWidget *>()->linkActivated(helpUrl("index.html"));
    }

private:
    QTemporaryDir m_dir;
    QString m_collection;
};

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
