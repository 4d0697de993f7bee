#include "QuarnTool.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <new>

int main(int argc, char** argv) {
    // A file-size limit fails the write ("File too large") instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> args(argv + 1, argv + argc);
    int status = 2;
    try {
        status = RunQuarnTool(args, std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
        std::cerr << "quarn-tool: not enough memory\n";
        return 2;
    }
    // Output that did not reach its place (a full disk, /dev/full, a closed pipe) is a
    // failure, not a success with the output cut.
    errno = 0;
    const bool written = std::cout.flush() && std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (!written) {
        std::cerr << "quarn-tool: cannot write the output: "
                  << (errno ? std::strerror(errno) : "write error") << "\n";
        return 2;
    }
    return status;
}
