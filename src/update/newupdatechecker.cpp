#include "newupdatechecker.h"

#include "newupdatecheckerworker.h"
#include "updateprotocol_p.h"
#include "versionnumber_p.h"

#include <QHostAddress>
#include <QMessageBox>
#include <QPointer>

namespace {

constexpr qint16 VersionQuery = 0x200A;
constexpr qint16 MapPayload = 0x2000;
constexpr auto PostSignal
    = qOverload<const QNetworkRequest &, const QByteArray &>(&newUpdateChecker::post);

} // namespace

newUpdateChecker::newUpdateChecker(QObject *parent)
    : QObject(parent)
    , m_baseUrl(UpdateProtocol::defaultBaseUrl())
    , m_timeout(UpdateProtocol::DefaultTimeout)
{
    qRegisterMetaType<QNetworkRequest>();
    qRegisterMetaType<QNetworkReply::NetworkError>();
    m_workerThread.setObjectName(QStringLiteral("newUpdateChecker worker"));
    connect(&m_socket, &TcpSocketClient::receivedData, this, &newUpdateChecker::readData);
}

newUpdateChecker::~newUpdateChecker()
{
    // The worker and whatever it still waits for are deleted in the worker thread. The
    // connections between it and this object are cut here first, so that their bookkeeping is
    // undone in this thread and the worker's deletion does not reach into this object, which
    // this thread frees next.
    if (m_worker) {
        disconnect(this, PostSignal, m_worker, &NewUpdateCheckerWorker::doWork);
        disconnect(m_worker, &NewUpdateCheckerWorker::resultReady, this,
                   &newUpdateChecker::handlePostResult);
        m_worker->deleteLater();
    }
    m_workerThread.quit();
    m_workerThread.wait();
}

void newUpdateChecker::setBaseUrl(const QUrl &url)
{
    m_baseUrl = url;
}

QUrl newUpdateChecker::baseUrl() const
{
    return m_baseUrl;
}

void newUpdateChecker::setTimeout(int msec)
{
    m_timeout = msec;
}

int newUpdateChecker::timeout() const
{
    return m_timeout;
}

void newUpdateChecker::setServerAddress(const QString &address, quint16 port)
{
    m_serverAddress = address;
    m_serverPort = port;
}

void newUpdateChecker::checkForUpdates(const QString &productId, const QString &version,
                                       signed char, bool showMessages)
{
    m_productKey = productId.startsWith(QLatin1String("01")) ? productId.mid(1) : productId;
    m_version = version;
    m_showMessages = showMessages;
    sendList({m_productKey}, VersionQuery);
}

void newUpdateChecker::sendList(const QStringList &list, unsigned short command)
{
    QByteArray arguments;
    QDataStream argumentsOut(&arguments, QIODevice::WriteOnly);
    argumentsOut.setVersion(UpdateProtocol::StreamVersion);
    argumentsOut << qint32(list.size());
    for (const QString &item : list)
        argumentsOut << item;

    QByteArray block;
    QDataStream blockOut(&block, QIODevice::WriteOnly);
    blockOut.setVersion(UpdateProtocol::StreamVersion);
    blockOut << qint16(command) << arguments;

    QNetworkRequest request = UpdateProtocol::request(
        m_baseUrl, QStringLiteral("/versioninfo/versionstest.php"), m_timeout);
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("application/x-www-form-urlencoded"));
    // The server reads the Base64 text as it stands: "+", "/" and "=" are not escaped.
    const QByteArray body = "productid=" + UpdateProtocol::frame(block).toBase64();

    // One worker for all checks: a worker per check would leave every earlier one connected
    // to post() as well, and each request would be sent once per check made so far.
    if (!m_worker) {
        m_worker = new NewUpdateCheckerWorker;
        m_worker->moveToThread(&m_workerThread);
        connect(this, PostSignal, m_worker, &NewUpdateCheckerWorker::doWork, Qt::UniqueConnection);
        connect(m_worker, &NewUpdateCheckerWorker::resultReady, this,
                &newUpdateChecker::handlePostResult);
    }
    m_workerThread.start(QThread::InheritPriority);
    emit post(request, body);
}

