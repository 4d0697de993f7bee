#include "SignalFileWriter.h"

#include "SignalDescription.h"
#include "SignalXml.h"
#include "XmlHandles.h"

#include <QBuffer>
#include <QSaveFile>

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

int WriteToDevice(void* context, const char* buffer, int len) {
    auto* device = static_cast<QIODevice*>(context);
    return device->write(buffer, len) == len ? len : -1;
}

int CloseNothing(void*) {
    return 0;
}

// Writes the whole document; a record that cannot be written stops it with error set.
bool WriteDocument(QIODevice& device, const SignalCollection& records, QString& error,
                   const ProgressHandler& progress = {}) {
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
            error = UnwritableMessage(*records[i], i, unwritable);
        if (ok && progress && (i + 1) % ProgressInterval == 0 &&
            !progress(static_cast<qint64>(i + 1), static_cast<qint64>(records.size()))) {
            error = QStringLiteral("writing was cancelled");
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
    QSaveFile file(path);
    // libxml2 hands over 4 kB blocks: written straight through, without a second buffer.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    if (!WriteDocument(file, records, error, progress) || file.error() != QFileDevice::NoError) {
        if (file.error() != QFileDevice::NoError)
            error = QStringLiteral("%1: %2").arg(path, file.errorString());
        else if (error.isEmpty())
            error = QStringLiteral("%1: cannot write the file").arg(path);
        else if (!error.startsWith(QLatin1String("Signal ")))
            error = QStringLiteral("%1: %2").arg(path, error);
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool CSignalFileWriter::WriteBuffer(const SignalCollection& records, QByteArray& out,
                                    QString& error) {
    out.clear();
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    if (!WriteDocument(buffer, records, error)) {
        if (error.isEmpty())
            error = QStringLiteral("cannot write the document");
        out.clear();
        return false;
    }
    return true;
}
