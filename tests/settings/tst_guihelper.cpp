#include <ZezuzuDOD/guihelper.h>

#include "messageboxcloser.h"
#include "testutil.h"
#include "ui_settingsform.h"

#include <QtTest>
#include <QtWidgets>

// The library knows the hex editor only by this class name and its "data" property.
class QHexEdit : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QByteArray data MEMBER m_data USER true)
    QByteArray m_data;
};

namespace {

QStringList list(const char *commaSeparated)
{
    return qs(commaSeparated).split(QLatin1Char(','));
}

template<class F>
void forCells(const QTableWidget *t, F f)
{
    for (int r = 0; r < t->rowCount(); ++r) {
        for (int c = 0; c < t->columnCount(); ++c)
            f(r, c, qobject_cast<QLineEdit *>(t->cellWidget(r, c)), t->item(r, c));
    }
}

// The dialog of settingsform.ui, completed with what a form file cannot hold.
struct Form
{
    QDialog dialog;
    Ui::SettingsForm ui;
    const QStringList names = list("grpOptions,edtName,chkTristate,spnCount,rdoA,rdoB,cmbPlain,"
                                   "cmbData,cmbEditable,txtNotes,hexData,dblGain,edtReadOnly,"
                                   "edtExcluded,grpPlain,edtInPlain,tblCells,tblUnflagged");

    Form()
    {
        ui.setupUi(&dialog);
        for (int i = 0; i < ui.cmbData->count(); ++i)
            ui.cmbData->setItemData(i, ui.cmbData->itemText(i).toInt());
        ui.cmbEditable->lineEdit()->setObjectName(qs("edtInsideCombo"));
        auto *hex = new QHexEdit;
        hex->setObjectName(qs("hexData"));
        ui.inner->layout()->addWidget(hex);
        for (int row = 0; row < 2; ++row)
            ui.tblCells->setCellWidget(row, 1, new QLineEdit);
        ui.tblCells->setCellWidget(0, 2, new QCheckBox);
        fill(0);
    }

    // Two distinct states of every widget and cell, those to be left alone included.
    void fill(int n)
    {
        const QString tag = QString::number(n);
        for (const QString &name : qAsConst(names)) {
            QWidget *w = dialog.findChild<QWidget *>(name);
            if (auto *e = qobject_cast<QLineEdit *>(w))
                e->setText(name + tag);
            else if (auto *c = qobject_cast<QCheckBox *>(w))
                c->setCheckState(n == 0 ? Qt::PartiallyChecked : Qt::Unchecked);
            else if (auto *r = qobject_cast<QRadioButton *>(w))
                r->setChecked(name.endsWith(QLatin1Char(n == 0 ? 'A' : 'B')));
            else if (auto *c = qobject_cast<QComboBox *>(w))
                c->isEditable() ? c->setEditText(name + tag) : c->setCurrentIndex(n + 1);
            else if (auto *g = qobject_cast<QGroupBox *>(w))
                g->setChecked(n == 0);
            else if (qobject_cast<QAbstractSpinBox *>(w))
                w->setProperty("value", n == 0 ? 42 : 7);
            else if (auto *p = qobject_cast<QPlainTextEdit *>(w))
                p->setPlainText(qs("line 1\nline 2 ") + tag);
            else if (w->inherits("QHexEdit"))
                w->setProperty("data", n == 0 ? QByteArray("\x00\xff\x10", 3) : QByteArray("zz"));
            else if (auto *t = qobject_cast<QTableWidget *>(w)) {
                forCells(t, [&](int r, int c, QLineEdit *e, QTableWidgetItem *item) {
                    if (e)
                        e->setText(qs("edit %1 %2 ").arg(r).arg(c) + tag);
                    else if (item)
                        item->setText(qs("item %1 %2 ").arg(r).arg(c) + tag);
                });
            }
        }
    }

    // What a user sees through each widget's user property, cells as "table/row/column=text".
    QStringList snapshot() const
    {
        QStringList state;
        for (const QString &name : names) {
            QWidget *w = dialog.findChild<QWidget *>(name);
            if (auto *t = qobject_cast<QTableWidget *>(w)) {
                forCells(t, [&](int r, int c, QLineEdit *e, QTableWidgetItem *item) {
                    if (e || item)
                        state << qs("%1/%2/%3=%4")
                                     .arg(name, QString::number(r), QString::number(c),
                                          e ? e->text() : item->text());
                });
                continue;
            }
            // A check box's user property cannot tell partly checked from checked.
            const auto *c = qobject_cast<QCheckBox *>(w);
            QVariant v = c ? int(c->checkState()) : w->metaObject()->userProperty().read(w);
            if (v.type() == QVariant::ByteArray) // whole: as text it would end at the zero byte
                v = QString::fromLatin1(v.toByteArray().toHex());
            if (v.isValid()) // the tab widget has none
                state << name + QLatin1Char('=') + v.toString();
        }
        return state;
    }
};

// Where a box of this size lands when centred over the parent, in geometry() coordinates.
QPoint centred(const QWidget &parent, const QSize &box)
{
    return parent.geometry().topLeft()
           + QPoint(parent.width() / 2 - box.width() / 2, parent.height() / 2 - box.height() / 2);
}

} // namespace

