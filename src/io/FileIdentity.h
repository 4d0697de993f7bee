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
    // The file open as fd, reached through path: what was read is this file, whatever the
    // path names by the time the reading ends.
    static CFileIdentity OfOpenFile(const QString& path, int fd);
    // One line of text ("dev ino size mtime ctime", or "none"), and back; false when text is
    // not such a line.
    QByteArray ToText() const;
    static bool FromText(const QByteArray& text, CFileIdentity& identity);
    bool operator==(const CFileIdentity& other) const = default;
    // The same file with the same content stamps, however the path reaches it.
    bool SameFile(const CFileIdentity& other) const {
        return exists == other.exists && device == other.device && inode == other.inode &&
               size == other.size && modified == other.modified && changed == other.changed;
    }
};
