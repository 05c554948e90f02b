#pragma once

#include <QObject>
#include <QStringList>

class QMenu;

/** The "Open Recent" menu: the last device files opened, newest first, kept in the settings
 *  store between runs. Choosing an entry emits fileChosen(). The menu is the caller's. */
class RecentFiles : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaximumCount = 8;

    RecentFiles(QMenu *menu, QObject *parent = nullptr);
    ~RecentFiles() override;

    /** Puts \a path first (once) and drops the oldest entries beyond MaximumCount. */
    void add(const QString &path);
    /** Forgets \a path, e.g. a file that is no longer there. */
    void remove(const QString &path);
    /** The entries, newest first. */
    QStringList files() const { return m_files; }

signals:
    void fileChosen(const QString &path);

private:
    void setFiles(const QStringList &files);
    void fillMenu();

    QMenu *m_menu;
    QStringList m_files;
};
