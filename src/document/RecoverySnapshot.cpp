#include "RecoverySnapshot.h"

#include "DurableFile.h"
#include "NativePath.h"
#include "SignalFileWriter.h"
#include "StateFolder.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char SnapshotSuffix[] = ".snapshot.xml";
constexpr char NoteSuffix[] = ".snapshot.info";
constexpr char PartMark[] = ".snapshot-"; // a snapshot being written: KEY.RUN.snapshot-XXXXXX
constexpr char RunSuffix[] = ".run";

struct Run {
    pid_t pid = -1;
    QByteArray id;
    int lock = -1; // the locked mark, for as long as this run has one
};

Run& ThisRun() {
    static Run run;
    if (run.pid != ::getpid()) {
        // A forked copy shares the parent's lock; it is not the parent's run.
        run.pid = ::getpid();
        run.id = QByteArray::number(run.pid) + '-' +
                 QByteArray::number(QRandomGenerator::global()->generate(), 16);
        run.lock = -1;
    }
    return run;
}

QString Reason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString FolderTrouble(const QByteArray& folder, int error) {
    return QStringLiteral("%1: %2").arg(PathFromNative(folder), Reason(error));
}

// The run a base (FOLDER/KEY.RUN) belongs to; empty for snapshots of older versions.
QByteArray RunOf(const QByteArray& base) {
    const QByteArray name = base.mid(base.lastIndexOf('/') + 1);
    const qsizetype dot = name.indexOf('.');
    return dot < 0 ? QByteArray() : name.mid(dot + 1);
}

