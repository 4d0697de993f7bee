#include "RecoveryKeeper.h"

#include "Prompts.h"
#include "StateFolder.h"
#include "VantorDoc.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int SnapshotDelay = 5000;
constexpr int SnapshotCeiling = 30000;
constexpr int ChildPoll = 100;
// How long a snapshot may take before its writer is given up (a million signals: seconds).
constexpr qint64 ChildPatience = 5 * 60 * 1000;
// The longest the editor waits for the writer when it must end or write at once.
constexpr int EndingWait = 3000;

constexpr int TerminationSignals[] = {SIGTERM, SIGHUP, SIGINT};

CRecoveryKeeper* liveKeeper = nullptr;
int signalPipe[2] = {-1, -1};
int endStatus = 0;

void OnTerminationSignal(int number) {
    const int saved = errno;
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

QString Folder() {
    return QString::fromLocal8Bit(StateFolder::Path());
}

} // namespace

CRecoveryKeeper::CRecoveryKeeper(CVantorDoc* doc, QObject* parent) : QObject(parent), m_pDoc(doc) {
    m_delay.setSingleShot(true);
    m_delay.setInterval(SnapshotDelay);
    m_ceiling.setSingleShot(true);
    m_ceiling.setInterval(SnapshotCeiling);
    connect(&m_delay, &QTimer::timeout, this, &CRecoveryKeeper::WriteInBackground);
    connect(&m_ceiling, &QTimer::timeout, this, &CRecoveryKeeper::WriteInBackground);
    m_poll.setInterval(ChildPoll);
    connect(&m_poll, &QTimer::timeout, this, &CRecoveryKeeper::PollChild);
    connect(doc, &CVantorDoc::documentUpdated, this, &CRecoveryKeeper::Changed);
    connect(doc, &CVantorDoc::modifiedChanged, this, [this](bool modified) {
        if (modified)
            Changed();
        else
            Forget(); // saved, or the changes were discarded
    });
    liveKeeper = this;
    static const bool registered = std::atexit(&CRecoveryKeeper::AtExit) == 0;
    Q_UNUSED(registered);
    if (signalPipe[0] >= 0) {
        auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, &CRecoveryKeeper::OnSignal);
    }
}

CRecoveryKeeper::~CRecoveryKeeper() {
    liveKeeper = nullptr;
    if (m_bKeep && !m_bDirty)
        WaitForChild(EndingWait); // the snapshot it writes is the one to keep
    StopChild();
    // A normal exit: the user saved or discarded the changes.
    if (!m_bKeep)
        Forget();
    CRecoverySnapshot::EndRun();
}

void CRecoveryKeeper::Changed() {
    if (!m_pDoc->IsModified())
        return;
    if (!m_bDirty || !m_ceiling.isActive())
        m_ceiling.start(); // counts from the oldest change not yet in a snapshot
    m_bDirty = true;
    m_delay.start();
}

void CRecoveryKeeper::Adopt(const CRecoverySnapshot& snapshot) {
    m_adopted << snapshot.base;
    Changed();
}

bool CRecoveryKeeper::SnapshotNow() {
    if (!m_pDoc->IsModified())
        return true;
    m_delay.stop();
    m_ceiling.stop();
    // A copy writing what the document still holds may finish; one writing less is stopped.
    if (m_child > 0 && !m_bDirty && !m_bAgain && WaitForChild(EndingWait) && !m_bDirty &&
        HasSnapshot())
        return true;
    StopChild();
    QString error;
    QByteArray base;
    if (!CRecoverySnapshot::Write(m_pDoc->GetPathName(), m_pDoc->Signals(),
                                  m_pDoc->GetFileIdentity(), error, &base,
                                  &m_pDoc->GetDocumentMarkup())) {
        m_bDirty = true;
        Failed(error);
        return false;
    }
    m_bDirty = false;
    Written(base);
    return true;
}

void CRecoveryKeeper::WriteInBackground() {
    if (!m_pDoc->IsModified() || !m_bDirty)
        return;
    if (m_child > 0) {
        m_bAgain = true;
        return;
    }
    m_delay.stop();
    m_ceiling.stop();
    QString error;
    CRecoverySnapshot::Target target;
    if (!CRecoverySnapshot::Prepare(m_pDoc->GetPathName(), target, error)) {
        Failed(error);
        return; // tried again at the next change
    }
    m_bDirty = false;
    m_childPath = m_pDoc->GetPathName();
    m_childFile = m_pDoc->GetFileIdentity();
    m_childCount = static_cast<qint64>(m_pDoc->Signals().size());
    const pid_t child = ::fork();
    if (child == 0) {
        // The copy holds a frozen image of the records. It runs only the writer and system
        // calls (no lock another thread may have held at the fork), and ends without running
        // anything of the editor's; a signal meant for it alone ends only it.
        for (const int number : TerminationSignals)
            ::signal(number, SIG_DFL);
        ::_exit(CRecoverySnapshot::Fill(target, m_pDoc->Signals(), &m_pDoc->GetDocumentMarkup()));
    }
    m_target = target;
    if (child < 0) {
        CRecoverySnapshot::Abandon(m_target);
        m_bDirty = true;
        SnapshotNow(); // no second process: write it here
        return;
    }
    m_child = child;
    m_childTime.start();
    m_poll.start();
}

