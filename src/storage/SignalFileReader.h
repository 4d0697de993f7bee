#pragma once

#include "Progress.h"
#include "SignalSort.h"
#include "SignalXml.h"

#include <QString>

#include <functional>
#include <memory>

class CSignalDescription;

// Reads every Signal element of a database file, wherever it stands, as a stream: the
// file is never held whole in memory. Each record goes to the sink together with what
// reading it found (the lenient validation's message, names this version does not know).
class CSignalFileReader {
public:
    using Sink = std::function<void(std::unique_ptr<CSignalDescription>, SignalReadNotes&&)>;

    // Returns false with a message naming the file and the fault (for XML that is not
    // well-formed: line, column and the reader's message) when the file cannot be read
    // to its end. The sink may have received records before the fault was found.
    // progress, when given, hears the bytes read so far of the file's size; it can cancel.
    static bool Read(const QString& path, const Sink& sink, QString& error,
                     const ProgressHandler& progress = {});

    // Reads from memory; name stands for the file in messages.
    static bool ReadBuffer(const QByteArray& data, const QString& name, const Sink& sink,
                           QString& error);
};