// True while the editor run id holds its lock (this run's own included).
bool RunIsLive(const QByteArray& folder, const QByteArray& id) {
    if (id.isEmpty())
        return false;
    const int fd = ::open((folder + '/' + id + RunSuffix).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool live = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return live;
}

// Marks this run as live in folder; false with errno set.
bool HoldRun(const QByteArray& folder) {
    Run& run = ThisRun();
    if (run.lock >= 0)
        return true;
    const QByteArray mark = folder + '/' + run.id + RunSuffix;
    const int fd = ::open(mark.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return false;
    }
    run.lock = fd;
    return true;
}

bool WriteNote(const QByteArray& native, const QByteArray& content, QString& error) {
    const QString path = PathFromNative(native);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    IoError failure;
    if (::fchmod(file.handle(), 0600) != 0 || file.write(content) != content.size() ||
        !file.flush() || !SyncFileData(file.handle(), path, failure)) {
        error = (failure.IsSet() ? failure : IoError::Device(path, file)).Text();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

std::optional<CRecoverySnapshot> ReadNote(const QByteArray& base) {
    QFile note(PathFromNative(base + NoteSuffix));
    struct stat info {};
    const QByteArray snapshot = base + SnapshotSuffix;
    if (!note.open(QIODevice::ReadOnly) || ::stat(snapshot.constData(), &info) != 0)
        return std::nullopt;
    CRecoverySnapshot found;
    found.snapshot = PathFromNative(snapshot);
    found.base = base;
    found.time = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(info.st_mtim.tv_sec) * 1000 +
                                                info.st_mtim.tv_nsec / 1000000);
    for (const QByteArray& line : note.read(64 * 1024).split('\n')) {
        if (line.startsWith("path="))
            found.path = PathFromNative(QByteArray::fromHex(line.mid(5)));
        else if (line.startsWith("signals="))
            found.signalCount = line.mid(8).toLongLong();
        else if (CFileIdentity file;
                 line.startsWith("file=") && CFileIdentity::FromText(line.mid(5), file))
            found.file = file;
    }
    return found;
}

// The snapshots in the state folder whose names start with prefix (every one when empty),
// newest first, leaving out those of live runs. Marks and half-written snapshots of runs that
// ended without cleaning up are removed on the way.
std::vector<CRecoverySnapshot> Scan(const QByteArray& prefix) {
    std::vector<CRecoverySnapshot> found;
    const QByteArray folder = StateFolder::Path();
    DIR* dir = ::opendir(folder.constData());
    if (dir == nullptr)
        return found;
    std::vector<QByteArray> names;
    while (const dirent* entry = ::readdir(dir))
        names.emplace_back(entry->d_name);
    ::closedir(dir);
    const QByteArray noteSuffix(NoteSuffix);
    std::set<QByteArray> runsWithSnapshots;
    for (const QByteArray& name : names) {
        if (!name.endsWith(noteSuffix))
            continue;
        const QByteArray base = folder + '/' + name.chopped(noteSuffix.size());
        runsWithSnapshots.insert(RunOf(base));
        if (!name.startsWith(prefix) || RunIsLive(folder, RunOf(base)))
            continue;
        if (auto snapshot = ReadNote(base))
            found.push_back(*snapshot);
    }
    for (const QByteArray& name : names) {
        const qsizetype part = name.indexOf(PartMark);
        if (name.endsWith(RunSuffix)) {
            const QByteArray id = name.chopped(qsizetype(sizeof RunSuffix) - 1);
            if (!runsWithSnapshots.count(id) && !RunIsLive(folder, id))
                ::unlink((folder + '/' + name).constData());
        } else if (part > 0 && !RunIsLive(folder, RunOf(folder + '/' + name.left(part)))) {
            ::unlink((folder + '/' + name).constData());
        }
    }
    std::sort(
        found.begin(), found.end(),
        [](const CRecoverySnapshot& a, const CRecoverySnapshot& b) { return a.time > b.time; });
    return found;
}

} // namespace

bool CRecoverySnapshot::Prepare(const QString& path, Target& target, QString& error) {
    int reason = 0;
    const QByteArray folder = StateFolder::Ensure(&reason);
    if (folder.isEmpty()) {
        error = FolderTrouble(StateFolder::Path(), reason);
        return false;
    }
    if (!HoldRun(folder)) {
        error = FolderTrouble(folder, errno);
        return false;
    }
    target.base = folder + '/' + StateFolder::KeyOf(path) + '.' + ThisRun().id;
    target.temporary = target.base + PartMark + "XXXXXX";
    target.fd = ::mkostemp(target.temporary.data(), O_CLOEXEC);
    if (target.fd < 0) {
        error = FolderTrouble(folder, errno);
        target = {};
        return false;
    }
    ::fchmod(target.fd, 0600);
    return true;
}

int CRecoverySnapshot::Fill(const Target& target, const SignalCollection& records,
                            const SignalDocumentMarkup* markup) {
    if (const int written = CSignalFileWriter::WriteDescriptor(target.fd, records, markup);
        written != 0)
        return written;
    return ::fsync(target.fd) == 0 ? 0 : errno;
}

bool CRecoverySnapshot::Commit(Target& target, const QString& path, qint64 count,
                               const CFileIdentity& file, QString& error) {
    const QByteArray folder = FolderOf(target.base);
    ::close(target.fd);
    target.fd = -1;
    if (::rename(target.temporary.constData(), (target.base + SnapshotSuffix).constData()) != 0) {
        error = FolderTrouble(folder, errno);
        Abandon(target);
        return false;
    }
    const QByteArray note =
        "path=" + NativePath(path).toHex() + "\nsignals=" + QByteArray::number(count) +
        "\nfile=" + (path.isEmpty() ? QByteArray("none") : file.ToText()) + '\n';
    if (!WriteNote(target.base + NoteSuffix, note, error) ||
        !SyncFolderOf(target.base + NoteSuffix)) {
        if (error.isEmpty())
            error = FolderTrouble(folder, errno);
        return false;
    }
    target = {};
    return true;
}

void CRecoverySnapshot::Abandon(Target& target) {
    if (target.fd >= 0)
        ::close(target.fd);
    if (!target.temporary.isEmpty())
        ::unlink(target.temporary.constData());
    target = {};
}

bool CRecoverySnapshot::Write(const QString& path, const SignalCollection& records,
                              const CFileIdentity& file, QString& error, QByteArray* written,
                              const SignalDocumentMarkup* markup) {
    Target target;
    if (!Prepare(path, target, error))
        return false;
    if (const int reason = Fill(target, records, markup); reason != 0) {
        error = FolderTrouble(FolderOf(target.base), reason);
        Abandon(target);
        return false;
    }
    const QByteArray base = target.base;
    if (!Commit(target, path, static_cast<qint64>(records.size()), file, error))
        return false;
    if (written)
        *written = base;
    return true;
}

std::vector<CRecoverySnapshot> CRecoverySnapshot::Find(const QString& path) {
    const QByteArray key = StateFolder::KeyOf(path) + '.';
    if (path.isEmpty())
        return Scan(key);
    // By the resolved path, and by the file's identity: the same file reached by another
    // name (a hard link, another mount, a snapshot of an older version keyed by its link).
    const CFileIdentity now = CFileIdentity::Read(path);
    std::vector<CRecoverySnapshot> found;
    for (CRecoverySnapshot& snapshot : Scan({})) {
        const QByteArray name = snapshot.base.mid(snapshot.base.lastIndexOf('/') + 1);
        const bool sameFile = now.exists && snapshot.file && snapshot.file->exists &&
                              snapshot.file->device == now.device &&
                              snapshot.file->inode == now.inode;
        if (name.startsWith(key) || sameFile)
            found.push_back(std::move(snapshot));
    }
    return found;
}

std::vector<CRecoverySnapshot> CRecoverySnapshot::All() {
    return Scan({});
}

void CRecoverySnapshot::RemoveBase(const QByteArray& base) {
    if (base.isEmpty())
        return;
    ::unlink((base + NoteSuffix).constData());
    ::unlink((base + SnapshotSuffix).constData());
    // A run keeps one snapshot at a time: the mark of an ended run goes with it.
    const QByteArray folder = FolderOf(base);
    if (const QByteArray run = RunOf(base); !run.isEmpty() && !RunIsLive(folder, run))
        ::unlink((folder + '/' + run + RunSuffix).constData());
    SyncFolderOf(base + NoteSuffix);
}

bool CRecoverySnapshot::FileChanged() const {
    if (path.isEmpty() || !file)
        return false;
    return !CFileIdentity::Read(path).SameFile(*file);
}

QByteArray CRecoverySnapshot::RunId() {
    return ThisRun().id;
}

void CRecoverySnapshot::EndRun() {
    Run& run = ThisRun();
    if (run.lock < 0)
        return;
    ::unlink((StateFolder::Path() + '/' + run.id + RunSuffix).constData());
    ::close(run.lock);
    run.lock = -1;
}
