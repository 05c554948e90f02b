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

#include <array>
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

template<class W>
bool isA(const QWidget *widget)
{
    return qobject_cast<const W *>(widget);
}

// The hex editor is not linked; its class name identifies it.
bool isHexEdit(const QWidget *widget)
{
    return const_cast<QWidget *>(widget)->qt_metacast(hexEditClass);
}

QString dataKey(const QString &key)
{
    return key + QLatin1String("_data");
}

/* How one kind of widget takes part: which widgets belong to it and whether one takes part,
 * and how its state is written under a key and read back. A restore passes each widget's
 * current state as the default, so a missing key changes nothing. */
struct WidgetKind
{
    bool (*is)(const QWidget *);
    bool exclusive; // a widget of this kind is of no later exclusive kind
    bool (*takesPart)(const QWidget *);
    void (*save)(const QWidget *, QSettings &, const QString &key);
    void (*restore)(QWidget *, QSettings &, const QString &key);
};

template<class W>
const W *as(const QWidget *widget)
{
    return static_cast<const W *>(widget);
}

template<class W>
W *as(QWidget *widget)
{
    return static_cast<W *>(widget);
}

// In the order of processing: when two widgets of different kinds share a name, the later kind
// wins on save. A widget belongs to the first kind it is, except that a hex editor, which may
// derive from any of the others, belongs to that kind as well.
const WidgetKind widgetKinds[] = {
    {isA<QLineEdit>, true,
     [](const QWidget *w) {
         const QObject *parent = w->parent();
         return takesPart(w) && !as<QLineEdit>(w)->isReadOnly()
                && !qobject_cast<const QAbstractSpinBox *>(parent)
                && !qobject_cast<const QComboBox *>(parent);
     },
     [](const QWidget *w, QSettings &s, const QString &key) {
         s.setValue(key, as<QLineEdit>(w)->text());
     },
     [](QWidget *w, QSettings &s, const QString &key) {
         auto *e = as<QLineEdit>(w);
         e->setText(s.value(key, e->text()).toString());
     }},
    {isA<QCheckBox>, true, takesPart,
     [](const QWidget *w, QSettings &s, const QString &key) {
         s.setValue(key, int(as<QCheckBox>(w)->checkState()));
     },
     [](QWidget *w, QSettings &s, const QString &key) {
         auto *c = as<QCheckBox>(w);
         const uint state = s.value(key, int(c->checkState())).toUInt();
         // A number beyond the three states is no state at all; casting it would be undefined.
         if (state <= Qt::Checked)
             c->setCheckState(Qt::CheckState(state));
     }},
    {isA<QRadioButton>, true, takesPart,
     [](const QWidget *w, QSettings &s, const QString &key) {
         s.setValue(key, as<QRadioButton>(w)->isChecked());
     },
     [](QWidget *w, QSettings &s, const QString &key) {
         auto *r = as<QRadioButton>(w);
         r->setChecked(s.value(key, r->isChecked()).toBool());
     }},
    {isA<QSpinBox>, true, takesPart,
     [](const QWidget *w, QSettings &s, const QString &key) {
         s.setValue(key, as<QSpinBox>(w)->value());
     },
     [](QWidget *w, QSettings &s, const QString &key) {
         auto *b = as<QSpinBox>(w);
         b->setValue(s.value(key, b->value()).toInt());
     }},
    {isA<QComboBox>, true, takesPart,
     [](const QWidget *w, QSettings &s, const QString &key) {
         const QVariant data = as<QComboBox>(w)->currentData(Qt::UserRole);
         if (data.isValid())
             s.setValue(dataKey(key), data);
         else
             s.setValue(key, as<QComboBox>(w)->currentText());
     },
     [](QWidget *w, QSettings &s, const QString &key) {
         auto *c = as<QComboBox>(w);
         const QVariant data = s.value(dataKey(key));
         if (data.isValid())
             c->setCurrentIndex(
                 c->findData(data, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive));
         else
             c->setCurrentText(s.value(key, c->currentText()).toString());
     }},
    {isHexEdit, false, takesPart,
     [](const QWidget *w, QSettings &s, const QString &key) {
         s.setValue(key, w->property(hexEditData));
     },
     [](QWidget *w, QSettings &s, const QString &key) {
         w->setProperty(hexEditData,
                        QVariant(s.value(key, w->property(hexEditData)).toByteArray()));
     }},
    {isA<QPlainTextEdit>, true, takesPart,
     [](const QWidget *w, QSettings &s, const QString &key) {
         s.setValue(key, as<QPlainTextEdit>(w)->document()->toPlainText());
     },
     [](QWidget *w, QSettings &s, const QString &key) {
         auto *p = as<QPlainTextEdit>(w);
         p->setPlainText(s.value(key, p->document()->toPlainText()).toString());
     }},
    {isA<QGroupBox>, true,
     [](const QWidget *w) { return as<QGroupBox>(w)->isCheckable() && takesPart(w); },
     [](const QWidget *w, QSettings &s, const QString &key) {
         s.setValue(key, as<QGroupBox>(w)->isChecked());
     },
     [](QWidget *w, QSettings &s, const QString &key) {
         auto *g = as<QGroupBox>(w);
         g->setChecked(s.value(key, g->isChecked()).toBool());
         // setChecked() only reports a change through toggled(); tools hang their logic on the
         // click, which must run also when the restored state equals the current one.
         emit g->clicked(g->isChecked());
     }},
    // A flagged table without object name is still written: its rows then sit directly in the
    // group, where restoreTable() cannot find them again.
    {isA<QTableWidget>, true,
     [](const QWidget *w) { return w->property(saveTableProperty).isValid(); },
     [](const QWidget *w, QSettings &s, const QString &) {
         GuiHelper::saveTable(const_cast<QTableWidget *>(as<QTableWidget>(w)), s);
     },
     [](QWidget *w, QSettings &s, const QString &) {
         GuiHelper::restoreTable(as<QTableWidget>(w), s);
     }},
};
constexpr int kindCount = int(sizeof widgetKinds / sizeof widgetKinds[0]);

