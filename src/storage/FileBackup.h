#pragma once

#include <QFile>
#include <QString>

// A full copy of a file taken before the file is rewritten in place: written back if the
// rewrite fails, removed once it succeeded.
class CFileBackup {
public:
    CFileBackup() = default;
    ~CFileBackup();
    CFileBackup(const CFileBackup&) = delete;
    CFileBackup& operator=(const CFileBackup&) = delete;

    // Copies path beside it, or into the temporary folder when its own folder cannot be
    // written; false with error set when no copy could be made.
    bool Make(const QString& path, QString& error);
    // Flushes the rewritten file to the disk.
    static bool Sync(QFile& file);
    // Writes the copy back over the file at path; false when that failed too (the copy is
    // then kept).
    bool Restore(const QString& path);
    void Remove();
    QString Path() const { return m_path; }

private:
    QString m_path;
    bool m_bKeep = false;
};
