#include <ZezuzuDOD/helpviewerdialog.h>

#include "urlcatcher.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

namespace {

QString qs(const char *text)
{
    return QString::fromUtf8(text);
}

// The distance of the anchor's block from the top of the visible part; 0 when scrolled to it.
int anchorOffset(QTextBrowser *browser, const QString &anchor)
{
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorNames().contains(anchor)) {
                const QRectF rect = browser->document()->documentLayout()->blockBoundingRect(block);
                return qRound(rect.top()) - browser->verticalScrollBar()->value();
            }
        }
    }
    return -1;
}

} // namespace

class TestHelpViewerDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        // Long enough that every anchor but the first can be scrolled to the top.
        QByteArray html = "<html><body>";
        for (const char *anchor : {"start", "wiring", "nodes", "manual"}) {
            html += QByteArray("<h2><a name=\"") + anchor + "\"></a>" + anchor + "</h2>";
            for (int i = 0; i < 60; ++i)
                html += "<p>Filler line of the " + QByteArray(anchor) + " section.</p>";
        }
        html += "</body></html>";
        m_helpFile = m_dir.filePath(qs("help #1 für Ortelan.html"));
        QFile file(m_helpFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(html);
    }

    void setFile_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("name with blanks, # and umlaut") << m_helpFile << true;
        QTest::newRow("relative name") << QDir::current().relativeFilePath(m_helpFile) << true;
        QTest::newRow("missing file") << m_dir.filePath(qs("missing.html")) << false;
        QTest::newRow("folder") << m_dir.path() << false;
    }

    void setFile()
    {
        QFETCH(QString, fileName);
        QFETCH(bool, loaded);
        HelpViewerDialog dialog;
        auto *browser = dialog.findChild<QTextBrowser *>(QStringLiteral("textBrowser"));
        browser->setPlainText(qs("before"));
        QCOMPARE(dialog.setFile(fileName), loaded);
        QCOMPARE(browser->toPlainText().startsWith(qs("start")), loaded);
        QCOMPARE(browser->toPlainText() == qs("before"), !loaded);
    }

    void topicShowsAnchorAgainAfterClose()
    {
        HelpViewerDialog dialog;
        QVERIFY(dialog.setFile(m_helpFile));
        auto *browser = dialog.findChild<QTextBrowser *>(QStringLiteral("textBrowser"));
        dialog.setTopic(qs("nodes"));
        QVERIFY(dialog.isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTRY_COMPARE(anchorOffset(browser, qs("nodes")), 0);

        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("pushButton")),
                          Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        dialog.setTopic(qs("wiring"));
        QVERIFY(dialog.isVisible());
        QTRY_COMPARE(anchorOffset(browser, qs("wiring")), 0);

        // An anchor that is not there leaves the position.
        const int position = browser->verticalScrollBar()->value();
        dialog.setTopic(qs("no such topic"));
        QCOMPARE(browser->verticalScrollBar()->value(), position);
    }

    void manualTopicAndShowManual()
    {
        UrlCatcher catcher;
        HelpViewerDialog dialog;
        QVERIFY(dialog.setFile(m_helpFile));

        QVERIFY(!dialog.showManual()); // nothing set: nothing to open
        QVERIFY(catcher.urls.isEmpty());

        const QString manual = m_dir.filePath(qs("Handbuch #2 (ü).pdf"));
        dialog.setManualFile(manual);
        dialog.setTopic(qs("Manual"));
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.showManual());
        // The lower-case word is an ordinary anchor.
        dialog.setTopic(qs("manual"));
        QVERIFY(dialog.isVisible());

        QCOMPARE(catcher.urls.size(), 2);
        QCOMPARE(catcher.urls.at(0).toLocalFile(),
                 QCoreApplication::applicationDirPath() + qs("/doc/manual_90001_de.pdf"));
        QCOMPARE(catcher.urls.at(1).toLocalFile(), manual);
    }

private:
    QTemporaryDir m_dir;
    QString m_helpFile;
};

QTEST_MAIN(TestHelpViewerDialog)
#include "tst_helpviewerdialog.moc"
