#pragma once

#include <QIODevice>
#include <QString>

#include "IoError.h"

#include <functional>

// Writes the content of a file: regular files only, on a file system that holds files, never
// through a symbolic link to nothing. The old file stays whole until the new one is complete
// and on the disk; a file whose links, owner or folder a replacement would lose is rewritten
// in place behind a backup copy. Owner, group, mode and extended attributes are kept.

// Writes the content to device; false stops the write, with why set when the content itself
// is at fault (otherwise the device's reason is given).
using ContentWriter = std::function<bool(QIODevice& device, QString& why)>;

// False with error set when the file cannot be written (the content writer's why as a
// Content failure); the old file is then as it was. True with warning set (when given) when the
// file was written but its folder could not be synced: it may not survive a power loss.
bool WriteFileTarget(const QString& path, const ContentWriter& content, IoError& error,
                     QString* warning = nullptr);
