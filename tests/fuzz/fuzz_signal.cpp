// libFuzzer target: one Signal element, as the reader meets it inside a database.
#include "SignalDescription.h"
#include "SignalFileReader.h"
#include "SignalFileWriter.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray document =
        "<SignalDatabase><SignalList><Signal " +
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)) +
        "</SignalList></SignalDatabase>";
    QString error;
    SignalCollection records;
    CSignalFileReader::ReadBuffer(
        document, QStringLiteral("fuzz"),
        [&records](std::unique_ptr<CSignalDescription> signal, SignalReadNotes&&) {
            // Every record that comes out keeps its texts terminated and its codes in range.
            if (signal->m_nModulation < 0 || signal->m_nModulation > 5 || signal->m_nMode < 0)
                __builtin_trap();
            records.push_back(std::move(signal));
        },
        error);
    // What was read is written so that it reads again: the markup kept with a record too.
    QByteArray written;
    if (!CSignalFileWriter::WriteBuffer(records, written, error))
        return 0; // a text XML cannot carry: refused, never written
    SignalCollection again;
    if (!CSignalFileReader::ReadBuffer(
            written, QStringLiteral("written"),
            [&again](std::unique_ptr<CSignalDescription> signal, SignalReadNotes&&) {
                again.push_back(std::move(signal));
            },
            error) ||
        again.size() != records.size())
        __builtin_trap();
    // Saving what a save wrote changes nothing.
    QByteArray rewritten;
    if (!CSignalFileWriter::WriteBuffer(again, rewritten, error) || rewritten != written)
        __builtin_trap();
    return 0;
}
