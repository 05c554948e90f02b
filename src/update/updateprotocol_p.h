#pragma once

#include <QByteArray>
#include <QDataStream>
#include <QString>

class QNetworkReply;
class QNetworkRequest;
class QUrl;

/** What both update checkers and the TCP client share: the server's address, how a request is
 *  made, the limits on what is accepted, and the frame of the binary records (a qint64 length of
 *  what follows, then one QByteArray, written with QDataStream::Qt_5_1 in big-endian order). */
namespace UpdateProtocol {

constexpr QDataStream::Version StreamVersion = QDataStream::Qt_5_1;
constexpr int DefaultTimeout = 30000;
constexpr qint64 MaxReplySize = 1024 * 1024;
constexpr qint64 MaxFrameSize = 16 * 1024 * 1024;

QUrl defaultBaseUrl();

/** A request for \a path below \a baseUrl (whose own path is kept, without a doubled slash)
 *  that follows redirects only while they stay on HTTPS and fails after \a timeout ms without
 *  a byte (never, when \a timeout is 0 or less). */
QNetworkRequest request(const QUrl &baseUrl, const QString &path, int timeout);

/** Aborts \a reply as soon as its body is announced or found to be larger than MaxReplySize;
 *  isOversized() then tells this abort from any other end of the reply. The body of an HTTP
 *  error status is dropped as it arrives instead, so that such a reply ends with its error. */
void limitReplySize(QNetworkReply *reply);
bool isOversized(const QNetworkReply *reply);

/** \a content as one frame. */
QByteArray frame(const QByteArray &content);
/** Reads a frame, length field included, from the start of \a frame; bytes after it are
 *  ignored. False unless all the bytes its length announces are there and the QByteArray fills
 *  exactly those. */
bool readFrame(const QByteArray &frame, QByteArray *content);
/** Reads what follows the length field of a frame, with the same checks. */
bool readFrameBody(const QByteArray &body, QByteArray *content);

} // namespace UpdateProtocol
