#pragma once

#include <QFileDevice>
#include <QString>

// Why a file operation failed: the kind of failure, the system's own reason and the file. A
// caller that must tell one failure from another (permission denied, a file in use, a full
// disk) looks at the kind; Text() alone words it, where it is shown.
class IoError {
public:
    enum class Kind {
        None,
        NotFound,         // no such file or folder
        PermissionDenied, // not allowed by the file's or folder's permissions
        ReadOnly,         // a file system mounted read-only
        NoSpace,          // the disk or the user's quota is full
        Busy,             // in use or locked by another program
        NotRegular,       // a pipe, device, socket or folder
        DanglingLink,     // a symbolic link to a file that does not exist
        NotAFileSystem,   // proc, sysfs, devtmpfs and the like
        NoBackup,         // no backup copy could be made before rewriting the file
        NoMemory,
        Content,   // the content itself could not be written (its reason says why)
        Cancelled, // the user cancelled
        Other,
    };

    IoError() = default;
    // A failure the system reported with errno code.
    static IoError System(const QString& path, int code);
    // A failure Qt reported for device (its error and words).
    static IoError Device(const QString& path, const QFileDevice& device);
    // A failure of kind found without the system; reason, when given, is already in words.
    static IoError Of(Kind kind, const QString& path, const QString& reason = {});

    Kind GetKind() const { return m_kind; }
    bool IsSet() const { return m_kind != Kind::None; }
    // The system's errno, 0 when the failure has none.
    int Code() const { return m_nCode; }
    const QString& Path() const { return m_path; }
    // The system's reason in its words ("Permission denied"), or the reason given.
    QString Reason() const;
    // The sentence shown: "PATH: Permission denied", "PATH is not a regular file", ...
    QString Text() const;
    // A line said after the sentence (where the old content is kept).
    void AddNote(const QString& note) { m_note = note; }
    // Makes this a backup failure of the same reason.
    IoError AsNoBackup() const;

private:
    Kind m_kind = Kind::None;
    int m_nCode = 0;
    QString m_path;
    QString m_reason;
    QString m_note;
};
