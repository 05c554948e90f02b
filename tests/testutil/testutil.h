#pragma once

#include <QFile>
#include <QString>

// Small helpers that most tests need.

inline QString qs(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

/** The whole file; "<unreadable>" when it cannot be read, so that a missing file never passes
 *  for an empty one. */
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

/** Writes \a bytes as the whole file; false when that fails. */
inline bool writeFile(const QString &path, const QByteArray &bytes = QByteArray())
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