class TestGuiHelper : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const char *name) const { return m_dir.filePath(qs(name)); }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(qs("Zezuzu Test"));
        qApp->setProperty("AppNameWithVersion", qs("Settings Test 1.0"));
        QVERIFY(m_dir.isValid());
    }

    // Stores named the ways a caller can: an INI path, a store passed in (entered at the group
    // "Caller", which the calls must leave it at), or neither for the native one.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<bool>("passed");
        QTest::newRow("INI file named by path") << path("roundtrip.ini") << false;
        QTest::newRow("store passed in stays at the caller's group") << QString() << true;
        QTest::newRow("native store of organisation and AppNameWithVersion") << QString() << false;
    }
    void roundTrip()
    {
        QFETCH(QString, ini);
        QFETCH(bool, passed);
        QSettings given(path("given.ini"), QSettings::IniFormat);
        given.beginGroup(qs("Caller"));
        QSettings *store = passed ? &given : nullptr;
        const QString prefix = passed ? qs("Caller/") : QString();
        QString file = passed ? given.fileName() : ini;
        if (file.isEmpty())
            file = QSettings(QCoreApplication::organizationName(), qs("Settings Test 1.0"))
                       .fileName();
        Form form;
        const QStringList before = form.snapshot();
        GuiHelper::saveSettings(&form.dialog, qs("Dlg"), ini, store);
        QCOMPARE(given.group(), qs("Caller"));
        // On disk: no key for read-only, excluded, double spin box, plain group box, inner line
        // edits, the text of a combo box with data, the item under the check box, the empty cell.
        QSettings s(file, QSettings::IniFormat);
        s.beginGroup(prefix + qs("Dlg"));
        QStringList keys = s.allKeys();
        keys.sort();
        QCOMPARE(keys, list("chkTristate,cmbData_data,cmbEditable,cmbPlain,edtInPlain,edtName,"
                            "grpOptions,hexData,rdoA,rdoB,spnCount,tblCells/0/0/Type,"
                            "tblCells/0/0/Value,tblCells/0/1/Type,tblCells/0/1/Value,"
                            "tblCells/1/0/Type,tblCells/1/0/Value,tblCells/1/1/Type,"
                            "tblCells/1/1/Value,txtNotes"));

        form.fill(1);
        const QStringList changed = form.snapshot();
        QSignalSpy clicked(form.ui.grpOptions, &QGroupBox::clicked);
        QSignalSpy text(form.ui.edtName, &QLineEdit::textChanged);
        for (int round = 0; round < 2; ++round) // the second one restores the state shown
            QVERIFY(GuiHelper::restoreSettings(&form.dialog, qs("Dlg"), ini, store));
        QCOMPARE(given.group(), qs("Caller"));
        // Signals are not blocked; the click comes with every restore, also of the state shown.
        QCOMPARE(QList<int>({clicked.count(), text.count()}), QList<int>({2, 1}));
        QCOMPARE(clicked.at(1).at(0), QVariant(true));
        const QStringList after
            = form.snapshot(),
            alone = list("edtReadOnly,edtExcluded,dblGain,grpPlain,tblCells/0/2,tblUnflagged/0/0");
        QCOMPARE(after.size(), before.size());
        for (int i = 0; i < before.size(); ++i) {
            const bool kept = alone.contains(before.at(i).section(QLatin1Char('='), 0, 0));
            QCOMPARE(after.at(i), kept ? changed.at(i) : before.at(i));
            QVERIFY2(kept || changed.at(i) != before.at(i), qPrintable(before.at(i)));
        }

        // A "/" in the key of a single value nests, as every tool that reads the store with
        // QSettings expects; a store passed in is not synced.
        const auto single = [&](const char *key) {
            return GuiHelper::restoreSetting(qs("Main"), qs(key), ini, store);
        };
        GuiHelper::saveSetting(qs("Main"), qs("Recent/File1"), qs("a.dcf"), ini, store);
        QCOMPARE(single("Recent/File1"), QVariant(qs("a.dcf")));
        QVERIFY(!single("Recent/File2").isValid());
        QCOMPARE(readFile(file).contains("File1"), !passed);
        given.sync();
        QCOMPARE(QSettings(file, QSettings::IniFormat).value(prefix + qs("Main/Recent/File1")),
                 QVariant(qs("a.dcf")));
        QCOMPARE(given.group(), qs("Caller"));
    }

    // A file edited by hand or by another version: what fits is taken and the rest ignored,
    // without a crash, a grown or shrunk table, or a write.
    void badFile()
    {
        const QByteArray content = "[Dlg]\nchkTristate=7\nspnCount=abc\ncmbData_data=zzz\n"
                                   "tblCells\\0\\0\\Type=0\ntblCells\\0\\0\\Value=a\n"
                                   "tblCells\\1\\2\\Type=0\ntblCells\\1\\2\\Value=b\n"
                                   "tblCells\\9\\9\\Type=0\ntblCells\\9\\9\\Value=c\n"
                                   "edtReadOnly=0\nedtExcluded=0\ndblGain=0\nedtInsideCombo=0\n"
                                   "qt_spinbox_lineedit=0\ngrpPlain=true\n";
        const QString ini = path("bad.ini");
        QVERIFY(writeFile(ini, content));
        Form form;
        QStringList expected = form.snapshot();
        // A check state beyond Checked is not taken; the cell beyond the table, the empty cell
        // and the keys of widgets that take no part are ignored.
        for (const QString &change : list("spnCount=0,cmbData=,tblCells/0/0=a")) {
            const QString name = change.section(QLatin1Char('='), 0, 0) + QLatin1Char('=');
            expected[expected.indexOf(QRegularExpression(name + qs(".*")))] = change;
        }
        QVERIFY(!GuiHelper::restoreSettings(&form.dialog, qs("Missing"), ini));
        QVERIFY(GuiHelper::restoreSettings(&form.dialog, qs("Dlg"), ini));
        QCOMPARE(form.snapshot(), expected);
        const auto *cells = form.ui.tblCells;
        QCOMPARE(QSize(cells->columnCount(), cells->rowCount()), QSize(3, 2));
        QCOMPARE(readFile(ini), content);
    }

    void specialNames()
    {
        const QString ini = path("names.ini");
        // Names the store reads as paths, that collide once separators are folded, or that need
        // escaping in a file; each must come back to its own widget.
        const QStringList names = qs("a/b|a//b|/lead|lead|trail/|back\\slash|/|\\|50%|a%2Fb|"
                                     "with space|ümlaut €")
                                      .split(QLatin1Char('|'));
        QDialog dialog;
        for (const QString &name : names)
            (new QLineEdit(name, &dialog))->setObjectName(name);
        GuiHelper::saveSettings(&dialog, qs("Names"), ini);
        const QList<QLineEdit *> edits = dialog.findChildren<QLineEdit *>();
        for (QLineEdit *e : edits)
            e->clear();
        QVERIFY(GuiHelper::restoreSettings(&dialog, qs("Names"), ini));
        for (QLineEdit *e : edits)
            QCOMPARE(e->text(), e->objectName());
        // Names without separators keep their plain keys, which restoreSetting() reads too.
        QSettings s(ini, QSettings::IniFormat);
        s.beginGroup(qs("Names"));
        for (const QString &plain : list("lead,50%,with space,ümlaut €")) {
            QVERIFY2(s.childKeys().contains(plain), qPrintable(plain));
            QCOMPARE(GuiHelper::restoreSetting(qs("Names"), plain, ini).toString(), plain);
        }
    }

    void messageBoxes()
    {
        // Without a parent the non-blocking box has nothing to centre over and no owner.
        const int windows = QApplication::topLevelWidgets().size();
        QCOMPARE(GuiHelper::showNonBlockingMessageBox(nullptr, qs("Title"), qs("Text")), -1);
        QCOMPARE(QApplication::topLevelWidgets().size(), windows);

        auto *parent = new QWidget;
        parent->setGeometry(120, 60, 640, 480);
        parent->show();
        QVERIFY(QTest::qWaitForWindowExposed(parent));
        MessageBoxCloser closer(QMessageBox::No);
        QCOMPARE(GuiHelper::showMessageBox(parent, qs("Title"), qs("Text"), QString(),
                                           QMessageBox::Yes | QMessageBox::No),
                 int(QMessageBox::No));
        QCOMPARE(closer.geometry().topLeft(), centred(*parent, closer.geometry().size()));
        QCOMPARE(QApplication::topLevelWidgets().size(), windows + 1); // the box was the call's

        QCOMPARE(GuiHelper::showNonBlockingMessageBox(parent, qs("Title"), qs("Text")), -1);
        QPointer<QMessageBox> box = parent->findChild<QMessageBox *>();
        QVERIFY(box && box->isVisible() && !box->isModal() && !QApplication::activeModalWidget());
        QCOMPARE(box->geometry().topLeft(), centred(*parent, box->size()));
        // Answering hides the box; the parent keeps it until it dies itself.
        box->button(QMessageBox::Ok)->click();
        QCoreApplication::processEvents();
        QVERIFY(box && !box->isVisible());
        delete parent;
        QVERIFY(!box);
    }
};

QTEST_MAIN(TestGuiHelper)
#include "tst_guihelper.moc"

// Not covered: toggled and index signals while restoring, no click from an uncheckable group box;
// the values on disk (a check state as a number, item data rather than the index, the cell type),
// the texts and icon handed to the boxes; the Windows registry as native store; an INI path that
// cannot be used (QSettings' own failure, and a garbage file that it parses); group names (letter
// case, nesting); a stored cell type that no longer fits the cell; a flagged table whose name needs
// escaping or that has no name (saved, not restored); makeLabelBold (a one-line font change),
// setComboboxValue (a loop over the item data); the modal box without a parent; a file cut off
// inside a key and a number beyond a spin box's range (QSettings' and QSpinBox's own handling).
