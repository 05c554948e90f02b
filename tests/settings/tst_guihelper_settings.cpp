#include <ZezuzuDOD/guihelper.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

// The library knows the hex editor only by this class name and its "data" property.
class QHexEdit : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QByteArray data READ data WRITE setData)
public:
    using QWidget::QWidget;
    QByteArray data() const { return m_data; }
    void setData(const QByteArray &data) { m_data = data; }

private:
    QByteArray m_data;
};

namespace {

QString qs(const char *text)
{
    return QString::fromUtf8(text);
}

template<class W>
W *named(const char *name, QLayout *layout)
{
    auto *w = new W;
    w->setObjectName(qs(name));
    layout->addWidget(w);
    return w;
}

QComboBox *combo(const char *name, QLayout *layout, bool withData)
{
    auto *c = named<QComboBox>(name, layout);
    for (int kbit : {10, 125, 1000})
        c->addItem(QString::number(kbit), withData ? QVariant(kbit) : QVariant());
    return c;
}

// A dialog with every kind, nested in group boxes, tabs and a scroll area, plus the widgets that
// must be left alone.
struct Form
{
    QDialog dialog;
    QGroupBox *grpOptions, *grpPlain;
    QLineEdit *edtName, *edtReadOnly, *edtExcluded, *edtInPlain;
    QCheckBox *chkTristate;
    QRadioButton *rdoA, *rdoB;
    QSpinBox *spnCount;
    QDoubleSpinBox *dblGain;
    QComboBox *cmbPlain, *cmbData, *cmbEditable;
    QHexEdit *hexData;
    QPlainTextEdit *txtNotes;
    QTableWidget *tblCells;

    Form()
    {
        auto *top = new QVBoxLayout(&dialog);
        grpOptions = named<QGroupBox>("grpOptions", top);
        grpOptions->setCheckable(true);
        auto *options = new QVBoxLayout(grpOptions);
        edtName = named<QLineEdit>("edtName", options);
        chkTristate = named<QCheckBox>("chkTristate", options);
        chkTristate->setTristate(true);
        spnCount = named<QSpinBox>("spnCount", options);
        auto *tabs = named<QTabWidget>("tabs", top);
        auto *page = new QWidget;
        auto *pageLayout = new QVBoxLayout(page);
        rdoA = named<QRadioButton>("rdoA", pageLayout);
        rdoB = named<QRadioButton>("rdoB", pageLayout);
        cmbPlain = combo("cmbPlain", pageLayout, false);
        cmbData = combo("cmbData", pageLayout, true);
        tabs->addTab(page, qs("One"));
        auto *scroll = new QScrollArea;
        auto *inner = new QWidget;
        auto *innerLayout = new QVBoxLayout(inner);
        txtNotes = named<QPlainTextEdit>("txtNotes", innerLayout);
        hexData = named<QHexEdit>("hexData", innerLayout);
        cmbEditable = combo("cmbEditable", innerLayout, false);
        cmbEditable->setEditable(true);
        cmbEditable->lineEdit()->setObjectName(qs("edtInsideCombo"));
        dblGain = named<QDoubleSpinBox>("dblGain", innerLayout);
        edtReadOnly = named<QLineEdit>("edtReadOnly", innerLayout);
        edtReadOnly->setReadOnly(true);
        edtExcluded = named<QLineEdit>("edtExcluded", innerLayout);
        edtExcluded->setProperty("ExcludeSaving", false);
        grpPlain = named<QGroupBox>("grpPlain", innerLayout);
        edtInPlain = named<QLineEdit>("edtInPlain", new QVBoxLayout(grpPlain));
        tblCells = named<QTableWidget>("tblCells", innerLayout);
        tblCells->setProperty("SaveTable", QString());
        tblCells->setRowCount(2);
        tblCells->setColumnCount(3);
        for (int row = 0; row < 2; ++row) {
            tblCells->setItem(row, 0, new QTableWidgetItem);
            tblCells->setCellWidget(row, 1, new QLineEdit);
        }
        // A cell widget of another class hides the item below it; (1, 2) stays empty.
        tblCells->setItem(0, 2, new QTableWidgetItem(qs("under box")));
        tblCells->setCellWidget(0, 2, new QCheckBox);
        scroll->setWidget(inner);
        tabs->addTab(scroll, qs("Two"));
        fill(0);
    }

