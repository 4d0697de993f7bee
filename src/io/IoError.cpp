#include "IoError.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

namespace {

IoError::Kind KindOf(int code) {
    switch (code) {
    case ENOENT:
    case ENOTDIR:
        return IoError::Kind::NotFound;
    case EACCES:
    case EPERM:
        return IoError::Kind::PermissionDenied;
    case EROFS:
        return IoError::Kind::ReadOnly;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return IoError::Kind::NoSpace;
    case EBUSY:
    case ETXTBSY:
    case EAGAIN:
        return IoError::Kind::Busy;
    case ENOMEM:
        return IoError::Kind::NoMemory;
    default:
        return IoError::Kind::Other;
    }
}

} // namespace

IoError IoError::System(const QString& path, int code) {
    IoError error;
    error.m_kind = KindOf(code);
    error.m_nCode = code;
    error.m_path = path;
    return error;
}

IoError IoError::Device(const QString& path, const QFileDevice& device) {
    // Qt keeps errno's words but not errno; its error names the kind where it can.
    Kind kind = Kind::Other;
    switch (device.error()) {
    case QFileDevice::PermissionsError:
        kind = Kind::PermissionDenied;
        break;
    case QFileDevice::ResourceError:
        kind = Kind::NoSpace;
        break;
    case QFileDevice::NoError:
        return Of(Kind::Other, path,
                  QCoreApplication::translate("IoError", "cannot write the file"));
    default:
        break;
    }
    return Of(kind, path, device.errorString());
}

IoError IoError::Of(Kind kind, const QString& path, const QString& reason) {
    IoError error;
    error.m_kind = kind;
    error.m_path = path;
    error.m_reason = reason;
    return error;
}

IoError IoError::AsNoBackup() const {
    IoError backup = *this;
    backup.m_kind = Kind::NoBackup;
    return backup;
}

QString IoError::Reason() const {
    if (m_nCode != 0)
        return QString::fromLocal8Bit(std::strerror(m_nCode));
    return m_reason;
}

QString IoError::Text() const {
    QString text;
    switch (m_kind) {
    case Kind::None:
        return {};
    case Kind::NotRegular:
        text = QCoreApplication::translate("IoError", "%1 is not a regular file").arg(m_path);
        break;
    case Kind::DanglingLink:
        text = QCoreApplication::translate("IoError",
                                           "%1 is a symbolic link to a file that does not exist")
                   .arg(m_path);
        break;
    case Kind::NotAFileSystem:
        text = QCoreApplication::translate("IoError", "%1 is not on a file system that holds files")
                   .arg(m_path);
        break;
    case Kind::NoBackup:
        text = QCoreApplication::translate(
                   "IoError", "%1: cannot make a backup copy before rewriting the file")
                   .arg(m_path);
        if (!Reason().isEmpty())
            text += QStringLiteral(": ") + Reason();
        break;
    case Kind::NoMemory:
        text = m_nCode != 0 || m_reason.isEmpty()
                   ? QCoreApplication::translate("IoError", "%1: not enough memory").arg(m_path)
                   : m_reason;
        break;
    case Kind::Content:
    case Kind::Cancelled:
        // The content's own sentence, naming the file and the record where it has one.
        text = m_reason;
        break;
    default:
        text = QStringLiteral("%1: %2").arg(m_path, Reason());
        break;
    }
    return m_note.isEmpty() ? text : text + u'\n' + m_note;
}
