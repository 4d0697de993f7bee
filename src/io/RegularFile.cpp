#include "RegularFile.h"

#include "NativePath.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

IoError NotRegular(const QString& path) {
    return IoError::Of(IoError::Kind::NotRegular, path);
}

} // namespace

bool OpenRegularFile(const QString& path, QFile& file, IoError& error) {
    const QByteArray native = NativePath(path);
    struct stat before {};
    if (::stat(native.constData(), &before) != 0) {
        error = IoError::System(path, errno);
        return false;
    }
    if (!S_ISREG(before.st_mode)) {
        error = NotRegular(path);
        return false;
    }
    // Not blocking: should a pipe have taken the file's place since, open returns at once.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = IoError::System(path, errno);
        return false;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        error = NotRegular(path);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        error = IoError::Device(path, file);
        return false;
    }
    return true;
}

bool IsRegularOrAbsent(const QString& path, IoError& error) {
    const QByteArray native = NativePath(path);
    struct stat info {};
    if (::stat(native.constData(), &info) != 0) {
        // A link to nothing is not absent: writing would create whatever it names.
        if (::lstat(native.constData(), &info) == 0 && S_ISLNK(info.st_mode)) {
            error = IoError::Of(IoError::Kind::DanglingLink, path);
            return false;
        }
        return true;
    }
    if (S_ISREG(info.st_mode))
        return true;
    error = NotRegular(path);
    return false;
}

bool OpenForRewrite(const QString& path, QFile& file, bool create, IoError& error) {
    const int fd =
        ::open(NativePath(path).constData(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0666);
    if (fd < 0) {
        error = IoError::System(path, errno);
        return false;
    }
    if (!file.open(fd, QIODevice::ReadWrite | QIODevice::Unbuffered,
                   QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        error = IoError::Device(path, file);
        return false;
    }
    return true;
}
