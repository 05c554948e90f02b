#include <ZezuzuDOD/fileviewerdialog.h>

#include "testutil.h"

#include <QtTest>
#include <QtWidgets>

namespace {

QTextEdit *viewer(const FileViewerDialog &dialog)
{
    return dialog.findChild<QTextEdit *>(qs("txtViewer"));
}

void showActive(FileViewerDialog &dialog)
{
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
}

} // namespace

class TestFileViewerDialog : public QObject
{
    Q_OBJECT

public slots:
    // Stands in for the system's viewer of file URLs.
    void openUrl(const QUrl &url) { m_opened << url; }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }

    void titleAndHighlighter_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("highlighter");
        const auto row
            = [](const char *name, const char *path, const char *title, const char *highlighter) {
                  QTest::newRow(name) << qs(path) << qs(title) << qs(highlighter);
              };
        row("resource shows the name before the first dot", ":/doc/readme.txt",
            "File Viewer - readme", "PlcHighlighter");
        row("file path shown whole; complete suffix b.txt", "docs/a.b.txt",
            "File Viewer - docs/a.b.txt", "");
        row("suffix compared with case", "device.EDS", "File Viewer - device.EDS", "");
        row("dcf is a device file", "device.dcf", "File Viewer - device.dcf", "EdsHighlighter");
        row("header", "x.h", "File Viewer - x.h", "AnsiCHighlighter");
    }

    // None of these paths exists: the dialog is complete all the same.
    void titleAndHighlighter()
    {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QFETCH(QString, highlighter);
        FileViewerDialog dialog(path);
        QCOMPARE(dialog.windowTitle(), title);
        QCOMPARE(viewer(dialog)->toPlainText(), qs("Error %1 is not readable.").arg(path));
        const auto *attached = viewer(dialog)->document()->findChild<QSyntaxHighlighter *>();
        QCOMPARE(attached ? QString::fromLatin1(attached->metaObject()->className()) : QString(),
                 highlighter);
    }

    // The shortcuts typed on the text edit, and the folder button of the search frame.
    void keysAndOpenFolder()
    {
        FileViewerDialog dialog(file("search.log", "alpha beta alpha BETA alpha"));
        showActive(dialog);
        QTextEdit *edit = viewer(dialog);
        auto *frame = dialog.findChild<QFrame *>(qs("frSearchAndButton"));
        auto *line = dialog.findChild<QLineEdit *>(qs("edtSearchLine"));
        QVERIFY(!frame->isVisible());

        QTest::keyClick(edit, Qt::Key_Slash);
        QVERIFY(frame->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), line);
        line->setText(qs("beta"));
        QCOMPARE(edit->textCursor().selectionStart(), 6);
        QTest::keyClick(line, Qt::Key_Return);
        QVERIFY(!frame->isVisible());

        QTest::keyClick(edit, Qt::Key_N);
        QCOMPARE(edit->textCursor().selectionStart(), 17); // case does not matter
        QTest::keyClick(edit, Qt::Key_N);
        QCOMPARE(edit->textCursor().selectionStart(), 17); // no wrap-around
        QTest::keyClick(edit, Qt::Key_B);
        QCOMPARE(edit->textCursor().selectionStart(), 6);

        const auto step = [edit](int from, Qt::Key key) {
            QFont font = edit->font();
            font.setPointSize(from);
            edit->setFont(font);
            QTest::keyClick(edit, key, Qt::ControlModifier);
            return edit->font().pointSize();
        };
        QCOMPARE(step(10, Qt::Key_Plus), 12);
        QCOMPARE(step(12, Qt::Key_Minus), 11);
        QCOMPARE(step(1, Qt::Key_Minus), 1);

        QDesktopServices::setUrlHandler(qs("file"), this, "openUrl");
        QTest::keyClick(edit, Qt::Key_Slash);
        QTest::mouseClick(dialog.findChild<QPushButton *>(qs("pushButton")), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(qs("file"));
        QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(m_dir.path())});
    }

    // Each change gets its own reload, 700 ms after its notification; none is merged away.
    void threeChangesGiveThreeReloads()
    {
        const QString path = file("burst.log", "0");
        FileViewerDialog dialog(path);
        QSignalSpy reloads(viewer(dialog), &QTextEdit::textChanged);
        QSignalSpy changes(dialog.findChild<QFileSystemWatcher *>(),
                           &QFileSystemWatcher::fileChanged);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered));
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(file.write(QByteArray::number(i)), 1);
            QTRY_COMPARE(changes.count(), i);
        }
        QTRY_COMPARE(reloads.count(), 3);
        QCOMPARE(viewer(dialog)->toPlainText(), qs("0123"));
        QTest::qWait(1000);
        QCOMPARE(reloads.count(), 3);
    }

    void reloadFollowsSavesByRenameAndRecreation()
    {
        const QString path = file("device.eds", "[1000]");
        FileViewerDialog dialog(path);
        for (const char *text : {"[1001]", "[1002]", "[1003]"}) {
            QSaveFile save(path); // a new file renamed over the old one, as editors save
            QVERIFY(save.open(QIODevice::WriteOnly) && save.write(text) > 0 && save.commit());
            QTRY_COMPARE(viewer(dialog)->toPlainText(), qs(text));
        }
        QVERIFY(QFile::remove(path));
        QTest::qWait(1000); // the reload of the deletion keeps the text
        QCOMPARE(viewer(dialog)->toPlainText(), qs("[1003]"));
        QVERIFY(writeFile(path, "[1004]"));
        QTRY_COMPARE(viewer(dialog)->toPlainText(), qs("[1004]"));
        QVERIFY(writeFile(path, QByteArray("[1005]\0[1006]", 13))); // a reload ends at a zero byte
        QTRY_COMPARE(viewer(dialog)->toPlainText(), qs("[1005]"));
    }

    void reloadKeepsFirstVisibleLine()
    {
        // Long enough for Qt to lay the text out in steps after each reload.
        QByteArray text;
        for (int i = 0; i < 30000; ++i)
            text += "line " + QByteArray::number(i) + '\n';
        const QString path = file("long.log", text);
        FileViewerDialog dialog(path);
        dialog.resize(600, 400);
        showActive(dialog);
        QScrollBar *bar = viewer(dialog)->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 400000);
        bar->setValue(400000);
        const int line = viewer(dialog)->cursorForPosition(QPoint()).blockNumber();
        QVERIFY(line > 0);
        QVERIFY(writeFile(path, text + "appended\n"));
        QTRY_VERIFY(viewer(dialog)->toPlainText().endsWith(QLatin1String("appended\n")));
        QTRY_COMPARE(viewer(dialog)->cursorForPosition(QPoint()).blockNumber(), line);
        // A save in two writes gives two reloads; the second comes before the layout has
        // reached the line again.
        dialog.timerElapsed();
        dialog.timerElapsed();
        QTRY_COMPARE(viewer(dialog)->cursorForPosition(QPoint()).blockNumber(), line);
    }

    void largeFileShowsItsSize()
    {
        const QString path = file("huge.log", "");
        const qint64 size = 64 * 1024 * 1024 + 1;
        QVERIFY(QFile::resize(path, size)); // sparse: takes no room
        FileViewerDialog dialog(path);
        QVERIFY2(viewer(dialog)->toPlainText().contains(QLocale().formattedDataSize(size)),
                 qPrintable(viewer(dialog)->toPlainText()));
    }

private:
    QString file(const char *name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(qs(name));
        return writeFile(path, bytes) ? path : QString();
    }

    QTemporaryDir m_dir;
    QList<QUrl> m_opened;
};

QTEST_MAIN(TestFileViewerDialog)
#include "tst_fileviewerdialog.moc"

// Not covered: the wait cursor during the first highlighting pass, which nothing can observe
// once the constructor has returned.
