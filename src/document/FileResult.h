#pragma once

#include "IoError.h"

#include <QString>

// How a file operation (open, merge, save, export) ended: done (perhaps with a warning the
// user must read), cancelled by the user (nothing changed), or failed with a message that
// names the file and the system's reason, and the kind of failure where the system gave one.
class FileResult {
public:
    enum class Status { Ok, Cancelled, Failed };

    FileResult() = default;
    static FileResult Failed(QString message) { return {Status::Failed, std::move(message)}; }
    static FileResult Failed(const IoError& error) {
        FileResult result(Status::Failed, error.Text());
        result.m_kind = error.GetKind();
        return result;
    }
    static FileResult Cancelled(QString message) { return {Status::Cancelled, std::move(message)}; }
    // Done, with something the user should know (the file may not survive a power loss).
    static FileResult Done(QString warning) { return {Status::Ok, std::move(warning)}; }

    Status GetStatus() const { return m_status; }
    bool IsCancelled() const { return m_status == Status::Cancelled; }
    explicit operator bool() const { return m_status == Status::Ok; }
    // Empty when the operation was done without a warning.
    const QString& Message() const { return m_message; }
    // Why it failed (permission denied, in use, a full disk, ...); Other when not known.
    IoError::Kind FailureKind() const { return m_kind; }

private:
    FileResult(Status status, QString message) : m_status(status), m_message(std::move(message)) {}

    Status m_status = Status::Ok;
    QString m_message;
    IoError::Kind m_kind = IoError::Kind::Other;
};