void CRecoveryKeeper::PollChild() {
    int status = 0;
    const pid_t done = ::waitpid(m_child, &status, WNOHANG);
    if (done == 0) {
        // A copy that hangs is given up.
        if (m_childTime.hasExpired(ChildPatience)) {
            StopChild();
            m_bDirty = true;
            Failed(tr("the snapshot was not written within five minutes"));
        }
        return;
    }
    ChildEnded(done > 0 ? status : -1);
}

void CRecoveryKeeper::ChildEnded(int status) {
    m_poll.stop();
    m_child = -1;
    const int reason = status >= 0 && WIFEXITED(status) ? WEXITSTATUS(status) : EINTR;
    QString error;
    if (!m_pDoc->IsModified() || m_childPath != m_pDoc->GetPathName()) {
        // Saved, discarded or named anew while the child wrote.
        CRecoverySnapshot::Abandon(m_target);
    } else if (reason != 0) {
        CRecoverySnapshot::Abandon(m_target);
        m_bDirty = true;
        Failed(
            QStringLiteral("%1: %2").arg(Folder(), QString::fromLocal8Bit(std::strerror(reason))));
    } else {
        const QByteArray base = m_target.base;
        if (CRecoverySnapshot::Commit(m_target, m_childPath, m_childCount, m_childFile, error)) {
            Written(base);
        } else {
            m_bDirty = true;
            Failed(error);
        }
    }
    if (m_bAgain) {
        m_bAgain = false;
        WriteInBackground();
    } else if (m_bDirty && m_pDoc->IsModified() && !m_delay.isActive()) {
        m_delay.start();
    }
}

bool CRecoveryKeeper::WaitForChild(int limit) {
    if (m_child <= 0)
        return true;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(m_child, &status, WNOHANG);
        if (done != 0) {
            ChildEnded(done > 0 ? status : -1);
            return done > 0;
        }
        if (waited.hasExpired(limit)) {
            StopChild();
            m_bDirty = true;
            return false;
        }
        const timespec pause{0, 2000000};
        ::nanosleep(&pause, nullptr);
    }
}

void CRecoveryKeeper::StopChild() {
    if (m_child <= 0)
        return;
    m_poll.stop();
    ::kill(m_child, SIGKILL);
    while (::waitpid(m_child, nullptr, 0) < 0 && errno == EINTR) {
    }
    m_child = -1;
    m_bAgain = false;
    CRecoverySnapshot::Abandon(m_target);
}

void CRecoveryKeeper::Written(const QByteArray& base) {
    if (!m_written.isEmpty() && m_written != base)
        CRecoverySnapshot::RemoveBase(m_written); // the document was named anew
    m_written = base;
    // The recovered changes are in this run's own snapshot now.
    for (const QByteArray& adopted : std::as_const(m_adopted))
        CRecoverySnapshot::RemoveBase(adopted);
    m_adopted.clear();
    if (m_bFailing) {
        m_bFailing = false;
        emit snapshotWorks(tr("Unsaved changes are kept for recovery in %1 again.").arg(Folder()));
    }
}

void CRecoveryKeeper::Failed(const QString& reason) {
    if (m_bFailing)
        return;
    m_bFailing = true;
    emit snapshotFailed(
        tr("Unsaved changes cannot be kept for recovery: %1. Save to keep them.").arg(reason));
}

void CRecoveryKeeper::Forget() {
    m_delay.stop();
    m_ceiling.stop();
    m_bDirty = false;
    StopChild(); // what it writes is no longer wanted
    CRecoverySnapshot::RemoveBase(m_written);
    m_written.clear();
    for (const QByteArray& adopted : std::as_const(m_adopted))
        CRecoverySnapshot::RemoveBase(adopted);
    m_adopted.clear();
    CRecoverySnapshot::EndRun(); // nothing of this run is kept now
}

void CRecoveryKeeper::OnSignal() {
    char number = 0;
    if (::read(signalPipe[0], &number, 1) != 1)
        return;
    endStatus = 128 + number;
    // Every question open now ends unanswered, and is Cancel: nothing is written but the
    // snapshot.
    CPrompts::SetEnding();
    SnapshotNow();
    KeepAtExit();
    QCoreApplication::exit(endStatus);
}

void CRecoveryKeeper::AtExit() {
    // exit() called from inside the event loop (Qt does so when the display connection
    // breaks): the keeper was never destroyed, the changes are still unsaved.
    if (liveKeeper && liveKeeper->m_pDoc->IsModified() &&
        (liveKeeper->m_bDirty || !liveKeeper->HasSnapshot()))
        liveKeeper->SnapshotNow();
}

void CRecoveryKeeper::CatchTerminationSignals() {
    if (signalPipe[0] >= 0 || ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : TerminationSignals)
        ::sigaction(number, &action, nullptr);
}

int CRecoveryKeeper::EndRequested() {
    return endStatus;
}
