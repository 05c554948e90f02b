#pragma once

#include "zezuzudod_export.h"

#include <QMessageBox>
#include <QString>
#include <QVariant>

class QComboBox;
class QLabel;
class QSettings;
class QTableWidget;
class QWidget;

/** Settings and dialog helpers of the tools: saving and restoring the input state of a whole
 *  dialog, single settings values, selecting a combo box item by its data, and message boxes
 *  centred over a widget. Every function is static; the class holds no data.
 *
 *  Store selection, the same for every function that takes an INI path and a store: a store
 *  passed in is used at the group the caller has entered, left there, and neither synced (except
 *  where noted) nor deleted. Without one, an INI path that is not empty gives a store in
 *  QSettings::IniFormat; otherwise the native store of the organisation name and the application
 *  object's "AppNameWithVersion" property is used (on Linux a .conf file in the user's config
 *  folder). A store created by a call is written out and deleted before the call returns.
 *  Failures of the store (a file that cannot be read or written) are silent, as in QSettings.
 *
 *  saveSettings() writes one value per widget under the widget's object name inside the group:
 *  QLineEdit text (not read-only ones, nor those inside a spin box or combo box), QCheckBox check
 *  state as int, QRadioButton and checkable QGroupBox checked state, QSpinBox value, QComboBox
 *  current UserRole data under "<name>_data" or else its current text under "<name>", the "data"
 *  property of a widget of class "QHexEdit", QPlainTextEdit text, and, cell by cell, each
 *  QTableWidget that carries the dynamic property "SaveTable". A widget carrying the dynamic
 *  property "ExcludeSaving" (whatever its value) and widgets without object name are skipped.
 *
 *  Keys: an object name is used as key unchanged unless it holds "/" or "\\" (which a store reads
 *  as group separators) or one of the texts "%25", "%2F", "%5C"; in such a name every "%", "/"
 *  and "\\" is written as "%25", "%2F" and "%5C", since a "/" in an object name is never meant as
 *  a path. Table groups follow the same rule. Group names, and the keys of saveSetting() and
 *  restoreSetting(), are store paths: a "/" nests them, as plain QSettings reads them. A value
 *  saved with a plain object name as key is thus the one restoreSettings() gives that widget. */
class ZEZUZUDOD_EXPORT GuiHelper
{
public:
    GuiHelper();

    /** Saves the state of every descendant of \a widget that takes part into \a group. A store
     *  passed in is synced. Without a widget nothing is written. */
    static void saveSettings(QWidget *widget, const QString &group,
                             const QString &iniFile = QString(), QSettings *settings = nullptr);
    /** Applies the stored state to the descendants of \a widget without blocking their signals;
     *  a widget whose key is missing keeps its state (so does a check box whose stored
     *  state is beyond Qt::Checked; other values of the wrong type convert as QVariant does,
     *  giving an empty text or zero when that fails; a combo box whose stored data matches
     *  no item is left without current item), and a checkable group box emits clicked()
     *  once with its restored state. The widgets are gathered before the first one changes, so
     *  handlers must not delete descendants of \a widget. Returns false, touching no widget,
     *  without a widget or when the store holds no group of exactly that name (letter case
     *  included). */
    static bool restoreSettings(QWidget *widget, const QString &group,
                                const QString &iniFile = QString(), QSettings *settings = nullptr);
    /** Writes the cells of \a table below a group named after its object name: per row and
     *  column "Type" 0 and the display text of a plain item, or "Type" 1 and the text of a
     *  QLineEdit cell widget. Cells with another cell widget or with nothing are not written. */
    static void saveTable(QTableWidget *table, QSettings &settings);
    /** Reads stored cells back into the table's existing items and line edit cell widgets,
     *  in the table's current shape; nothing is created, resized or written to other widgets. */
    static void restoreTable(QTableWidget *table, QSettings &settings);

    /** Writes \a value under the path "<group>/<key>". A store passed in is not synced. */
    static void saveSetting(const QString &group, const QString &key, const QVariant &value,
                            const QString &iniFile = QString(), QSettings *settings = nullptr);
    /** The value under "<group>/<key>", or an invalid QVariant when there is none. */
    static QVariant restoreSetting(const QString &group, const QString &key,
                                   const QString &iniFile = QString(),
                                   QSettings *settings = nullptr);

    /** Selects the first item whose Qt::UserRole data equals \a value. Writes the item's index
     *  to \a index, or count() when none matches (the current item is then left as it is).
     *  Returns false without a match or without a combo box (then \a index is not written). */
    static bool setComboboxValue(QComboBox *combo, const QVariant &value, int *index = nullptr);
    /** Sets the label's font weight to QFont::Bold or QFont::Normal; nothing without a label. */
    static void makeLabelBold(QLabel *label, bool bold);

    /** Runs a modal message box, centred over \a parent when there is one (the parent is also
     *  raised), and returns the standard button that closed it. */
    static int showMessageBox(QWidget *parent, const QString &title, const QString &text,
                              const QString &informativeText = QString(),
                              QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                              QMessageBox::Icon icon = QMessageBox::NoIcon);
    /** Shows a non-modal message box centred over \a parent and returns -1 at once. The box is
     *  a child of \a parent: closing it hides it, the parent deletes it. Without a parent
     *  nothing is shown. The answer is not reported. */
    static int showNonBlockingMessageBox(QWidget *parent, const QString &title, const QString &text,
                                         const QString &informativeText = QString(),
                                         QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                         QMessageBox::Icon icon = QMessageBox::NoIcon);
};
