#include "guihelper.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextDocument>

#include <memory>

namespace {

const char excludeSavingProperty[] = "ExcludeSaving";
const char saveTableProperty[] = "SaveTable";
const char hexEditClass[] = "QHexEdit";
const char hexEditData[] = "data";

// Deletes the store only when the call created it; destroying a QSettings writes it out, so
// every way out of a function that made its own store leaves the file up to date.
struct StoreDeleter
{
    bool owned;
    void operator()(QSettings *settings) const
    {
        if (owned)
            delete settings;
    }
};
using Store = std::unique_ptr<QSettings, StoreDeleter>;

Store openStore(const QString &iniFile, QSettings *settings)
{
    if (settings)
        return Store(settings, StoreDeleter{false});
    if (!iniFile.isEmpty())
        return Store(new QSettings(iniFile, QSettings::IniFormat), StoreDeleter{true});
    const QCoreApplication *app = QCoreApplication::instance();
    const QString appName = app ? app->property("AppNameWithVersion").toString() : QString();
    return Store(new QSettings(QCoreApplication::organizationName(), appName), StoreDeleter{true});
}

// QSettings reads "/" as a group separator (dropping leading, trailing and doubled ones), so a
// name holding one would land in a different group or collide with another name. Such names
// are percent-encoded; names that merely contain "%" stay as they are unless they hold one of
// the three escape texts, which keeps the mapping one-to-one and plain names untouched.
QString settingsKey(const QString &name)
{
    bool percent = false;
    bool separator = false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\'))
            separator = true;
        else if (c == QLatin1Char('%'))
            percent = true;
    }
    if (!separator
        && (!percent
            || (!name.contains(QLatin1String("%25")) && !name.contains(QLatin1String("%2F"))
                && !name.contains(QLatin1String("%5C")))))
        return name;
    QString key;
    key.reserve(name.size() + 8);
    for (const QChar c : name) {
        if (c == QLatin1Char('%'))
            key += QLatin1String("%25");
        else if (c == QLatin1Char('/'))
            key += QLatin1String("%2F");
        else if (c == QLatin1Char('\\'))
            key += QLatin1String("%5C");
        else
            key += c;
    }
    return key;
}

bool takesPart(const QWidget *widget)
{
    return !widget->property(excludeSavingProperty).isValid() && !widget->objectName().isEmpty();
}

bool takesPart(const QLineEdit *edit)
{
    const QObject *parent = edit->parent();
    return takesPart(static_cast<const QWidget *>(edit)) && !edit->isReadOnly()
           && !qobject_cast<const QAbstractSpinBox *>(parent)
           && !qobject_cast<const QComboBox *>(parent);
}

bool takesPart(const QGroupBox *box)
{
    return box->isCheckable() && takesPart(static_cast<const QWidget *>(box));
}

// The widgets of the nine kinds, gathered before any value is read or written, so that widgets
// which the change handlers run by a restore create are not visited half-way.
struct Widgets
{
    // One walk gives the same order as one recursive findChildren() per kind would: each list
    // holds its kind in pre-order. The hex editor is not linked; its class name identifies it.
    explicit Widgets(const QWidget *root)
    {
        const QList<QWidget *> all = root->findChildren<QWidget *>();
        for (QWidget *w : all) {
            if (auto *e = qobject_cast<QLineEdit *>(w))
                lineEdits.append(e);
            else if (auto *c = qobject_cast<QCheckBox *>(w))
                checkBoxes.append(c);
            else if (auto *r = qobject_cast<QRadioButton *>(w))
                radioButtons.append(r);
            else if (auto *b = qobject_cast<QSpinBox *>(w))
                spinBoxes.append(b);
            else if (auto *c = qobject_cast<QComboBox *>(w))
                comboBoxes.append(c);
            else if (auto *p = qobject_cast<QPlainTextEdit *>(w))
                plainTextEdits.append(p);
            else if (auto *g = qobject_cast<QGroupBox *>(w))
                groupBoxes.append(g);
            else if (auto *t = qobject_cast<QTableWidget *>(w))
                tables.append(t);
            // A hex editor may derive from any of the kinds above and then sits in both lists.
            if (w->qt_metacast(hexEditClass))
                hexEdits.append(w);
        }
    }

    QList<QLineEdit *> lineEdits;
    QList<QCheckBox *> checkBoxes;
    QList<QRadioButton *> radioButtons;
    QList<QSpinBox *> spinBoxes;
    QList<QComboBox *> comboBoxes;
    QList<QWidget *> hexEdits;
    QList<QPlainTextEdit *> plainTextEdits;
    QList<QGroupBox *> groupBoxes;
    QList<QTableWidget *> tables;
};

QString dataKey(const QString &key)
{
    return key + QLatin1String("_data");
}

// Enters the group one level at a time, each level only if the store lists it with exactly that
// letter case (the Windows registry would match any case). Returns the number of levels entered,
// or -1, having left them again, when a level is missing.
int enterExistingGroup(QSettings &settings, const QString &group)
{
    const QStringList levels = group.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (levels.isEmpty())
        return -1;
    int entered = 0;
    for (const QString &level : levels) {
        if (!settings.childGroups().contains(level, Qt::CaseSensitive)) {
            for (; entered > 0; --entered)
                settings.endGroup();
            return -1;
        }
        settings.beginGroup(level);
        ++entered;
    }
    return entered;
}

} // namespace

