#include "StateFolder.h"

#include "NativePath.h"

#include <QCryptographicHash>
#include <QDir>

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace StateFolder {

QByteArray Path() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/')
        return QByteArray(state) + "/quarn-editor";
    const char* home = std::getenv("HOME");
    return QByteArray(home ? home : "") + "/.local/state/quarn-editor";
}

QByteArray Ensure(int* reason) {
    const auto fail = [reason](int error) {
        if (reason)
            *reason = error != 0 ? error : EACCES;
        return QByteArray();
    };
    const QByteArray folder = Path();
    const qsizetype slash = folder.lastIndexOf('/');
    // The parents as the user's other state (mkpath), the folder itself private.
    errno = 0;
    if (slash > 0 && !QDir().mkpath(PathFromNative(folder.left(slash))))
        return fail(errno);
    if (::mkdir(folder.constData(), 0700) != 0) {
        const int error = errno;
        struct stat info {};
        if (::lstat(folder.constData(), &info) != 0 || !S_ISDIR(info.st_mode))
            return fail(error);
        if (info.st_uid != ::geteuid())
            return fail(EPERM);
        if ((info.st_mode & 077) != 0 && ::chmod(folder.constData(), 0700) != 0)
            return fail(errno);
    }
    // A folder the user cannot write into keeps nothing.
    if (::access(folder.constData(), W_OK | X_OK) != 0)
        return fail(errno);
    return folder;
}

QByteArray KeyOf(const QString& path) {
    if (path.isEmpty())
        return QByteArrayLiteral("untitled");
    QByteArray native =
        NativePath(QDir::isAbsolutePath(path) ? path : QDir::current().absoluteFilePath(path));
    // The file, not the way to it: links and ".." resolved, so that every path that opens
    // the file finds its snapshots (a file not yet there by its resolved folder).
    if (char* real = ::realpath(native.constData(), nullptr)) {
        native = real;
        std::free(real);
    } else if (const qsizetype slash = native.lastIndexOf('/'); slash > 0) {
        if (char* folder = ::realpath(native.left(slash).constData(), nullptr)) {
            native = QByteArray(folder) + native.mid(slash);
            std::free(folder);
        }
    }
    return QCryptographicHash::hash(native, QCryptographicHash::Sha256).toHex().left(32);
}

} // namespace StateFolder
