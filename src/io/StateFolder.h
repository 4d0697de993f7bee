#pragma once

#include <QByteArray>
#include <QString>

// The editor's private state folder, $XDG_STATE_HOME/quarn-editor (~/.local/state/quarn-editor
// by default): recovery snapshots and the backup copies that cannot lie beside their file.
// Only its owner can enter it (0700); what is written there is 0600.
namespace StateFolder {

// The folder's native path, created when missing and made private; empty when it cannot
// be made, with the system's reason in reason when given.
QByteArray Ensure(int* reason = nullptr);
// The folder's native path, whether it exists or not.
QByteArray Path();
// A name for the file at path that stays the same for that path: a hash of its native
// absolute form ("untitled" for an empty path).
QByteArray KeyOf(const QString& path);

} // namespace StateFolder
