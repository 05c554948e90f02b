#include "recentfiles.h"

#include <ZezuzuDOD/guihelper.h>

#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace {

const QString settingsGroup = QStringLiteral("RecentFiles");
const QString settingsKey = QStringLiteral("Files");

} // namespace

RecentFiles::RecentFiles(QMenu *menu, QObject *parent)
    : QObject(parent)
    , m_menu(menu)
{
    m_files
        = GuiHelper::restoreSetting(settingsGroup, settingsKey).toStringList().mid(0, MaximumCount);
    fillMenu();
}

RecentFiles::~RecentFiles() = default;

void RecentFiles::add(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = m_files;
    files.removeAll(absolute);
    files.prepend(absolute);
    setFiles(files.mid(0, MaximumCount));
}

void RecentFiles::remove(const QString &path)
{
    QStringList files = m_files;
    files.removeAll(QFileInfo(path).absoluteFilePath());
    setFiles(files);
}

void RecentFiles::setFiles(const QStringList &files)
{
    if (files == m_files)
        return;
    m_files = files;
    GuiHelper::saveSetting(settingsGroup, settingsKey, m_files);
    fillMenu();
}

void RecentFiles::fillMenu()
{
    m_menu->clear();
    for (int i = 0; i < m_files.size(); ++i) {
        const QString path = m_files.at(i);
        // Digits as mnemonics; a "&" in a file name is no mnemonic.
        const QString name
            = QFileInfo(path).fileName().replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction *action
            = m_menu->addAction(QStringLiteral("&%1 %2").arg(QString::number(i + 1), name));
        action->setToolTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] { emit fileChosen(path); });
    }
    m_menu->addSeparator();
    QAction *clear = m_menu->addAction(tr("&Clear List"));
    clear->setEnabled(!m_files.isEmpty());
    connect(clear, &QAction::triggered, this, [this] { setFiles({}); });
}
