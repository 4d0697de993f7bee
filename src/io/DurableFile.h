#pragma once

#include <QByteArray>
#include <QString>

// A save counts only once its bytes and its name are on the disk: the file's data are
// synced before it takes the old file's place, and its folder after.

// Syncs the data of the open file fd; false with the system's reason in error.
bool SyncFileData(int fd, const QString& path, QString& error);
// Syncs the folder that holds the native path (its entry for the file).
bool SyncFolderOf(const QByteArray& nativePath);

// False with "PATH is not on a file system that holds files" when path (or, when it does
// not exist yet, its folder) lies on a kernel file system such as proc, sysfs or devtmpfs.
bool OnFileSystemThatHoldsFiles(const QString& path, QString& error);
