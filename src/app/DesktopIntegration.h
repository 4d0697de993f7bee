#pragma once

#include <QString>

// Makes the desktop know the editor and its file type when no installed copy does: the
// .desktop entry, the MIME type of signal databases (recognised by the root element
// SignalDatabase) and the icons, written under the user's data folder ($XDG_DATA_HOME).
//
// Nothing is written when an entry is installed in any $XDG_DATA_DIRS folder. A file the
// editor wrote is remembered by its checksum: one the user changed or deleted afterwards is
// left as it is; one the user had before is never replaced. The entry's Exec names this
// program's absolute path when it is not the quarn-editor on PATH (quoted and escaped as
// desktop entries require; a path with a control character is not registered). The
// desktop and MIME caches are rebuilt when something was written or when they are missing. Failures
// are ignored: the editor works without any of it. Returns the data folder, or an empty text when
// nothing was to be done there.
QString InstallDesktopIntegration();

// A program path as the Exec key's first argument: quoted when it holds a reserved character
// (with ", `, $ and \ escaped inside), % doubled, backslashes escaped for the string value;
// empty when the path holds a control character and cannot be named safely.
QString DesktopExecProgram(const QString& program);
// A text as a desktop entry string value (TryExec): backslashes escaped.
QString DesktopString(const QString& text);
