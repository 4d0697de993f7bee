#pragma once

#include <QByteArray>
#include <QString>

// File names are bytes; most are UTF-8, but not all. A name's bytes that are not UTF-8 are
// kept in its QString as the code units U+DC80 to U+DCFF (one per byte, as no UTF-8 text
// can produce them alone), so that any name opens, saves and is remembered as it is.

QByteArray NativePath(const QString& path);
QString PathFromNative(const QByteArray& native);
// True when Qt's own file classes reach the file under this name (it is UTF-8 throughout).
bool QtCanName(const QString& path);

// The folder that holds the native path: "." for a bare name, "/" for a name in the root.
QByteArray FolderOf(const QByteArray& native);
