// The example tool's window driven as a user drives it: real files, real dialogs, the real help
// collection and manual of the build, a real update server on 127.0.0.1. Every Qt warning printed
// meanwhile fails the test, so a broken connection or a missing resource is caught.

#include "dcfconfigwindow.h"
#include "helpmenu.h"
#include "objecttable.h"
#include "toolpaths.h"
#include "translationloader.h"

#include "messageboxcloser.h"
#include "updatetestserver.h"

#include <ZezuzuDOD/fileviewerdialog.h>
#include <ZezuzuDOD/helpviewer.h>
#include <ZezuzuDOD/tipoftheday.h>

#include <QtTest>
#include <QtWidgets>

namespace {

QStringList &warnings()
{
    static QStringList recorded;
    return recorded;
}

// The offscreen platform cannot do everything a window asks of it; that is no fault of ours.
void recordWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg
        && !message.startsWith(QLatin1String("This plugin does not support")))
        warnings().append(message);
}

// Rejects the next modal dialog (a file dialog) once it is shown and remembers its class.
class DialogRejecter : public QObject
{
public:
    DialogRejecter()
    {
        connect(&m_poll, &QTimer::timeout, this, [this] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (dialog && dialog->isVisible()) {
                m_className = QLatin1String(dialog->metaObject()->className());
                m_poll.stop();
                dialog->reject();
            }
        });
        m_poll.start(0);
    }
    QString className() const { return m_className; }

private:
    QTimer m_poll;
    QString m_className;
};

