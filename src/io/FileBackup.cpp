#include "FileBackup.h"

#include "DurableFile.h"
#include "NativePath.h"
#include "RegularFile.h"
#include "StateFolder.h"

#include <QCoreApplication>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 CopyChunk = 1 << 20;
constexpr char BackupMark[] = ".backup-";
constexpr char PartSuffix[] = ".part";

bool CopyAll(QFile& from, QFile& to) {
    if (!from.seek(0) || !to.seek(0))
        return false;
    for (;;) {
        const QByteArray chunk = from.read(CopyChunk);
        if (chunk.isEmpty())
            return from.atEnd() && to.resize(to.pos());
        if (to.write(chunk) != chunk.size())
            return false;
    }
}

QByteArray NameOf(const QByteArray& native) {
    return native.mid(native.lastIndexOf('/') + 1);
}

// The two places a backup of native can be, each with the start of the copy's name.
struct BackupPlace {
    QByteArray folder;
    QByteArray prefix;
};

std::vector<BackupPlace> Places(const QString& path) {
    const QByteArray native = NativePath(path);
    return {{FolderOf(native), '.' + NameOf(native) + BackupMark},
            {StateFolder::Path(), StateFolder::KeyOf(path) + BackupMark}};
}

// Gives the finished copy at part its final name, never replacing a file already there.
bool Publish(const QByteArray& part, const QByteArray& name) {
    if (::link(part.constData(), name.constData()) == 0)
        return ::unlink(part.constData()) == 0 || errno == ENOENT;
    // A file system without hard links: the random name is the editor's own.
    return errno != EEXIST && ::rename(part.constData(), name.constData()) == 0;
}

} // namespace

CFileBackup::~CFileBackup() {
    if (!m_bKeep)
        Remove();
}

bool CFileBackup::Make(const QString& path, IoError& error) {
    QFile original;
    if (!OpenRegularFile(path, original, error))
        return false;
    const std::vector<BackupPlace> places = Places(path);
    int reason = 0;
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (i == 1 && StateFolder::Ensure().isEmpty())
            break;
        QByteArray part = places[i].folder + '/' + places[i].prefix + "XXXXXX" + PartSuffix;
        const int fd = ::mkostemps(part.data(), int(sizeof PartSuffix) - 1, O_CLOEXEC);
        if (fd < 0) {
            reason = errno;
            continue;
        }
        QFile copy;
        copy.open(fd, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle);
        const QByteArray name = part.chopped(int(sizeof PartSuffix) - 1);
        // The copy is on the disk, whole, under its final name before the file is touched.
        errno = 0;
        if (CopyAll(original, copy) && Sync(copy) && Publish(part, name) && SyncFolderOf(name)) {
            m_path = PathFromNative(name);
            return true;
        }
        reason = errno;
        copy.close();
        ::unlink(part.constData());
        ::unlink(name.constData());
    }
    error = IoError::System(path, reason).AsNoBackup();
    return false;
}

bool CFileBackup::Sync(QFile& file) {
    return file.flush() && ::fsync(file.handle()) == 0;
}

bool CFileBackup::Restore(const QString& path) {
    QFile copy;
    QFile file;
    IoError ignored;
    if (OpenRegularFile(m_path, copy, ignored) && OpenForRewrite(path, file, false, ignored) &&
        CopyAll(copy, file) && Sync(file))
        return true;
    m_bKeep = true;
    return false;
}

void CFileBackup::Remove() {
    if (m_path.isEmpty())
        return;
    // The removal is on the disk too: a copy found after a power loss would be offered as an
    // interrupted save.
    const QByteArray native = NativePath(m_path);
    if (::unlink(native.constData()) == 0)
        SyncFolderOf(native);
    m_path.clear();
}

std::vector<CFileBackup::Leftover> CFileBackup::Leftovers(const QString& path) {
    std::vector<Leftover> found;
    for (const BackupPlace& place : Places(path)) {
        DIR* folder = ::opendir(place.folder.constData());
        if (folder == nullptr)
            continue;
        std::vector<QByteArray> names;
        while (const dirent* entry = ::readdir(folder))
            names.emplace_back(entry->d_name);
        ::closedir(folder);
        for (const QByteArray& name : names) {
            // The prefix and the six characters mkostemps put in place of XXXXXX.
            const bool whole = name.size() == place.prefix.size() + 6;
            const bool part =
                name.size() == place.prefix.size() + 6 + qsizetype(sizeof PartSuffix) - 1 &&
                name.endsWith(PartSuffix);
            if (!name.startsWith(place.prefix) || (!whole && !part))
                continue;
            const QByteArray full = place.folder + '/' + name;
            struct stat info {};
            if (::lstat(full.constData(), &info) != 0)
                continue;
            Leftover leftover{
                PathFromNative(full),
                QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(info.st_mtim.tv_sec) * 1000 +
                                               info.st_mtim.tv_nsec / 1000000),
                {}};
            if (part)
                leftover.ignored = QStringLiteral("it was not finished");
            else if (!S_ISREG(info.st_mode))
                leftover.ignored = QStringLiteral("it is not a regular file");
            else if (info.st_uid != ::geteuid())
                leftover.ignored = QStringLiteral("it belongs to another user");
            else if ((info.st_mode & 07777) != 0600)
                leftover.ignored = QStringLiteral("others may read or change it (mode %1)")
                                       .arg(info.st_mode & 07777, 4, 8, QLatin1Char('0'));
            else if (const int fd = ::open(full.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
                     fd < 0)
                leftover.ignored = QString::fromLocal8Bit(std::strerror(errno));
            else
                ::close(fd);
            found.push_back(leftover);
        }
    }
    std::sort(found.begin(), found.end(),
              [](const Leftover& a, const Leftover& b) { return a.time > b.time; });
    return found;
}

std::optional<CFileBackup::Leftover> CFileBackup::FindLeftover(const QString& path) {
    for (const Leftover& leftover : Leftovers(path)) {
        if (leftover.ignored.isEmpty())
            return leftover;
    }
    return std::nullopt;
}
