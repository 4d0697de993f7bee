#pragma once

#include "SignalSort.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

// Recovery snapshots: the whole database of a document with unsaved changes, written as a
// save would write it into the private state folder, one per file (and one for an untitled
// database), with a small note of the file's path and the number of signals.
class CRecoverySnapshot {
public:
    QString path;     // the document's file, empty for an untitled database
    QString snapshot; // the snapshot's own file
    QDateTime time;   // when it was written
    qint64 signalCount = 0;

    // Writes the snapshot of records for the document at path, atomically and synced;
    // false with error set.
    static bool Write(const QString& path, const SignalCollection& records, QString& error);
    // The snapshot kept for the document at path, if any.
    static std::optional<CRecoverySnapshot> Find(const QString& path);
    // Every snapshot kept, newest first.
    static std::vector<CRecoverySnapshot> All();
    static void Remove(const QString& path);
    // True when the snapshot holds changes newer than the file it belongs to (or the file is
    // gone).
    bool NewerThanFile() const;
};
