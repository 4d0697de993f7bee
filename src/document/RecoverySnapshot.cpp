#include "RecoverySnapshot.h"

#include "DurableFile.h"
#include "NativePath.h"
#include "SignalFileWriter.h"
#include "StateFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <dirent.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char SnapshotSuffix[] = ".snapshot.xml";
constexpr char NoteSuffix[] = ".snapshot.info";

QByteArray Base(const QByteArray& folder, const QByteArray& key) {
    return folder + '/' + key;
}

// Writes content into native atomically, readable by its owner only.
bool WritePrivate(const QByteArray& native, const std::function<bool(QIODevice&)>& content,
                  QString& error) {
    const QString path = PathFromNative(native);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    if (::fchmod(file.handle(), 0600) != 0 || !content(file) || !file.flush() ||
        !SyncFileData(file.handle(), path, error)) {
        if (error.isEmpty())
            error = QStringLiteral("%1: %2").arg(path, file.errorString());
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
    found.time = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(info.st_mtim.tv_sec) * 1000 +
                                                info.st_mtim.tv_nsec / 1000000);
    for (const QByteArray& line : note.readAll().split('\n')) {
        if (line.startsWith("path="))
            found.path = PathFromNative(QByteArray::fromHex(line.mid(5)));
        else if (line.startsWith("signals="))
            found.signalCount = line.mid(8).toLongLong();
    }
    return found;
}

} // namespace

bool CRecoverySnapshot::Write(const QString& path, const SignalCollection& records,
                              QString& error) {
    const QByteArray folder = StateFolder::Ensure();
    if (folder.isEmpty()) {
        error = QCoreApplication::translate("RecoverySnapshot",
                                            "%1: cannot make the folder for recovery snapshots")
                    .arg(PathFromNative(StateFolder::Path()));
        return false;
    }
    const QByteArray base = Base(folder, StateFolder::KeyOf(path));
    const bool written = WritePrivate(
        base + SnapshotSuffix,
        [&](QIODevice& device) {
            QString ignored;
            return CSignalFileWriter::WriteDevice(device, records, ignored);
        },
        error);
    const QByteArray note = "path=" + NativePath(path).toHex() +
                            "\nsignals=" + QByteArray::number(static_cast<qint64>(records.size())) +
                            '\n';
    return written &&
           WritePrivate(
               base + NoteSuffix,
               [&](QIODevice& device) { return device.write(note) == note.size(); }, error) &&
           SyncFolderOf(base);
}

std::optional<CRecoverySnapshot> CRecoverySnapshot::Find(const QString& path) {
    return ReadNote(Base(StateFolder::Path(), StateFolder::KeyOf(path)));
}

std::vector<CRecoverySnapshot> CRecoverySnapshot::All() {
    std::vector<CRecoverySnapshot> found;
    const QByteArray folder = StateFolder::Path();
    DIR* dir = ::opendir(folder.constData());
    if (dir == nullptr)
        return found;
    const QByteArray suffix(NoteSuffix);
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name.endsWith(suffix)) {
            if (auto snapshot = ReadNote(Base(folder, name.chopped(suffix.size()))))
                found.push_back(*snapshot);
        }
    }
    ::closedir(dir);
    std::sort(
        found.begin(), found.end(),
        [](const CRecoverySnapshot& a, const CRecoverySnapshot& b) { return a.time > b.time; });
    return found;
}

void CRecoverySnapshot::Remove(const QString& path) {
    const QByteArray base = Base(StateFolder::Path(), StateFolder::KeyOf(path));
    ::unlink((base + SnapshotSuffix).constData());
    ::unlink((base + NoteSuffix).constData());
}

bool CRecoverySnapshot::NewerThanFile() const {
    if (path.isEmpty())
        return true;
    struct stat info {};
    if (::stat(NativePath(path).constData(), &info) != 0)
        return true;
    const QDateTime fileTime = QDateTime::fromMSecsSinceEpoch(
        static_cast<qint64>(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000);
    return time > fileTime;
}
