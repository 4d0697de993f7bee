#include "FileKeeper.h"

#include "NativePath.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstring>
#include <vector>

CFileKeeper::CFileKeeper(const QString& path) : m_native(NativePath(path)) {
    m_bExists = ::stat(m_native.constData(), &m_stat) == 0 && S_ISREG(m_stat.st_mode);
    if (!m_bExists)
        return;
    // The file itself, symbolic links resolved: its folder is the one that matters.
    if (char* resolved = ::realpath(m_native.constData(), nullptr)) {
        m_native = resolved;
        std::free(resolved);
    }
}

bool CFileKeeper::NeedsInPlace() const {
    if (!m_bExists)
        return false;
    if (m_stat.st_nlink > 1)
        return true;
    // m_native is absolute here: realpath resolved it.
    const QByteArray folder = FolderOf(m_native);
    const bool folderWritable = ::faccessat(AT_FDCWD, folder.constData(), W_OK, AT_EACCESS) == 0;
    const bool fileWritable = ::faccessat(AT_FDCWD, m_native.constData(), W_OK, AT_EACCESS) == 0;
    return !folderWritable && fileWritable;
}

bool CFileKeeper::Apply(int fd) const {
    if (!m_bExists)
        return true;
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return false;
    if ((now.st_uid != m_stat.st_uid || now.st_gid != m_stat.st_gid) &&
        ::fchown(fd, m_stat.st_uid, m_stat.st_gid) != 0)
        return false;
    if (::fchmod(fd, m_stat.st_mode & 07777) != 0)
        return false;
    const ssize_t size = ::listxattr(m_native.constData(), nullptr, 0);
    if (size < 0)
        return errno == ENOTSUP;
    std::vector<char> names(static_cast<std::size_t>(size) + 1);
    const ssize_t length = ::listxattr(m_native.constData(), names.data(), names.size());
    if (length < 0)
        return false;
    std::vector<char> value;
    for (ssize_t at = 0; at < length;
         at += static_cast<ssize_t>(std::strlen(names.data() + at)) + 1) {
        const char* name = names.data() + at;
        const ssize_t valueSize = ::getxattr(m_native.constData(), name, nullptr, 0);
        if (valueSize < 0)
            return false;
        value.resize(static_cast<std::size_t>(valueSize) + 1);
        const ssize_t got = ::getxattr(m_native.constData(), name, value.data(), value.size());
        if (got < 0 || ::fsetxattr(fd, name, value.data(), static_cast<std::size_t>(got), 0) != 0)
            return false;
    }
    return true;
}
