// Message handler throughput through the real qDebug front end: log file only, and log file
// plus console (standard error sent to /dev/null), 1 and 4 threads, against spdlog's
// basic_file_sink_mt flushed after every message (the same durability: every line is in the
// file when the call returns), fed from the same front end by a forwarding Qt message handler.

#include <ZezuzuDOD/debugcrashhandler.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <spdlog/logger.h>
#include <spdlog/sinks/basic_file_sink.h>
#include <spdlog/sinks/stdout_sinks.h>

#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

std::shared_ptr<spdlog::logger> s_spdlog;

void spdlogHandler(QtMsgType, const QMessageLogContext &, const QString &message)
{
    const QByteArray text = message.toLocal8Bit();
    s_spdlog->log(spdlog::level::debug,
                  spdlog::string_view_t(text.constData(), size_t(text.size())));
}

constexpr int TotalMessages = 200000;

double messagesPerSecond(int threads)
{
    auto body = [threads](int thread) {
        for (int i = 0; i < TotalMessages / threads; ++i)
            qDebug("message %d of thread %d: value changed from %d to %d", i, thread, i - 1, i);
    };
    QElapsedTimer timer;
    timer.start();
    std::vector<QThread *> workers;
    for (int t = 1; t < threads; ++t) {
        workers.push_back(QThread::create(body, t));
        workers.back()->start();
    }
    body(0);
    for (QThread *worker : workers) {
        worker->wait();
        delete worker;
    }
    return TotalMessages / (double(timer.nsecsElapsed()) / 1e9);
}

double runOurs(bool console, int threads)
{
    DebugCrashHandler handler;
    handler.setDebugHandlingType(DebugCrashHandler::DebugLog); // 12: file and console
    if (!console) // a bit set without console output, stored as it is
        handler.setDebugHandlingType(DebugCrashHandler::DebugHandlingType(
            DebugCrashHandler::DebugLog | DebugCrashHandler::InstrumentFunctions));
    const double rate = messagesPerSecond(threads);
    handler.closeDebugLogfile();
    handler.removeDebugLogfile();
    return rate;
}

double runSpdlog(bool console, const QString &folder, int threads)
{
    const std::string path
        = QFile::encodeName(folder + QStringLiteral("/spdlog.log")).toStdString();
    auto file = std::make_shared<spdlog::sinks::basic_file_sink_mt>(path, true);
    file->set_pattern("%Y.%m.%d\t%H:%M:%S:%e\t\t%v");
    std::vector<spdlog::sink_ptr> sinks{file};
    if (console) {
        auto err = std::make_shared<spdlog::sinks::stderr_sink_mt>();
        err->set_pattern("Time: %H:%M:%S.%e: %v");
        sinks.push_back(err);
    }
    s_spdlog = std::make_shared<spdlog::logger>("bench", sinks.begin(), sinks.end());
    s_spdlog->set_level(spdlog::level::trace);
    s_spdlog->flush_on(spdlog::level::trace);
    const QtMessageHandler previous = qInstallMessageHandler(spdlogHandler);
    const double rate = messagesPerSecond(threads);
    qInstallMessageHandler(previous);
    s_spdlog.reset();
    QFile::remove(folder + QStringLiteral("/spdlog.log"));
    return rate;
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Log Bench"));

    // Console lines go to /dev/null; the figures go to standard output.
    std::fflush(stderr);
    const int devNull = ::open("/dev/null", O_WRONLY);
    ::dup2(devNull, STDERR_FILENO);
    ::close(devNull);

    for (bool console : {false, true}) {
        for (int threads : {1, 4}) {
            double ours = 0, base = 0;
            for (int round = 0; round < 3; ++round) { // best of three: the machine is shared
                ours = std::max(ours, runOurs(console, threads));
                base = std::max(base, runSpdlog(console, home.path(), threads));
            }
            const char *what = console ? "log file + console" : "log file only";
            std::printf("%s, %d thread(s): ours %.0f msg/s, spdlog %.0f msg/s\n", what, threads,
                        ours, base);
            std::printf("ratio = ours / baseline (%s, %d thread(s), msg/s) = %.2f\n", what, threads,
                        ours / base);
            std::fflush(stdout);
        }
    }
    return 0;
}
