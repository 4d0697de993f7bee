// libFuzzer target: one Signal element, as the reader meets it inside a database.
#include "SignalDescription.h"
#include "SignalFileReader.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray document =
        "<SignalDatabase><SignalList><Signal " +
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)) +
        "</SignalList></SignalDatabase>";
    QString error;
    CSignalFileReader::ReadBuffer(
        document, QStringLiteral("fuzz"),
        [](std::unique_ptr<CSignalDescription> signal, SignalReadNotes&&) {
            // Every record that comes out keeps its texts terminated and its codes in range.
            if (signal->m_nModulation < 0 || signal->m_nModulation > 5 || signal->m_nMode < 0)
                __builtin_trap();
            signal->UpdateDisplayTexts();
        },
        error);
    return 0;
}
