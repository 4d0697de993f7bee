#include "FileIdentity.h"

#include "NativePath.h"

#include <QList>

#include <algorithm>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace {

qint64 Nanoseconds(const timespec& time) {
    return static_cast<qint64>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

void TakeStat(CFileIdentity& identity, const struct stat& info) {
    identity.exists = true;
    identity.device = info.st_dev;
    identity.inode = info.st_ino;
    identity.size = static_cast<qint64>(info.st_size);
    identity.modified = Nanoseconds(info.st_mtim);
    identity.changed = Nanoseconds(info.st_ctim);
}

// The link part of the identity; true when path is a symbolic link.
bool TakeLink(CFileIdentity& identity, const QByteArray& native) {
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
        return false;
    identity.isLink = true;
    QByteArray target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(native.constData(), target.data(), target.size());
    target.resize(length > 0 ? length : 0);
    identity.linkTarget = target;
    return true;
}

} // namespace

CFileIdentity CFileIdentity::Read(const QString& path) {
    CFileIdentity identity;
    const QByteArray native = NativePath(path);
    TakeLink(identity, native);
    struct stat info {};
    // A dangling link: nothing exists behind it.
    if (::stat(native.constData(), &info) == 0)
        TakeStat(identity, info);
    return identity;
}

CFileIdentity CFileIdentity::OfOpenFile(const QString& path, int fd) {
    CFileIdentity identity;
    TakeLink(identity, NativePath(path));
    struct stat info {};
    if (::fstat(fd, &info) == 0)
        TakeStat(identity, info);
    return identity;
}

QByteArray CFileIdentity::ToText() const {
    if (!exists)
        return QByteArrayLiteral("none");
    return QByteArray::number(static_cast<quint64>(device)) + ' ' +
           QByteArray::number(static_cast<quint64>(inode)) + ' ' + QByteArray::number(size) + ' ' +
           QByteArray::number(modified) + ' ' + QByteArray::number(changed);
}

bool CFileIdentity::FromText(const QByteArray& text, CFileIdentity& identity) {
    identity = {};
    if (text == "none")
        return true;
    const QList<QByteArray> parts = text.split(' ');
    if (parts.size() != 5)
        return false;
    bool ok[5] = {};
    identity.device = static_cast<dev_t>(parts[0].toULongLong(&ok[0]));
    identity.inode = static_cast<ino_t>(parts[1].toULongLong(&ok[1]));
    identity.size = parts[2].toLongLong(&ok[2]);
    identity.modified = parts[3].toLongLong(&ok[3]);
    identity.changed = parts[4].toLongLong(&ok[4]);
    identity.exists = true;
    return std::all_of(std::begin(ok), std::end(ok), [](bool b) { return b; });
}
