#pragma once

#include "zezuzudod_export.h"

#include <QObject>
#include <QString>

class QMenu;

/** Turns a folder of PDF manuals into a "Manuals" menu; choosing an entry opens the manual with
 *  the system's default viewer. Entries are titled from a table of the family's manuals
 *  ("Handbuch (de)", "Manual (en)", ...) by the file name up to its first dot, or with that
 *  name itself.
 *
 *  The handler owns the menu and the menu owns its entries: each getManualsMenu() replaces
 *  them, and a menu bar that shows the menu loses it when the handler is deleted. */
class ZEZUZUDOD_EXPORT ManualHandler : public QObject
{
    Q_OBJECT
public:
    /** A handler for the current directory; its menu is made by getManualsMenu(). */
    explicit ManualHandler(QObject *parent = nullptr);
    ~ManualHandler() override;

    /** The folder to scan; an empty path is the current directory. */
    void setManualsPath(const QString &manualsPath);
    /** Rescans the folder and returns the menu with one entry per PDF file in it, sorted by
     *  name without regard to case, or a null pointer (leaving the menu empty) when the folder
     *  is missing or holds no PDF file. Folders named like a PDF are not listed. */
    QMenu *getManualsMenu();

private slots:
    void actionTriggered();

private:
    QString m_manualsPath;
    QMenu *m_menu;
};
