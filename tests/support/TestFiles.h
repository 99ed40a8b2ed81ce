#pragma once

#include <QByteArray>
#include <QString>

// A file's bytes; empty when it cannot be read.
QByteArray readFileBytes(const QString& path);
// Writes the file whole, making its folder first; false when it could not be written.
bool writeFileBytes(const QString& path, const QByteArray& bytes);
// The permission bits of the entry itself (07777), or -1 when there is none.
int fileMode(const QString& path);
