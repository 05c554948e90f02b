#pragma once

#include <QTextBrowser>

class QHelpEngine;

/** The page pane of HelpViewer: a text browser that reads "qthelp" URLs (pages, images and
 *  style sheets alike) out of the help collection; every other URL loads as usual. The engine
 *  is not owned and must outlive the browser. */
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    HelpBrowser(QHelpEngine *helpEngine, QWidget *parent = nullptr);

    QVariant loadResource(int type, const QUrl &name) override;

private:
    QHelpEngine *m_helpEngine;
};
