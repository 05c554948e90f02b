#pragma once

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QSslCertificate>
#include <QSslKey>
#include <QStringList>
#include <QTcpServer>

/** The update server of the tool family, small enough for tests and demos: HTTPS (or plain HTTP
 *  without a certificate) with one request per connection.
 *
 *    GET  /versioninfo/<product>.info       "<product>:<version>\n", 404 for an unknown product
 *    POST /versioninfo/versionstest.php     body "productid=" + Base64 of a version query frame;
 *                                           the answer frame maps every known product key to
 *                                           its version number (major * 1000000 + minor * 1000
 *                                           + patch), or has status 0 for another command
 *
 *  Both paths may follow a prefix (a mirror path). Products and versions come from a text
 *  file of lines "<product> = <version>" (# starts a comment). A fixed response can be put in
 *  place of any path, for a server that misbehaves. */
class UpdateServer : public QTcpServer
{
    Q_OBJECT
public:
    static constexpr qint16 VersionQuery = 0x200A;

    /** What the server read from a request; the query fields only for a readable query body. */
    struct Request
    {
        QByteArray method;
        QByteArray path;
        QByteArray contentType;
        QByteArray body;
        bool queryValid = false;
        qint64 frameLength = -1;
        qint16 command = 0;
        QStringList arguments;
    };

    struct Response
    {
        Response(int status = 200, const QByteArray &body = QByteArray(),
                 const QByteArray &location = QByteArray())
            : status(status)
            , body(body)
            , location(location)
        {}

        int status;
        QByteArray body;
        QByteArray location; // of a redirect
        QByteArray contentType = "application/octet-stream";
    };

    explicit UpdateServer(QObject *parent = nullptr);

    /** Serves HTTPS with this certificate and key (PEM files). False with \a error set when
     *  either cannot be read. */
    bool setCertificate(const QString &certificateFile, const QString &keyFile, QString *error);
    void setCertificate(const QSslCertificate &certificate, const QSslKey &key);

    /** Reads the product file; false with \a error set when it cannot be read or has a line
     *  that is neither a comment nor "<product> = <version>". */
    bool loadVersions(const QString &fileName, QString *error);
    void setVersion(const QString &product, const QString &version);

    void setFixedResponse(const QByteArray &path, const Response &response);
    void removeFixedResponse(const QByteArray &path);

    /** A reply frame as the version query answers it. */
    static QByteArray replyFrame(qint16 command, qint8 status, const QByteArray &payload);
    static QByteArray versionPayload(const QMap<QString, QString> &versions);
    /** major * 1000000 + minor * 1000 + patch of a dotted version, as decimal text. */
    static QString versionNumber(const QString &version);

signals:
    void requestReceived(const UpdateServer::Request &request);

protected:
    void incomingConnection(qintptr handle) override;

private:
    void readRequest(QTcpSocket *socket);
    Response answer(Request &request) const;
    static void parseQuery(Request &request);

    QSslCertificate m_certificate;
    QSslKey m_key;
    QMap<QString, QString> m_versions;
    QHash<QByteArray, Response> m_fixedResponses;
};

Q_DECLARE_METATYPE(UpdateServer::Request)
