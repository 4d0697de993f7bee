#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// What identifies the file behind a path at one moment: the path itself (a symbolic link or
// not, and where it points), and the file's device, inode, size, modification and change
// times. Two readings that compare equal name the same, unchanged file.
struct CFileIdentity {
    bool exists = false;
    bool isLink = false;
    QByteArray linkTarget;
    dev_t device = 0;
    ino_t inode = 0;
    qint64 size = -1;
    qint64 modified = 0; // nanoseconds
    qint64 changed = 0;  // nanoseconds

    static CFileIdentity Read(const QString& path);
    bool operator==(const CFileIdentity& other) const = default;
};
