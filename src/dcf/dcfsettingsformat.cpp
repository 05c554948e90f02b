#include "dcfsettingsformat_p.h"

#include "dcfdocument_p.h"

#include <QFileDevice>
#include <QFileInfo>
#include <QHash>
#include <QStringList>

#include <mutex>

namespace {

// QSettings hands the format functions nothing but the device and the keys, so the documents
// that writers parsed are kept here by path. A document that is gone from here costs a parse,
// never a wrong layout, which keeps the cache small.
class DocumentCache
{
public:
    void insert(const QString &path, std::shared_ptr<const DcfDocument> document)
    {
        const std::lock_guard<std::mutex> locker(m_mutex);
        m_order.removeOne(path);
        m_order.append(path);
        m_documents.insert(path, std::move(document));
        // A parsed document takes several times the memory of its text; the newest one stays
        // whatever its size.
        qsizetype bytes = 0;
        for (const auto &entry : qAsConst(m_documents))
            bytes += entry->bytes().size();
        while (m_order.size() > 1 && (m_order.size() > MaxDocuments || bytes > MaxBytes))
            bytes -= m_documents.take(m_order.takeFirst())->bytes().size();
    }

    // Once written, the file no longer holds the text of the document, so it is dropped here.
    std::shared_ptr<const DcfDocument> take(const QString &path)
    {
        const std::lock_guard<std::mutex> locker(m_mutex);
        m_order.removeOne(path);
        return m_documents.take(path);
    }

private:
    static constexpr int MaxDocuments = 8;
    static constexpr qsizetype MaxBytes = 8 * 1024 * 1024;
    // A standard mutex rather than QMutex: thread sanitizer builds see its locking.
    std::mutex m_mutex;
    QHash<QString, std::shared_ptr<const DcfDocument>> m_documents;
    QStringList m_order;
};

DocumentCache &cache()
{
    static DocumentCache instance;
    return instance;
}

bool readDcf(QIODevice &, QSettings::SettingsMap &map)
{
    // The store starts without changes; the text is the writer's to read.
    map.clear();
    return true;
}

bool writeDcf(QIODevice &device, const QSettings::SettingsMap &changes)
{
    // Only an existing regular file is edited. When the file vanished, QSettings would create a
    // new one holding just the changes; that is no longer the user's file. QSaveFile follows a
    // link and renames its new file over whatever the link points to; for a device such as
    // /dev/full that would put a text file in the device's place.
    const auto *file = qobject_cast<const QFileDevice *>(&device);
    const QString path = file ? file->fileName() : QString();
    std::shared_ptr<const DcfDocument> document = cache().take(path);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    QFile original(path);
    if (!original.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = original.readAll();
    if (!document || document->bytes() != bytes)
        document = std::make_shared<const DcfDocument>(DcfDocument::parse(bytes));
    const QByteArray text = document->render(changes);
    return device.write(text) == text.size();
}

} // namespace

void dcfLendDocument(const QString &absolutePath, std::shared_ptr<const DcfDocument> document)
{
    cache().insert(absolutePath, std::move(document));
}

QSettings::Format dcfSettingsFormat()
{
    // Names of sections and keys are matched without regard to case by the document, in the
    // file's own spelling; the store stays case-sensitive on every platform alike.
    static const QSettings::Format format
        = QSettings::registerFormat(QStringLiteral("dcf"), readDcf, writeDcf, Qt::CaseSensitive);
    return format;
}