    QLineEdit *cellEdit(int row) const
    {
        return qobject_cast<QLineEdit *>(tblCells->cellWidget(row, 1));
    }

    // Sets every widget, those that must be left alone included, to one of two distinct states.
    void fill(int n)
    {
        const QString tag = QString::number(n);
        grpOptions->setChecked(n == 0);
        grpPlain->setTitle(tag);
        edtName->setText(qs("name ") + tag);
        edtReadOnly->setText(qs("read only ") + tag);
        edtExcluded->setText(qs("excluded ") + tag);
        edtInPlain->setText(qs("in plain box ") + tag);
        chkTristate->setCheckState(n == 0 ? Qt::PartiallyChecked : Qt::Unchecked);
        (n == 0 ? rdoA : rdoB)->setChecked(true);
        spnCount->setValue(n == 0 ? 42 : 7);
        dblGain->setValue(n == 0 ? 1.5 : 2.5);
        cmbPlain->setCurrentIndex(n == 0 ? 2 : 0);
        cmbData->setCurrentIndex(n == 0 ? 1 : 2);
        cmbEditable->setEditText(qs("typed ") + tag);
        hexData->setData(n == 0 ? QByteArray("\x00\xff\x10", 3) : QByteArray("zz"));
        txtNotes->setPlainText(qs("line 1\nline 2 ") + tag);
        for (int row = 0; row < 2; ++row) {
            tblCells->item(row, 0)->setText(qs("item %1 %2").arg(row).arg(tag));
            cellEdit(row)->setText(qs("edit %1 %2").arg(row).arg(tag));
        }
        tblCells->item(0, 2)->setText(qs("under box ") + tag);
    }

    // The state that a restore brings back.
    QStringList saved() const
    {
        return {edtName->text(),
                QString::number(chkTristate->checkState()),
                QString::number(rdoA->isChecked()),
                QString::number(rdoB->isChecked()),
                QString::number(spnCount->value()),
                cmbPlain->currentText(),
                cmbData->currentText(),
                cmbEditable->currentText(),
                QString::fromLatin1(hexData->data().toHex()),
                txtNotes->toPlainText(),
                QString::number(grpOptions->isChecked()),
                edtInPlain->text(),
                tblCells->item(0, 0)->text(),
                tblCells->item(1, 0)->text(),
                cellEdit(0)->text(),
                cellEdit(1)->text()};
    }
    // The state that a restore leaves alone.
    QStringList leftAlone() const
    {
        return {edtReadOnly->text(), edtExcluded->text(), QString::number(dblGain->value()),
                tblCells->item(0, 2)->text()};
    }
};

} // namespace

enum class StoreKind { Ini, Given, Native };
Q_DECLARE_METATYPE(StoreKind)

class TestGuiHelperSettings : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString iniPath(const char *name) const { return m_dir.filePath(qs(name)); }
    QSettings *nativeStore() const;

private slots:
    void initTestCase();
    void roundTrip_data();
    void roundTrip();
    void participation();
    void groupLookup_data();
    void groupLookup();
    void restoreSignals();
    void tableShape_data();
    void tableShape();
    void unnamedTable();
    void badFile_data();
    void badFile();
    void unusablePath_data();
    void unusablePath();
    void specialNames_data();
    void specialNames();
    void singleSettings();
};

void TestGuiHelperSettings::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(qs("Zezuzu Test"));
    qApp->setProperty("AppNameWithVersion", qs("Settings Test 1.0"));
    QVERIFY(m_dir.isValid());
}

