#pragma once

#include <QByteArray>
#include <QString>

#include "IoError.h"

// A save counts only once its bytes and its name are on the disk: the file's data are
// synced before it takes the old file's place, and its folder after.

// Syncs the data of the open file fd; false with the system's reason in error.
bool SyncFileData(int fd, const QString& path, IoError& error);
// Syncs the folder that holds the native path (its entry for the file).
bool SyncFolderOf(const QByteArray& nativePath);

// False with error set (not a file system that holds files) when path (or, when it does
// not exist yet, its folder) lies on a kernel file system such as proc, sysfs or devtmpfs.
bool OnFileSystemThatHoldsFiles(const QString& path, IoError& error);
