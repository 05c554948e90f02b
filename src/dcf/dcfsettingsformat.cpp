#include "dcfsettingsformat_p.h"

#include "dcfdocument_p.h"

#include <QFileDevice>
#include <QFileInfo>
#include <QHash>
#include <QStringList>

#include <memory>
#include <mutex>

namespace {

// QSettings hands the format functions nothing but the device and the keys, so the text that
// the keys came from is kept here, by path. The writer only uses it when the file on disk still
// holds exactly these bytes; otherwise it parses what is there. A document that is gone from
// here therefore costs a parse, never a wrong layout, which keeps the cache small. It also
// counts reads and writes per path, for DCFWriter to tell whether a store read the file.
class DocumentCache
{
public:
    void insert(const QString &path, std::shared_ptr<const DcfDocument> document)
    {
        const std::lock_guard<std::mutex> locker(m_mutex);
        ++m_activity[path].reads;
        m_order.removeOne(path);
        m_order.append(path);
        m_documents.insert(path, std::move(document));
        // A parsed document takes several times the memory of its text; the newest one stays
        // whatever its size.
        qsizetype bytes = 0;
        for (const auto &entry : qAsConst(m_documents))
            bytes += entry->bytes().size();
        while (m_order.size() > 1 && (m_order.size() > MaxDocuments || bytes > MaxBytes)) {
            bytes -= m_documents.take(m_order.takeFirst())->bytes().size();
        }
    }

    // Counts every write, even a refused one. Once written, the file no longer holds the text
    // of the document, so it is dropped here.
    std::shared_ptr<const DcfDocument> takeForWrite(const QString &path)
    {
        const std::lock_guard<std::mutex> locker(m_mutex);
        ++m_activity[path].writes;
        m_order.removeOne(path);
        return m_documents.take(path);
    }

    DcfFileActivity activity(const QString &path)
    {
        const std::lock_guard<std::mutex> locker(m_mutex);
        return m_activity.value(path);
    }

    std::shared_ptr<const DcfDocument> find(const QString &path)
    {
        const std::lock_guard<std::mutex> locker(m_mutex);
        return m_documents.value(path);
    }

private:
    static constexpr int MaxDocuments = 8;
    static constexpr qsizetype MaxBytes = 8 * 1024 * 1024;
    // A standard mutex rather than QMutex: thread sanitizer builds see its locking.
    std::mutex m_mutex;
    QHash<QString, std::shared_ptr<const DcfDocument>> m_documents;
    QStringList m_order;
    QHash<QString, DcfFileActivity> m_activity; // a few numbers per path ever opened
};

DocumentCache &cache()
{
    static DocumentCache instance;
    return instance;
}

QString pathOf(const QIODevice &device)
{
    const auto *file = qobject_cast<const QFileDevice *>(&device);
    return file ? file->fileName() : QString();
}

bool readDcf(QIODevice &device, QSettings::SettingsMap &map)
{
    auto document = std::make_shared<const DcfDocument>(DcfDocument::parse(device.readAll()));
    map = document->keys();
    const QString path = pathOf(device);
    if (!path.isEmpty())
        cache().insert(path, std::move(document));
    // Every text is a document: what the reader does not understand stays as it stands.
    return true;
}

bool writeDcf(QIODevice &device, const QSettings::SettingsMap &map)
{
    // The writer edits existing regular files only. When the file vanished, QSettings would
    // create a new one holding just the keys it still knows; that is no longer the user's file.
    const QString path = pathOf(device);
    std::shared_ptr<const DcfDocument> document = cache().takeForWrite(path);
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return false;

    // QSaveFile follows a link and renames its new file over whatever the link points to; for
    // a device such as /dev/full that would put a text file in the device's place.
    if (!info.isFile())
        return false;
    QFile original(path);
    if (!original.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = original.readAll();
    if (!document || document->bytes() != bytes)
        document = std::make_shared<const DcfDocument>(DcfDocument::parse(bytes));
    const QByteArray text = document->render(map);
    return device.write(text) == text.size();
}

} // namespace

DcfFileActivity dcfFileActivity(const QString &absolutePath)
{
    return cache().activity(absolutePath);
}

std::shared_ptr<const DcfDocument> dcfReadDocument(const QString &absolutePath)
{
    return cache().find(absolutePath);
}

QSettings::Format dcfSettingsFormat()
{
    // Names of sections and keys are matched without regard to case by DCFWriter itself, in
    // the file's own spelling; the format stays case-sensitive on every platform alike.
    static const QSettings::Format format
        = QSettings::registerFormat(QStringLiteral("dcf"), readDcf, writeDcf, Qt::CaseSensitive);
    return format;
}
