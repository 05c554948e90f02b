#include <ZezuzuDOD/edshighlighter.h>
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

    // None of these paths exists: the dialog is complete all the same. A resource is named by
    // its name before the first dot, a file by its whole path; the highlighter goes by the
    // complete suffix (the golden files hold the other suffixes).
    void titleAndHighlighter()
    {
        FileViewerDialog resource(qs(":/doc/readme.txt"));
        QCOMPARE(resource.windowTitle(), qs("File Viewer - readme"));
        QCOMPARE(viewer(resource)->toPlainText(), qs("Error :/doc/readme.txt is not readable."));
        FileViewerDialog device(qs("device.dcf"));
        QCOMPARE(device.windowTitle(), qs("File Viewer - device.dcf"));
        QVERIFY(viewer(device)->document()->findChild<EdsHighlighter *>());
        FileViewerDialog plain(qs("docs/a.b.txt"));
        QCOMPARE(plain.windowTitle(), qs("File Viewer - docs/a.b.txt"));
        QVERIFY(!viewer(plain)->document()->findChild<QSyntaxHighlighter *>());
    }

    // The shortcuts typed on the text edit, and the folder button of the search frame.
    void keysAndOpenFolder()
    {
        FileViewerDialog dialog(file("search.log", "alpha beta alpha BETA alpha"));
        showActive(dialog);
        QTextEdit *edit = viewer(dialog);
        auto *frame = dialog.findChild<QFrame *>(qs("frSearchAndButton"));
        auto *line = dialog.findChild<QLineEdit *>(qs("edtSearchLine"));
        QTest::keyClick(edit, Qt::Key_Slash);
        QVERIFY(frame->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), line);
        line->setText(qs("beta"));
        QCOMPARE(edit->textCursor().selectionStart(), 6);
        QTest::keyClick(line, Qt::Key_Return);
        QVERIFY(!frame->isVisible());

        QTest::keyClick(edit, Qt::Key_N);
        QCOMPARE(edit->textCursor().selectionStart(), 17); // case does not matter
        QTest::keyClick(edit, Qt::Key_B);
        QCOMPARE(edit->textCursor().selectionStart(), 6);

        QDesktopServices::setUrlHandler(qs("file"), this, "openUrl");
        QTest::keyClick(edit, Qt::Key_Slash);
        QTest::mouseClick(dialog.findChild<QPushButton *>(qs("pushButton")), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(qs("file"));
        QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(m_dir.path())});
    }

    // Each change gets its own reload, 700 ms after its notification; none is merged away.
    // Then saves by rename, as editors save, are followed.
    void reloadsFollowTheFile()
    {
        const QString path = file("device.eds", "0");
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
        file.close();

        for (const char *text : {"[1001]", "[1002]", "[1003]"}) {
            QSaveFile save(path); // a new file renamed over the old one
            QVERIFY(save.open(QIODevice::WriteOnly) && save.write(text) > 0 && save.commit());
            QTRY_COMPARE(viewer(dialog)->toPlainText(), qs(text));
        }
        QVERIFY(QFile::remove(path));
        QTest::qWait(1000); // the reload of the deletion keeps the text
        QCOMPARE(viewer(dialog)->toPlainText(), qs("[1003]"));
        // Created again, and a reload ends at a zero byte.
        QVERIFY(writeFile(path, QByteArray("[1004]\0[1005]", 13)));
        QTRY_COMPARE(viewer(dialog)->toPlainText(), qs("[1004]"));
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
// once the constructor has returned; the size shown for a file too large; the font size keys;
// search next at the last hit; the suffixes' letter case.
