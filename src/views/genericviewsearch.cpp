#include "genericviewsearch.h"

#include "caseinsensitivematcher_p.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCoreApplication>
#include <QHash>
#include <QItemSelection>
#include <QLineEdit>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace {

constexpr int rowsBetweenEvents = 1000;
constexpr int busyDisplayDelayMs = 200;
constexpr int buttonColourMs = 1000;

Q_ALWAYS_INLINE bool contains(const QAbstractItemModel *model, const QModelIndex &index,
                              const CaseInsensitiveMatcher &matcher)
{
    const QVariant value = model->data(index, GenericViewSearch::SearchTextRole);
    // Most models hand out a QString; reading it in place spares a copy per row.
    if (value.userType() == QMetaType::QString)
        return matcher.isContainedIn(*static_cast<const QString *>(value.constData()));
    return matcher.isContainedIn(value.toString());
}

// Consecutive rows under one parent, a piece of the selection of a search all.
struct RowRun
{
    QModelIndex parent;
    int top;
    int bottom;
};

} // namespace

GenericViewSearch::GenericViewSearch(QAbstractItemView *view, QLineEdit *lineEdit,
                                     QPushButton *button, QObject *parent)
    : QObject(parent)
    , m_lineEdit(lineEdit)
    , m_button(button)
    , m_view(view)
{
    // Makes sigSearchResult usable in queued connections and signal spies.
    qRegisterMetaType<GenericViewSearch::SearchResult>();
    m_busyDelay.setSingleShot(true);
    m_busyDelay.setInterval(busyDisplayDelayMs);
    connect(&m_busyDelay, &QTimer::timeout, this, &GenericViewSearch::checkShowProgressBar);
    m_colourReset.setSingleShot(true);
    m_colourReset.setInterval(buttonColourMs);
    connect(&m_colourReset, &QTimer::timeout, this, &GenericViewSearch::resetBtnFindStyleSheet);
    createAndAddProgressDialog();
    if (lineEdit) {
        connect(lineEdit, &QLineEdit::textChanged, this, &GenericViewSearch::onSearchTextChanged);
        connect(lineEdit, &QLineEdit::returnPressed, this, &GenericViewSearch::onSearchNext);
    }
}

GenericViewSearch::~GenericViewSearch()
{
    // The view keeps the busy display. Left shown by a scan that ends with this object, it would
    // stay over the window and, being window modal, take all input from it.
    if (m_progressDialog)
        m_progressDialog->hide();
}

QAction *GenericViewSearch::getMenuAction(ActionType type)
{
    QAction *action = nullptr;
    switch (type) {
    case SearchNext:
        action = new QAction(tr("Search next"), this);
        action->setShortcuts(QKeySequence::FindNext);
        connect(action, &QAction::triggered, this, &GenericViewSearch::onSearchNext);
        break;
    case SearchSubElements:
        action = new QAction(tr("Search sub elements"), this);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, &GenericViewSearch::setSearchTVChildren);
        break;
    case SearchAll:
        action = new QAction(tr("Search all"), this);
        action->setShortcut(QKeySequence(Qt::Key_F4));
        connect(action, &QAction::triggered, this, &GenericViewSearch::onSearchAll);
        break;
    }
    return action;
}

void GenericViewSearch::searchSingleOccurrence(const QString &text)
{
    if (m_busy || !hasModel())
        return;
    if (text.isEmpty() && m_searchAllText.isEmpty()) {
        searchResult(NotFound);
        return;
    }
    if (text == m_searchAllText && !m_foundList.isEmpty()) {
        if (jumpToNextIndex())
            return;
    }

    QModelIndex start;
    if (QItemSelectionModel *selection = m_view->selectionModel(); selection->hasSelection())
        start = selection->selectedIndexes().value(0);
    m_searchPosition = 0;
    m_lastHitRow = -1;
    m_foundList.clear();
    m_searchAllText.clear();
    m_busyDelay.start();

    const QPointer<GenericViewSearch> self(this);
    searchThroughRows(text, 1, start, false);
    if (self)
        handleFoundIndex();
}

