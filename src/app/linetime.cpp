#include "linetime_p.h"

#include <QDateTime>
#include <QString>

#include <cstring>
#include <limits>
#include <mutex>

namespace {

struct SecondText
{
    qint64 second = std::numeric_limits<qint64>::min();
    char log[LineTime::MaxLength] = {}; // "yyyy.MM.dd\thh:mm:ss:"
    int logLength = 0;
    char console[LineTime::MaxLength] = {}; // "hh:mm:ss."
    int consoleLength = 0;
};

thread_local SecondText t_text;
SecondText s_sharedText;
std::mutex s_sharedTextMutex;

int copyLatin1(const QString &text, char *target)
{
    const QByteArray bytes = text.toLatin1();
    const int length = qMin(int(bytes.size()), LineTime::MaxLength - 4);
    std::memcpy(target, bytes.constData(), size_t(length));
    return length;
}

/* Brings the calling thread's text up to date and returns it with the milliseconds. */
const SecondText &currentText(int *milliseconds)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    qint64 second = now / 1000;
    if (now % 1000 < 0)
        --second;
    *milliseconds = int(now - second * 1000);
    SecondText &text = t_text;
    if (text.second != second) {
        // The local time conversion reaches the C library's time zone state, whose lock the
        // thread sanitizer cannot see; one lock of ours around it, once a second, keeps the
        // conversions ordered for it and lets the threads share the result.
        const std::lock_guard<std::mutex> lock(s_sharedTextMutex);
        if (s_sharedText.second != second) {
            const QDateTime time = QDateTime::fromMSecsSinceEpoch(second * 1000);
            s_sharedText.logLength = copyLatin1(
                time.toString(QStringLiteral("yyyy.MM.dd\thh:mm:ss:")), s_sharedText.log);
            s_sharedText.consoleLength
                = copyLatin1(time.toString(QStringLiteral("hh:mm:ss.")), s_sharedText.console);
            s_sharedText.second = second;
        }
        text = s_sharedText;
    }
    return text;
}

int writeTime(char *target, const char *prefix, int prefixLength, int milliseconds)
{
    std::memcpy(target, prefix, size_t(prefixLength));
    char *p = target + prefixLength;
    p[0] = char('0' + milliseconds / 100);
    p[1] = char('0' + milliseconds / 10 % 10);
    p[2] = char('0' + milliseconds % 10);
    p[3] = '\0';
    return prefixLength + 3;
}

} // namespace

namespace LineTime {

int writeLogTime(char *target)
{
    int milliseconds = 0;
    const SecondText &text = currentText(&milliseconds);
    return writeTime(target, text.log, text.logLength, milliseconds);
}

int writeConsoleTime(char *target)
{
    int milliseconds = 0;
    const SecondText &text = currentText(&milliseconds);
    return writeTime(target, text.console, text.consoleLength, milliseconds);
}

} // namespace LineTime