// The mnemonic letter of a text, or a null character; "&&" is a plain ampersand.
QChar mnemonic(const QString &text)
{
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (text.at(i + 1) != QLatin1Char('&'))
                return text.at(i + 1).toLower();
            ++i;
        }
    }
    return QChar();
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestDcfConfigWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_eds;
    QList<QUrl> m_openedUrls;

    template<typename T>
    static T *child(QWidget *window, const char *name)
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        if (!found)
            qWarning("no %s", name);
        return found;
    }

    QMenu *menu(DcfConfigWindow &window, const char *name) { return child<QMenu>(&window, name); }

    static QAction *actionNamed(QMenu *menu, const QString &text)
    {
        const QList<QAction *> actions = menu->actions();
        for (QAction *action : actions) {
            if (action->text() == text || (action->menu() && action->menu()->title() == text))
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

    static int rowOf(ObjectTable *table, const QString &index, int subIndex)
    {
        for (int row = 0; row < table->rowCount(); ++row) {
            if (table->item(row, ObjectTable::IndexColumn)->text() == index
                && table->item(row, ObjectTable::SubIndexColumn)->text().toInt() == subIndex)
                return row;
        }
        return -1;
    }

    void writeFile(const QString &name, const QByteArray &contents)
    {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
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
        qApp->setProperty("AppNameWithVersion", QStringLiteral("dcfconfig window test"));
        ToolPaths::setDataFolders({QStringLiteral(TOOL_DATA_DIR)});
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "recordUrl");
        m_eds = m_dir.filePath(QStringLiteral("sample-io.eds"));
        QVERIFY(QFile::copy(QStringLiteral(SAMPLE_EDS), m_eds));
        qInstallMessageHandler(recordWarnings);
    }

    void init()
    {
        warnings().clear();
        m_openedUrls.clear();
        QSettings(QCoreApplication::organizationName(),
                  qApp->property("AppNameWithVersion").toString())
            .clear();
        TranslationLoader::install(QStringLiteral("en"));
        QFile::remove(m_dir.filePath(QStringLiteral("sample-io.dcf")));
    }

    void cleanup()
    {
        QVERIFY2(warnings().isEmpty(), qPrintable(warnings().join(QLatin1Char('\n'))));
    }

    void cleanupTestCase() { qInstallMessageHandler(nullptr); }

    void readsEntriesAsTheFileNamesThem()
    {
        // Names in either case, a sub-index in hexadecimal, a record's own section left out,
        // a DCF's configured value before the default.
        writeFile(QStringLiteral("mixed.dcf"),
                  "[DeviceInfo]\nProductName=Mixed\nBaudRate_500=1\n"
                  "[1a00]\nSubNumber=2\nParameterName=Map\n"
                  "[1A00SUB0]\nPARAMETERNAME=Count\nDataType=0x0005\nAccessType=rw\n"
                  "DefaultValue=1\n"
                  "[1a00subA]\nParameterName=Tenth\nDataType=0x0007\nAccessType=ro\n"
                  "DefaultValue=0\nParameterValue=5\n"
                  "[1008]\nParameterName=Name\nDataType=0x0009\nAccessType=const\n"
                  "DefaultValue=x\n");
        DcfConfigWindow window;
        QVERIFY(window.openFile(m_dir.filePath(QStringLiteral("mixed.dcf"))));
        auto *table = child<ObjectTable>(&window, "tblObjects");
        QCOMPARE(table->rowCount(), 3);
        const auto row = [table](int r) {
            QStringList cells;
            for (int column = 0; column < table->columnCount(); ++column)
                cells << table->item(r, column)->text();
            return cells.join(QLatin1Char('|'));
        };
        QCOMPARE(row(0), QStringLiteral("0x1008|0|Name|VISIBLE_STRING|const|x"));
        QCOMPARE(row(1), QStringLiteral("0x1A00|0|Count|UNSIGNED8|rw|1"));
        QCOMPARE(row(2), QStringLiteral("0x1A00|10|Tenth|UNSIGNED32|ro|5"));
        QCOMPARE(table->item(2, 0)->data(0x12345).toString(),
                 QStringLiteral("1A00subA Tenth UNSIGNED32"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Mixed - DCF Config"));
        // Opening a DCF suggests writing it in place.
        QCOMPARE(window.dcfFile(),
                 QDir::toNativeSeparators(m_dir.filePath(QStringLiteral("mixed.dcf"))));
    }

    void unreadableFilesKeepTheTable_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents"); // null: no such file
        QTest::newRow("missing file") << "missing.eds" << QByteArray();
        QTest::newRow("no object dictionary") << "empty.eds" << QByteArray("[FileInfo]\nA=1\n");
        QTest::newRow("binary garbage") << "garbage.eds" << QByteArray("\x00\xff[\x01]=\n", 7);
    }

    void unreadableFilesKeepTheTable()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        if (!contents.isNull())
            writeFile(name, contents);
        DcfConfigWindow window;
        QVERIFY(window.openFile(m_eds));
        const int rows = child<ObjectTable>(&window, "tblObjects")->rowCount();
        MessageBoxCloser closer;
        QVERIFY(!window.openFile(m_dir.filePath(name)));
        QVERIFY(closer.closed());
        QVERIFY(closer.text().contains(name));
        QCOMPARE(child<ObjectTable>(&window, "tblObjects")->rowCount(), rows);
        QCOMPARE(window.edsFile(), QDir::toNativeSeparators(m_eds));
    }

    void outOfRangeValueIsRefusedUntilCorrected()
    {
        DcfConfigWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.openFile(m_eds));
        auto *table = child<ObjectTable>(&window, "tblObjects");
        const int heartbeat = rowOf(table, QStringLiteral("0x1017"), 0);
        QVERIFY(heartbeat >= 0);
        // A version string that looks like a number is no UNSIGNED value out of range.
        QVERIFY(table->valuesValid());

        typeValue(table, heartbeat, QStringLiteral("70000")); // UNSIGNED16
        QVERIFY(!table->valuesValid());
        MessageBoxCloser refusal;
        QTest::mouseClick(child<QPushButton>(&window, "btnWriteDcf"), Qt::LeftButton);
        QVERIFY(refusal.closed());
        QVERIFY(refusal.text().contains(QLatin1String("bold red")));
        QVERIFY(!QFile::exists(window.dcfFile()));
        QVERIFY(!child<QPushButton>(&window, "btnViewDcf")->isEnabled());

        typeValue(table, heartbeat, QStringLiteral("0x3E8"));
        table->setValue(0x1400, 2, QStringLiteral("0xFE"));
        window.setCommissioning({5, 250, 2, QStringLiteral("Line 1"), QStringLiteral("io")});
        QTest::mouseClick(child<QPushButton>(&window, "btnWriteDcf"), Qt::LeftButton);
        const QByteArray dcf = readAll(window.dcfFile());
        QVERIFY(dcf.contains("ParameterValue=0x3E8"));
        QVERIFY(dcf.contains("ParameterValue=0xFE"));
        QCOMPARE(dcf.count("ParameterValue="), 2); // unchanged values are not configured
        QVERIFY(dcf.contains("NodeID=5") && dcf.contains("NetworkName=Line 1"));
        QVERIFY(window.statusBar()->currentMessage().contains(QLatin1String("sample-io.dcf")));

        // The written file: its folder by a click, the file itself in the viewer.
        QTest::mouseClick(child<QLineEdit>(&window, "edtWritten"), Qt::LeftButton);
        QCOMPARE(m_openedUrls, {QUrl::fromLocalFile(m_dir.path())});
        QTest::mouseClick(child<QPushButton>(&window, "btnViewDcf"), Qt::LeftButton);
        auto *viewer = window.findChild<FileViewerDialog *>();
        QVERIFY(viewer && viewer->isVisible());
        QVERIFY(viewer->findChild<QTextEdit *>()->toPlainText().contains(
            QLatin1String("ParameterValue=0x3E8")));
        viewer->close();

        // Closed while a value is still being typed: the editor commits as the window goes.
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        typeValue(table, heartbeat, QStringLiteral("12"), false);
        QVERIFY(QApplication::focusWidget()->parentWidget() == table->viewport());
    }

    void dropsOpenDeviceFilesOnly_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("opened");
        QTest::newRow("EDS onto the table") << "tblObjects"
                                            << "sample-io.eds" << true;
        QTest::newRow("EDS onto the EDS field") << "edtEdsFile"
                                                << "sample-io.eds" << true;
        QTest::newRow("upper-case suffix") << "tblObjects"
                                           << "SAMPLE.EDS" << true;
        QTest::newRow("text file") << "tblObjects"
                                   << "notes.txt" << false;
        // The DCF field takes only the DCF to write; anything else falls through to the window.
        QTest::newRow("DCF onto the DCF field") << "edtDcfFile"
                                                << "sample-io.dcf" << false;
        QTest::newRow("EDS onto the DCF field") << "edtDcfFile"
                                                << "sample-io.eds" << true;
    }

    void dropsOpenDeviceFilesOnly()
    {
        QFETCH(QString, target);
        QFETCH(QString, file);
        QFETCH(bool, opened);
        QFile::copy(m_eds, m_dir.filePath(file));
        DcfConfigWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *widget = window.findChild<QWidget *>(target);
        QVERIFY(widget);
        if (auto *table = qobject_cast<QAbstractScrollArea *>(widget))
            widget = table->viewport();

        // Qt hands drag events on to the parents until a widget accepts them.
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(m_dir.filePath(file))});
        const QPoint at = widget->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        if (enter.isAccepted())
            QApplication::sendEvent(widget, &drop);
        QCOMPARE(child<ObjectTable>(&window, "tblObjects")->rowCount() > 0, opened);
        if (file.endsWith(QLatin1String(".dcf")))
            QCOMPARE(window.dcfFile(), m_dir.filePath(file));
    }

    void searchFindsEntriesByIndexNameAndType()
    {
        DcfConfigWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(window.openFile(m_eds));
        auto *table = child<ObjectTable>(&window, "tblObjects");
        const auto selectedRows = [table] {
            QList<int> rows;
            const QModelIndexList selected = table->selectionModel()->selectedRows();
            for (const QModelIndex &index : selected)
                rows.append(index.row());
            std::sort(rows.begin(), rows.end());
            return rows;
        };
        QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(&window, "edtSearch"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1800sub"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(selectedRows(), QList<int>{rowOf(table, QStringLiteral("0x1800"), 0)});

        QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("unsigned16"));
        QTest::keyClick(&window, Qt::Key_F4);
        QCOMPARE(selectedRows(), (QList<int>{rowOf(table, QStringLiteral("0x1017"), 0),
                                             rowOf(table, QStringLiteral("0x2000"), 0)}));
    }

    // Every dialog of the tool once, with its main controls; the warnings check in cleanup()
    // catches a broken connection or a missing resource on the way.
    void everyDialogOpensAndCloses()
    {
        DcfConfigWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.openFile(m_eds));

        {
            DialogRejecter rejecter;
            child<QAction>(&window, "actionOpen")->trigger();
            QCOMPARE(rejecter.className(), QStringLiteral("QFileDialog"));
        }
        {
            DialogRejecter rejecter;
            QTest::mouseClick(child<QToolButton>(&window, "btnBrowseDcf"), Qt::LeftButton);
            QCOMPARE(rejecter.className(), QStringLiteral("QFileDialog"));
        }

        QMenu *recent = menu(window, "menuRecent");
        QCOMPARE(recent->actions().first()->text(), QStringLiteral("&1 sample-io.eds"));
        recent->actions().first()->trigger();
        actionNamed(recent, QStringLiteral("&Clear List"))->trigger();
        QCOMPARE(recent->actions().size(), 2); // the separator and the disabled Clear List

        QMenu *help = menu(window, "menuHelp");
        HelpViewer *manual = window.helpMenu()->showManual();
        QVERIFY(manual && manual->isVisible());
        QTextBrowser *page = nullptr;
        const QList<QTextBrowser *> browsers = manual->findChildren<QTextBrowser *>();
        for (QTextBrowser *browser : browsers) {
            if (qstrcmp(browser->metaObject()->className(), "HelpBrowser") == 0)
                page = browser;
        }
        QVERIFY(page);
        QTRY_COMPARE(page->documentTitle(), QStringLiteral("DCF Config"));
        QCOMPARE(window.helpMenu()->showManual(), manual); // one viewer, shown again
        manual->close();

        QAction *manuals = actionNamed(help, QStringLiteral("Ma&nuals"));
        QVERIFY(manuals);
        manuals->menu()->actions().first()->trigger();
        QCOMPARE(m_openedUrls.size(), 1);
        QVERIFY(m_openedUrls.first().toLocalFile().endsWith(QLatin1String("manual_90001_en.pdf")));
        QVERIFY(QFileInfo(m_openedUrls.first().toLocalFile()).size() > 0);

        actionNamed(help, QStringLiteral("&Tip of the Day"))->trigger();
        auto *tip = window.findChild<TipOfTheDay *>();
        QVERIFY(tip && tip->isVisible());
        QTest::mouseClick(child<QPushButton>(tip, "btnNext"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(tip, "btnClose"), Qt::LeftButton);

        actionNamed(help, QStringLiteral("&About DCF Config"))->trigger();
        QPointer<QDialog> about = window.findChild<QDialog *>(QStringLiteral("AboutDialog"));
        QVERIFY(about && about->isVisible());
        QVERIFY(child<QLabel>(about, "label")->text().contains(QLatin1String("DCF Config 0.9.0")));
        QTest::mouseClick(child<QPushButton>(about, "pushButton"), Qt::LeftButton);
        QTRY_VERIFY(!about); // its Close button deletes it

        MessageBoxCloser aboutQt;
        actionNamed(help, QStringLiteral("About &Qt"))->trigger();
        QVERIFY(aboutQt.closed());
    }

    void updateCheckTrustsTheNamedAuthority()
    {
        const auto server = UpdateTest::startServer();
        server->setVersion(QStringLiteral("1777-10"), QStringLiteral("2.3.4"));
        DcfConfigWindow window;
        window.helpMenu()->setUpdateServer(UpdateTest::baseUrl(*server));
        window.helpMenu()->setUpdateCaFile(QStringLiteral(TEST_CA));
        MessageBoxCloser answer;
        actionNamed(menu(window, "menuHelp"), QStringLiteral("Check for &Updates..."))->trigger();
        QTRY_VERIFY(answer.closed());
        QCOMPARE(answer.informativeText(), QStringLiteral("New version 2.3.4 is available."));

        window.helpMenu()->setUpdateCaFile(m_eds);
        MessageBoxCloser noCertificate;
        window.helpMenu()->checkForUpdates();
        QVERIFY(noCertificate.closed());
        QVERIFY(noCertificate.text().contains(m_eds));
    }

    void tipOfTheDayRemembersTheUsersChoice()
    {
        {
            DcfConfigWindow window;
            window.helpMenu()->showTipAtStartup();
            auto *tip = window.findChild<TipOfTheDay *>();
            QVERIFY(tip && tip->isVisible()); // wanted unless switched off
            QTest::mouseClick(child<QCheckBox>(tip, "checkBox"), Qt::LeftButton);
            QTest::mouseClick(child<QPushButton>(tip, "btnClose"), Qt::LeftButton);
        }
        DcfConfigWindow window;
        window.helpMenu()->showTipAtStartup();
        QVERIFY(!window.findChild<TipOfTheDay *>());
        // From the menu it goes on after the tip shown last, with the choice as it was left.
        TipOfTheDay *tip = window.helpMenu()->showTipOfTheDay();
        QVERIFY(tip->findChild<QTextBrowser *>()->toPlainText().startsWith(
            QLatin1String("Type part of an index")));
        QVERIFY(!child<QCheckBox>(tip, "checkBox")->isChecked());
        tip->close();
    }

    void inputsAndRecentFilesOutliveTheWindow()
    {
        {
            DcfConfigWindow window;
            QVERIFY(window.openFile(m_eds));
            window.setCommissioning({9, 500, 3, QStringLiteral("Hall"), QStringLiteral("left")});
            window.close();
        }
        DcfConfigWindow window;
        QCOMPARE(window.commissioning().nodeId, 9);
        QCOMPARE(window.commissioning().baudRate, 500);
        QCOMPARE(window.commissioning().networkName, QStringLiteral("Hall"));
        QVERIFY(window.edsFile().isEmpty()); // the file comes back through Open Recent
        QCOMPARE(menu(window, "menuRecent")->actions().first()->toolTip(),
                 QDir::toNativeSeparators(m_eds));
    }

    void keyboardReachesEverything_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << "en";
        QTest::newRow("German") << "de";
    }

    // One mnemonic per label, button and menu entry, none twice in one window or menu, in each
    // language; and Tab walks the window in reading order.
    void keyboardReachesEverything()
    {
        QFETCH(QString, language);
        TranslationLoader::install(language);
        DcfConfigWindow window;
        QVERIFY(window.openFile(m_eds));

        QStringList texts;
        const QList<QAction *> menus = window.menuBar()->actions();
        for (QAction *action : menus)
            texts << action->text();
        const QList<QLabel *> labels = window.centralWidget()->findChildren<QLabel *>();
        for (QLabel *label : labels) {
            if (label->buddy())
                texts << label->text();
        }
        const QList<QPushButton *> buttons = window.centralWidget()->findChildren<QPushButton *>();
        for (QPushButton *button : buttons)
            texts << button->text();
        QList<QStringList> scopes{texts};
        for (QAction *action : menus) {
            QStringList entries;
            const QList<QAction *> actions = action->menu()->actions();
            for (QAction *entry : actions) {
                if (!entry->isSeparator())
                    entries << entry->text();
            }
            scopes << entries;
        }
        for (const QStringList &scope : qAsConst(scopes)) {
            QSet<QChar> seen;
            for (const QString &text : scope) {
                const QChar letter = mnemonic(text);
                QVERIFY2(!letter.isNull(), qPrintable(text + QLatin1String(": no mnemonic")));
                QVERIFY2(!seen.contains(letter), qPrintable(text + QLatin1String(": taken")));
                seen.insert(letter);
            }
        }

        // Tab, pressed as a user presses it: the table is one stop, its cells are for the arrows.
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        child<QWidget>(&window, "edtEdsFile")->setFocus();
        QStringList order;
        for (int press = 0; press < 20; ++press) {
            QWidget *focus = window.focusWidget();
            if (focus->objectName().startsWith(QLatin1String("qt_"))) // a spin box's line edit
                focus = focus->parentWidget();
            if (!order.isEmpty() && focus->objectName() == order.constFirst())
                break;
            order << focus->objectName();
            QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order.join(QLatin1Char(' ')),
                 QStringLiteral("edtEdsFile btnBrowseEds edtDcfFile btnBrowseDcf spnNodeId "
                                "cmbBaudRate spnNetNumber edtNetworkName edtNodeName edtSearch "
                                "btnFind tblObjects btnWriteDcf"));
    }

    void germanTexts()
    {
        TranslationLoader::install(QStringLiteral("de"));
        DcfConfigWindow window;
        QCOMPARE(window.menuBar()->actions().first()->text(), QStringLiteral("&Datei"));
        QCOMPARE(child<ObjectTable>(&window, "tblObjects")
                     ->horizontalHeaderItem(ObjectTable::ValueColumn)
                     ->text(),
                 QStringLiteral("Wert"));
        QCOMPARE(child<QPushButton>(&window, "btnWriteDcf")->text(),
                 QStringLiteral("DCF schre&iben"));
        QVERIFY(window.openFile(m_eds));
        QCOMPARE(window.statusBar()->currentMessage(),
                 QStringLiteral("sample-io.eds geöffnet: 21 Einträge."));
        QVERIFY(actionNamed(menu(window, "menuHelp"), QStringLiteral("&Handbuch")));

        TipOfTheDay *tip = window.helpMenu()->showTipOfTheDay();
        QVERIFY(tip->findChild<QTextBrowser *>()->toPlainText().startsWith(
            QLatin1String("Ziehen Sie")));
        tip->close();
    }
};

QTEST_MAIN(TestDcfConfigWindow)
#include "tst_dcfconfigwindow.moc"
