#include "SignalFileWriter.h"

#include "FileTarget.h"
#include "SignalDescription.h"
#include "SignalXml.h"

#include <QBuffer>
#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <future>
#include <string>
#include <unistd.h>

namespace {

QString UnwritableMessage(const CSignalDescription& s, std::size_t index, const char* field) {
    return QCoreApplication::translate("SignalFileWriter",
                                       "Signal %1 (\"%2\"): the %3 holds a character that cannot "
                                       "be stored in the file")
        .arg(index + 1)
        .arg(QStringView(s.m_szName.c_str()).toString(),
             QCoreApplication::translate("SignalFileWriter", field));
}

// The document's head and tail go to the device in a block of about this size.
constexpr std::size_t BlockSize = 256 * 1024;

// A short write (the disk filled) is retried, so that the device learns the system's reason.
bool WriteToDevice(QIODevice& device, const std::string& bytes) {
    qint64 done = 0;
    const auto size = static_cast<qint64>(bytes.size());
    while (done < size) {
        const qint64 n = device.write(bytes.data() + done, size - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// Why writing the document stopped.
struct WriteFault {
    enum Kind { Device, Record, Cancelled } kind = Device;
    std::size_t record = 0;      // for Record: the record's index
    const char* field = nullptr; // and the field that cannot be stored
};

// Collections this large are formatted on two threads (when the caller allows threads): the
// other thread formats every second span of records while this one formats and writes the
// rest, in order, so the bytes are the same.
std::atomic<std::size_t> TheTwoThreadRecords = 20000;
constexpr std::size_t SpanRecords = ProgressInterval;

// Formats records [from, to) into out; false with fault at the first that cannot be stored.
bool FormatSpan(const SignalCollection& records, std::size_t from, std::size_t to, std::string& out,
                WriteFault& fault) {
    for (std::size_t i = from; i < to; ++i) {
        const char* unwritable = nullptr;
        if (!CSignalXml::WriteXml(out, *records[i], &unwritable)) {
            fault = {WriteFault::Record, i, unwritable};
            return false;
        }
    }
    return true;
}

// The records in spans of SpanRecords, each span handed to put when it is formatted; the
// progress handler hears of every span.
template <typename Put>
bool WriteSpans(const Put& put, const SignalCollection& records, std::string& block,
                WriteFault& fault, const ProgressHandler& progress, bool threads) {
    const std::size_t count = records.size();
    const bool two = threads && count >= TheTwoThreadRecords;
    std::string other;
    for (std::size_t from = 0; from < count; from += two ? 2 * SpanRecords : SpanRecords) {
        const std::size_t to = std::min(count, from + SpanRecords);
        const std::size_t end = two ? std::min(count, to + SpanRecords) : to;
        WriteFault otherFault;
        std::future<bool> next;
        other.clear();
        if (to < end) {
            next = std::async(std::launch::async,
                              [&] { return FormatSpan(records, to, end, other, otherFault); });
        }
        const bool formatted = FormatSpan(records, from, to, block, fault);
        const bool otherFormatted = next.valid() ? next.get() : true;
        if (!formatted)
            return false;
        if (!put(block))
            return false;
        block.clear();
        if (!otherFormatted) {
            fault = otherFault;
            return false;
        }
        if (!other.empty() && !put(other))
            return false;
        if (progress && !progress(static_cast<qint64>(end), static_cast<qint64>(count))) {
            fault = {WriteFault::Cancelled, 0, nullptr};
            return false;
        }
    }
    return true;
}

// Writes the whole document in blocks to put (false when a block could not be written);
// false with fault set when it stops. Without threads it runs no Qt code and starts no
// thread, so that a copy of a busy process can run it.
// What the file held around the signals is written back in its place.
template <typename Put>
bool WriteDocument(const Put& put, const SignalCollection& records,
                   const SignalDocumentMarkup* markup, WriteFault& fault,
                   const ProgressHandler& progress = {}, bool threads = false) {
    static const SignalDocumentMarkup none;
    const SignalDocumentMarkup& around = markup ? *markup : none;
    std::string block;
    block.reserve(BlockSize + 4096);
    block += "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    block += around.prolog;
    block += "<SignalDatabase xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
             "xsi:noNamespaceSchemaLocation=\"QuarnSignalDB.xsd\"";
    block += around.rootAttributes;
    block += ">\n  <SignalList";
    block += around.listAttributes;
    block += records.empty() ? "/>\n" : ">\n";
    if (!WriteSpans(put, records, block, fault, progress, threads))
        return false;
    if (!records.empty())
        block += "  </SignalList>\n";
    block += "</SignalDatabase>\n";
    block += around.epilog;
    return put(block);
}

bool WriteDocument(QIODevice& device, const SignalCollection& records,
                   const SignalDocumentMarkup* markup, WriteFault& fault,
                   const ProgressHandler& progress = {}) {
    return WriteDocument(
        [&device](const std::string& bytes) { return WriteToDevice(device, bytes); }, records,
        markup, fault, progress, true);
}

QString FaultText(const SignalCollection& records, const WriteFault& fault) {
    return UnwritableMessage(*records[fault.record], fault.record, fault.field);
}

} // namespace

std::size_t CSignalFileWriter::TwoThreadRecords() {
    return TheTwoThreadRecords;
}

void CSignalFileWriter::SetTwoThreadRecords(std::size_t count) {
    TheTwoThreadRecords = count;
}

bool CSignalFileWriter::Write(const QString& path, const SignalCollection& records, IoError& error,
                              const ProgressHandler& progress, QString* warning,
                              const SignalDocumentMarkup* markup) {
    return WriteFileTarget(
        path,
        [&](QIODevice& device, QString& why) {
            WriteFault fault;
            if (WriteDocument(device, records, markup, fault, progress))
                return true;
            if (fault.kind == WriteFault::Record)
                why = FaultText(records, fault);
            else if (fault.kind == WriteFault::Cancelled)
                why = QCoreApplication::translate("SignalFileWriter", "%1: writing was cancelled")
                          .arg(path);
            return false;
        },
        error, warning);
}

bool CSignalFileWriter::WriteDevice(QIODevice& device, const SignalCollection& records,
                                    QString& error, const SignalDocumentMarkup* markup) {
    WriteFault fault;
    if (WriteDocument(device, records, markup, fault))
        return true;
    if (fault.kind == WriteFault::Record)
        error = FaultText(records, fault);
    else if (fault.kind == WriteFault::Cancelled)
        error = QCoreApplication::translate("SignalFileWriter", "writing was cancelled");
    else
        error = device.errorString().isEmpty()
                    ? QCoreApplication::translate("SignalFileWriter", "cannot write the document")
                    : device.errorString();
    return false;
}

bool CSignalFileWriter::WriteBuffer(const SignalCollection& records, QByteArray& out,
                                    QString& error) {
    out.clear();
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    if (!WriteDevice(buffer, records, error)) {
        out.clear();
        return false;
    }
    return true;
}

int CSignalFileWriter::WriteDescriptor(int fd, const SignalCollection& records,
                                       const SignalDocumentMarkup* markup) {
    int reason = 0;
    const auto put = [fd, &reason](const std::string& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                reason = n < 0 ? errno : ENOSPC;
                return false;
            }
            done += static_cast<std::size_t>(n);
        }
        return true;
    };
    WriteFault fault;
    if (WriteDocument(put, records, markup, fault))
        return 0;
    return fault.kind == WriteFault::Record ? EILSEQ : reason != 0 ? reason : EIO;
}
