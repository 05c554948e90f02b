#include "helpviewer.h"
#include "ui_helpviewer.h"

#include "helpbrowser.h"

#include <QFileInfo>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QVBoxLayout>

HelpViewer::HelpViewer(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::HelpViewer)
{
    ui->setupUi(this);
}

HelpViewer::~HelpViewer()
{
    delete ui;
}

void HelpViewer::setHelpFile(const QString &collectionFile)
{
    removeHelpFile();

    m_helpEngine = new QHelpEngine(collectionFile, this);
    m_helpBrowser = new HelpBrowser(m_helpEngine);

    QHelpSearchEngine *searchEngine = m_helpEngine->searchEngine();
    auto *searchPage = new QWidget;
    auto *searchLayout = new QVBoxLayout(searchPage);
    searchLayout->addWidget(searchEngine->queryWidget());
    searchLayout->addWidget(searchEngine->resultWidget(), 1);

    ui->tabWidget->addTab(m_helpEngine->contentWidget(), tr("Content"));
    ui->tabWidget->addTab(searchPage, tr("Search"));
    ui->tabWidget->addTab(m_helpEngine->indexWidget(), tr("Index"));

    HelpBrowser *browser = m_helpBrowser;
    const auto showPage = [browser](const QUrl &url) {
        browser->setSource(url);
    };
    connect(searchEngine->resultWidget(), &QHelpSearchResultWidget::requestShowLink, browser,
            showPage);
    connect(m_helpEngine->contentWidget(), &QHelpContentWidget::linkActivated, browser, showPage);
    connect(m_helpEngine->indexWidget(), &QHelpIndexWidget::documentActivated, this,
            &HelpViewer::onDocumentActivated);
    connect(searchEngine->queryWidget(), &QHelpSearchQueryWidget::search, this,
            &HelpViewer::searchRequest);

    ui->splitter->addWidget(browser);
    ui->splitter->setStretchFactor(1, 4);

    // The engine would create an empty collection at a path where there is none.
    if (QFileInfo::exists(collectionFile))
        m_helpEngine->setupData();
}

void HelpViewer::searchRequest()
{
    if (!m_helpEngine)
        return;
    QHelpSearchEngine *searchEngine = m_helpEngine->searchEngine();
    searchEngine->search(searchEngine->queryWidget()->searchInput());
}

void HelpViewer::onDocumentActivated(const QHelpLink &document, const QString &keyword)
{
    Q_UNUSED(keyword)
    if (m_helpBrowser)
        m_helpBrowser->setSource(document.url);
}

void HelpViewer::on_btnClose_clicked()
{
    close();
}

// The engine's widgets point into the engine and the browser reads from it, so the widgets go
// first. Nothing runs the event loop in between, so no queued signal of the engine's
// background work can reach a widget that is half gone.
void HelpViewer::removeHelpFile()
{
    while (ui->tabWidget->count() > 0) {
        QWidget *page = ui->tabWidget->widget(0);
        ui->tabWidget->removeTab(0);
        delete page;
    }
    delete m_helpBrowser;
    delete m_helpEngine;
}