GuiHelper::GuiHelper() = default;

void GuiHelper::saveSettings(QWidget *widget, const QString &group, const QString &iniFile,
                             QSettings *settings)
{
    if (!widget)
        return;
    const Store store = openStore(iniFile, settings);
    QSettings &s = *store;
    s.beginGroup(group);
    const Widgets w(widget);

    for (const QLineEdit *e : w.lineEdits) {
        if (takesPart(e))
            s.setValue(settingsKey(e->objectName()), e->text());
    }
    for (const QCheckBox *c : w.checkBoxes) {
        if (takesPart(c))
            s.setValue(settingsKey(c->objectName()), int(c->checkState()));
    }
    for (const QRadioButton *r : w.radioButtons) {
        if (takesPart(r))
            s.setValue(settingsKey(r->objectName()), r->isChecked());
    }
    for (const QSpinBox *b : w.spinBoxes) {
        if (takesPart(b))
            s.setValue(settingsKey(b->objectName()), b->value());
    }
    for (const QComboBox *c : w.comboBoxes) {
        if (!takesPart(c))
            continue;
        const QVariant data = c->currentData(Qt::UserRole);
        if (data.isValid())
            s.setValue(dataKey(settingsKey(c->objectName())), data);
        else
            s.setValue(settingsKey(c->objectName()), c->currentText());
    }
    for (const QWidget *h : w.hexEdits) {
        if (takesPart(h))
            s.setValue(settingsKey(h->objectName()), h->property(hexEditData));
    }
    for (const QPlainTextEdit *p : w.plainTextEdits) {
        if (takesPart(p))
            s.setValue(settingsKey(p->objectName()), p->document()->toPlainText());
    }
    for (const QGroupBox *g : w.groupBoxes) {
        if (takesPart(g))
            s.setValue(settingsKey(g->objectName()), g->isChecked());
    }
    // A flagged table without object name is still written: its rows then sit directly in the
    // group, where restoreTable() cannot find them again.
    for (QTableWidget *t : w.tables) {
        if (t->property(saveTableProperty).isValid())
            saveTable(t, s);
    }

    s.sync();
    s.endGroup();
}

bool GuiHelper::restoreSettings(QWidget *widget, const QString &group, const QString &iniFile,
                                QSettings *settings)
{
    if (!widget)
        return false;
    const Store store = openStore(iniFile, settings);
    QSettings &s = *store;
    const int levels = enterExistingGroup(s, group);
    if (levels < 0)
        return false;
    const Widgets w(widget);

    for (QLineEdit *e : w.lineEdits) {
        if (takesPart(e))
            e->setText(s.value(settingsKey(e->objectName()), e->text()).toString());
    }
    for (QCheckBox *c : w.checkBoxes) {
        if (!takesPart(c))
            continue;
        const uint state = s.value(settingsKey(c->objectName()), int(c->checkState())).toUInt();
        // A number beyond the three states is no state at all; casting it would be undefined.
        if (state <= Qt::Checked)
            c->setCheckState(Qt::CheckState(state));
    }
    for (QRadioButton *r : w.radioButtons) {
        if (takesPart(r))
            r->setChecked(s.value(settingsKey(r->objectName()), r->isChecked()).toBool());
    }
    for (QSpinBox *b : w.spinBoxes) {
        if (takesPart(b))
            b->setValue(s.value(settingsKey(b->objectName()), b->value()).toInt());
    }
    for (QComboBox *c : w.comboBoxes) {
        if (!takesPart(c))
            continue;
        const QString key = settingsKey(c->objectName());
        const QVariant data = s.value(dataKey(key));
        if (data.isValid())
            c->setCurrentIndex(
                c->findData(data, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive));
        else
            c->setCurrentText(s.value(key, c->currentText()).toString());
    }
    for (QWidget *h : w.hexEdits) {
        if (takesPart(h))
            h->setProperty(
                hexEditData,
                QVariant(
                    s.value(settingsKey(h->objectName()), h->property(hexEditData)).toByteArray()));
    }
    for (QPlainTextEdit *p : w.plainTextEdits) {
        if (takesPart(p))
            p->setPlainText(
                s.value(settingsKey(p->objectName()), p->document()->toPlainText()).toString());
    }
    for (QGroupBox *g : w.groupBoxes) {
        if (!takesPart(g))
            continue;
        g->setChecked(s.value(settingsKey(g->objectName()), g->isChecked()).toBool());
        // setChecked() only reports a change through toggled(); tools hang their logic on the
        // click, which must run also when the restored state equals the current one.
        emit g->clicked(g->isChecked());
    }
    for (QTableWidget *t : w.tables) {
        if (t->property(saveTableProperty).isValid() && !t->objectName().isEmpty())
            restoreTable(t, s);
    }

    for (int i = 0; i < levels; ++i)
        s.endGroup();
    return true;
}

