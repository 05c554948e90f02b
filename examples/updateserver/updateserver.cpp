#include "updateserver.h"

#include <QDataStream>
#include <QFile>
#include <QRegularExpression>
#include <QSslSocket>
#include <QTextStream>
#include <QUrl>

namespace {

constexpr QDataStream::Version StreamVersion = QDataStream::Qt_5_1;
constexpr int MaxHeaderSize = 64 * 1024;
constexpr int MaxBodySize = 1024 * 1024;

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 400:
        return "Bad Request";
    case 404:
        return "Not Found";
    case 413:
        return "Payload Too Large";
    default:
        return status < 400 ? "Unknown" : "Error";
    }
}

UpdateServer::Response textResponse(int status, const QByteArray &text)
{
    UpdateServer::Response response;
    response.status = status;
    response.body = text;
    response.contentType = "text/plain; charset=utf-8";
    return response;
}

void writeResponse(QTcpSocket *socket, const UpdateServer::Response &response)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + ' '
                      + reasonPhrase(response.status) + "\r\nContent-Type: " + response.contentType
                      + "\r\nContent-Length: " + QByteArray::number(response.body.size())
                      + "\r\nConnection: close\r\n";
    if (!response.location.isEmpty())
        head += "Location: " + response.location + "\r\n";
    socket->write(head + "\r\n" + response.body);
    socket->disconnectFromHost();
}

} // namespace

UpdateServer::UpdateServer(QObject *parent)
    : QTcpServer(parent)
{
    qRegisterMetaType<UpdateServer::Request>();
}

bool UpdateServer::setCertificate(const QString &certificateFile, const QString &keyFile,
                                  QString *error)
{
    QFile certificate(certificateFile);
    QFile key(keyFile);
    if (!certificate.open(QIODevice::ReadOnly) || !key.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1 or %2").arg(certificateFile, keyFile);
        return false;
    }
    const QSslCertificate cert(certificate.readAll());
    const QByteArray keyPem = key.readAll();
    QSslKey sslKey(keyPem, QSsl::Ec);
    if (sslKey.isNull())
        sslKey = QSslKey(keyPem, QSsl::Rsa);
    if (cert.isNull() || sslKey.isNull()) {
        *error = QStringLiteral("%1 is no PEM certificate or %2 no PEM key")
                     .arg(certificateFile, keyFile);
        return false;
    }
    setCertificate(cert, sslKey);
    return true;
}

void UpdateServer::setCertificate(const QSslCertificate &certificate, const QSslKey &key)
{
    m_certificate = certificate;
    m_key = key;
}

bool UpdateServer::loadVersions(const QString &fileName, QString *error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("cannot read %1").arg(fileName);
        return false;
    }
    static const QRegularExpression entry(QStringLiteral("^\\s*([^=\\s]+)\\s*=\\s*(\\S+)\\s*$"));
    QTextStream in(&file);
    in.setCodec("UTF-8");
    for (int number = 1; !in.atEnd(); ++number) {
        const QString line = in.readLine();
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(QLatin1Char('#')))
            continue;
        const QRegularExpressionMatch match = entry.match(line);
        if (!match.hasMatch()) {
            *error = QStringLiteral("%1:%2: expected \"<product> = <version>\"")
                         .arg(fileName)
                         .arg(number);
            return false;
        }
        setVersion(match.captured(1), match.captured(2));
    }
    return true;
}

void UpdateServer::setVersion(const QString &product, const QString &version)
{
    m_versions.insert(product, version);
}

void UpdateServer::setFixedResponse(const QByteArray &path, const Response &response)
{
    m_fixedResponses.insert(path, response);
}

void UpdateServer::removeFixedResponse(const QByteArray &path)
{
    m_fixedResponses.remove(path);
}

QByteArray UpdateServer::replyFrame(qint16 command, qint8 status, const QByteArray &payload)
{
    QByteArray result;
    QDataStream resultOut(&result, QIODevice::WriteOnly);
    resultOut.setVersion(StreamVersion);
    resultOut << status << payload;

    QByteArray block;
    QDataStream blockOut(&block, QIODevice::WriteOnly);
    blockOut.setVersion(StreamVersion);
    blockOut << command << result;

    QByteArray frame;
    QDataStream frameOut(&frame, QIODevice::WriteOnly);
    frameOut.setVersion(StreamVersion);
    frameOut << qint64(sizeof(quint32) + block.size()) << block;
    return frame;
}

QByteArray UpdateServer::versionPayload(const QMap<QString, QString> &versions)
{
    QMap<QString, QString> numbers;
    for (auto it = versions.cbegin(); it != versions.cend(); ++it)
        numbers.insert(it.key(), versionNumber(it.value()));
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out.setVersion(StreamVersion);
    out << numbers;
    return payload;
}

QString UpdateServer::versionNumber(const QString &version)
{
    const QStringList parts = version.split(QLatin1Char('.'));
    quint64 number = 0;
    for (int i = 0; i < 3; ++i)
        number = number * 1000 + parts.value(i).toULongLong();
    return QString::number(number);
}

