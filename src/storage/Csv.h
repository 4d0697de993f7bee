#pragma once

#include <QByteArray>
#include <QStringList>

// One record of comma-separated values (RFC 4180): fields holding a comma, a quote or a
// line break are quoted with their quotes doubled; the line ends with CR LF. UTF-8.
QByteArray CsvRecord(const QStringList& fields);
