#include "QuarnTool.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <new>
#include <streambuf>
#include <unistd.h>

namespace {

// Standard output through write(2), keeping the system's reason for the first write that
// failed (a full disk, /dev/full, a closed pipe) to say at the end.
class OutputBuffer : public std::streambuf {
public:
    OutputBuffer() { setp(m_buffer, m_buffer + sizeof m_buffer); }
    int Error() const { return m_error; }

protected:
    int_type overflow(int_type ch) override {
        if (!Drain())
            return traits_type::eof();
        if (!traits_type::eq_int_type(ch, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(ch);
            pbump(1);
        }
        return traits_type::not_eof(ch);
    }
    int sync() override { return Drain() ? 0 : -1; }

private:
    bool Drain() {
        const char* next = pbase();
        while (m_error == 0 && next < pptr()) {
            const ssize_t n = ::write(STDOUT_FILENO, next, static_cast<std::size_t>(pptr() - next));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                m_error = n < 0 ? errno : EIO;
            else
                next += n;
        }
        setp(m_buffer, m_buffer + sizeof m_buffer);
        return m_error == 0;
    }

    char m_buffer[1 << 16];
    int m_error = 0;
};

} // namespace

int main(int argc, char** argv) {
    // A file-size limit fails the write ("File too large") instead of ending the program, and
    // so does a reader that went away ("Broken pipe").
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
    const std::vector<std::string> args(argv + 1, argv + argc);
    OutputBuffer buffer;
    std::ostream out(&buffer);
    int status = 2;
    try {
        status = RunQuarnTool(args, out, std::cerr);
    } catch (const std::bad_alloc&) {
        std::cerr << "quarn-tool: not enough memory\n";
        return 2;
    }
    // Output that did not reach its place is a failure, not a success with the output cut;
    // a reader that stopped reading (head) took what it wanted: no message for it.
    out.flush();
    if (buffer.Error() == EPIPE)
        return status;
    if (buffer.Error() != 0) {
        std::cerr << "quarn-tool: cannot write the output: " << std::strerror(buffer.Error())
                  << "\n";
        return 2;
    }
    return status;
}
