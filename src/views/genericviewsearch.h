#pragma once

#include "zezuzudod_export.h"

#include <QList>
#include <QObject>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QString>
#include <QTimer>

class QAbstractItemView;
class QAction;
class QLineEdit;
class QModelIndex;
class QProgressDialog;
class QPushButton;

/** Adds search next and search all to a table or tree view.
 *
 *  Rows are found by the text that the view's model supplies in column 0 under the search text
 *  role, SearchTextRole (0x12345); cell texts are never read. A row matches when that text
 *  contains the search text, letter case ignored; a model without the role matches only the
 *  empty text. Only top-level rows are searched, and with setSearchTVChildren(true) also their
 *  direct children (never deeper levels).
 *
 *  Search next selects the next matching row after the first selected index, wrapping round at
 *  the end; the selected row itself is not matched again. Search all selects every matching row
 *  as whole rows, focuses the view and keeps the hits. Search next with the text of the last
 *  search all walks the kept hits one by one in the order found, and search all with the same
 *  text selects them again without scanning; a different text, or resetSearch(), starts afresh.
 *  Kept hits follow the model's row moves and are dropped when their rows go away.
 *
 *  Results are reported on the find button, if one was given: red for one second when nothing
 *  was found (the selection is cleared then), blue for one second when the walk through the kept
 *  hits started again at the first. A scan processes pending events every 1000 rows so that the
 *  window stays responsive; a frameless busy display appears over the view when a scan is still
 *  running 200 ms after it started. Requests that arrive while a scan runs are ignored. A view,
 *  model or search object destroyed during a scan ends it quietly.
 *
 *  The search keeps guarded pointers to the view, the line edit and the button and owns none of
 *  them. The busy display is a child of the view; the menu actions are children of the search.
 *  Without a view (or while it has no model) every search does nothing. */
class ZEZUZUDOD_EXPORT GenericViewSearch : public QObject
{
    Q_OBJECT
public:
    /** The model role under which column 0 supplies the text a row is found by. */
    static constexpr int SearchTextRole = 0x12345;

    /** What the find button reports. */
    enum SearchResult {
        NotFound = 0,      ///< nothing found, or an empty search text
        WrappedAround = 1, ///< the walk through the kept hits started again at the first
    };
    Q_ENUM(SearchResult)

    /** The ready-made context menu actions of getMenuAction(). */
    enum ActionType {
        SearchNext = 0,
        SearchSubElements = 1,
        SearchAll = 2,
    };
    Q_ENUM(ActionType)

    /** Connects the line edit, if any: its text becomes the search text and Return searches
     *  next. The button is only coloured; connect its clicked() to onSearchNext() or
     *  onSearchAll() as the tool prefers. */
    GenericViewSearch(QAbstractItemView *view, QLineEdit *lineEdit, QPushButton *button,
                      QObject *parent = nullptr);
    ~GenericViewSearch() override;

    /** A new action for a context menu, owned by the search: "Search next" (FindNext key)
     *  searches next with the current search text, "Search sub elements" (checkable) switches
     *  the search of child rows, "Search all" (F4) searches all. Null for an unknown type. */
    QAction *getMenuAction(ActionType type);

    /** Selects the next row that matches \a text; see the class description. An empty text
     *  reports NotFound unless a search all ran before, in which case it matches every row. */
    void searchSingleOccurrence(const QString &text);
    /** Selects every row that matches \a text; an empty text reports NotFound. */
    void searchAllOccurrence(const QString &text);

    /** Scans the top-level rows from the row of \a start (or of its parent, for a child), every
     *  \a step rows, wrapping round once, and appends the hits to the kept hits. With \a all
     *  false the row of \a start is not matched and the scan stops at the first hit. */
    void searchThroughRows(const QString &text, unsigned char step, const QModelIndex &start,
                           bool all);

    /** Shows the result of a search all: every kept hit selected as a whole row (one selection
     *  change, whatever the number of hits), the view focused, nothing scrolled. */
    void handleFoundIndices();
    /** Selects the next kept hit of the walk; false, selecting nothing, when no hit is left. */
    bool jumpToNextIndex();
    /** The first kept hit whose row is greater than \a row; when there is none, the first kept
     *  hit, after reporting WrappedAround. Invalid when no hit is kept. */
    QModelIndex foundIndexAfterRow(int row);

    /** Colours the button for one second: red and a cleared selection for NotFound, blue for
     *  WrappedAround; other values only restart the reset of the colour. */
    void searchResult(SearchResult result);

    /** Shows the busy display centred over the view, with a percentage when \a showProgress is
     *  true, or hides it. A non-negative \a maximum becomes the display's maximum. */
    void showProgressBar(bool show, bool showProgress, int maximum);
    /** Sets the busy display's value while it is shown. */
    void updateProgressbar(unsigned char progress);
    /** Builds the hidden busy display; the constructor calls it. */
    void createAndAddProgressDialog();

    /** Forgets the kept hits and the text of the last search all. */
    void resetSearch();

signals:
    /** For the tool's own use, with the arguments of showProgressBar(); never emitted here. */
    void sigShowProgressbar(bool show, bool showProgress, int maximum);
    /** For the tool's own use, with the argument of updateProgressbar(); never emitted here. */
    void sigNewProgress(unsigned char progress);
    /** For the tool's own use, with the argument of searchResult(); never emitted here. */
    void sigSearchResult(GenericViewSearch::SearchResult searchResult);
    /** Emitted before a search result selects anything, so that a view that follows new rows
     *  can stop doing so. */
    void stopAutoscroll();

public slots:
    /** Whether direct children of top-level rows are searched too; off at start. */
    void setSearchTVChildren(bool enabled);
    /** Searches next with the search text. */
    void onSearchNext();
    /** Takes \a newText as the search text; the line edit's textChanged() calls it. */
    void onSearchTextChanged(const QString &newText);
    /** Shows the busy display without percentage if a scan is running. */
    void checkShowProgressBar();
    /** Shows the result of a search next: scrolls to and selects the first kept hit, or reports
     *  NotFound. Does nothing while a scan runs. */
    void handleFoundIndex();
    /** Gives the find button its own colour back. */
    void resetBtnFindStyleSheet();
    /** Searches all with the search text. */
    void onSearchAll();

private:
    bool hasModel() const;
    void dropDeadHits();
    void clearSelection();

    QPointer<QLineEdit> m_lineEdit;
    QPointer<QPushButton> m_button;
    QPointer<QProgressDialog> m_progressDialog;
    QPointer<QAbstractItemView> m_view;
    QString m_searchAllText;
    QString m_searchText;
    bool m_busy = false;
    // Persistent, so that hits survive row moves between searches and die with their rows.
    QList<QPersistentModelIndex> m_foundList;
    // Position in m_foundList of the hit the next step of the walk selects.
    int m_searchPosition = 0;
    int m_lastHitRow = -1;
    bool m_searchChildren = false;
    // One timer each, restarted: a timer left over from a search that ended early must not
    // show the busy display 200 ms into the next one, nor end the next colour too soon.
    QTimer m_busyDelay;
    QTimer m_colourReset;
};
