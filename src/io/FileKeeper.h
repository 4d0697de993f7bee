#pragma once

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

// What a database file is besides its bytes: owner, group, mode, extended attributes (ACLs
// are among them) and its hard links. A save keeps all of it.
class CFileKeeper {
public:
    explicit CFileKeeper(const QString& path);

    // True when only a rewrite of the file itself keeps what it is: it has more than one
    // hard link, or its folder cannot be written while the file can.
    bool NeedsInPlace() const;
    bool Exists() const { return m_bExists; }
    // Gives a new file the old one's owner, group, mode and extended attributes; false when
    // that is not possible (a user cannot give a file away), so that the file is rewritten
    // in place instead.
    bool Apply(int fd) const;
    // The file's native name, symbolic links resolved when it exists.
    const QByteArray& NativeTarget() const { return m_native; }

private:
    QByteArray m_native; // the file's name, symbolic links resolved when it exists
    struct stat m_stat {};
    bool m_bExists = false;
};
