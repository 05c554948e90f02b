#pragma once

#include <QString>
#include <QStringList>

/** Where the tool finds the files it needs at run time, the help collection and the manuals:
 *  beside the executable in the build tree, under share/dcfconfig of the installation prefix
 *  when installed. */
class ToolPaths
{
public:
    /** The folders searched, in order. */
    static QStringList dataFolders();
    /** Replaces the folders searched, for tests; an empty list restores the default. */
    static void setDataFolders(const QStringList &folders);

    /** The first existing \a relativePath in the data folders; empty when there is none. */
    static QString findDataFile(const QString &relativePath);
    /** The help collection as built or installed; empty when the tool has none. */
    static QString installedHelpCollection();
    /** The help collection, copied to the user's cache first: the help engine keeps its search
     *  index beside the collection, and an installed one lies in a folder the user cannot write.
     *  Empty when the tool has no help collection. */
    static QString helpCollection();
    /** The folder of the PDF manuals; empty when there is none. */
    static QString manualsFolder();
};