QSettings *TestGuiHelperSettings::nativeStore() const
{
    return new QSettings(QCoreApplication::organizationName(), qs("Settings Test 1.0"));
}

void TestGuiHelperSettings::roundTrip_data()
{
    QTest::addColumn<StoreKind>("kind");
    QTest::newRow("INI file named by path") << StoreKind::Ini;
    QTest::newRow("store passed in stays at the caller's group") << StoreKind::Given;
    QTest::newRow("native store of organisation and AppNameWithVersion") << StoreKind::Native;
}

void TestGuiHelperSettings::roundTrip()
{
    QFETCH(StoreKind, kind);
    const QString ini = kind == StoreKind::Ini ? iniPath("roundtrip.ini") : QString();
    QSettings given(iniPath("given.ini"), QSettings::IniFormat);
    given.beginGroup(qs("Caller"));
    QSettings *store = kind == StoreKind::Given ? &given : nullptr;

    Form form;
    const QStringList saved = form.saved();
    GuiHelper::saveSettings(&form.dialog, qs("Dlg"), ini, store);
    QCOMPARE(given.group(), qs("Caller"));
    // The data reached its file, not just a cache of this process.
    std::unique_ptr<QSettings> native(nativeStore());
    const QString file = kind == StoreKind::Ini     ? ini
                         : kind == StoreKind::Given ? given.fileName()
                                                    : native->fileName();
    if (kind == StoreKind::Native) {
        QVERIFY(file.startsWith(
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)));
        QVERIFY(file.endsWith(qs(".conf")));
    }
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains("edtName=name 0"));

    form.fill(1);
    const QStringList changed = form.saved();
    const QStringList alone = form.leftAlone();
    for (int i = 0; i < saved.size(); ++i)
        QVERIFY2(changed.at(i) != saved.at(i), qPrintable(saved.at(i)));

    QVERIFY(GuiHelper::restoreSettings(&form.dialog, qs("Dlg"), ini, store));
    QCOMPARE(form.saved(), saved);
    QCOMPARE(form.leftAlone(), alone);
    QCOMPARE(given.group(), qs("Caller"));
}

void TestGuiHelperSettings::participation()
{
    Form form;
    // Two kinds under one name share the key; the kind that comes later in the walk wins.
    auto *sharedEdit = new QLineEdit(qs("text"), &form.dialog);
    auto *sharedSpin = new QSpinBox(&form.dialog);
    sharedEdit->setObjectName(qs("shared"));
    sharedSpin->setObjectName(qs("shared"));
    sharedSpin->setValue(5);
    const QString ini = iniPath("layout.ini");
    GuiHelper::saveSettings(&form.dialog, qs("Dlg"), ini);
    QSettings s(ini, QSettings::IniFormat);
    s.beginGroup(qs("Dlg"));
    QStringList keys = s.childKeys();
    keys.sort();
    // No key for read-only, excluded, double spin box, plain group box, inner line edits, or
    // the text of a combo box whose item has data.
    QCOMPARE(keys,
             QStringList({qs("chkTristate"), qs("cmbData_data"), qs("cmbEditable"), qs("cmbPlain"),
                          qs("edtInPlain"), qs("edtName"), qs("grpOptions"), qs("hexData"),
                          qs("rdoA"), qs("rdoB"), qs("shared"), qs("spnCount"), qs("txtNotes")}));
    QCOMPARE(s.value(qs("shared")).toInt(), 5);
    QCOMPARE(s.value(qs("chkTristate")).toString(), qs("1"));
    QCOMPARE(s.value(qs("rdoA")).toString(), qs("true"));
    QCOMPARE(s.value(qs("cmbData_data")).toString(), qs("125"));
    QCOMPARE(s.value(qs("hexData")).toByteArray(), QByteArray("\x00\xff\x10", 3));
    QCOMPARE(s.childGroups(), QStringList(qs("tblCells")));
    QCOMPARE(s.value(qs("tblCells/0/0/Type")).toInt(), 0);
    QCOMPARE(s.value(qs("tblCells/1/1/Type")).toInt(), 1);
    QCOMPARE(s.value(qs("tblCells/1/1/Value")).toString(), qs("edit 1 0"));
    QVERIFY(!s.contains(qs("tblCells/0/2/Type"))); // the check box hides its item
    QVERIFY(!s.contains(qs("tblCells/1/2/Type"))); // empty cell

    // Keys that carry the names of widgets that do not take part are not applied either.
    for (const char *key : {"edtReadOnly", "edtExcluded", "dblGain", "edtInsideCombo",
                            "qt_spinbox_lineedit", "grpPlain"})
        s.setValue(qs(key), qs("0"));
    s.setValue(qs("cmbPlain_data"), 125); // a combo box without data matches no item
    s.sync();
    const QStringList alone = form.leftAlone();
    const QString count = form.spnCount->text();
    const QString editable = form.cmbEditable->currentText();
    QVERIFY(GuiHelper::restoreSettings(&form.dialog, qs("Dlg"), ini));
    QCOMPARE(form.leftAlone(), alone);
    QCOMPARE(form.spnCount->text(), count);
    QCOMPARE(form.cmbEditable->currentText(), editable);
    QCOMPARE(form.cmbPlain->currentIndex(), -1);
    QCOMPARE(sharedEdit->text(), qs("5"));
}

