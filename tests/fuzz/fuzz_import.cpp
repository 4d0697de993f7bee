// libFuzzer target: a spreadsheet (CSV in any encoding and separator, or an OpenDocument
// archive) imported as File > Import does; every row comes in or is refused with a reason,
// and what came in exports and imports again to as many signals.
#include "Csv.h"
#include "SignalDescription.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CsvImport imported;
    QString why;
    int line = 0;
    if (!ImportCsv(bytes, imported, why, line)) {
        if (why.isEmpty())
            __builtin_trap(); // a refusal says why
        return 0;
    }
    for (const auto& [at, reason] : imported.refused) {
        if (at <= 0 || reason.isEmpty())
            __builtin_trap(); // a refused row is named by its line, with why
    }
    if (imported.records.empty())
        return 0;
    QByteArray csv = CsvHeadings(false);
    for (const auto& record : imported.records)
        csv += CsvCells(*record);
    CsvImport again;
    if (!ImportCsv(csv, again, why, line) ||
        again.records.size() + static_cast<std::size_t>(again.refused.size()) !=
            imported.records.size())
        __builtin_trap();
    return 0;
}
