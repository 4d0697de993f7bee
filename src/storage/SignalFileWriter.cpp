#include "SignalFileWriter.h"

#include "FileTarget.h"
#include "SignalDescription.h"
#include "SignalXml.h"
#include "XmlHandles.h"

#include <QBuffer>

namespace {

const xmlChar* Xml(const char* text) {
    return reinterpret_cast<const xmlChar*>(text);
}

QString UnwritableMessage(const CSignalDescription& s, std::size_t index, const char* field) {
    return QStringLiteral("Signal %1 (\"%2\"): the %3 holds a character that cannot be stored in "
                          "the file")
        .arg(index + 1)
        .arg(QString::fromUtf16(s.m_szName), QLatin1String(field));
}

// A short write (the disk filled) is retried, so that the device learns the system's reason.
int WriteToDevice(void* context, const char* buffer, int len) {
    auto* device = static_cast<QIODevice*>(context);
    qint64 done = 0;
    while (done < len) {
        const qint64 n = device->write(buffer + done, len - done);
        if (n <= 0)
            return -1;
        done += n;
    }
    return len;
}

int CloseNothing(void*) {
    return 0;
}

void IgnoreGenericError(void*, const char*, ...) {}
void IgnoreStructuredError(void*, xmlErrorPtr) {}

// While it lives, libxml2 reports nothing on stderr: failures come back as return values.
struct QuietLibxml2 {
    QuietLibxml2() {
        xmlSetGenericErrorFunc(nullptr, IgnoreGenericError);
        xmlSetStructuredErrorFunc(nullptr, IgnoreStructuredError);
    }
    ~QuietLibxml2() {
        xmlSetGenericErrorFunc(nullptr, nullptr);
        xmlSetStructuredErrorFunc(nullptr, nullptr);
    }
    QuietLibxml2(const QuietLibxml2&) = delete;
    QuietLibxml2& operator=(const QuietLibxml2&) = delete;
};

// Why writing the document stopped.
struct WriteFault {
    enum Kind { Device, Record, Cancelled } kind = Device;
    QString text; // for Record: the message naming the record
};

// Writes the whole document; false with fault set when it stops.
bool WriteDocument(QIODevice& device, const SignalCollection& records, WriteFault& fault,
                   const ProgressHandler& progress = {}) {
    const QuietLibxml2 quiet;
    static const char bom[] = "\xEF\xBB\xBF";
    if (device.write(bom, 3) != 3)
        return false;
    xmlOutputBufferPtr output =
        xmlOutputBufferCreateIO(WriteToDevice, CloseNothing, &device, nullptr);
    if (output == nullptr)
        return false;
    XmlWriterHandle writer(xmlNewTextWriter(output));
    if (!writer) {
        xmlOutputBufferClose(output);
        return false;
    }
    xmlTextWriterPtr w = writer.get();
    bool ok = xmlTextWriterSetIndent(w, 1) == 0 && xmlTextWriterSetIndentString(w, Xml("  ")) == 0;
    ok = ok && xmlTextWriterStartDocument(w, "1.0", "UTF-8", "yes") >= 0;
    ok = ok && xmlTextWriterStartElement(w, Xml("SignalDatabase")) >= 0;
    ok = ok && xmlTextWriterWriteAttribute(w, Xml("xmlns:xsi"),
                                           Xml("http://www.w3.org/2001/XMLSchema-instance")) >= 0;
    ok = ok && xmlTextWriterWriteAttribute(w, Xml("xsi:noNamespaceSchemaLocation"),
                                           Xml("QuarnSignalDB.xsd")) >= 0;
    ok = ok && xmlTextWriterStartElement(w, Xml("SignalList")) >= 0;
    for (std::size_t i = 0; ok && i < records.size(); ++i) {
        const char* unwritable = nullptr;
        ok = CSignalXml::WriteXml(w, *records[i], &unwritable);
        if (unwritable)
            fault = {WriteFault::Record, UnwritableMessage(*records[i], i, unwritable)};
        if (ok && progress && (i + 1) % ProgressInterval == 0 &&
            !progress(static_cast<qint64>(i + 1), static_cast<qint64>(records.size()))) {
            fault = {WriteFault::Cancelled, {}};
            ok = false;
        }
    }
    ok = ok && xmlTextWriterEndDocument(w) >= 0;
    ok = ok && xmlTextWriterFlush(w) >= 0;
    writer.reset(); // closes the output buffer, flushing what it still holds
    return ok;
}

} // namespace

bool CSignalFileWriter::Write(const QString& path, const SignalCollection& records, QString& error,
                              const ProgressHandler& progress) {
    return WriteFileTarget(
        path,
        [&](QIODevice& device, QString& why) {
            WriteFault fault;
            if (WriteDocument(device, records, fault, progress))
                return true;
            if (fault.kind == WriteFault::Record)
                why = fault.text;
            else if (fault.kind == WriteFault::Cancelled)
                why = QStringLiteral("%1: writing was cancelled").arg(path);
            return false;
        },
        error);
}

bool CSignalFileWriter::WriteDevice(QIODevice& device, const SignalCollection& records,
                                    QString& error) {
    WriteFault fault;
    if (WriteDocument(device, records, fault))
        return true;
    if (fault.kind == WriteFault::Record)
        error = fault.text;
    else if (fault.kind == WriteFault::Cancelled)
        error = QStringLiteral("writing was cancelled");
    else
        error = device.errorString().isEmpty() ? QStringLiteral("cannot write the document")
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