void TestGuiHelperSettings::groupLookup_data()
{
    QTest::addColumn<QString>("savedGroup");
    QTest::addColumn<QString>("restoredGroup");
    QTest::addColumn<bool>("found");
    QTest::newRow("same name") << qs("Dlg") << qs("Dlg") << true;
    QTest::newRow("letter case differs: not found") << qs("Dlg") << qs("dlg") << false;
    QTest::newRow("unknown group") << qs("Dlg") << qs("Other") << false;
    QTest::newRow("nested group path") << qs("Tool/Dlg") << qs("Tool/Dlg") << true;
    QTest::newRow("nested, inner case differs") << qs("Tool/Dlg") << qs("Tool/DLG") << false;
    QTest::newRow("only the outer level exists") << qs("Tool/Dlg") << qs("Tool") << true;
    QTest::newRow("empty group name") << QString() << QString() << false;
}

void TestGuiHelperSettings::groupLookup()
{
    QFETCH(QString, savedGroup);
    QFETCH(QString, restoredGroup);
    QFETCH(bool, found);
    QSettings s(iniPath("groups.ini"), QSettings::IniFormat);
    s.clear();
    s.beginGroup(qs("Caller"));
    Form form;
    GuiHelper::saveSettings(&form.dialog, savedGroup, QString(), &s);
    form.fill(1);
    const QStringList changed = form.saved();
    QCOMPARE(GuiHelper::restoreSettings(&form.dialog, restoredGroup, QString(), &s), found);
    QCOMPARE(s.group(), qs("Caller"));
    if (!found || restoredGroup != savedGroup)
        QCOMPARE(form.saved(), changed);
}

void TestGuiHelperSettings::restoreSignals()
{
    Form form;
    const QString ini = iniPath("signals.ini");
    GuiHelper::saveSettings(&form.dialog, qs("Dlg"), ini);
    QSignalSpy clicked(form.grpOptions, &QGroupBox::clicked);
    QSignalSpy plainClicked(form.grpPlain, &QGroupBox::clicked);
    QSignalSpy toggled(form.grpOptions, &QGroupBox::toggled);
    QSignalSpy text(form.edtName, &QLineEdit::textChanged);
    QSignalSpy index(form.cmbData, qOverload<int>(&QComboBox::currentIndexChanged));
    QSignalSpy state(form.chkTristate, &QCheckBox::stateChanged);
    const auto changes = [&] {
        return QList<int>{toggled.count(), text.count(), index.count(), state.count()};
    };

    // Unchanged state: the click handler still runs once, nothing else fires.
    QVERIFY(GuiHelper::restoreSettings(&form.dialog, qs("Dlg"), ini));
    QCOMPARE(clicked.takeFirst(), QVariantList{true});
    QCOMPARE(changes(), QList<int>({0, 0, 0, 0}));

    form.fill(1);
    for (QSignalSpy *spy : {&toggled, &text, &index, &state})
        spy->clear();
    QVERIFY(GuiHelper::restoreSettings(&form.dialog, qs("Dlg"), ini));
    QCOMPARE(clicked.takeFirst(), QVariantList{true});
    QVERIFY(clicked.isEmpty());
    QCOMPARE(changes(), QList<int>({1, 1, 1, 1}));
    QCOMPARE(plainClicked.count(), 0);
}

