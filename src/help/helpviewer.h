#pragma once

#include "zezuzudod_export.h"

#include <QDialog>
#include <QPointer>

class HelpBrowser;
class QHelpEngine;
class QHelpLink;

namespace Ui {
class HelpViewer;
}

/** The window for a tool's compiled help: the contents, a full-text search and the keyword
 *  index of a Qt Help collection in tabs on the left, the selected page on the right.
 *
 *  Pages, images and style sheets of the collection are read through the help engine;
 *  links to local files and web addresses load as in any QTextBrowser. The engine is a child
 *  of the viewer, the tab pages and the page browser live in the viewer's widget tree; all
 *  of them die with the viewer. */
class ZEZUZUDOD_EXPORT HelpViewer : public QDialog
{
    Q_OBJECT
public:
    /** Creates the window with empty tabs; setHelpFile() fills them. */
    explicit HelpViewer(QWidget *parent = nullptr);
    ~HelpViewer() override;

    /** Shows the Qt Help collection file \a collectionFile. A later call replaces the shown
     *  collection, its tabs and its page browser. A collection that is missing or cannot be read
     *  leaves the three tabs empty; nothing is reported, and no file is created. The full-text
     *  search keeps its index in a folder beside the collection, so search finds nothing where
     *  that folder cannot be written. */
    void setHelpFile(const QString &collectionFile);

public slots:
    /** Starts a full-text search for the text of the search tab's query field. */
    void searchRequest();
    /** Shows the page of an index entry; \a keyword is not used. */
    void onDocumentActivated(const QHelpLink &document, const QString &keyword);

private slots:
    void on_btnClose_clicked();

private:
    void removeHelpFile();

    Ui::HelpViewer *ui;
    QPointer<QHelpEngine> m_helpEngine;
    QPointer<HelpBrowser> m_helpBrowser;
};
