#pragma once

#include <QByteArray>

#include <iconv.h>

#include <string>

// Converts a byte stream in any encoding iconv knows to UTF-8, chunk by chunk, and keeps
// count of where the converted text stands (for the position of a bad byte).
class Transcoder {
public:
    explicit Transcoder(const char* encoding);
    ~Transcoder();
    Transcoder(const Transcoder&) = delete;
    Transcoder& operator=(const Transcoder&) = delete;

    bool IsOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    // Replaces out by the UTF-8 of bytes; a sequence cut by the chunk's end waits for the
    // next call. False on bytes the encoding does not define, or a sequence cut by the end.
    bool Convert(const QByteArray& bytes, bool last, std::string& out);
    // Line and column (from 1) of the end of what was converted so far.
    unsigned long Line() const { return m_line; }
    unsigned long Column() const { return m_column; }

private:
    void Count(const char* text, std::size_t length);

    iconv_t m_cd;
    QByteArray m_incomplete;
    unsigned long m_line = 1;
    unsigned long m_column = 1;
};
