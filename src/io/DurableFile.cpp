#include "DurableFile.h"

#include "NativePath.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// Kernel file systems whose "files" are views of the kernel's state.
bool IsKernelFileSystem(__fsword_t type) {
    switch (type) {
    case PROC_SUPER_MAGIC:
    case SYSFS_MAGIC:
    case DEVPTS_SUPER_MAGIC:
    case DEBUGFS_MAGIC:
    case TRACEFS_MAGIC:
    case SECURITYFS_MAGIC:
    case CGROUP_SUPER_MAGIC:
    case CGROUP2_SUPER_MAGIC:
    case PSTOREFS_MAGIC:
    case BPF_FS_MAGIC:
    case EFIVARFS_MAGIC:
    case SELINUX_MAGIC:
    case SMACK_MAGIC:
    case 0x62656570: // configfs
    case 0x6e736673: // nsfs
        return true;
    default:
        return false;
    }
}

// devtmpfs reports itself as tmpfs: the mount table tells them apart.
bool IsDevTmpfs(dev_t device) {
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly))
        return false;
    const QByteArray id =
        QByteArray::number(major(device)) + ':' + QByteArray::number(minor(device));
    while (!table.atEnd()) {
        const QList<QByteArray> fields = table.readLine().split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (fields.size() > 2 && fields[2] == id && dash > 0 && dash + 1 < fields.size())
            return fields[dash + 1] == "devtmpfs";
    }
    return false;
}

} // namespace

bool SyncFileData(int fd, const QString& path, IoError& error) {
    if (::fdatasync(fd) == 0)
        return true;
    error = IoError::System(path, errno);
    return false;
}

bool SyncFolderOf(const QByteArray& nativePath) {
    const int fd = ::open(FolderOf(nativePath).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    const int reason = errno; // the caller may say it
    ::close(fd);
    errno = reason;
    return synced;
}

bool OnFileSystemThatHoldsFiles(const QString& path, IoError& error) {
    const QByteArray native = NativePath(path);
    struct statfs fs {};
    struct stat info {};
    const QByteArray probe = ::stat(native.constData(), &info) == 0 ? native : FolderOf(native);
    if (::statfs(probe.constData(), &fs) != 0 || ::stat(probe.constData(), &info) != 0)
        return true; // the open that follows reports why the place cannot be reached
    if (IsKernelFileSystem(fs.f_type) || (fs.f_type == TMPFS_MAGIC && IsDevTmpfs(info.st_dev))) {
        error = IoError::Of(IoError::Kind::NotAFileSystem, path);
        return false;
    }
    return true;
}
