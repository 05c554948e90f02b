// The example tool driven as a user drives it: its command-line job, run in process (it returns
// exit codes, never exits), and its window with real files, real dialogs, the real help collection
// and manual of the build, a real update server on 127.0.0.1. Every Qt warning printed meanwhile
// fails the test, so a broken connection or a missing resource is caught.

#include "commissioningsettings.h"
#include "dcfcommissioning.h"
#include "dcfconfigwindow.h"
#include "helpmenu.h"
#include "objecttable.h"
#include "toolpaths.h"
#include "translationloader.h"

#include "messageboxcloser.h"
#include "testutil.h"
#include "updatetestserver.h"

#include <ZezuzuDOD/fileviewerdialog.h>
#include <ZezuzuDOD/helpviewer.h>
#include <ZezuzuDOD/tipoftheday.h>

#include <QtTest>
#include <QtWidgets>

#include <algorithm>
#include <memory>

namespace {

QStringList warnings;

// The offscreen platform cannot do everything a window asks of it; that is no fault of ours.
void recordWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg
        && !message.startsWith(QLatin1String("This plugin does not support")))
        warnings.append(message);
}

} // namespace

class TestDcfConfig : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_eds;
    QList<QUrl> m_openedUrls;
    // The job's device file, small enough to compare what it writes as a whole.
    const QString m_device = m_dir.filePath(qs("device.eds"));
    const QByteArray m_original = "[1017]\nParameterName=Heartbeat\nDefaultValue=0\n\n"
                                  "[DeviceComissioning]\nNodeID=1\nNodeName=old\n";
    QString m_errors;

    // Runs the job; "EDS" and "OUT" in the arguments stand for the device file and the output.
    int exec(QStringList arguments, const QString &output)
    {
        arguments.replaceInStrings(qs("EDS"), m_device);
        arguments.replaceInStrings(qs("OUT"), output);
        QString text;
        QTextStream out(&text);
        m_errors.clear();
        QTextStream err(&m_errors);
        return DcfCommissioning().exec(arguments, out, err);
    }

    template<typename T>
    static T *child(QWidget *window, const char *name)
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        if (!found)
            qWarning("no %s", name);
        return found;
    }

    static QAction *actionNamed(QMenu *menu, const QString &text)
    {
        const QList<QAction *> actions = menu->actions();
        for (QAction *action : actions) {
            if (action->text() == text) // a submenu's action carries its title
                return action;
        }
        return nullptr;
    }

    // Types \a text into the editor of the value cell of row \a row, confirmed with Return
    // unless \a confirm is false (the editor stays open).
    static void typeValue(ObjectTable *table, int row, const QString &text, bool confirm = true)
    {
        const QModelIndex index = table->model()->index(row, ObjectTable::ValueColumn);
        table->setCurrentIndex(index);
        table->edit(index);
        auto *editor = qobject_cast<QLineEdit *>(table->indexWidget(index));
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        if (confirm) {
            QTest::keyClick(editor, Qt::Key_Return);
            QCoreApplication::processEvents(); // the delegate commits from the event loop
        }
    }

    // The first row of the entry \a index, its sub-index 0 (the table is sorted).
    static int rowOf(ObjectTable *table, const char *index)
    {
        const auto found = table->findItems(QLatin1String(index), Qt::MatchExactly);
        return found.isEmpty() ? -1 : found.first()->row();
    }

    // Drops a copy of the sample named \a file onto \a widget as Qt delivers a drop: the drag
    // goes on to the parents until a widget accepts it.
    void dropFile(QWidget *widget, const char *file)
    {
        const QString path = m_dir.filePath(QLatin1String(file));
        QFile::copy(m_eds, path);
        if (auto *area = qobject_cast<QAbstractScrollArea *>(widget))
            widget = area->viewport();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        const QPoint at = widget->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        if (enter.isAccepted())
            QApplication::sendEvent(widget, &drop);
    }

    // The texts of \a window's labels, buttons and menus that have no mnemonic or take a letter
    // already taken: the window's labels, buttons and menu titles share one set of letters, each
    // menu another.
    static QStringList mnemonicFaults(QMainWindow &window)
    {
        QList<QStringList> scopes{{}};
        const QList<QAction *> menus = window.menuBar()->actions();
        for (QAction *menu : menus) {
            scopes.first() << menu->text();
            QStringList entries;
            const QList<QAction *> actions = menu->menu()->actions();
            for (QAction *entry : actions) {
                if (!entry->isSeparator())
                    entries << entry->text();
            }
            scopes << entries;
        }
        const QList<QWidget *> widgets = window.centralWidget()->findChildren<QWidget *>();
        for (QWidget *widget : widgets) {
            const auto *label = qobject_cast<QLabel *>(widget);
            if ((label && label->buddy()) || qobject_cast<QPushButton *>(widget))
                scopes.first() << widget->property("text").toString();
        }
        QStringList faults;
        for (const QStringList &scope : qAsConst(scopes)) {
            QSet<QKeySequence> seen;
            for (const QString &text : scope) {
                const QKeySequence letter = QKeySequence::mnemonic(text);
                if (letter.isEmpty() || seen.contains(letter))
                    faults << text;
                seen.insert(letter);
            }
        }
        return faults;
    }

