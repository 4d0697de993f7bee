#pragma once

#include <QtGlobal>

#include <functional>

// Reports how far a long file operation has come (done of total, in any unit) and asks
// whether to go on: returning false cancels it, leaving document and file as they were.
using ProgressHandler = std::function<bool(qint64 done, qint64 total)>;

// How often the writer reports, in records (the reader reports by bytes read and time).
inline constexpr int ProgressInterval = 4096;
