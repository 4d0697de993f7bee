#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Files the tests write and read back.

// Writes data to path (its folder made first); false unless every byte was written.
[[nodiscard]] bool WriteBytes(const QString& path, const QByteArray& data);
// The bytes of the file at path, or "<unreadable>" when it cannot be read.
QByteArray FileBytes(const QString& path);

// Runs git in folder with HOME set to home and no system configuration: its standard output,
// or a null array when it failed (its message then a warning unless mayFail).
QByteArray Git(const QString& folder, const QString& home, const QStringList& args,
               bool mayFail = false);
