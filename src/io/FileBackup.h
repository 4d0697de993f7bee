#pragma once

#include <QDateTime>
#include <QFile>
#include <QString>

#include "IoError.h"

#include <optional>
#include <vector>

// A full copy of a file taken before the file is rewritten in place: on the disk before the
// first byte of the file changes, written back if the rewrite fails, removed once the
// rewritten file is on the disk. A save killed on the way leaves the copy behind, where the
// next open finds it.
class CFileBackup {
public:
    // A copy left by a rewrite that did not finish.
    struct Leftover {
        QString path;
        QDateTime time;  // when the copy was taken
        QString ignored; // why it is not offered (empty when it is)
    };

    CFileBackup() = default;
    ~CFileBackup();
    CFileBackup(const CFileBackup&) = delete;
    CFileBackup& operator=(const CFileBackup&) = delete;

    // Copies path beside it (".NAME.backup-XXXXXX"), or into the private state folder when
    // its own folder cannot be written; false with error set when no copy could be made. The
    // copy is written and synced under a name of its own (".part" after it) and takes its
    // final name only when whole, so a copy under the final name is complete.
    bool Make(const QString& path, IoError& error);
    // Flushes the rewritten file to the disk.
    static bool Sync(QFile& file);
    // Writes the copy back over the file at path; false when that failed too (the copy is
    // then kept).
    bool Restore(const QString& path);
    void Remove();
    QString Path() const { return m_path; }

    // The newest copy an interrupted rewrite of path left behind that may be offered: whole,
    // readable, a regular file of the user's own that only the user can read (0600).
    static std::optional<Leftover> FindLeftover(const QString& path);
    // Every copy found beside path and in the state folder, newest first, each with why it
    // is not offered when it is not.
    static std::vector<Leftover> Leftovers(const QString& path);

private:
    QString m_path;
    bool m_bKeep = false;
};
