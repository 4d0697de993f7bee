#pragma once

#include <QByteArray>
#include <QString>

// Files the tests write and read back.

// Writes data to path (its folder made first); false unless every byte was written.
[[nodiscard]] bool WriteBytes(const QString& path, const QByteArray& data);
// The bytes of the file at path, or "<unreadable>" when it cannot be read.
QByteArray FileBytes(const QString& path);
