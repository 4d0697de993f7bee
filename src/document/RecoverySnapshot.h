#pragma once

#include "DocumentMarkup.h"
#include "FileIdentity.h"
#include "SignalSort.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

// Recovery snapshots: the whole database of a document with unsaved changes, written as a
// save would write it into the private state folder. Each editor run writes its own, named
// by the file's key and the run, with a small note of the file's path, the identity of the
// file the changes were made to and the number of signals. A run holds a lock on its mark in
// the folder while it runs, so that no other editor offers or removes what a live one keeps.
class CRecoverySnapshot {
public:
    QString path;     // the document's file, empty for an untitled database
    QString snapshot; // the snapshot's own file
    QByteArray base;  // native: the snapshot's name without its suffix
    QDateTime time;   // when it was written
    qint64 signalCount = 0;
    // The file the changes were made to, as it was then; unknown for older snapshots.
    std::optional<CFileIdentity> file;

    // One snapshot on its way: a private file prepared by the editor's own thread, which a
    // copy of the process may fill.
    struct Target {
        int fd = -1;
        QByteArray temporary; // native
        QByteArray base;      // native, the final name without its suffix
    };
    // Makes the folder and an empty private file for a snapshot of the document at path;
    // false with error naming the folder and the system's reason.
    static bool Prepare(const QString& path, Target& target, QString& error);
    // Writes records into the prepared file and syncs it: 0, or the system's reason. Runs
    // only the writer's own code and system calls, so a forked copy of the editor may run it.
    static int Fill(const Target& target, const SignalCollection& records,
                    const SignalDocumentMarkup* markup = nullptr);
    // Gives a filled file its name and writes its note; false with error.
    static bool Commit(Target& target, const QString& path, qint64 count, const CFileIdentity& file,
                       QString& error);
    // Closes and removes a prepared file.
    static void Abandon(Target& target);
    // Prepare, Fill and Commit in one; the snapshot's base in written.
    static bool Write(const QString& path, const SignalCollection& records,
                      const CFileIdentity& file, QString& error, QByteArray* written = nullptr,
                      const SignalDocumentMarkup* markup = nullptr);

    // The snapshots kept for the document at path, and every snapshot kept, newest first;
    // never those of a run that is still running (this one's included).
    static std::vector<CRecoverySnapshot> Find(const QString& path);
    static std::vector<CRecoverySnapshot> All();
    void Remove() const { RemoveBase(base); }
    static void RemoveBase(const QByteArray& base);
    // True when the file at path is no longer the file the changes were made to.
    bool FileChanged() const;

    // This run's name among the snapshots (a forked copy that goes on as an editor of its
    // own gets another).
    static QByteArray RunId();
    // A normal end of this run: its lock is released and its mark removed.
    static void EndRun();
};
