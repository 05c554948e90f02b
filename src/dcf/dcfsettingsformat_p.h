#pragma once

#include <QSettings>

#include <memory>

class DcfDocument;

/* The settings format of CANopen configuration files. A QSettings in this format holds the
 * changes made to a file, not the file itself: the writer reads and parses the file on its own,
 * and the format's reader hands the store no keys. A key mapped to a value sets it, a key mapped
 * to an invalid QVariant drops it. On every write the format lays the changes out in the file's
 * text as it is on disk at that moment (DcfDocument::render), so the file keeps its layout.
 * Registered once per process, on first use, from any thread. */
QSettings::Format dcfSettingsFormat();

/* Lends the format the parsed text of the file at an absolute path, so that a write finds it
 * without parsing the file again. The format uses it only while the file holds exactly these
 * bytes; it keeps a few recent documents. */
void dcfLendDocument(const QString &absolutePath, std::shared_ptr<const DcfDocument> document);
