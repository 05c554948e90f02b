#include <ZezuzuDOD/manualhandler.h>

#include "urlcatcher.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString qs(const char *text)
{
    return QString::fromUtf8(text);
}

bool touch(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

QStringList titles(const QMenu *menu)
{
    QStringList texts;
    const QList<QAction *> actions = menu->actions();
    for (const QAction *action : actions)
        texts.append(action->text());
    return texts;
}

} // namespace

class TestManualHandler : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void entries_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("German and English manual, in name order")
            << QStringList({qs("manual_90001_en.pdf"), qs("manual_90001_de.pdf")})
            << QStringList({qs("Handbuch (de)"), qs("Manual (en)")});
        QTest::newRow("tagged, extension and script manuals are known")
            << QStringList({qs("manual_kx_90007_en.pdf"), qs("vendor_erweiterung_90008_de.pdf"),
                            qs("kx_script_api.pdf"), qs("erweiterung_90008_de.pdf")})
            << QStringList({qs("Erweiterungshandbuch - Script (de)"), qs("Script API (en)"),
                            qs("Manual (en)"), qs("Erweiterungshandbuch - Vendor (de)")});
        QTest::newRow("unknown name: up to the first dot")
            << QStringList({qs("Release.Notes.pdf")}) << QStringList({qs("Release")});
        QTest::newRow("keys compare with case")
            << QStringList({qs("Manual_90001_DE.pdf")}) << QStringList({qs("Manual_90001_DE")});
        QTest::newRow("sorted without regard to case")
            << QStringList({qs("b.pdf"), qs("C.PDF"), qs("A.pdf")})
            << QStringList({qs("A"), qs("b"), qs("C")});
        QTest::newRow("only PDF files")
            << QStringList({qs("folder.pdf/"), qs("notes.txt"), qs("pdf"), qs("guide.pdf")})
            << QStringList({qs("guide")});
        QTest::newRow("no PDF file: no menu")
            << QStringList({qs("notes.txt"), qs("folder.pdf/")}) << QStringList();
    }

    void entries()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        for (const QString &file : qAsConst(files)) {
            if (file.endsWith(QLatin1Char('/')))
                QVERIFY(QDir(dir.path()).mkdir(file));
            else
                QVERIFY(touch(dir.filePath(file)));
        }

        ManualHandler handler;
        handler.setManualsPath(dir.path());
        QMenu *menu = handler.getManualsMenu();
        if (expected.isEmpty()) {
            QVERIFY(!menu);
            return;
        }
        QVERIFY(menu);
        QCOMPARE(menu->title(), qs("Manuals"));
        QCOMPARE(titles(menu), expected);
        // A second scan replaces the entries and deletes the old ones.
        QPointer<QAction> old = menu->actions().constFirst();
        QCOMPARE(handler.getManualsMenu(), menu);
        QCOMPARE(titles(menu), expected);
        QVERIFY(!old);
    }

    void rescanAfterChanges()
    {
        QTemporaryDir dir;
        ManualHandler handler;
        handler.setManualsPath(dir.filePath(qs("not yet")));
        QVERIFY(!handler.getManualsMenu());

        QVERIFY(QDir(dir.path()).mkdir(qs("not yet")));
        QVERIFY(touch(dir.filePath(qs("not yet/manual_90002_de.pdf"))));
        QMenu *menu = handler.getManualsMenu();
        QVERIFY(menu);
        QCOMPARE(titles(menu), QStringList({qs("Handbuch (de)")}));

        QVERIFY(QFile::remove(dir.filePath(qs("not yet/manual_90002_de.pdf"))));
        QVERIFY(!handler.getManualsMenu());
        QVERIFY(menu->actions().isEmpty());

        // An empty path is the current directory.
        const QString previous = QDir::currentPath();
        QVERIFY(touch(dir.filePath(qs("here.pdf"))));
        QVERIFY(QDir::setCurrent(dir.path()));
        handler.setManualsPath(QString());
        menu = handler.getManualsMenu();
        QDir::setCurrent(previous);
        QVERIFY(menu);
        QCOMPARE(titles(menu), QStringList({qs("here")}));
    }

    void entryOpensManual()
    {
        QTemporaryDir dir;
        const QString manual = dir.filePath(qs("Bus #3 für 50% (de).pdf"));
        QVERIFY(touch(manual));
        UrlCatcher catcher;
        ManualHandler handler;
        handler.setManualsPath(dir.path());
        QMenu *menu = handler.getManualsMenu();
        QVERIFY(menu);
        menu->actions().constFirst()->trigger();
        QCOMPARE(catcher.urls.size(), 1);
        QCOMPARE(catcher.urls.constFirst().toLocalFile(), manual);
    }

    void menuDiesWithHandler()
    {
        QTemporaryDir dir;
        QVERIFY(touch(dir.filePath(qs("manual_90001_de.pdf"))));
        QMenuBar bar;
        auto *handler = new ManualHandler;
        handler->setManualsPath(dir.path());
        QPointer<QMenu> menu = handler->getManualsMenu();
        QVERIFY(menu);
        bar.addMenu(menu);
        QCOMPARE(bar.actions().size(), 1);
        delete handler;
        QVERIFY(!menu);
        QVERIFY(bar.actions().isEmpty());
    }
};

QTEST_MAIN(TestManualHandler)
#include "tst_manualhandler.moc"