void GenericViewSearch::searchAllOccurrence(const QString &text)
{
    if (m_busy || !hasModel())
        return;
    if (text.isEmpty()) {
        searchResult(NotFound);
        return;
    }
    // Every search all starts the walk of search next again at the first hit.
    m_searchPosition = 0;
    // The kept hits are reused for the same text, unless a model reset (or a new model) has
    // taken every one of them.
    const bool hadHits = !m_foundList.isEmpty();
    dropDeadHits();
    if (text != m_searchAllText || (hadHits && m_foundList.isEmpty())) {
        m_searchAllText = text;
        m_lastHitRow = -1;
        m_foundList.clear();
        m_busyDelay.start();
        const QPointer<GenericViewSearch> self(this);
        searchThroughRows(text, 1, m_view->model()->index(0, 0), true);
        if (!self)
            return;
    }
    handleFoundIndices();
}

void GenericViewSearch::searchThroughRows(const QString &text, unsigned char step,
                                          const QModelIndex &start, bool all)
{
    if (m_busy || !hasModel())
        return;
    const QPointer<QAbstractItemModel> model = m_view->model();
    const QPointer<GenericViewSearch> self(this);
    const CaseInsensitiveMatcher matcher(text);
    const int rowCount = model->rowCount(QModelIndex());
    if (rowCount < 0)
        return;
    // A step of 0 would never leave the start row.
    const int rowStep = std::max<int>(step, 1);

    m_busy = true;
    const QModelIndex startParent = start.parent();
    int startRow = start.row();
    int firstChild = 0;
    if (startParent.row() >= 0 && startParent.column() >= 0 && startParent.model()) {
        startRow = startParent.row();
        firstChild = start.row() + 1;
    }
    if (startRow > rowCount)
        startRow = 0;

    bool wrapped = false;
    for (int row = startRow;;) {
        if (row % rowsBetweenEvents == 0) {
            QCoreApplication::processEvents();
            if (!self)
                return;
            if (!model || !m_view || m_view->model() != model) {
                // What was found so far is no search all result to come back to.
                m_searchAllText.clear();
                break;
            }
        }
        if (wrapped && row >= startRow)
            break;
        if (!all && m_lastHitRow >= 1 && (row > m_lastHitRow || wrapped))
            break;

        // Rows removed while events were processed give invalid indexes here.
        const QModelIndex index = model->index(row, 0);
        if (index.isValid()) {
            if ((all || row != startRow) && contains(model, index, matcher)) {
                m_lastHitRow = row;
                m_foundList.append(index);
                if (!all)
                    break;
            }
            if (m_searchChildren) {
                const int children = model->rowCount(index);
                bool hitChild = false;
                for (int child = firstChild; child < children; ++child) {
                    const QModelIndex childIndex = model->index(child, 0, index);
                    if (contains(model, childIndex, matcher)) {
                        m_lastHitRow = row;
                        m_foundList.append(childIndex);
                        if (!all) {
                            hitChild = true;
                            break;
                        }
                    }
                }
                if (hitChild)
                    break;
            }
        }

        row += rowStep;
        firstChild = 0;
        if (row > rowCount) {
            row = 0;
            wrapped = true;
        }
    }
    m_busy = false;
    m_busyDelay.stop();
}

void GenericViewSearch::handleFoundIndex()
{
    if (m_busy)
        return;
    // Hidden also when the model went away during the scan: the display is window modal.
    showProgressBar(false, false, 0);
    emit stopAutoscroll();
    if (!hasModel())
        return;
    dropDeadHits();
    if (m_foundList.isEmpty()) {
        searchResult(NotFound);
        return;
    }
    std::sort(m_foundList.begin(), m_foundList.end(),
              [](const QPersistentModelIndex &a, const QPersistentModelIndex &b) {
                  return QModelIndex(a) < QModelIndex(b);
              });
    auto hit = std::find_if(
        m_foundList.cbegin(), m_foundList.cend(),
        [this](const QPersistentModelIndex &index) { return index.row() >= m_searchPosition; });
    if (hit == m_foundList.cend())
        hit = m_foundList.cbegin();
    m_view->scrollTo(*hit, QAbstractItemView::PositionAtBottom);
    m_view->selectionModel()->select(*hit, QItemSelectionModel::ClearAndSelect
                                               | QItemSelectionModel::Rows);
}

