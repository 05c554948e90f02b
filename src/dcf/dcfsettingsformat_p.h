#pragma once

#include <QSettings>

#include <memory>

/* The settings format of CANopen configuration files: a QSettings in this format reads and
 * writes the file through DcfDocument, so that a file written back keeps its layout. Registered
 * once per process, on first use, from any thread. */
QSettings::Format dcfSettingsFormat();

class DcfDocument;

/* How often the format has read and written a file (by absolute path) in this process. A
 * caller that sees exactly one more read and no write across the creation of a QSettings knows
 * that the store holds the keys of dcfReadDocument() and nothing else. */
struct DcfFileActivity
{
    quint64 reads = 0;
    quint64 writes = 0;
};
DcfFileActivity dcfFileActivity(const QString &absolutePath);

/* The document that the format read last from the file, or null if it no longer keeps it. */
std::shared_ptr<const DcfDocument> dcfReadDocument(const QString &absolutePath);
