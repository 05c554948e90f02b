#include "updateprotocol_p.h"

#include <QIODevice>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>
#include <QVariant>

namespace {

const char OversizedProperty[] = "_zezuzudod_oversized";

bool isErrorPage(const QNetworkReply *reply)
{
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() >= 400;
}

} // namespace

namespace UpdateProtocol {

QUrl defaultBaseUrl()
{
    return QUrl(QString::fromUtf8(ZEZUZUDOD_UPDATE_BASE_URL));
}

QNetworkRequest request(const QUrl &baseUrl, const QString &path, int timeout)
{
    QUrl url = baseUrl;
    QString basePath = url.path();
    if (basePath.endsWith(QLatin1Char('/')))
        basePath.chop(1);
    url.setPath(basePath + path);
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    // Qt restarts the transfer timer on every byte in either direction, which is exactly "no
    // byte for that long"; the reply then ends as if aborted.
    request.setTransferTimeout(timeout > 0 ? timeout : 0);
    return request;
}

void limitReplySize(QNetworkReply *reply)
{
    // The body of an error page is never used: it is dropped as it arrives, so that the reply
    // ends with the server's error however large the page is.
    QObject::connect(reply, &QIODevice::readyRead, reply, [reply] {
        if (isErrorPage(reply))
            reply->skip(reply->bytesAvailable());
    });
    QObject::connect(
        reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64 total) {
            if ((received <= MaxReplySize && total <= MaxReplySize) || isErrorPage(reply))
                return;
            if (reply->property(OversizedProperty).toBool())
                return;
            reply->setProperty(OversizedProperty, true);
            reply->abort();
        });
}

bool isOversized(const QNetworkReply *reply)
{
    return reply->property(OversizedProperty).toBool();
}

QByteArray frame(const QByteArray &content)
{
    QByteArray result;
    QDataStream out(&result, QIODevice::WriteOnly);
    out.setVersion(StreamVersion);
    out << qint64(0) << content;
    out.device()->seek(0);
    out << qint64(result.size() - qint64(sizeof(qint64)));
    return result;
}

bool readFrame(const QByteArray &frame, QByteArray *content)
{
    QDataStream in(frame);
    in.setVersion(StreamVersion);
    qint64 length = -1;
    in >> length;
    // What follows the frame, such as the line end that a server script may add, is not part
    // of it; a frame that ends early is no answer.
    const qint64 available = frame.size() - qint64(sizeof(qint64));
    if (in.status() != QDataStream::Ok || length < 0 || length > available)
        return false;
    return readFrameBody(frame.mid(sizeof(qint64), int(length)), content);
}

bool readFrameBody(const QByteArray &body, QByteArray *content)
{
    QDataStream in(body);
    in.setVersion(StreamVersion);
    in >> *content;
    return in.status() == QDataStream::Ok && in.atEnd();
}

} // namespace UpdateProtocol
