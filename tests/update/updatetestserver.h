#pragma once

#include "updateserver.h"

#include <QNetworkReply>
#include <QUrl>

#include <memory>

/** Update servers on 127.0.0.1 for the tests, with the certificates that the build made for
 *  this tree (ca.pem is the authority the tests trust). */
namespace UpdateTest {

/** Adds the test authority to the default TLS configuration of the process. */
void trustTestAuthority();
/** A listening server with the named certificate and the test key; plain HTTP for nullptr. */
std::unique_ptr<UpdateServer> startServer(const char *certificate = "server.pem");
QUrl baseUrl(const QTcpServer &server, const char *scheme = "https");

/** One way for a request to fail; base is where the checker is to be pointed, timeout (when not
 *  0) what it is to be given. */
struct Failure
{
    QUrl base;
    int timeout = 0;
    std::unique_ptr<QTcpServer> listener;
    std::unique_ptr<UpdateServer> server;
    std::unique_ptr<UpdateServer> plainServer;
};

/** Adds the columns "failure" (int) and "error" (the error code a failure gives) with one row per
 *  kind of failure: closed port, silent server, untrusted, expired and misnamed certificates, a
 *  redirect to plain HTTP, and 404 with \a validBody as its body. */
void addFailureRows();
Failure makeFailure(int failure, const QByteArray &path, const QByteArray &validBody);

} // namespace UpdateTest