void GenericViewSearch::handleFoundIndices()
{
    emit stopAutoscroll();
    showProgressBar(false, false, 0);
    if (!hasModel())
        return;
    // Cleared on its own first, so that the selection change below is not compared range by
    // range with the previous selection.
    clearSelection();
    dropDeadHits();

    // One select() for all hits: selecting them one by one repaints per hit, and the Rows flag
    // merges every range with all the others. Hits come in scan order, so runs of adjacent rows
    // are found by looking at the last run of the same parent.
    QAbstractItemModel *model = m_view->model();
    std::vector<RowRun> runs;
    QHash<QModelIndex, size_t> lastRunOfParent;
    for (const QPersistentModelIndex &hit : qAsConst(m_foundList)) {
        const QModelIndex parent = hit.parent();
        const auto last = lastRunOfParent.find(parent);
        if (last != lastRunOfParent.end()) {
            RowRun &run = runs[*last];
            if (hit.row() >= run.top && hit.row() <= run.bottom + 1) {
                run.bottom = std::max(run.bottom, hit.row());
                continue;
            }
        }
        lastRunOfParent.insert(parent, runs.size());
        runs.push_back({parent, hit.row(), hit.row()});
    }
    QItemSelection selection;
    selection.reserve(int(runs.size()));
    for (const RowRun &run : runs) {
        const int lastColumn = model->columnCount(run.parent) - 1;
        if (lastColumn >= 0)
            selection.append(QItemSelectionRange(model->index(run.top, 0, run.parent),
                                                 model->index(run.bottom, lastColumn, run.parent)));
    }
    m_view->selectionModel()->select(selection, QItemSelectionModel::SelectCurrent);
    m_view->setFocus(Qt::OtherFocusReason);
}

bool GenericViewSearch::jumpToNextIndex()
{
    if (!hasModel())
        return false;
    dropDeadHits();
    if (m_foundList.isEmpty())
        return false;
    if (m_searchPosition >= m_foundList.size()) {
        searchResult(WrappedAround);
        m_searchPosition = 0;
    }
    const QModelIndex hit = m_foundList.at(m_searchPosition++);
    emit stopAutoscroll();
    m_view->scrollTo(hit, QAbstractItemView::PositionAtBottom);
    // Cleared, not just replacing the current selection: once the model has changed, the
    // selection of the previous step is no longer the current one and would stay selected.
    m_view->selectionModel()->select(hit, QItemSelectionModel::ClearAndSelect
                                              | QItemSelectionModel::Rows);
    return true;
}

QModelIndex GenericViewSearch::foundIndexAfterRow(int row)
{
    dropDeadHits();
    if (m_foundList.isEmpty())
        return QModelIndex();
    for (const QPersistentModelIndex &hit : qAsConst(m_foundList)) {
        if (hit.row() > row)
            return hit;
    }
    searchResult(WrappedAround);
    return m_foundList.constFirst();
}

void GenericViewSearch::searchResult(SearchResult result)
{
    switch (result) {
    case NotFound:
        clearSelection();
        if (m_button)
            m_button->setStyleSheet(QStringLiteral("QPushButton {background-color: red}"));
        break;
    case WrappedAround:
        if (m_button)
            m_button->setStyleSheet(QStringLiteral("QPushButton {background-color: blue}"));
        break;
    }
    m_colourReset.start();
}

