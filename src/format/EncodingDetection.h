#pragma once

#include <QByteArray>
#include <QString>

#include <string>

// What the first bytes of a file say of its encoding, before expat reads it.

// The encoding the first bytes name where expat cannot tell it (an EBCDIC document's
// declaration), or none; false with error (naming the file as name) for what is refused at
// once: UTF-32, an EBCDIC document without a declaration.
bool EncodingFromFirstBytes(const QByteArray& first, const QString& name, std::string& encoding,
                            QString& error);
// Why the XML declaration cannot be taken with the file's first bytes (head): a version
// other than 1.0, or an encoding the byte-order mark contradicts; empty when it can.
QString DeclarationConflict(const QByteArray& head, const char* version, const char* encoding);
// Whether the first bytes are UTF-16's (a byte-order mark, or '<' in either byte order).
bool StartsAsUtf16(const QByteArray& first);
// Whether the converter reads the encoding: not UTF-32 or UCS-4, and known to the system.
bool EncodingSupported(const std::string& encoding);
