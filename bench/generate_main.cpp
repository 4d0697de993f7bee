#include "SignalDescription.h"
#include "SignalGenerator.h"

#include <cstdio>
#include <cstdlib>

// quarn-generate COUNT OUT [SEED]: writes a realistic database of COUNT records.
int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: quarn-generate COUNT OUT [SEED]\n");
        return 2;
    }
    const auto count = std::strtoull(argv[1], nullptr, 10);
    const auto seed =
        argc > 3 ? static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10)) : 1u;
    if (!WriteSignals(QString::fromLocal8Bit(argv[2]), GenerateSignals(count, seed))) {
        std::fprintf(stderr, "quarn-generate: cannot write %s\n", argv[2]);
        return 2;
    }
    return 0;
}
