#pragma once

#include <QFile>
#include <QString>

#include "IoError.h"

// Databases are regular files (or symbolic links to one): a pipe, socket, device or folder
// is refused at once, without waiting on it or changing it.

// Opens path for reading into file; false with error set (not a regular file, or the
// system's reason).
bool OpenRegularFile(const QString& path, QFile& file, IoError& error);

// False with error set when path names something other than a regular file; a path that
// does not exist yet is fine, a symbolic link to nothing is not.
bool IsRegularOrAbsent(const QString& path, IoError& error);

// Opens an existing file (or, with create, a new one) for reading and writing without
// truncating it, under any name; false with error set.
bool OpenForRewrite(const QString& path, QFile& file, bool create, IoError& error);
