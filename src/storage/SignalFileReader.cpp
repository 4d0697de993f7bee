#include "SignalFileReader.h"

#include "SignalDescription.h"
#include "SignalXml.h"
#include "XmlHandles.h"

#include <QFile>

#include <libxml/parserInternals.h>

#include <cstring>

namespace {

// External entities and DTDs are never loaded, whatever a file declares.
xmlParserInputPtr RefuseExternalEntity(const char*, const char*, xmlParserCtxtPtr) {
    return nullptr;
}

void InstallEntityGuard() {
    static const bool installed = [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(RefuseExternalEntity);
        return true;
    }();
    (void)installed;
}

struct ErrorCapture {
    bool failed = false;
    int line = 0;
    int column = 0;
    QString message;
};

void CaptureError(void* context, xmlErrorPtr error) {
    auto* capture = static_cast<ErrorCapture*>(context);
    if (capture->failed || error == nullptr || error->level < XML_ERR_ERROR)
        return;
    capture->failed = true;
    capture->line = error->line;
    capture->column = error->int2;
    capture->message = QString::fromUtf8(error->message ? error->message : "unknown error")
                           .trimmed();
}

int ReadFromFile(void* context, char* buffer, int len) {
    const qint64 n = static_cast<QFile*>(context)->read(buffer, len);
    return n < 0 ? -1 : static_cast<int>(n);
}

int CloseNothing(void*) { return 0; }

// Internal entities are expanded (so their text is read, and expansion bombs meet libxml2's
// amplification limits); external ones are refused by the loader above.
constexpr int ReaderOptions =
    XML_PARSE_NONET | XML_PARSE_NOENT | XML_PARSE_NOWARNING | XML_PARSE_NOERROR;

bool ReadAll(xmlTextReaderPtr raw, const QString& name, const CSignalFileReader::Sink& sink,
             QString& error) {
    XmlReaderHandle reader(raw);
    if (!reader) {
        error = QStringLiteral("%1: cannot create the XML reader").arg(name);
        return false;
    }
    ErrorCapture capture;
    xmlTextReaderSetStructuredErrorHandler(reader.get(), CaptureError, &capture);

    int rc = 0;
    while ((rc = xmlTextReaderRead(reader.get())) == 1) {
        if (xmlTextReaderNodeType(reader.get()) != XML_READER_TYPE_ELEMENT)
            continue;
        const xmlChar* localName = xmlTextReaderConstLocalName(reader.get());
        if (localName == nullptr || std::strcmp(reinterpret_cast<const char*>(localName),
                                                "Signal") != 0)
            continue;
        auto signal = std::make_unique<CSignalDescription>();
        const char16_t* message = nullptr;
        CSignalXml::ReadXml(reader.get(), *signal, &message);
        if (capture.failed)
            break;
        sink(std::move(signal), message);
    }
    if (rc == 0 && !capture.failed)
        return true;
    if (capture.failed)
        error = QStringLiteral("%1: line %2, column %3: %4")
                    .arg(name)
                    .arg(capture.line)
                    .arg(capture.column)
                    .arg(capture.message);
    else
        error = QStringLiteral("%1: the file is not a readable XML document").arg(name);
    return false;
}

} // namespace

bool CSignalFileReader::Read(const QString& path, const Sink& sink, QString& error) {
    InstallEntityGuard();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray url = QFile::encodeName(path);
    if (!ReadAll(xmlReaderForIO(ReadFromFile, CloseNothing, &file, url.constData(), nullptr,
                                ReaderOptions),
                 path, sink, error))
        return false;
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool CSignalFileReader::ReadBuffer(const QByteArray& data, const QString& name,
                                   const Sink& sink, QString& error) {
    InstallEntityGuard();
    return ReadAll(xmlReaderForMemory(data.constData(), static_cast<int>(data.size()), nullptr,
                                      nullptr, ReaderOptions),
                   name, sink, error);
}