void newUpdateChecker::connectToServer()
{
    m_socket.connectToHost(QHostAddress(m_serverAddress), m_serverPort, QIODevice::ReadWrite);
    m_socket.setSocketOption(QAbstractSocket::KeepAliveOption, 0);
}

void newUpdateChecker::replyFinished(QNetworkReply *reply)
{
    const QByteArray content = reply->readAll();
    if (!content.isEmpty())
        readData(content);
    else if (m_showMessages)
        noConnection(reply);
}

void newUpdateChecker::replyError(QNetworkReply::NetworkError error)
{
    emit networkReplyError(error);
}

void newUpdateChecker::readData(const QByteArray &receivedData)
{
    QByteArray block;
    if (!UpdateProtocol::readFrame(receivedData, &block))
        return;

    QDataStream blockIn(block);
    blockIn.setVersion(UpdateProtocol::StreamVersion);
    qint16 command = 0;
    QByteArray result;
    blockIn >> command >> result;

    QDataStream resultIn(result);
    resultIn.setVersion(UpdateProtocol::StreamVersion);
    qint8 status = 0;
    QByteArray payload;
    resultIn >> status >> payload;

    QMap<QString, QString> versionList;
    QDataStream payloadIn(payload);
    payloadIn.setVersion(UpdateProtocol::StreamVersion);
    if (command & MapPayload)
        payloadIn >> versionList;

    // A record that ends early must not read as an empty list, which would be version 0.0.0.
    if (blockIn.status() != QDataStream::Ok || resultIn.status() != QDataStream::Ok
        || payloadIn.status() != QDataStream::Ok)
        return;
    if (status == 1 && command == VersionQuery)
        checkNewerVersion(versionList);
}

void newUpdateChecker::checkNewerVersion(const QMap<QString, QString> &versionList)
{
    // The stored key stays as given, so that a second answer to the same check finds it too.
    const QString productKey = m_productKey + QLatin1String("-10");
    const uint number = versionList.value(productKey).toUInt();
    const QString serverVersion = QStringLiteral("%1.%2.%3")
                                      .arg(number / 1000000)
                                      .arg(number / 1000 % 1000)
                                      .arg(number % 1000);
    const bool newer = VersionNumber::compare(serverVersion, m_version) > 0;
    if (!m_showMessages) {
        emit versionAvailable(serverVersion, productKey, newer);
        return;
    }
    QMessageBox box;
    box.setText(tr("Query for update successful."));
    if (newer) {
        box.setInformativeText(QLatin1String("New version ") + serverVersion
                               + QLatin1String(" is available."));
        box.setIcon(QMessageBox::Information);
    } else {
        box.setInformativeText(QLatin1String("No new version available. Version ")
                               + VersionNumber::threePartForm(m_version)
                               + QLatin1String(" is current version."));
        box.setIcon(QMessageBox::Warning);
    }
    box.exec();
}

void newUpdateChecker::noConnection(QNetworkReply *reply)
{
    QMessageBox box;
    box.setIcon(QMessageBox::Warning);
    box.setText(tr("Query for update has failed."));
    box.setInformativeText(QLatin1String("No connection to ") + reply->url().toString());
    box.exec();
}

void newUpdateChecker::handlePostResult(QNetworkReply *reply, QNetworkReply::NetworkError error)
{
    if (!reply) {
        emit networkReplyError(error);
        return;
    }
    // A box may run its own event loop, and the tool may delete the checker meanwhile; the
    // reply then went with the worker.
    QPointer<newUpdateChecker> self(this);
    replyFinished(reply);
    if (self)
        reply->deleteLater();
}
