#pragma once

#include "Progress.h"
#include "SignalFileReport.h"
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
    // report, when given, hears what the file holds besides its records.
    static bool Read(const QString& path, const Sink& sink, QString& error,
                     const ProgressHandler& progress = {}, SignalFileReport* report = nullptr);

    // Reads only as far as the first Signal element: enough for the report's root and
    // hasSignals (a file without any is read to its end).
    static bool ReadHead(const QString& path, SignalFileReport& report, QString& error);

    // Files of at least this many bytes are parsed on a second thread while the calling
    // thread builds the records (the same records, notes and report as on one thread).
    static qint64 TwoThreadBytes();
    static void SetTwoThreadBytes(qint64 bytes);

    // Reads from memory; name stands for the file in messages.
    static bool ReadBuffer(const QByteArray& data, const QString& name, const Sink& sink,
                           QString& error, SignalFileReport* report = nullptr);
};
