#include "helpbrowser.h"

#include <QHelpEngine>

HelpBrowser::HelpBrowser(QHelpEngine *helpEngine, QWidget *parent)
    : QTextBrowser(parent)
    , m_helpEngine(helpEngine)
{}

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    // The collection decides what a help URL holds; the resource type does not matter to it.
    if (name.scheme() == QLatin1String("qthelp"))
        return QVariant(m_helpEngine->fileData(name));
    return QTextBrowser::loadResource(type, name);
}
