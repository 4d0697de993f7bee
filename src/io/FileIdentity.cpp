#include "FileIdentity.h"

#include "NativePath.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

qint64 Nanoseconds(const timespec& time) {
    return static_cast<qint64>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

} // namespace

CFileIdentity CFileIdentity::Read(const QString& path) {
    CFileIdentity identity;
    const QByteArray native = NativePath(path);
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0)
        return identity;
    if (S_ISLNK(info.st_mode)) {
        identity.isLink = true;
        QByteArray target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(native.constData(), target.data(), target.size());
        target.resize(length > 0 ? length : 0);
        identity.linkTarget = target;
        if (::stat(native.constData(), &info) != 0)
            return identity; // a dangling link: nothing exists behind it
    }
    identity.exists = true;
    identity.device = info.st_dev;
    identity.inode = info.st_ino;
    identity.size = static_cast<qint64>(info.st_size);
    identity.modified = Nanoseconds(info.st_mtim);
    identity.changed = Nanoseconds(info.st_ctim);
    return identity;
}