void GenericViewSearch::showProgressBar(bool show, bool showProgress, int maximum)
{
    if (!m_progressDialog)
        return;
    if (maximum >= 0)
        m_progressDialog->setMaximum(maximum);
    if (!show) {
        m_progressDialog->hide();
        return;
    }
    const QString text
        = showProgress ? QStringLiteral("Searching data... %p%") : QStringLiteral("Searching...");
    if (auto *bar = m_progressDialog->findChild<QProgressBar *>())
        bar->setFormat(text);
    m_progressDialog->setLabelText(text);
    m_progressDialog->show();
    if (m_view) {
        const QPoint centre = m_view->mapToGlobal(m_view->rect().center());
        m_progressDialog->move(centre.x() - m_progressDialog->width() / 2,
                               centre.y() - m_progressDialog->height() / 2);
    }
    m_progressDialog->raise();
}

void GenericViewSearch::updateProgressbar(unsigned char progress)
{
    if (m_progressDialog && m_progressDialog->isVisible())
        m_progressDialog->setValue(progress);
}

void GenericViewSearch::createAndAddProgressDialog()
{
    // Without a view there is nothing to show it over, and nobody to own it.
    if (!m_view)
        return;
    auto *dialog = new QProgressDialog(m_view);
    m_progressDialog = dialog;
    auto *bar = new QProgressBar(dialog);
    bar->setFormat(tr("Searching data...  %p%"));
    bar->setAlignment(Qt::AlignCenter);
    dialog->setBar(bar);
    dialog->setCancelButton(nullptr);
    dialog->setWindowFlags(dialog->windowFlags() | Qt::FramelessWindowHint);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAttribute(Qt::WA_NoSystemBackground);
    dialog->setAttribute(Qt::WA_TranslucentBackground);
    dialog->setAttribute(Qt::WA_TransparentForMouseEvents);
    dialog->adjustSize();
    QFont font = dialog->font();
    font.setWeight(QFont::Bold);
    dialog->setFont(font);
    // Closing also cancels the dialog's own timer, which would otherwise show it after a few
    // seconds although no search runs.
    dialog->close();
}

void GenericViewSearch::resetSearch()
{
    m_searchAllText.clear();
    m_foundList.clear();
    m_searchPosition = 0;
    m_busy = false;
}

void GenericViewSearch::setSearchTVChildren(bool enabled)
{
    m_searchChildren = enabled;
}

void GenericViewSearch::onSearchNext()
{
    searchSingleOccurrence(m_searchText);
}

void GenericViewSearch::onSearchTextChanged(const QString &newText)
{
    m_searchText = newText;
}

void GenericViewSearch::checkShowProgressBar()
{
    if (!m_busy)
        return;
    showProgressBar(true, false, -1);
    updateProgressbar(0);
}

void GenericViewSearch::resetBtnFindStyleSheet()
{
    if (m_button)
        m_button->setStyleSheet(QString());
}

void GenericViewSearch::onSearchAll()
{
    searchAllOccurrence(m_searchText);
}

bool GenericViewSearch::hasModel() const
{
    return m_view && m_view->model() && m_view->selectionModel();
}

// Hits die with their rows (and all at once with a model reset); hits of a model that the view
// no longer shows are as good as dead. The walk position keeps pointing at the same next hit.
void GenericViewSearch::dropDeadHits()
{
    const QAbstractItemModel *model = m_view ? m_view->model() : nullptr;
    int kept = 0;
    int position = m_searchPosition;
    for (int i = 0; i < m_foundList.size(); ++i) {
        if (m_foundList.at(i).isValid() && m_foundList.at(i).model() == model)
            m_foundList[kept++] = m_foundList.at(i);
        else if (i < m_searchPosition)
            --position;
    }
    m_foundList.erase(m_foundList.begin() + kept, m_foundList.end());
    m_searchPosition = position;
}

void GenericViewSearch::clearSelection()
{
    if (m_view && m_view->selectionModel())
        m_view->selectionModel()->select(QModelIndex(), QItemSelectionModel::Clear);
}
