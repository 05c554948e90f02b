#include "updatechecker.h"

#include "updateprotocol_p.h"
#include "versionnumber_p.h"

#include <QMessageBox>
#include <QNetworkReply>
#include <QPointer>
#include <QRegularExpression>

UpdateChecker::UpdateChecker(QObject *parent)
    : QObject(parent)
    , m_baseUrl(UpdateProtocol::defaultBaseUrl())
    , m_timeout(UpdateProtocol::DefaultTimeout)
{}

UpdateChecker::~UpdateChecker()
{
    // The manager outlives the other members and deletes its unfinished replies.
    m_manager.disconnect(this);
}

void UpdateChecker::setBaseUrl(const QUrl &url)
{
    m_baseUrl = url;
}

QUrl UpdateChecker::baseUrl() const
{
    return m_baseUrl;
}

void UpdateChecker::setTimeout(int msec)
{
    m_timeout = msec;
}

int UpdateChecker::timeout() const
{
    return m_timeout;
}

void UpdateChecker::queryForUpdates(const QString &product, const QString &version, bool silent)
{
    m_product = product;
    m_version = version;
    m_silent = silent;
    m_title = QStringLiteral("Update Check");
    connect(&m_manager, &QNetworkAccessManager::finished, this, &UpdateChecker::replyFinished,
            Qt::UniqueConnection);
    QNetworkReply *reply = m_manager.get(UpdateProtocol::request(
        m_baseUrl, QLatin1String("/versioninfo/") + product + QLatin1String(".info"), m_timeout));
    UpdateProtocol::limitReplySize(reply);
}

void UpdateChecker::replyFinished(QNetworkReply *reply)
{
    reply->deleteLater();
    if (m_answered)
        return;
    m_answered = true;

    QString informativeText;
    bool succeeded = false;
    bool newer = false;
    if (UpdateProtocol::isOversized(reply)) {
        informativeText = QStringLiteral("Invalid data received from update server:");
    } else if (reply->error() != QNetworkReply::NoError) {
        informativeText = QLatin1String("No connection to ") + reply->url().toString();
    } else {
        QByteArray content = reply->readAll();
        const int end = content.indexOf('\0');
        if (end >= 0)
            content.truncate(end);
        static const QRegularExpression line(QStringLiteral("(.*):([0-9]*\\.*[0-9]*\\.*[*-9]*)"));
        const QRegularExpressionMatch match = line.match(QString::fromUtf8(content));
        const QString serverVersion = match.captured(2);
        if (match.captured(1) != m_product) {
            informativeText = QStringLiteral("Invalid data received from update server:");
        } else {
            succeeded = true;
            newer = VersionNumber::compare(m_version, serverVersion) < 0;
            informativeText = newer ? QLatin1String("New version ") + serverVersion
                                          + QLatin1String(" is available.")
                                    : QLatin1String("No new version available. Version ")
                                          + serverVersion + QLatin1String(" is current version.");
        }
    }

    if (m_silent) {
        if (newer)
            emit newVersion(informativeText);
    } else {
        QMessageBox box;
        box.setWindowTitle(m_title);
        box.setText(succeeded ? tr("Query for update successful.")
                              : tr("Query for update has failed."));
        box.setInformativeText(informativeText);
        box.setIcon(newer ? QMessageBox::Information : QMessageBox::Warning);
        // The tool may delete the checker while the box runs its event loop.
        QPointer<UpdateChecker> self(this);
        box.exec();
        if (!self)
            return;
    }
    deleteLater();
}
