#include "XmlFeeder.h"

#include "Transcoder.h"
#include "XmlEventStream.h"

#include <QByteArray>
#include <QIODevice>

#include <algorithm>

namespace {

constexpr qint64 ProgressMilliseconds = 50;
constexpr qint64 ProgressBytes = 1 << 20;

} // namespace

ProgressThrottle::ProgressThrottle(qint64 total, const ProgressHandler& progress)
    : m_total(total), m_progress(progress) {
    m_timer.start();
}

bool ProgressThrottle::Report(qint64 position) {
    if (!m_progress)
        return true;
    const qint64 now = m_timer.elapsed();
    if (now - m_reportedTime < ProgressMilliseconds &&
        position - m_reportedPosition < ProgressBytes)
        return true;
    m_reportedTime = now;
    m_reportedPosition = position;
    return m_progress(position, m_total);
}

Feeder::Result Feeder::Run(XML_Parser parser, const unsigned long& events, Transcoder* transcoder,
                           const QByteArray& first) {
    // One buffer for the whole read: a fresh block per chunk would leave the heap
    // fragmented between the records.
    QByteArray chunk = first;
    std::string converted;
    qint64 size = ChunkSize;
    qint64 silent = 0; // bytes fed since the last parser event
    for (;;) {
        const unsigned long before = events;
        const bool last = chunk.isEmpty();
        const char* bytes = chunk.constData();
        qsizetype length = chunk.size();
        if (transcoder) {
            if (!transcoder->Convert(chunk, last, converted))
                return Result::ConversionError;
            bytes = converted.data();
            length = static_cast<qsizetype>(converted.size());
        }
        if (m_lines)
            m_lines->Feeding(bytes, static_cast<std::size_t>(length));
        if (XML_Parse(parser, bytes, static_cast<int>(length), last) != XML_STATUS_OK)
            return Result::ParseError;
        if (m_lines)
            m_lines->Parsed();
        if (last)
            return Result::Done;
        if (!m_progress.Report(m_input.pos()))
            return Result::Cancelled;
        // expat scans an unfinished token again from its start with every chunk: while
        // one long token (a huge tag) takes chunk after chunk, their size doubles, so
        // that the scanning stays linear.
        silent = events == before ? silent + length : 0;
        if (silent > MaxMarkupBytes)
            return Result::TooLong;
        size = events == before ? std::min<qint64>(size * 2, MaxMarkupBytes) : ChunkSize;
        chunk.resize(size);
        const qint64 got = m_input.read(chunk.data(), size);
        if (got < 0)
            return Result::InputError;
        chunk.resize(got);
    }
}
