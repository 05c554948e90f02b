// How long the GUI thread's event loop goes without a pass while update checks run: 100 checks
// of each checker, one after the other, against the update server on 127.0.0.1 (in a thread of
// its own, as a real server is elsewhere), against the same loop idle for as long.

#include "updateserver.h"

#include <ZezuzuDOD/newupdatechecker.h>
#include <ZezuzuDOD/updatechecker.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int Checks = 100;

struct Run
{
    double seconds = 0;
    double longestGapMs = 0;
    double p999GapMs = 0; // a shared machine preempts any thread now and then; this shows past it
};

// Runs the event loop until \a start has called its argument, timing every pass of the loop
// with a zero timer (which fires once per pass).
Run measure(const std::function<void(const std::function<void()> &done)> &start)
{
    QEventLoop loop;
    QElapsedTimer total;
    QElapsedTimer sinceLast;
    std::vector<qint64> gaps;
    gaps.reserve(1 << 22);
    QTimer pass;
    pass.setInterval(0);
    QObject::connect(&pass, &QTimer::timeout, [&] {
        gaps.push_back(sinceLast.nsecsElapsed());
        sinceLast.start();
    });
    total.start();
    sinceLast.start();
    pass.start();
    start([&] { loop.quit(); });
    loop.exec();
    const double seconds = total.nsecsElapsed() / 1e9;
    if (gaps.empty())
        return {seconds, 0, 0};
    const auto p999 = gaps.begin() + std::ptrdiff_t(gaps.size() * 999 / 1000);
    std::nth_element(gaps.begin(), p999, gaps.end());
    return {seconds, *std::max_element(p999, gaps.end()) / 1e6, *p999 / 1e6};
}

void report(const char *what, const Run &ours, const Run &idle)
{
    std::printf("%s: %d checks in %.2f s; GUI thread gap: longest %.3f ms, 99.9 %% %.3f ms; "
                "idle loop: longest %.3f ms, 99.9 %% %.3f ms\n",
                what, Checks, ours.seconds, ours.longestGapMs, ours.p999GapMs, idle.longestGapMs,
                idle.p999GapMs);
    std::printf("ratio = ours / baseline (%s, longest gap of the GUI thread) = %.2f\n", what,
                ours.longestGapMs / idle.longestGapMs);
    std::printf("ratio = ours / baseline (%s, 99.9 %% gap of the GUI thread) = %.2f\n", what,
                ours.p999GapMs / idle.p999GapMs);
}

Run idleFor(double seconds)
{
    return measure([seconds](const std::function<void()> &done) {
        QTimer::singleShot(int(seconds * 1000), done);
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir certificates;
    if (QProcess::execute(QStringLiteral("sh"), {QStringLiteral(MAKE_CERTS), certificates.path()})
        != 0)
        qFatal("cannot make the certificates");
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.addCaCertificates(
        QSslCertificate::fromPath(certificates.filePath(QStringLiteral("ca.pem"))));
    QSslConfiguration::setDefaultConfiguration(configuration);

    QThread serverThread;
    serverThread.start();
    auto *server = new UpdateServer;
    QString error;
    if (!server->setCertificate(certificates.filePath(QStringLiteral("server.pem")),
                                certificates.filePath(QStringLiteral("server.key")), &error)
        || !server->listen(QHostAddress::LocalHost))
        qFatal("cannot start the server: %s", qPrintable(error + server->errorString()));
    server->setVersion(QStringLiteral("1777-10"), QStringLiteral("2.0.0"));
    server->setVersion(QStringLiteral("Device"), QStringLiteral("2.0.0"));
    server->moveToThread(&serverThread);
    const QUrl base(QStringLiteral("https://127.0.0.1:%1").arg(server->serverPort()));

    newUpdateChecker checker;
    checker.setBaseUrl(base);
    int answered = 0;
    const Run query = measure([&](const std::function<void()> &done) {
        QObject::connect(&checker, &newUpdateChecker::versionAvailable, [&, done] {
            if (++answered < Checks)
                checker.checkForUpdates(QStringLiteral("1777"), QStringLiteral("1.0.0"), 0, false);
            else
                done();
        });
        QObject::connect(&checker, &newUpdateChecker::networkReplyError,
                         [] { qFatal("a version query failed"); });
        checker.checkForUpdates(QStringLiteral("1777"), QStringLiteral("1.0.0"), 0, false);
    });
    if (answered != Checks)
        qFatal("only %d of %d version queries answered", answered, Checks);
    report("newUpdateChecker", query, idleFor(query.seconds));

    // The version file checker is used once; each check is a new one, which tells the next to
    // start by its own deletion.
    int fetched = 0;
    int started = 0;
    std::function<void()> next;
    const Run file = measure([&](const std::function<void()> &done) {
        next = [&, done] {
            if (started++ == Checks) {
                done();
                return;
            }
            auto *fileChecker = new UpdateChecker;
            fileChecker->setBaseUrl(base);
            QObject::connect(fileChecker, &UpdateChecker::newVersion, [&] { ++fetched; });
            QObject::connect(fileChecker, &QObject::destroyed, [&] { next(); });
            fileChecker->queryForUpdates(QStringLiteral("Device"), QStringLiteral("1.0.0"), true);
        };
        next();
    });
    if (fetched != Checks)
        qFatal("only %d of %d version files fetched", fetched, Checks);
    report("UpdateChecker", file, idleFor(file.seconds));

    QMetaObject::invokeMethod(
        server, [server] { delete server; }, Qt::BlockingQueuedConnection);
    serverThread.quit();
    serverThread.wait();
    return 0;
}