void TestGuiHelperSettings::tableShape_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::newRow("same shape") << 3 << 3;
    QTest::newRow("table shrank: extra stored cells ignored") << 2 << 1;
    QTest::newRow("table grew: new cells keep their text") << 5 << 4;
}

void TestGuiHelperSettings::tableShape()
{
    QFETCH(int, rows);
    QFETCH(int, columns);
    QTableWidget source;
    source.setObjectName(qs("tbl"));
    source.setRowCount(3);
    source.setColumnCount(3);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            source.setItem(r, c, new QTableWidgetItem(qs("s%1%2").arg(r).arg(c)));
    }
    source.setCellWidget(1, 1, new QLineEdit(qs("s11")));
    QSettings s(iniPath("table.ini"), QSettings::IniFormat);
    s.clear();
    GuiHelper::saveTable(&source, s);

    // (0, 0) became a line edit and (1, 0) a check box: their stored type does not fit.
    QTableWidget target(rows, columns);
    target.setObjectName(qs("tbl"));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (r != 2 || c != 0)
                target.setItem(r, c, new QTableWidgetItem(qs("old")));
        }
    }
    target.setCellWidget(0, 0, new QLineEdit(qs("old")));
    target.setCellWidget(1, 0, new QCheckBox);
    if (columns > 1)
        target.setCellWidget(1, 1, new QLineEdit(qs("old")));
    GuiHelper::restoreTable(&target, s);

    const auto text = [&target](int r, int c) {
        if (const auto *edit = qobject_cast<QLineEdit *>(target.cellWidget(r, c)))
            return edit->text();
        return target.item(r, c) ? target.item(r, c)->text() : QString();
    };
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const bool stored = r < 3 && c < 3 && r + c > 0 && (r != 1 || c != 0);
            const QString expected = r == 2 && c == 0 ? QString()
                                     : stored         ? qs("s%1%2").arg(r).arg(c)
                                                      : qs("old");
            QCOMPARE(text(r, c), expected);
        }
    }
    QVERIFY(!target.item(2, 0)); // no items are created
    QCOMPARE(target.rowCount(), rows);
}

void TestGuiHelperSettings::unnamedTable()
{
    QDialog dialog;
    auto *layout = new QVBoxLayout(&dialog);
    auto *unnamed = new QTableWidget(2, 1);
    unnamed->setProperty("SaveTable", 0);
    auto *unflagged = named<QTableWidget>("unflagged", layout);
    unflagged->setRowCount(1);
    unflagged->setColumnCount(1);
    layout->addWidget(unnamed);
    for (QTableWidget *t : {unnamed, unflagged}) {
        for (int r = 0; r < t->rowCount(); ++r)
            t->setItem(r, 0, new QTableWidgetItem(qs("saved")));
    }
    const QString ini = iniPath("unnamed.ini");
    GuiHelper::saveSettings(&dialog, qs("Dlg"), ini);
    {
        QSettings s(ini, QSettings::IniFormat);
        s.beginGroup(qs("Dlg"));
        QCOMPARE(s.childGroups(), QStringList({qs("0"), qs("1")}));
        QCOMPARE(s.value(qs("1/0/Value")).toString(), qs("saved"));
    }
    unnamed->item(1, 0)->setText(qs("changed"));
    QVERIFY(GuiHelper::restoreSettings(&dialog, qs("Dlg"), ini));
    QCOMPARE(unnamed->item(1, 0)->text(), qs("changed"));
}

