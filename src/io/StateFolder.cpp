#include "StateFolder.h"

#include "NativePath.h"

#include <QCryptographicHash>
#include <QDir>

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

QByteArray Ensure() {
    const QByteArray folder = Path();
    const qsizetype slash = folder.lastIndexOf('/');
    // The parents as the user's other state (mkpath), the folder itself private.
    if (slash > 0 && !QDir().mkpath(PathFromNative(folder.left(slash))))
        return {};
    if (::mkdir(folder.constData(), 0700) != 0) {
        struct stat info {};
        if (::lstat(folder.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
            info.st_uid != ::geteuid())
            return {};
        if ((info.st_mode & 077) != 0 && ::chmod(folder.constData(), 0700) != 0)
            return {};
    }
    return folder;
}

QByteArray KeyOf(const QString& path) {
    if (path.isEmpty())
        return QByteArrayLiteral("untitled");
    const QByteArray native =
        NativePath(QDir::isAbsolutePath(path) ? path : QDir::current().absoluteFilePath(path));
    return QCryptographicHash::hash(native, QCryptographicHash::Sha256).toHex().left(32);
}

} // namespace StateFolder
