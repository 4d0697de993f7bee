// libFuzzer target: a whole database file, opened and merged as the editor does, then
// saved and opened again.
#include "SignalDescription.h"
#include "VantorDoc.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("input.xml"));
    {
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    CVantorDoc doc;
    if (const FileResult opened = doc.OnOpenDocument(input); !opened) {
        if (opened.Message().isEmpty() || doc.GetSignalCount() != 0)
            __builtin_trap(); // a refusal says why and loads nothing
        return 0;
    }
    const int count = doc.GetSignalCount();
    doc.MergeFile(input); // every record is a duplicate of itself
    if (doc.GetSignalCount() != count)
        __builtin_trap();
    // What was read can be saved and read back to as many records.
    const QString output = dir.filePath(QStringLiteral("output.xml"));
    if (!doc.OnSaveDocument(output))
        __builtin_trap(); // whatever was read can be written
    {
        CVantorDoc again;
        if (!again.OnOpenDocument(output) || again.GetSignalCount() != count)
            __builtin_trap();
    }
    return 0;
}
