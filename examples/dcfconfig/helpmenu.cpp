#include "helpmenu.h"

#include "toolpaths.h"

#include <ZezuzuDOD/aboutdialog.h>
#include <ZezuzuDOD/guihelper.h>
#include <ZezuzuDOD/helpviewer.h>
#include <ZezuzuDOD/manualhandler.h>
#include <ZezuzuDOD/newupdatechecker.h>
#include <ZezuzuDOD/tipoftheday.h>
#include <ZezuzuDOD/zezuzudod.h>

#include <QApplication>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpLink>
#include <QMainWindow>
#include <QMenu>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QStatusBar>

namespace {

const QString tipGroup = QStringLiteral("TipOfTheDay");
const QString updateGroup = QStringLiteral("UpdateCheck");

bool tipsWanted()
{
    const QVariant show = GuiHelper::restoreSetting(tipGroup, QStringLiteral("ShowTips"));
    return !show.isValid() || show.toBool();
}

} // namespace

HelpMenu::HelpMenu(QMenu *menu, QMainWindow *window)
    : QObject(window)
    , m_window(window)
    , m_manuals(new ManualHandler(this))
    , m_updateUrl(GuiHelper::restoreSetting(updateGroup, QStringLiteral("ServerUrl")).toUrl())
    , m_caFile(GuiHelper::restoreSetting(updateGroup, QStringLiteral("CaFile")).toString())
{
    QAction *manual = menu->addAction(tr("&Manual"), this, &HelpMenu::showManual);
    manual->setShortcut(QKeySequence::HelpContents);
    manual->setEnabled(!ToolPaths::installedHelpCollection().isEmpty());

    const QString manuals = ToolPaths::manualsFolder();
    if (!manuals.isEmpty()) {
        m_manuals->setManualsPath(manuals);
        if (QMenu *pdfs = m_manuals->getManualsMenu()) {
            pdfs->setTitle(tr("Ma&nuals"));
            menu->addMenu(pdfs);
        }
    }
    menu->addAction(tr("&Tip of the Day"), this, &HelpMenu::showTipOfTheDay);
    menu->addSeparator();
    menu->addAction(tr("Check for &Updates..."), this, &HelpMenu::checkForUpdates);
    menu->addSeparator();
    menu->addAction(tr("&About DCF Config"), this, &HelpMenu::showAbout);
    // The about dialog's licence notice points here.
    menu->addAction(tr("About &Qt"), qApp, &QApplication::aboutQt);
}

HelpMenu::~HelpMenu() = default;

void HelpMenu::setUpdateServer(const QUrl &url)
{
    m_updateUrl = url;
}

void HelpMenu::setUpdateCaFile(const QString &caFile)
{
    m_caFile = caFile;
}

void HelpMenu::showTipAtStartup()
{
    if (tipsWanted())
        showTipOfTheDay();
}

HelpViewer *HelpMenu::showManual()
{
    if (!m_helpViewer) {
        const QString collection = ToolPaths::helpCollection();
        if (collection.isEmpty()) {
            m_window->statusBar()->showMessage(tr("The manual is not installed."));
            return nullptr;
        }
        m_helpViewer = new HelpViewer(m_window);
        m_helpViewer->setWindowTitle(tr("DCF Config Manual"));
        m_helpViewer->resize(900, 600);
        m_helpViewer->setHelpFile(collection);
        showFirstPage();
    }
    m_helpViewer->show();
    m_helpViewer->raise();
    m_helpViewer->activateWindow();
    return m_helpViewer;
}

// The viewer starts with an empty page; the manual's first page is where a reader begins. The
// contents are read in a thread of the help engine, so the page may come a little later.
void HelpMenu::showFirstPage()
{
    auto *engine = m_helpViewer->findChild<QHelpEngine *>();
    if (!engine)
        return;
    QHelpContentModel *model = engine->contentModel();
    HelpViewer *viewer = m_helpViewer;
    // The viewer shows a page of its collection as it does for an index entry.
    const auto show = [model, viewer] {
        if (QHelpContentItem *first = model->contentItemAt(model->index(0, 0)))
            viewer->onDocumentActivated({first->url(), first->title()}, QString());
    };
    if (model->rowCount() > 0)
        show();
    else
        connect(model, &QHelpContentModel::contentsCreated, viewer, show);
}

TipOfTheDay *HelpMenu::showTipOfTheDay()
{
    if (!m_tipOfTheDay) {
        // Beyond the last tip: the first run starts with the first one.
        const QVariant last = GuiHelper::restoreSetting(tipGroup, QStringLiteral("LastTip"));
        const auto lastTip = static_cast<unsigned char>(last.isValid() ? last.toUInt() : 255);
        // Qt's resources pick the tips of the current language.
        m_tipOfTheDay
            = new TipOfTheDay(QStringLiteral(":/totd/tips.txt"), tipsWanted(), lastTip, m_window);
        m_tipOfTheDay->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_tipOfTheDay, &TipOfTheDay::newTipValues, this, &HelpMenu::saveTipValues);
    }
    m_tipOfTheDay->show();
    return m_tipOfTheDay;
}

void HelpMenu::saveTipValues(unsigned char lastTip, bool showTips)
{
    GuiHelper::saveSetting(tipGroup, QStringLiteral("LastTip"), int(lastTip));
    GuiHelper::saveSetting(tipGroup, QStringLiteral("ShowTips"), showTips);
}

void HelpMenu::checkForUpdates()
{
    if (!trustCertificates())
        return;
    if (!m_updateChecker) {
        m_updateChecker = new newUpdateChecker(this);
        connect(m_updateChecker, &newUpdateChecker::networkReplyError, this, [this] {
            m_window->statusBar()->showMessage(tr("The update server could not be asked."));
        });
    }
    if (m_updateUrl.isValid())
        m_updateChecker->setBaseUrl(m_updateUrl);
    // The answer comes as a message box; the status only says what is going on meanwhile.
    m_window->statusBar()->showMessage(
        tr("Asking %1 for updates...").arg(m_updateChecker->baseUrl().toDisplayString()), 10000);
    m_updateChecker->checkForUpdates(QLatin1String(ProductId),
                                     QCoreApplication::applicationVersion(), 0, true);
}

// A private authority (the demo server's) is added to the default configuration, which every
// later TLS connection of the process starts from, the update worker's included.
bool HelpMenu::trustCertificates()
{
    if (m_caFile.isEmpty() || m_caFile == m_trustedCaFile)
        return true;
    const QList<QSslCertificate> certificates = QSslCertificate::fromPath(m_caFile);
    if (certificates.isEmpty()) {
        GuiHelper::showMessageBox(m_window, tr("Check for Updates"),
                                  tr("No certificate could be read from %1.").arg(m_caFile),
                                  QString(), QMessageBox::Ok, QMessageBox::Warning);
        return false;
    }
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.addCaCertificates(certificates);
    QSslConfiguration::setDefaultConfiguration(configuration);
    m_trustedCaFile = m_caFile;
    return true;
}

AboutDialog *HelpMenu::showAbout()
{
    if (!m_about) {
        m_about = new AboutDialog(m_window);
        m_about->setAboutText(
            tr("<b>DCF Config %1</b><br>Commissioning of CANopen devices<br>ZezuzuDOD %2")
                .arg(QCoreApplication::applicationVersion(), ZezuzuDOD::version));
    }
    m_about->show();
    return m_about;
}
