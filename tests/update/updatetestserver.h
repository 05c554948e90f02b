#pragma once

#include "updateserver.h"

#include <QUrl>

#include <memory>

/** Update servers on 127.0.0.1 for the tests, with the certificates that the build made for this
 *  tree; ca.pem is the authority the tests trust. */
namespace UpdateTest {

/** The path of one of the build's test certificates or keys. */
QString certificate(const char *name);
/** A listening server with the named certificate and the test key; plain HTTP for nullptr. */
std::unique_ptr<UpdateServer> startServer(const char *certificateName = "server.pem");
QUrl baseUrl(const QTcpServer &server, const char *scheme = "https");

} // namespace UpdateTest
