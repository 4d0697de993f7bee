#pragma once

#include <QString>

// Numbers are shown as the desktop's locale writes them (a decimal comma in German) and
// typed either way; files and lists of values keep the point the file grammar reads.

// A number the file grammar writes ("15.625", "1e+06") with the locale's decimal separator.
QString LocalDecimal(QString text);