void UpdateServer::incomingConnection(qintptr handle)
{
    auto *socket = new QSslSocket(this);
    if (!socket->setSocketDescriptor(handle)) {
        delete socket;
        return;
    }
    connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QIODevice::readyRead, this, [this, socket] { readRequest(socket); });
    if (!m_certificate.isNull()) {
        socket->setLocalCertificate(m_certificate);
        socket->setPrivateKey(m_key);
        socket->setPeerVerifyMode(QSslSocket::VerifyNone);
        // A client that rejects the certificate just goes away.
        connect(socket, qOverload<const QList<QSslError> &>(&QSslSocket::sslErrors), socket,
                &QAbstractSocket::abort);
        socket->startServerEncryption();
    }
}

void UpdateServer::readRequest(QTcpSocket *socket)
{
    // The request stays in the socket's buffer until it is complete.
    const QByteArray buffered = socket->peek(socket->bytesAvailable());
    const int headerEnd = buffered.indexOf("\r\n\r\n");
    if (headerEnd < 0) {
        if (buffered.size() > MaxHeaderSize)
            writeResponse(socket, textResponse(413, "header too large\n"));
        return;
    }
    const QList<QByteArray> lines = buffered.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    Request request;
    request.method = requestLine.value(0);
    request.path = requestLine.value(1);
    qint64 contentLength = 0;
    for (int i = 1; i < lines.size(); ++i) {
        const int colon = lines.at(i).indexOf(':');
        const QByteArray name = lines.at(i).left(colon).trimmed().toLower();
        const QByteArray value = lines.at(i).mid(colon + 1).trimmed();
        if (name == "content-length")
            contentLength = value.toLongLong();
        else if (name == "content-type")
            request.contentType = value;
    }
    if (contentLength < 0 || contentLength > MaxBodySize) {
        writeResponse(socket, textResponse(413, "body too large\n"));
        return;
    }
    if (buffered.size() < headerEnd + 4 + contentLength)
        return;
    socket->read(headerEnd + 4);
    request.body = socket->read(contentLength);
    disconnect(socket, &QIODevice::readyRead, this, nullptr);

    const Response response = answer(request);
    emit requestReceived(request);
    writeResponse(socket, response);
}

UpdateServer::Response UpdateServer::answer(Request &request) const
{
    // Any prefix is taken, as from a server that stands behind a mirror path.
    const QByteArray path = QUrl::fromEncoded(request.path).path(QUrl::FullyEncoded).toUtf8();
    const bool query = request.method == "POST" && path.endsWith("/versioninfo/versionstest.php");
    if (query)
        parseQuery(request);
    const auto fixed = m_fixedResponses.constFind(path);
    if (fixed != m_fixedResponses.cend())
        return *fixed;

    static const QRegularExpression versionFile(QStringLiteral("/versioninfo/([^/]+)\\.info$"));
    const QRegularExpressionMatch file = versionFile.match(QUrl::fromPercentEncoding(path));
    if (request.method == "GET" && file.hasMatch()) {
        const QString product = file.captured(1);
        if (!m_versions.contains(product))
            return textResponse(404, "unknown product\n");
        return textResponse(
            200,
            (product + QLatin1Char(':') + m_versions.value(product) + QLatin1Char('\n')).toUtf8());
    }
    if (query) {
        if (!request.queryValid)
            return textResponse(400, "not a version query\n");
        Response response;
        response.body = request.command == VersionQuery
                            ? replyFrame(VersionQuery, 1, versionPayload(m_versions))
                            : replyFrame(request.command, 0, QByteArray());
        return response;
    }
    return textResponse(404, "not found\n");
}

void UpdateServer::parseQuery(Request &request)
{
    // The body is read as the clients send it: "+", "/" and "=" of the Base64 text stand as
    // they are, although a form body would escape them.
    if (!request.body.startsWith("productid="))
        return;
    const auto decoded = QByteArray::fromBase64Encoding(request.body.mid(10),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return;
    QDataStream frameIn(*decoded);
    frameIn.setVersion(StreamVersion);
    QByteArray block;
    frameIn >> request.frameLength >> block;

    QDataStream blockIn(block);
    blockIn.setVersion(StreamVersion);
    QByteArray arguments;
    blockIn >> request.command >> arguments;

    QDataStream argumentsIn(arguments);
    argumentsIn.setVersion(StreamVersion);
    qint32 count = 0;
    argumentsIn >> count;
    for (qint32 i = 0; i < count && argumentsIn.status() == QDataStream::Ok; ++i) {
        QString argument;
        argumentsIn >> argument;
        request.arguments.append(argument);
    }
    request.queryValid = frameIn.status() == QDataStream::Ok && frameIn.atEnd()
                         && request.frameLength == decoded.decoded.size() - qint64(sizeof(qint64))
                         && blockIn.status() == QDataStream::Ok && blockIn.atEnd()
                         && argumentsIn.status() == QDataStream::Ok && argumentsIn.atEnd();
}
