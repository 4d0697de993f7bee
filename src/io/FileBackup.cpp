#include "FileBackup.h"

#include "DurableFile.h"
#include "NativePath.h"
#include "RegularFile.h"
#include "StateFolder.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 CopyChunk = 1 << 20;
constexpr char BackupMark[] = ".backup-";

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

QByteArray FolderOf(const QByteArray& native) {
    const qsizetype slash = native.lastIndexOf('/');
    return slash < 0    ? QByteArrayLiteral(".")
           : slash == 0 ? QByteArrayLiteral("/")
                        : native.left(slash);
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

} // namespace

CFileBackup::~CFileBackup() {
    if (!m_path.isEmpty() && !m_bKeep)
        ::unlink(NativePath(m_path).constData());
}

bool CFileBackup::Make(const QString& path, QString& error) {
    QFile original;
    if (!OpenRegularFile(path, original, error))
        return false;
    const std::vector<BackupPlace> places = Places(path);
    int reason = 0;
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (i == 1 && StateFolder::Ensure().isEmpty())
            break;
        QByteArray name = places[i].folder + '/' + places[i].prefix + "XXXXXX";
        const int fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0) {
            reason = errno;
            continue;
        }
        QFile copy;
        copy.open(fd, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle);
        m_path = PathFromNative(name);
        // The copy and its name are on the disk before the file is touched.
        errno = 0;
        if (CopyAll(original, copy) && Sync(copy) && SyncFolderOf(name))
            return true;
        reason = errno;
        copy.close();
        ::unlink(name.constData());
        m_path.clear();
    }
    error = QCoreApplication::translate("FileBackup",
                                        "%1: cannot make a backup copy before rewriting the file")
                .arg(path);
    if (reason != 0)
        error += QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(reason));
    return false;
}

bool CFileBackup::Sync(QFile& file) {
    return file.flush() && ::fsync(file.handle()) == 0;
}

bool CFileBackup::Restore(const QString& path) {
    QFile copy;
    QFile file;
    QString ignored;
    if (OpenRegularFile(m_path, copy, ignored) && OpenForRewrite(path, file, false, ignored) &&
        CopyAll(copy, file) && Sync(file))
        return true;
    m_bKeep = true;
    return false;
}

void CFileBackup::Remove() {
    if (!m_path.isEmpty())
        ::unlink(NativePath(m_path).constData());
    m_path.clear();
}

std::optional<CFileBackup::Leftover> CFileBackup::FindLeftover(const QString& path) {
    std::optional<Leftover> newest;
    for (const BackupPlace& place : Places(path)) {
        DIR* folder = ::opendir(place.folder.constData());
        if (folder == nullptr)
            continue;
        while (const dirent* entry = ::readdir(folder)) {
            const QByteArray name(entry->d_name);
            // The prefix and the six characters mkostemp put in place of XXXXXX.
            if (!name.startsWith(place.prefix) || name.size() != place.prefix.size() + 6)
                continue;
            const QByteArray full = place.folder + '/' + name;
            struct stat info {};
            if (::lstat(full.constData(), &info) != 0 || !S_ISREG(info.st_mode))
                continue;
            const QDateTime time = QDateTime::fromMSecsSinceEpoch(
                static_cast<qint64>(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000);
            if (!newest || time > newest->time)
                newest = Leftover{PathFromNative(full), time};
        }
        ::closedir(folder);
    }
    return newest;
}