void TestGuiHelperSettings::badFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("checkState");
    QTest::addColumn<int>("dataIndex");
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += char((i * 7919) >> 3);
    QTest::newRow("garbage bytes") << garbage << false << qs("name 0") << 42 << 1 << 1;
    QTest::newRow("truncated in a key") << QByteArray("[Dlg]\nedtName=kept\nspnCount=7\nchkTri")
                                        << true << qs("kept") << 7 << 1 << 1;
    QTest::newRow("truncated in a group name")
        << QByteArray("[Dlg]\nspnCount=8\n[Dl") << true << qs("name 0") << 8 << 1 << 1;
    QTest::newRow("text where numbers are expected")
        << QByteArray("[Dlg]\nspnCount=abc\nchkTristate=x\ncmbData_data=zzz\n") << true
        << qs("name 0") << 0 << 0 << -1;
    QTest::newRow("list where a text is expected")
        << QByteArray("[Dlg]\nedtName=a, b\nspnCount=1, 2\n") << true << QString() << 0 << 1 << 1;
    QTest::newRow("check state beyond Checked, number beyond range")
        << QByteArray("[Dlg]\nchkTristate=7\nspnCount=100000\n") << true << qs("name 0") << 99 << 1
        << 1;
    QTest::newRow("broken variant encodings")
        << QByteArray("[Dlg]\nedtName=@Variant(\\0\\0\\0\\x7f\\xff)\ncmbData_data=@Invalid()\n"
                      "hexData=@ByteArray(\nspnCount=@Rect(1 2)\n")
        << true << QString() << 0 << 1 << 1;
}

void TestGuiHelperSettings::badFile()
{
    QFETCH(QByteArray, content);
    const QString ini = iniPath("bad.ini");
    {
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }
    Form form;
    QTEST(GuiHelper::restoreSettings(&form.dialog, qs("Dlg"), ini), "found");
    QTEST(form.edtName->text(), "name");
    QTEST(form.spnCount->value(), "count");
    QTEST(int(form.chkTristate->checkState()), "checkState");
    QTEST(form.cmbData->currentIndex(), "dataIndex");
    QFile f(ini);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), content); // restoring never writes
}