public slots:
    void recordUrl(const QUrl &url) { m_openedUrls.append(url); }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("Zezuzu Test"));
        QCoreApplication::setApplicationName(QStringLiteral("DCF Config"));
        QCoreApplication::setApplicationVersion(QStringLiteral("0.9.0"));
        qApp->setProperty("AppNameWithVersion", QStringLiteral("dcfconfig test"));
        ToolPaths::setDataFolders({QStringLiteral(TOOL_DATA_DIR)});
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "recordUrl");
        m_eds = m_dir.filePath(QStringLiteral("sample-io.eds"));
        QVERIFY(QFile::copy(QStringLiteral(SAMPLE_EDS), m_eds));
        QVERIFY(writeFile(m_device, m_original));
        qInstallMessageHandler(recordWarnings);
    }

    void init()
    {
        warnings.clear();
        m_openedUrls.clear();
        QSettings(QCoreApplication::organizationName(),
                  qApp->property("AppNameWithVersion").toString())
            .clear();
        TranslationLoader::install(QStringLiteral("en"));
    }

    void cleanup() { QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n')))); }

    void cleanupTestCase() { qInstallMessageHandler(nullptr); }

    void jobExitCodesAndResult_data()
    {
        QTest::addColumn<QString>("arguments"); // split at "|"
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("written"); // empty: no output file expected
        const auto row = [](const char *name, const char *arguments, int code, const char *out) {
            QTest::newRow(name) << QString::fromUtf8(arguments) << code << QByteArray(out);
        };
        row("debugging switches are no unknown options", "--debug-log|--with-debug", 0, "");
        row("node-ID out of range", "EDS|--node-id|128", 2, "");
        row("missing input", "nowhere.eds", 1, "");
        row("some commissioning values: the others stay",
            "EDS|--node-id|0x10|--set|1017:0=1000=x|-o|OUT", 0,
            "[1017]\nParameterName=Heartbeat\nDefaultValue=0\nParameterValue=1000=x\n\n"
            "[DeviceComissioning]\nNodeID=16\nNodeName=old\n");
        row("all commissioning values, entry not in the file",
            "EDS|--node-id|5|--baudrate|500|--net-number|2|--network-name|Line 1|--node-name|io|"
            "--set|0x2000:1=3|-o|OUT",
            1,
            "[1017]\nParameterName=Heartbeat\nDefaultValue=0\n\n[DeviceComissioning]\nNodeID=5\n"
            "NodeName=io\nBaudrate=500\nNetNumber=2\nNetworkName=Line 1\n");
    }

    void jobExitCodesAndResult()
    {
        QFETCH(QString, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, written);
        const QString output = m_dir.filePath(QString::fromUtf8(QTest::currentDataTag()));
        QCOMPARE(exec(arguments.prepend(qs("dcfconfig|")).split(QLatin1Char('|')), output),
                 exitCode);
        QCOMPARE(m_errors.isEmpty(), exitCode == 0);
        QCOMPARE(readFile(output), written.isEmpty() ? QByteArray("<unreadable>") : written);
        QCOMPARE(readFile(m_device), m_original); // with -o only the copy changes
        warnings.clear(); // the job logs each entry it could not set, as it should
    }

    void commandLineComesBeforeRememberedValues()
    {
        CommissioningSettings::rememberValues(
            qs("dcfconfig|--node-id|3|--net-number=7|--node-name=old").split(QLatin1Char('|')));
        const QString output = m_dir.filePath(qs("remembered.dcf"));
        QCOMPARE(exec(CommissioningSettings::withRememberedValues(
                          qs("dcfconfig|EDS|--node-id=9|-o|OUT").split(QLatin1Char('|'))),
                      output),
                 0);
        QCOMPARE(readFile(output),
                 QByteArray(m_original)
                     .replace("NodeID=1\nNodeName=old\n", "NodeID=9\nNodeName=old\nNetNumber=7\n"));
    }

    // One window the way a user goes: open a file, fail to open others, drop files, search,
    // correct a value out of range, write the DCF and look at it, then every dialog once with its
    // main controls; the warnings check in cleanup() catches a broken connection or a missing
    // resource on the way. What the user chose comes back in the next window.
    void oneWindowThroughEveryDialog()
    {
        auto window = std::make_unique<DcfConfigWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        auto *table = child<ObjectTable>(window.get(), "tblObjects");

        // Names in either case, a sub-index in hexadecimal, a record's own section left out,
        // a DCF's configured value before the default.
        const QString mixed = QStringLiteral(FIXTURES "/mixed.dcf");
        QVERIFY(window->openFile(mixed));
        QStringList rows;
        for (int row = 0; row < table->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < table->columnCount(); ++column)
                cells << table->item(row, column)->text();
            rows << cells.join(QLatin1Char('|'));
        }
        QCOMPARE(rows.join(QLatin1Char('\n')), qs("0x1008|0|Name|VISIBLE_STRING|const|x\n"
                                                  "0x1A00|0|Count|UNSIGNED8|rw|1\n"
                                                  "0x1A00|10|Tenth|UNSIGNED32|ro|5"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Mixed - DCF Config"));
        // Opening a DCF suggests writing it in place.
        QCOMPARE(window->dcfFile(), QDir::toNativeSeparators(mixed));

        // A file that cannot be read or holds no entries is named in a box; the table stays.
        for (const QString &bad : {m_dir.filePath(QStringLiteral("missing.eds")),
                                   QStringLiteral(FIXTURES "/CMakeLists.txt")}) {
            MessageBoxCloser closer;
            QVERIFY(!window->openFile(bad));
            QVERIFY(closer.closed() && closer.text().contains(bad));
            QCOMPARE(table->rowCount(), rows.size());
            QCOMPARE(window->edsFile(), QDir::toNativeSeparators(mixed));
        }

        // The DCF field takes only the DCF to write; anything else falls through to the window,
        // which opens device files only, whatever the case of their suffix.
        auto *dcfField = child<QWidget>(window.get(), "edtDcfFile");
        dropFile(table, "notes.txt");
        dropFile(dcfField, "sample-io.dcf");
        QCOMPARE(window->edsFile(), QDir::toNativeSeparators(mixed));
        QCOMPARE(window->dcfFile(), m_dir.filePath(QStringLiteral("sample-io.dcf")));
        QVERIFY(QFile::remove(window->dcfFile())); // it is to be written below
        dropFile(dcfField, "SAMPLE.EDS");
        QCOMPARE(window->edsFile(), m_dir.filePath(QStringLiteral("SAMPLE.EDS")));
        dropFile(child<QWidget>(window.get(), "edtEdsFile"), "sample-io.eds");
        QCOMPARE(window->edsFile(), m_eds);

        // Search from the keyboard (the boxes above took the focus): Ctrl+F, then F4 finds every
        // entry of a data type.
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("unsigned16"));
        QTest::keyClick(window.get(), Qt::Key_F4);
        const QModelIndexList found = table->selectionModel()->selectedRows();
        QCOMPARE(found.size(), 2);
        QVERIFY(found.contains(table->model()->index(rowOf(table, "0x2000"), 0)));

        const int heartbeat = rowOf(table, "0x1017");
        // A version string that looks like a number is no UNSIGNED value out of range.
        QVERIFY(table->valuesValid());

        typeValue(table, heartbeat, QStringLiteral("70000")); // UNSIGNED16
        QVERIFY(!table->valuesValid());
        MessageBoxCloser refusal;
        QTest::mouseClick(child<QPushButton>(window.get(), "btnWriteDcf"), Qt::LeftButton);
        QVERIFY(refusal.closed());
        QVERIFY(refusal.text().contains(QLatin1String("bold red")));
        QVERIFY(!QFile::exists(window->dcfFile()));
        QVERIFY(!child<QPushButton>(window.get(), "btnViewDcf")->isEnabled());

        typeValue(table, heartbeat, QStringLiteral("0x3E8"));
        table->setValue(0x1400, 2, QStringLiteral("0xFE"));
        window->setCommissioning({5, 250, 2, QStringLiteral("Line 1"), QStringLiteral("io")});
        QTest::mouseClick(child<QPushButton>(window.get(), "btnWriteDcf"), Qt::LeftButton);
        // The changed values and every commissioning value reach the file, nothing else.
        const QByteArray dcf = readFile(window->dcfFile());
        QCOMPARE(dcf.count("ParameterValue="), 2);
        for (const char *line :
             {"ParameterValue=0x3E8", "ParameterValue=0xFE", "NodeID=5", "Baudrate=250",
              "NetNumber=2", "NetworkName=Line 1", "NodeName=io"})
            QVERIFY2(dcf.contains(line), line);
        QVERIFY(window->statusBar()->currentMessage().contains(QLatin1String("sample-io.dcf")));

        // The written file: its folder by a click, the file itself in the viewer.
        QTest::mouseClick(child<QLineEdit>(window.get(), "edtWritten"), Qt::LeftButton);
        QCOMPARE(m_openedUrls, {QUrl::fromLocalFile(m_dir.path())});
        QTest::mouseClick(child<QPushButton>(window.get(), "btnViewDcf"), Qt::LeftButton);
        auto *viewer = window->findChild<FileViewerDialog *>();
        QVERIFY(viewer && viewer->isVisible());
        QVERIFY(viewer->findChild<QTextEdit *>()->toPlainText().contains(
            QLatin1String("ParameterValue=0x3E8")));
        viewer->close();

        // The Open action's file dialog, rejected as soon as it runs.
        QString dialogClass;
        QTimer::singleShot(0, window.get(), [&dialogClass] {
            QWidget *dialog = QApplication::activeModalWidget();
            dialogClass = QLatin1String(dialog ? dialog->metaObject()->className() : "none");
            if (dialog)
                dialog->close();
        });
        child<QAction>(window.get(), "actionOpen")->trigger();
        QCOMPARE(dialogClass, QStringLiteral("QFileDialog"));

        QMenu *recent = child<QMenu>(window.get(), "menuRecent");
        QCOMPARE(recent->actions().first()->text(), QStringLiteral("&1 sample-io.eds"));
        recent->actions().first()->trigger();

        HelpViewer *manual = window->helpMenu()->showManual();
        QVERIFY(manual && manual->isVisible());
        const QList<QTextBrowser *> browsers = manual->findChildren<QTextBrowser *>();
        QTRY_VERIFY(std::any_of(browsers.begin(), browsers.end(), [](QTextBrowser *browser) {
            return browser->documentTitle() == QLatin1String("DCF Config"); // the first page
        }));
        QCOMPARE(window->helpMenu()->showManual(), manual); // one viewer, shown again
        manual->close();

        QMenu *help = child<QMenu>(window.get(), "menuHelp");
        actionNamed(help, QStringLiteral("Ma&nuals"))->menu()->actions().first()->trigger();
        QCOMPARE(m_openedUrls.size(), 2);
        const QFileInfo pdf(m_openedUrls.last().toLocalFile());
        QVERIFY(pdf.fileName() == QLatin1String("manual_90001_en.pdf") && pdf.size() > 0);

        // Wanted at start-up until switched off; it remembers the tip shown last.
        window->helpMenu()->showTipAtStartup();
        auto *tip = window->findChild<TipOfTheDay *>();
        QVERIFY(tip && tip->isVisible());
        QTest::mouseClick(child<QPushButton>(tip, "btnNext"), Qt::LeftButton);
        QTest::mouseClick(child<QCheckBox>(tip, "checkBox"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(tip, "btnClose"), Qt::LeftButton);

        actionNamed(help, QStringLiteral("&About DCF Config"))->trigger();
        QPointer<QDialog> about = window->findChild<QDialog *>(QStringLiteral("AboutDialog"));
        QVERIFY(about && about->isVisible());
        QVERIFY(child<QLabel>(about, "label")->text().contains(QLatin1String("DCF Config 0.9.0")));
        QTest::mouseClick(child<QPushButton>(about, "pushButton"), Qt::LeftButton);
        QTRY_VERIFY(!about); // its Close button deletes it

        // The update check trusts the authority the tool was told of.
        const auto server = UpdateTest::startServer();
        server->setVersion(QStringLiteral("1777-10"), QStringLiteral("2.3.4"));
        window->helpMenu()->setUpdateServer(UpdateTest::baseUrl(*server));
        window->helpMenu()->setUpdateCaFile(QStringLiteral(TEST_CA));
        MessageBoxCloser answer;
        actionNamed(help, QStringLiteral("Check for &Updates..."))->trigger();
        QTRY_VERIFY(answer.closed());
        QCOMPARE(answer.informativeText(), QStringLiteral("New version 2.3.4 is available."));

        // Closed (which keeps the inputs), shown again and destroyed while a value is still being
        // typed: the editor commits as the window goes.
        window->close();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        typeValue(table, heartbeat, QStringLiteral("12"), false);
        QVERIFY(QApplication::focusWidget()->parentWidget() == table->viewport());
        window.reset();

        DcfConfigWindow next;
        QCOMPARE(next.commissioning().arguments(),
                 (CommissioningSettings{5, 250, 2, qs("Line 1"), qs("io")}.arguments()));
        QVERIFY(next.edsFile().isEmpty()); // the file comes back through Open Recent
        QCOMPARE(child<QMenu>(&next, "menuRecent")->actions().first()->toolTip(), m_eds);
        next.helpMenu()->showTipAtStartup();
        QVERIFY(!next.findChild<TipOfTheDay *>());
        // From the menu it goes on after the tip shown last, with the choice as it was left.
        actionNamed(child<QMenu>(&next, "menuHelp"), QStringLiteral("&Tip of the Day"))->trigger();
        tip = next.findChild<TipOfTheDay *>();
        QVERIFY(tip->findChild<QTextBrowser *>()->toPlainText().startsWith(
            QLatin1String("A value too large")));
        QVERIFY(!child<QCheckBox>(tip, "checkBox")->isChecked());
        tip->close();
    }

    // The tool's German catalogue in its form, in the code of its window and help menu, with a
    // plural, and the tips of the language from the resources. One mnemonic per label, button and
    // menu entry in each language; and Tab walks the window in reading order.
    void eachLanguageIsCompleteAndReachable()
    {
        DcfConfigWindow english;
        QCOMPARE(mnemonicFaults(english), QStringList());
        TranslationLoader::install(QStringLiteral("de"));
        DcfConfigWindow window;
        QCOMPARE(mnemonicFaults(window), QStringList());
        QVERIFY(window.openFile(m_eds));
        TipOfTheDay *tip = window.helpMenu()->showTipOfTheDay();
        const QStringList shown{
            window.menuBar()->actions().first()->text(), window.statusBar()->currentMessage(),
            child<QMenu>(&window, "menuHelp")->actions().first()->text(),
            tip->findChild<QTextBrowser *>()->toPlainText().section(QLatin1Char(' '), 0, 1)};
        tip->close();
        QCOMPARE(shown.join(QLatin1Char('|')),
                 qs("&Datei|sample-io.eds geöffnet: 21 Einträge.|&Handbuch|Ziehen Sie"));

        // Tab, pressed as a user presses it: the table is one stop, its cells are for the arrows.
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        child<QWidget>(&window, "edtEdsFile")->setFocus();
        QStringList order;
        for (int press = 0; press < 14; ++press) {
            QWidget *focus = window.focusWidget();
            if (focus->objectName().startsWith(QLatin1String("qt_"))) // a spin box's line edit
                focus = focus->parentWidget();
            order << focus->objectName();
            QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order.join(QLatin1Char(' ')),
                 QStringLiteral("edtEdsFile btnBrowseEds edtDcfFile btnBrowseDcf spnNodeId "
                                "cmbBaudRate spnNetNumber edtNetworkName edtNodeName edtSearch "
                                "btnFind tblObjects btnWriteDcf edtEdsFile"));
    }
};

QTEST_MAIN(TestDcfConfig)
#include "tst_dcfconfig.moc"

// Not covered: Return in the search line, the DCF browse and About Qt entries, an unreadable
// update certificate, clearing the recent list, the job's other command-line refusals.
