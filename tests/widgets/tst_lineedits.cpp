#include <ZezuzuDOD/clickablelineedit.h>
#include <ZezuzuDOD/customlineedit.h>

#include <QMetaMethod>
#include <QMimeData>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>

namespace {

QString qs(const char *text)
{
    return QString::fromUtf8(text);
}

// Hands the event to the widget's own handlers, as QApplication does for the widget under the
// mouse once a drag has entered it.
bool deliver(QWidget *widget, QEvent *event)
{
    static_cast<QObject *>(widget)->event(event);
    return event->isAccepted();
}

} // namespace

class TestLineEdits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void metaObjects()
    {
        QWidget parent;
        ClickableLineEdit clickable(&parent);
        CustomLineEdit custom(&parent);
        QVERIFY(!clickable.isWindow() && !custom.isWindow());
        const QMetaObject *mo = clickable.metaObject();
        QCOMPARE(mo->className(), "ClickableLineEdit");
        QCOMPARE(mo->methodCount() - mo->methodOffset(), 2);
        QCOMPARE(mo->method(mo->methodOffset()).methodSignature(), QByteArray("clicked(QString)"));
        QCOMPARE(mo->method(mo->methodOffset()).methodType(), QMetaMethod::Signal);
        QCOMPARE(mo->method(mo->methodOffset() + 1).methodSignature(), QByteArray("clear()"));
        QCOMPARE(mo->method(mo->methodOffset() + 1).methodType(), QMetaMethod::Slot);
        QCOMPARE(custom.metaObject(), &QLineEdit::staticMetaObject);
        QVERIFY(custom.acceptDrops() && custom.dragEnabled());
    }

    void click_data()
    {
        // Steps: "L"/"R" press that button on the field, "l"/"r" release it on the field,
        // "o" release the left button outside the field.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("clicks");
        QTest::newRow("left click") << qs("Ll") << 1;
        QTest::newRow("right press, left release: no click") << qs("Rl") << 0;
        QTest::newRow("left press, dragged out, released: click") << qs("Lo") << 1;
        QTest::newRow("right release keeps the left press") << qs("Lrl") << 1;
        QTest::newRow("one press, one click") << qs("Lll") << 1;
    }

    void click()
    {
        QFETCH(QString, steps);
        QFETCH(int, clicks);
        ClickableLineEdit edit(nullptr);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QSignalSpy spy(&edit, &ClickableLineEdit::clicked);
        const QPoint inside = edit.rect().center();
        for (const QChar step : steps) {
            const Qt::MouseButton button
                = step.toLower() == QLatin1Char('r') ? Qt::RightButton : Qt::LeftButton;
            if (step.isUpper())
                QTest::mousePress(&edit, button, {}, inside);
            else
                QTest::mouseRelease(&edit, button, {},
                                    step == QLatin1Char('o') ? QPoint(-40, -40) : inside);
        }
        QCOMPARE(spy.count(), clicks);
        for (const QList<QVariant> &args : qAsConst(spy))
            QCOMPARE(args.at(0).toString(), QString()); // no link was ever set
    }

    void linkAndCursor()
    {
        QWidget window;
        ClickableLineEdit edit(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy spy(&edit, &ClickableLineEdit::clicked);
        edit.setLinkText(qs("Open the folder"), qs("/tmp/out"));
        edit.setText(qs("/tmp/out/a.dcf"));
        QCOMPARE(edit.cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(edit.toolTip(), qs("Open the folder"));
        QTest::mouseClick(&edit, Qt::LeftButton);
        QCOMPARE(spy.takeFirst().at(0).toString(), qs("/tmp/out"));

        edit.clear();
        QVERIFY(edit.text().isEmpty());
        QVERIFY(!edit.testAttribute(Qt::WA_SetCursor));
        QCOMPARE(edit.toolTip(), qs("Open the folder"));
        QTest::mouseClick(&edit, Qt::LeftButton);
        QCOMPARE(spy.takeFirst().at(0).toString(), QString());

        edit.setLinkText(qs("x"), qs("/tmp"));
        edit.setLinkText(qs("No folder yet"), QString());
        QVERIFY(!edit.testAttribute(Qt::WA_SetCursor));
        QCOMPARE(edit.toolTip(), qs("No folder yet"));
    }

    void drop_data()
    {
        QTest::addColumn<QStringList>("suffixes");
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<bool>("invokeReturn");
        QTest::addColumn<int>("acceptedFile"); // index into urls, -1: refused
        const auto file = [](const char *name) { return QUrl::fromLocalFile(qs("/data/") + qs(name)); };
        const QStringList dcf{qs("dcf")};
        QTest::newRow("no suffix accepted refuses every file")
            << QStringList() << QList<QUrl>{file("a.dcf")} << true << -1;
        QTest::newRow("suffix letter case counts") << dcf << QList<QUrl>{file("file.DCF")} << true << -1;
        QTest::newRow("suffix is after the last dot")
            << dcf << QList<QUrl>{file("archive.tar.dcf")} << true << 0;
        QTest::newRow("second of several suffixes")
            << QStringList{qs("eds"), qs("dcf")} << QList<QUrl>{file("a.dcf")} << true << 0;
        QTest::newRow("only the first file counts: refused")
            << dcf << QList<QUrl>{file("a.eds"), file("b.dcf")} << true << -1;
        QTest::newRow("only the first file counts: taken")
            << dcf << QList<QUrl>{file("a.dcf"), file("b.txt")} << true << 0;
        QTest::newRow("remote file refused")
            << dcf << QList<QUrl>{QUrl(qs("https://example.org/a.dcf"))} << true << -1;
        QTest::newRow("empty URL list refused") << dcf << QList<QUrl>() << true << -1;
        QTest::newRow("without returnPressed") << dcf << QList<QUrl>{file("a.dcf")} << false << 0;
    }

    void drop()
    {
        QFETCH(QStringList, suffixes);
        QFETCH(QList<QUrl>, urls);
        QFETCH(bool, invokeReturn);
        QFETCH(int, acceptedFile);
        CustomLineEdit edit(nullptr);
        for (const QString &suffix : qAsConst(suffixes))
            edit.addAcceptedSuffix(suffix);
        edit.setInvokeReturnPressed(invokeReturn);
        edit.setText(qs("before"));
        QSignalSpy returns(&edit, &QLineEdit::returnPressed);

        QMimeData mime;
        mime.setUrls(urls);
        const QPoint pos = edit.rect().center();
        const bool accept = acceptedFile >= 0;
        QDragEnterEvent enter(pos, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCOMPARE(deliver(&edit, &enter), accept);
        QDragMoveEvent move(pos, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCOMPARE(deliver(&edit, &move), accept);
        QDropEvent drop(pos, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCOMPARE(deliver(&edit, &drop), accept);
        QCOMPARE(edit.text(), accept ? urls.at(acceptedFile).toLocalFile() : qs("before"));
        QCOMPARE(returns.count(), accept && invokeReturn ? 1 : 0);
    }

    void dropThroughApplication()
    {
        QTemporaryDir dir;
        CustomLineEdit edit(nullptr);
        edit.addAcceptedSuffix(qs("eds"));
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QSignalSpy returns(&edit, &QLineEdit::returnPressed);
        QMimeData text; // a plain QLineEdit would take it
        text.setText(qs("sensor.eds"));
        QDragEnterEvent textEnter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, {});
        QApplication::sendEvent(&edit, &textEnter);
        QVERIFY(!textEnter.isAccepted());

        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(dir.filePath(qs("sensor.eds")))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&edit, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&edit, &drop);
        QCOMPARE(edit.text(), dir.filePath(qs("sensor.eds")));
        QCOMPARE(returns.count(), 1);
    }
};

QTEST_MAIN(TestLineEdits)
#include "tst_lineedits.moc"
