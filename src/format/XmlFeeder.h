#pragma once

#include "Progress.h"

#include <expat.h>

#include <QElapsedTimer>
#include <QtGlobal>

#include <string>

class CLineCounter;
class QByteArray;
class QIODevice;
class Transcoder;

// The input's first chunk, and the size of every later one unless a long token needs more.
inline constexpr qint64 ChunkSize = 64 * 1024;
// No tag, comment or other piece of markup is longer: input that long without a single
// parser event is refused before expat holds all of it.
inline constexpr qint64 MaxMarkupBytes = 32 * 1024 * 1024;

// Tells the progress handler how far reading is, whenever enough time has passed or enough
// bytes were read since it last heard (even within one huge element); false when it cancels.
class ProgressThrottle {
public:
    ProgressThrottle(qint64 total, const ProgressHandler& progress);
    bool Report(qint64 position);

private:
    qint64 m_total;
    const ProgressHandler& m_progress;
    QElapsedTimer m_timer;
    qint64 m_reportedTime = 0;
    qint64 m_reportedPosition = 0;
};

// Reads chunks of the input, converted to UTF-8 when a transcoder is given, into the parser.
class Feeder {
public:
    Feeder(QIODevice& input, qint64 total, const ProgressHandler& progress,
           CLineCounter* lines = nullptr)
        : m_input(input), m_progress(total, progress), m_lines(lines) {}

    enum class Result { Done, ParseError, Cancelled, InputError, ConversionError, TooLong };

    // events counts the parser's callbacks: a chunk without any ends inside a token.
    Result Run(XML_Parser parser, const unsigned long& events, Transcoder* transcoder,
               const QByteArray& first);

private:
    QIODevice& m_input;
    ProgressThrottle m_progress;
    CLineCounter* m_lines;
};
