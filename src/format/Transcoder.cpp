#include "Transcoder.h"

#include <cerrno>

Transcoder::Transcoder(const char* encoding) : m_cd(iconv_open("UTF-8", encoding)) {}

Transcoder::~Transcoder() {
    if (IsOpen())
        iconv_close(m_cd);
}

bool Transcoder::Convert(const QByteArray& bytes, bool last, std::string& out) {
    QByteArray input = m_incomplete + bytes;
    m_incomplete.clear();
    char* in = input.data();
    std::size_t inLeft = static_cast<std::size_t>(input.size());
    out.resize(inLeft * 4 + 16);
    std::size_t done = 0;
    while (inLeft > 0) {
        char* outPtr = out.data() + done;
        std::size_t outLeft = out.size() - done;
        const std::size_t rc = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
        Count(out.data() + done, static_cast<std::size_t>(outPtr - (out.data() + done)));
        done = static_cast<std::size_t>(outPtr - out.data());
        if (rc != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
        } else if (errno == EINVAL && !last) {
            m_incomplete = QByteArray(in, static_cast<qsizetype>(inLeft));
            break;
        } else {
            out.resize(done);
            return false;
        }
    }
    out.resize(done);
    return true;
}

void Transcoder::Count(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            ++m_line;
            m_column = 1;
        } else if ((c & 0xC0) != 0x80) {
            ++m_column;
        }
    }
}
