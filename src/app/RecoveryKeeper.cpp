#include "RecoveryKeeper.h"

#include "RecoverySnapshot.h"
#include "VantorDoc.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int SnapshotDelay = 5000;
constexpr int ChildPoll = 100;
// How long a snapshot may take before its writer is given up (a million signals: seconds).
constexpr qint64 ChildPatience = 5 * 60 * 1000;

CRecoveryKeeper* liveKeeper = nullptr;
int signalPipe[2] = {-1, -1};

void OnTerminationSignal(int number) {
    const int saved = errno;
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

} // namespace

CRecoveryKeeper::CRecoveryKeeper(CVantorDoc* doc, QObject* parent) : QObject(parent), m_pDoc(doc) {
    m_delay.setSingleShot(true);
    m_delay.setInterval(SnapshotDelay);
    connect(&m_delay, &QTimer::timeout, this, &CRecoveryKeeper::WriteInBackground);
    m_poll.setInterval(ChildPoll);
    connect(&m_poll, &QTimer::timeout, this, &CRecoveryKeeper::PollChild);
    connect(doc, &CVantorDoc::documentUpdated, this, &CRecoveryKeeper::Changed);
    connect(doc, &CVantorDoc::modifiedChanged, this, [this](bool modified) {
        if (modified)
            Changed();
        else
            Forget(); // saved, or the changes were discarded
    });
    connect(doc, &CVantorDoc::documentSaved, this,
            [this] { CRecoverySnapshot::Remove(m_pDoc->GetPathName()); });
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
    WaitForChild();
    // A normal exit: the user saved or discarded the changes.
    if (!m_bKeep)
        Forget();
}

void CRecoveryKeeper::Changed() {
    if (!m_pDoc->IsModified())
        return;
    m_bDirty = true;
    m_delay.start();
}

bool CRecoveryKeeper::SnapshotNow() {
    if (!m_pDoc->IsModified())
        return true;
    m_delay.stop();
    WaitForChild();
    const QString path = m_pDoc->GetPathName();
    QString error;
    if (!CRecoverySnapshot::Write(path, m_pDoc->Signals(), error))
        return false;
    if (m_bHasSnapshot && m_written != path)
        CRecoverySnapshot::Remove(m_written);
    m_written = path;
    m_bHasSnapshot = true;
    m_bDirty = false;
    return true;
}

void CRecoveryKeeper::WriteInBackground() {
    if (!m_pDoc->IsModified())
        return;
    if (m_child > 0) {
        m_bAgain = true;
        return;
    }
    const QString path = m_pDoc->GetPathName();
    m_bDirty = false;
    const pid_t child = ::fork();
    if (child == 0) {
        // The child holds a frozen copy of the document: write it and leave at once, running
        // nothing of the parent's (no exit handlers, no destructors).
        QString error;
        ::_exit(CRecoverySnapshot::Write(path, m_pDoc->Signals(), error) ? 0 : 1);
    }
    if (child < 0) {
        SnapshotNow(); // no second process: write it here
        return;
    }
    m_child = child;
    m_childPath = path;
    m_childTime.start();
    m_poll.start();
}

void CRecoveryKeeper::PollChild() {
    int status = 0;
    pid_t done = ::waitpid(m_child, &status, WNOHANG);
    if (done == 0) {
        if (!m_childTime.hasExpired(ChildPatience))
            return;
        // A copy that hangs (a lock another thread held when it was made) is given up.
        ::kill(m_child, SIGKILL);
        done = ::waitpid(m_child, &status, 0);
    }
    m_poll.stop();
    m_child = -1;
    const bool written = done > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!m_pDoc->IsModified()) {
        // Saved or discarded while the child wrote.
        CRecoverySnapshot::Remove(m_childPath);
        return;
    }
    if (written) {
        if (m_bHasSnapshot && m_written != m_childPath)
            CRecoverySnapshot::Remove(m_written);
        m_written = m_childPath;
        m_bHasSnapshot = true;
    } else {
        m_bDirty = true;
    }
    if (m_bAgain) {
        m_bAgain = false;
        m_delay.start();
    }
}

void CRecoveryKeeper::WaitForChild() {
    if (m_child <= 0)
        return;
    m_poll.stop();
    int status = 0;
    while (::waitpid(m_child, &status, 0) < 0 && errno == EINTR) {
    }
    m_child = -1;
    m_bDirty = true;
    if (m_pDoc->IsModified()) {
        m_written = m_childPath;
        m_bHasSnapshot = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    } else {
        CRecoverySnapshot::Remove(m_childPath);
    }
}

void CRecoveryKeeper::Forget() {
    m_delay.stop();
    m_bDirty = false;
    m_bAgain = false;
    if (m_child > 0)
        return; // PollChild removes what the child wrote
    if (m_bHasSnapshot)
        CRecoverySnapshot::Remove(m_written);
    m_bHasSnapshot = false;
}

void CRecoveryKeeper::OnSignal() {
    char number = 0;
    if (::read(signalPipe[0], &number, 1) != 1)
        return;
    SnapshotNow();
    KeepAtExit();
    QCoreApplication::exit(128 + number);
}

void CRecoveryKeeper::AtExit() {
    // exit() called from inside the event loop (Qt does so when the display connection
    // breaks): the keeper was never destroyed, the changes are still unsaved.
    if (liveKeeper && liveKeeper->m_pDoc->IsModified() &&
        (liveKeeper->m_bDirty || !liveKeeper->m_bHasSnapshot))
        liveKeeper->SnapshotNow();
}

void CRecoveryKeeper::CatchTerminationSignals() {
    if (signalPipe[0] >= 0 || ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(number, &action, nullptr);
}
