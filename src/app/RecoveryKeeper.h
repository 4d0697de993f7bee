#pragma once

#include "RecoverySnapshot.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <sys/types.h>

class CVantorDoc;

// Keeps a recovery snapshot of the document while it has unsaved changes: written once the
// changes pause for a few seconds, and at the latest half a minute after the oldest change not
// yet in one, by a forked copy of the process that runs only the writer's own code (the
// window never waits for a million signals); at once when the editor is told to end (SIGTERM,
// SIGHUP, SIGINT), and at an exit the editor did not choose (the display connection broke).
// A run removes only the snapshot it wrote (and one it recovered): after a save, when the
// changes are discarded, and at a normal exit. Every wait for the copy is bounded.
class CRecoveryKeeper : public QObject {
    Q_OBJECT
public:
    explicit CRecoveryKeeper(CVantorDoc* doc, QObject* parent = nullptr);
    ~CRecoveryKeeper() override;

    // How long the changes must pause before the snapshot is written (5 seconds), and how
    // long after the oldest change it is written however steadily the user edits (30 s).
    void SetDelay(int milliseconds) { m_delay.setInterval(milliseconds); }
    void SetCeiling(int milliseconds) { m_ceiling.setInterval(milliseconds); }
    // The document changed: a snapshot follows.
    void Changed();
    // Writes the snapshot now; false when it could not be written.
    bool SnapshotNow();
    // The snapshot outlives this run (the session ends, the editor was told to end).
    void KeepAtExit() { m_bKeep = true; }
    // True while a snapshot written by this run holds the document's unsaved changes.
    bool HasSnapshot() const { return !m_written.isEmpty(); }
    // The document now holds the changes of snapshot (another run's, recovered): it goes
    // once this run has a snapshot of its own, or once the changes are saved or discarded.
    void Adopt(const CRecoverySnapshot& snapshot);

    // Catches SIGTERM, SIGHUP and SIGINT for the keeper alive at the time: it writes the
    // snapshot, keeps it, answers every open question with Cancel, and the event loop ends
    // with 128 + the signal's number.
    static void CatchTerminationSignals();
    // 128 + the number of the termination signal that asked the editor to end, or 0.
    static int EndRequested();

signals:
    // A snapshot could not be written (once, until one is written again), and written again.
    void snapshotFailed(const QString& message);
    void snapshotWorks(const QString& message);

private:
    void WriteInBackground();
    void PollChild();
    // Waits at most limit milliseconds for the copy; false when it was stopped unfinished.
    bool WaitForChild(int limit);
    void StopChild();
    void ChildEnded(int status);
    void Written(const QByteArray& base);
    void Failed(const QString& reason);
    void Forget();
    void OnSignal();
    static void AtExit();

    CVantorDoc* m_pDoc;
    QTimer m_delay;
    QTimer m_ceiling;
    QTimer m_poll;
    QElapsedTimer m_childTime;
    pid_t m_child = -1;
    CRecoverySnapshot::Target m_target; // the file the child fills
    QString m_childPath;                // the document path it writes for
    CFileIdentity m_childFile;
    qint64 m_childCount = 0;
    QByteArray m_written;        // this run's snapshot
    QList<QByteArray> m_adopted; // recovered snapshots of other runs
    bool m_bDirty = false;       // changes not yet in a finished snapshot
    bool m_bAgain = false;       // a write was due while the child wrote
    bool m_bKeep = false;
    bool m_bFailing = false; // the last write failed and was said
};
