#include "toolpaths.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QStringList &folderOverride()
{
    static QStringList folders;
    return folders;
}

// Copies \a source to \a folder unless an up-to-date copy is there. An older copy (the tool was
// rebuilt or updated) is replaced.
bool copyIfNewer(const QString &source, const QString &folder)
{
    const QFileInfo from(source);
    const QFileInfo to(folder + QLatin1Char('/') + from.fileName());
    if (to.exists() && to.lastModified() >= from.lastModified() && to.size() == from.size())
        return true;
    QFile::remove(to.filePath());
    return QFile::copy(from.filePath(), to.filePath())
           && QFile::setPermissions(to.filePath(), QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace

QStringList ToolPaths::dataFolders()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    const QString bin = QCoreApplication::applicationDirPath();
    return {bin, QDir::cleanPath(bin + QLatin1String("/../share/dcfconfig"))};
}

void ToolPaths::setDataFolders(const QStringList &folders)
{
    folderOverride() = folders;
}

QString ToolPaths::findDataFile(const QString &relativePath)
{
    const QStringList folders = dataFolders();
    for (const QString &folder : folders) {
        const QString path = folder + QLatin1Char('/') + relativePath;
        if (QFileInfo::exists(path))
            return path;
    }
    return QString();
}

QString ToolPaths::installedHelpCollection()
{
    return findDataFile(QStringLiteral("doc/dcfconfig_help.qhc"));
}

QString ToolPaths::helpCollection()
{
    const QString collection = installedHelpCollection();
    if (collection.isEmpty())
        return QString();
    // The collection names its help file relative to itself, so both move together.
    const QString helpFile = QFileInfo(collection).path() + QLatin1String("/dcfconfig_help.qch");
    const QString cache
        = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QLatin1String("/help");
    if (QDir().mkpath(cache) && copyIfNewer(helpFile, cache) && copyIfNewer(collection, cache))
        return cache + QLatin1String("/dcfconfig_help.qhc");
    return collection; // readable at least; only the search stays empty
}

QString ToolPaths::manualsFolder()
{
    return findDataFile(QStringLiteral("manuals"));
}
