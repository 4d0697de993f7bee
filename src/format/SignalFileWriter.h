#pragma once

#include "DocumentMarkup.h"
#include "IoError.h"
#include "Progress.h"
#include "SignalSort.h"

#include <QIODevice>
#include <QString>

#include <cstddef>

// Writes a database file: declaration (standalone), byte-order mark, SignalDatabase with its
// schema attributes, SignalList and one Signal element per record, indented by two spaces;
// with markup, what the file held around the signals in its place. The old file stays whole
// until the new one is complete.
class CSignalFileWriter {
public:
    // Returns false with why when the file cannot be created, written or committed, or when a
    // record holds a character that XML cannot carry (a Content failure naming the record);
    // the old file is untouched.
    // progress, when given, hears the records written so far of their number; it can cancel.
    // warning, when given, says a file that was written but may not survive a power loss.
    static bool Write(const QString& path, const SignalCollection& records, IoError& error,
                      const ProgressHandler& progress = {}, QString* warning = nullptr,
                      const SignalDocumentMarkup* markup = nullptr);

    // The same bytes into an open device; false with the device's reason when it fails.
    static bool WriteDevice(QIODevice& device, const SignalCollection& records, QString& error,
                            const SignalDocumentMarkup* markup = nullptr);
    // The same bytes onto the open file fd; 0, or the system's reason (EILSEQ for a record
    // that cannot be stored). Runs only the writer's own code and write(2): safe in a forked
    // copy of the editor.
    static int WriteDescriptor(int fd, const SignalCollection& records,
                               const SignalDocumentMarkup* markup = nullptr);
    // Collections of at least this many records are formatted on two threads (not by
    // WriteDescriptor), into the same bytes.
    static std::size_t TwoThreadRecords();
    static void SetTwoThreadRecords(std::size_t count);
    // The same bytes, in memory (for tests and benchmarks).
    static bool WriteBuffer(const SignalCollection& records, QByteArray& out, QString& error);
};