void TestGuiHelperSettings::unusablePath_data()
{
    QTest::addColumn<QString>("ini");
    QFile blocker(iniPath("plainfile"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    QDir(m_dir.path()).mkpath(qs("folder.ini"));
    QTest::newRow("folder is a regular file") << iniPath("plainfile/settings.ini");
    QTest::newRow("a folder where the file should be") << iniPath("folder.ini");
}

void TestGuiHelperSettings::unusablePath()
{
    QFETCH(QString, ini);
    Form form;
    GuiHelper::saveSettings(&form.dialog, qs("Dlg"), ini);
    GuiHelper::saveSetting(qs("Dlg"), qs("edtName"), qs("single"), ini);
    form.fill(1);
    const QStringList changed = form.saved();
    QVERIFY(!GuiHelper::restoreSettings(&form.dialog, qs("Dlg"), ini));
    QCOMPARE(form.saved(), changed);
    QVERIFY(!GuiHelper::restoreSetting(qs("Dlg"), qs("edtName"), ini).isValid());
}

void TestGuiHelperSettings::specialNames_data()
{
    QTest::addColumn<bool>("native");
    QTest::newRow("INI file") << false;
    QTest::newRow("native store") << true;
}

void TestGuiHelperSettings::specialNames()
{
    QFETCH(bool, native);
    const QString ini = native ? QString() : iniPath("names.ini");
    // Names that the store reads as paths, that collide once separators are folded, or that
    // need escaping in a file; each must come back to its own widget.
    const QStringList names
        = {qs("a/b"),         qs("a//b"),     qs("/lead"), qs("lead"), qs("trail/"),
           qs("back\\slash"), qs("/"),        qs("\\"),    qs("50%"),  qs("a%2Fb"),
           qs("with space"),  qs("ümlaut €"), qs("t/1")};
    QDialog dialog;
    auto *layout = new QVBoxLayout(&dialog);
    QList<QLineEdit *> edits;
    for (const QString &name : names) {
        edits << new QLineEdit(name);
        edits.last()->setObjectName(name);
        layout->addWidget(edits.last());
    }
    auto *table = new QTableWidget(1, 1);
    table->setObjectName(qs("t/1"));
    table->setProperty("SaveTable", true);
    table->setItem(0, 0, new QTableWidgetItem(qs("cell")));
    layout->addWidget(table);

    GuiHelper::saveSettings(&dialog, qs("Names"), ini);
    for (QLineEdit *e : qAsConst(edits))
        e->clear();
    table->item(0, 0)->setText(qs("changed"));
    QVERIFY(GuiHelper::restoreSettings(&dialog, qs("Names"), ini));
    for (QLineEdit *e : qAsConst(edits))
        QCOMPARE(e->text(), e->objectName());
    QCOMPARE(table->item(0, 0)->text(), qs("cell"));

    // A single value saved under a widget's name is the one that widget gets.
    for (QLineEdit *e : qAsConst(edits)) {
        QCOMPARE(GuiHelper::restoreSetting(qs("Names"), e->objectName(), ini).toString(),
                 e->objectName());
        GuiHelper::saveSetting(qs("Names"), e->objectName(), QString(e->objectName() + qs("!")),
                               ini);
    }
    QVERIFY(GuiHelper::restoreSettings(&dialog, qs("Names"), ini));
    for (QLineEdit *e : qAsConst(edits))
        QCOMPARE(e->text(), e->objectName() + qs("!"));

    // Names without separators keep their plain keys.
    std::unique_ptr<QSettings> s(native ? nativeStore() : new QSettings(ini, QSettings::IniFormat));
    s->beginGroup(qs("Names"));
    const QStringList keys = s->childKeys();
    for (const char *plain : {"lead", "50%", "with space", "ümlaut €"})
        QVERIFY2(keys.contains(qs(plain)), plain);
}

void TestGuiHelperSettings::singleSettings()
{
    QSettings s(iniPath("single.ini"), QSettings::IniFormat);
    s.beginGroup(qs("Caller"));
    GuiHelper::saveSetting(qs("Grp"), qs("key"), 5, QString(), &s);
    QCOMPARE(s.group(), qs("Caller"));
    QCOMPARE(s.value(qs("Grp/key")).toInt(), 5);
    QVERIFY(!QFile::exists(s.fileName())); // a store passed in is not synced
    QCOMPARE(GuiHelper::restoreSetting(qs("Grp"), qs("key"), QString(), &s).toInt(), 5);
    QCOMPARE(s.group(), qs("Caller"));

    // Without a store the value is on disk when the call returns.
    GuiHelper::saveSetting(qs("Grp"), qs("key"), qs("native"));
    std::unique_ptr<QSettings> native(nativeStore());
    QFile f(native->fileName());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains("key=native"));
    QCOMPARE(GuiHelper::restoreSetting(qs("Grp"), qs("key")).toString(), qs("native"));

    const QVariant never = GuiHelper::restoreSetting(qs("Grp"), qs("never written"));
    QVERIFY(!never.isValid());
    QVERIFY(!GuiHelper::restoreSetting(qs("No group"), qs("key")).isValid());
}

QTEST_MAIN(TestGuiHelperSettings)
#include "tst_guihelper_settings.moc"

// Not covered: the Windows registry as native store; a QDoubleSpinBox (left alone by design).
