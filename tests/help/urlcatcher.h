#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QUrl>

/** Takes every "file" URL that the code under test opens with QDesktopServices::openUrl, so the
 *  test sees exactly what would have reached the system's viewer. */
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

    QList<QUrl> urls;

public slots:
    void openUrl(const QUrl &url) { urls.append(url); }
};
