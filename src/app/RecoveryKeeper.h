#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <sys/types.h>

class CVantorDoc;

// Keeps a recovery snapshot of the document while it has unsaved changes: written a few
// seconds after the last change by a forked copy of the process (the window never waits for
// a million signals), at once when the editor is told to end (SIGTERM, SIGHUP, SIGINT), and
// at an exit the editor did not choose (the display connection broke). Removed after a save,
// when the changes are discarded, and at a normal exit.
class CRecoveryKeeper : public QObject {
    Q_OBJECT
public:
    explicit CRecoveryKeeper(CVantorDoc* doc, QObject* parent = nullptr);
    ~CRecoveryKeeper() override;

    // How long after the last change the snapshot is written (5 seconds).
    void SetDelay(int milliseconds) { m_delay.setInterval(milliseconds); }
    // The document changed: a snapshot follows once the changes pause.
    void Changed();
    // Writes the snapshot now, in this process; false when it could not be written.
    bool SnapshotNow();
    // The snapshot outlives this run (the session ends, the editor was told to end).
    void KeepAtExit() { m_bKeep = true; }
    // True while a snapshot written by this run holds the document's unsaved changes.
    bool HasSnapshot() const { return m_bHasSnapshot; }

    // Catches SIGTERM, SIGHUP and SIGINT for the keeper alive at the time: it writes the
    // snapshot, keeps it, and the event loop ends with 128 + the signal's number.
    static void CatchTerminationSignals();

private:
    void WriteInBackground();
    void PollChild();
    void WaitForChild();
    void Forget();
    void OnSignal();
    static void AtExit();

    CVantorDoc* m_pDoc;
    QTimer m_delay;
    QTimer m_poll;
    QElapsedTimer m_childTime;
    pid_t m_child = -1;
    QString m_childPath; // the document path the child writes for
    QString m_written;   // the document path of the snapshot this run wrote
    bool m_bHasSnapshot = false;
    bool m_bDirty = false; // changes not yet in a finished snapshot
    bool m_bAgain = false; // changes came while the child wrote
    bool m_bKeep = false;
};