/* The descendants of root by kind, each kind in pre-order. They are gathered before any value
 * is read or written, so that widgets which the change handlers of a restore create are not
 * visited half-way. */
using WidgetsByKind = std::array<QList<QWidget *>, kindCount>;

WidgetsByKind widgetsByKind(const QWidget *root)
{
    WidgetsByKind byKind;
    const QList<QWidget *> all = root->findChildren<QWidget *>();
    for (QWidget *w : all) {
        bool placed = false;
        for (int kind = 0; kind < kindCount; ++kind) {
            const WidgetKind &k = widgetKinds[kind];
            if ((!placed || !k.exclusive) && k.is(w)) {
                byKind[size_t(kind)].append(w);
                placed = placed || k.exclusive;
            }
        }
    }
    return byKind;
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
    store->beginGroup(group);
    const WidgetsByKind byKind = widgetsByKind(widget);
    for (int kind = 0; kind < kindCount; ++kind) {
        for (const QWidget *w : byKind[size_t(kind)]) {
            if (widgetKinds[kind].takesPart(w))
                widgetKinds[kind].save(w, *store, settingsKey(w->objectName()));
        }
    }
    store->sync();
    store->endGroup();
}

bool GuiHelper::restoreSettings(QWidget *widget, const QString &group, const QString &iniFile,
                                QSettings *settings)
{
    if (!widget)
        return false;
    const Store store = openStore(iniFile, settings);
    const int levels = enterExistingGroup(*store, group);
    if (levels < 0)
        return false;
    const WidgetsByKind byKind = widgetsByKind(widget);
    for (int kind = 0; kind < kindCount; ++kind) {
        for (QWidget *w : byKind[size_t(kind)]) {
            if (widgetKinds[kind].takesPart(w))
                widgetKinds[kind].restore(w, *store, settingsKey(w->objectName()));
        }
    }
    for (int i = 0; i < levels; ++i)
        store->endGroup();
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
