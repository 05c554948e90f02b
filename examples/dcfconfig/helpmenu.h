#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class AboutDialog;
class HelpViewer;
class ManualHandler;
class QMainWindow;
class QMenu;
class TipOfTheDay;
class newUpdateChecker;

/** The Help menu of the tool: the manual in the help viewer, the PDF manuals, the tip of the
 *  day, the update check and the about dialog. The menu and the window are the caller's; the
 *  dialogs are children of the window.
 *
 *  The update server and a certificate authority to trust for it (a PEM file, e.g. the demo
 *  server's own) are read from the settings group "UpdateCheck", keys "ServerUrl" and "CaFile";
 *  setUpdateServer() overrides them for the run. */
class HelpMenu : public QObject
{
    Q_OBJECT
public:
    /** The product the update server knows the tool by. */
    static constexpr const char *ProductId = "01777";

    HelpMenu(QMenu *menu, QMainWindow *window);
    ~HelpMenu() override;

    /** Checks against \a url; an invalid one means the library's default server. */
    void setUpdateServer(const QUrl &url);
    QUrl updateServer() const { return m_updateUrl; }
    /** Trusts the certificates in the PEM file \a caFile as well (none when empty). */
    void setUpdateCaFile(const QString &caFile);

    /** Shows the tip of the day unless the user switched it off. */
    void showTipAtStartup();

public slots:
    /** Shows the tool's manual; null when the tool has no help collection. */
    HelpViewer *showManual();
    TipOfTheDay *showTipOfTheDay();
    /** Asks the update server; the answer comes as a message box. */
    void checkForUpdates();
    AboutDialog *showAbout();

private:
    void showFirstPage();
    void saveTipValues(unsigned char lastTip, bool showTips);
    bool trustCertificates();

    QMainWindow *m_window;
    ManualHandler *m_manuals;
    QPointer<HelpViewer> m_helpViewer;
    QPointer<TipOfTheDay> m_tipOfTheDay;
    QPointer<AboutDialog> m_about;
    newUpdateChecker *m_updateChecker = nullptr;
    QUrl m_updateUrl;
    QString m_caFile;
    QString m_trustedCaFile;
};