void GuiHelper::saveTable(QTableWidget *table, QSettings &settings)
{
    settings.beginGroup(settingsKey(table->objectName()));
    const int rows = table->rowCount();
    const int columns = table->columnCount();
    for (int row = 0; row < rows; ++row) {
        settings.beginGroup(QString::number(row));
        for (int column = 0; column < columns; ++column) {
            settings.beginGroup(QString::number(column));
            if (const QWidget *cell = table->cellWidget(row, column)) {
                if (const auto *edit = qobject_cast<const QLineEdit *>(cell)) {
                    settings.setValue(QStringLiteral("Type"), 1);
                    settings.setValue(QStringLiteral("Value"), edit->text());
                }
            } else if (const QTableWidgetItem *item = table->item(row, column)) {
                settings.setValue(QStringLiteral("Type"), 0);
                settings.setValue(QStringLiteral("Value"), item->data(Qt::DisplayRole).toString());
            }
            settings.endGroup();
        }
        settings.endGroup();
    }
    settings.sync();
    settings.endGroup();
}

void GuiHelper::restoreTable(QTableWidget *table, QSettings &settings)
{
    const QString name = settingsKey(table->objectName());
    if (!settings.childGroups().contains(name, Qt::CaseSensitive))
        return;
    settings.beginGroup(name);
    const QString typeKey = QStringLiteral("Type");
    const QString valueKey = QStringLiteral("Value");
    const QVariant missing(100);
    const QVariant itemType(0);
    const QVariant editType(1);
    const int rows = table->rowCount();
    const int columns = table->columnCount();
    for (int row = 0; row < rows; ++row) {
        settings.beginGroup(QString::number(row));
        for (int column = 0; column < columns; ++column) {
            settings.beginGroup(QString::number(column));
            if (QWidget *cell = table->cellWidget(row, column)) {
                auto *edit = qobject_cast<QLineEdit *>(cell);
                if (edit && settings.value(typeKey, missing) == editType)
                    edit->setText(settings.value(valueKey, QString()).toString());
            } else if (QTableWidgetItem *item = table->item(row, column)) {
                if (settings.value(typeKey, missing) == itemType)
                    item->setData(Qt::DisplayRole, settings.value(valueKey, QString()).toString());
            }
            settings.endGroup();
        }
        settings.endGroup();
    }
    settings.sync();
    settings.endGroup();
}

void GuiHelper::saveSetting(const QString &group, const QString &key, const QVariant &value,
                            const QString &iniFile, QSettings *settings)
{
    const Store store = openStore(iniFile, settings);
    store->beginGroup(group);
    store->setValue(key, value);
    store->endGroup();
}

QVariant GuiHelper::restoreSetting(const QString &group, const QString &key, const QString &iniFile,
                                   QSettings *settings)
{
    const Store store = openStore(iniFile, settings);
    store->beginGroup(group);
    const QVariant value = store->value(key);
    store->endGroup();
    return value;
}

bool GuiHelper::setComboboxValue(QComboBox *combo, const QVariant &value, int *index)
{
    if (!combo)
        return false;
    const int count = combo->count();
    int i = 0;
    for (; i < count; ++i) {
        if (combo->itemData(i, Qt::UserRole) == value) {
            combo->setCurrentIndex(i);
            break;
        }
    }
    if (index)
        *index = i;
    return i < count;
}

void GuiHelper::makeLabelBold(QLabel *label, bool bold)
{
    if (!label)
        return;
    QFont font = label->font();
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    label->setFont(font);
}

namespace {

void centreOver(QWidget *box, const QWidget *parent)
{
    box->move(parent->pos().x() + parent->width() / 2 - box->width() / 2,
              parent->pos().y() + parent->height() / 2 - box->height() / 2);
}

void setUp(QMessageBox *box, const QString &title, const QString &text,
           const QString &informativeText, QMessageBox::StandardButtons buttons,
           QMessageBox::Icon icon)
{
    box->setWindowTitle(title);
    box->setInformativeText(informativeText);
    box->setText(text);
    box->setStandardButtons(buttons);
    box->setIcon(icon);
}

} // namespace

int GuiHelper::showMessageBox(QWidget *parent, const QString &title, const QString &text,
                              const QString &informativeText, QMessageBox::StandardButtons buttons,
                              QMessageBox::Icon icon)
{
    // Without a Qt parent the box is a window of its own, which the window system does not tie
    // to a parent that may itself be about to close.
    QMessageBox box;
    setUp(&box, title, text, informativeText, buttons, icon);
    if (parent)
        parent->raise();
    // Shown first so that the box has its final size when it is centred.
    box.show();
    if (parent)
        centreOver(&box, parent);
    return box.exec();
}

int GuiHelper::showNonBlockingMessageBox(QWidget *parent, const QString &title, const QString &text,
                                         const QString &informativeText,
                                         QMessageBox::StandardButtons buttons,
                                         QMessageBox::Icon icon)
{
    if (!parent)
        return -1;
    auto *box = new QMessageBox(parent);
    setUp(box, title, text, informativeText, buttons, icon);
    box->setModal(false);
    box->show();
    parent->raise();
    centreOver(box, parent);
    return -1;
}
