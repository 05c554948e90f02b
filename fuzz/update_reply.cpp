// Any bytes as the update server's answer to the version query, and as two version numbers.
// newUpdateChecker reads or drops the answer without a crash, a hang or a huge allocation; the
// version comparison is an order (antisymmetric, reflexive) under which a version equals its
// three-part form.

#include "versionnumber_p.h"

#include <ZezuzuDOD/newupdatechecker.h>

#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// A finished reply whose body is the fuzzer's input.
class BytesReply : public QNetworkReply
{
public:
    explicit BytesReply(const QByteArray &bytes)
        : m_bytes(bytes)
    {
        setFinished(true);
        open(QIODevice::ReadOnly);
    }

    void abort() override {}
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override
    {
        return m_bytes.size() - m_read + QNetworkReply::bytesAvailable();
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 count = qMin(maxSize, m_bytes.size() - m_read);
        std::memcpy(data, m_bytes.constData() + m_read, size_t(count));
        m_read += count;
        return count;
    }

private:
    QByteArray m_bytes;
    qint64 m_read = 0;
};

void checkOrder(const QString &a, const QString &b)
{
    if (VersionNumber::compare(a, b) != -VersionNumber::compare(b, a)
        || VersionNumber::compare(a, a) != 0
        || VersionNumber::compare(a, VersionNumber::threePartForm(a)) != 0)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "update_reply";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    // The check names the product and the own version that answers are compared with. Its
    // request goes to a closed port, and the event loop never runs to report that.
    static newUpdateChecker checker;
    static const bool started = [] {
        checker.setBaseUrl(QUrl(QStringLiteral("https://127.0.0.1:9")));
        checker.checkForUpdates(QStringLiteral("1777"), QStringLiteral("1.2.3"), 0, false);
        return true;
    }();
    Q_UNUSED(started);

    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    BytesReply reply(bytes);
    checker.replyFinished(&reply);

    const int newline = bytes.indexOf('\n');
    checkOrder(QString::fromUtf8(bytes.left(newline)), QString::fromUtf8(bytes.mid(newline + 1)));
    return 0;
}
