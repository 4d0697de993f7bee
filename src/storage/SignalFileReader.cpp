#include "SignalFileReader.h"

#include "SignalDescription.h"
#include "SignalXml.h"
#include "XmlHandles.h"

#include <QFile>

#include <libxml/parserInternals.h>

#include <algorithm>
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
    capture->message =
        QString::fromUtf8(error->message ? error->message : "unknown error").trimmed();
}

// The file being read, and its first bytes (for the byte-order mark).
struct FileInput {
    QFile* file;
    QByteArray head;
};

void IgnoreGenericError(void*, const char*, ...) {}

int ReadFromFile(void* context, char* buffer, int len) {
    auto* input = static_cast<FileInput*>(context);
    const qint64 n = input->file->read(buffer, len);
    if (n > 0 && input->head.size() < 4)
        input->head.append(buffer, std::min<qint64>(n, 4 - input->head.size()));
    return n < 0 ? -1 : static_cast<int>(n);
}

// The parser takes a byte-order mark over the encoding declaration; a document whose two
// disagree is not well-formed. The editor also reads XML 1.0 only, as it writes it.
QString DeclarationFault(xmlTextReaderPtr reader, const QByteArray& head) {
    const char* declared = reinterpret_cast<const char*>(xmlTextReaderConstEncoding(reader));
    const QByteArray encoding = QByteArray(declared ? declared : "").toUpper();
    if (!encoding.isEmpty()) {
        if (head.startsWith("\xEF\xBB\xBF") && encoding != "UTF-8")
            return QStringLiteral("the byte-order mark says UTF-8, the declaration says %1")
                .arg(QString::fromLatin1(declared));
        if ((head.startsWith("\xFE\xFF") || head.startsWith("\xFF\xFE")) &&
            !encoding.startsWith("UTF-16"))
            return QStringLiteral("the byte-order mark says UTF-16, the declaration says %1")
                .arg(QString::fromLatin1(declared));
    }
    const char* version = reinterpret_cast<const char*>(xmlTextReaderConstXmlVersion(reader));
    if (version && std::strcmp(version, "1.1") == 0)
        return QStringLiteral("XML version 1.1 is not supported");
    return {};
}

int CloseNothing(void*) {
    return 0;
}

// Internal entities are expanded (so their text is read, and expansion bombs meet libxml2's
// amplification limits); external ones are refused by the loader above.
constexpr int ReaderOptions =
    XML_PARSE_NONET | XML_PARSE_NOENT | XML_PARSE_NOWARNING | XML_PARSE_NOERROR;

// Asks the progress handler every ProgressInterval records; false when it cancels.
struct ProgressProbe {
    const ProgressHandler* handler = nullptr;
    const QFile* file = nullptr;
    int count = 0;
    bool GoOn() {
        if (handler == nullptr || !*handler || ++count % ProgressInterval != 0)
            return true;
        return (*handler)(file->pos(), file->size());
    }
};

bool ReadAll(xmlTextReaderPtr raw, const QString& name, const QByteArray& head,
             const CSignalFileReader::Sink& sink, QString& error, ProgressProbe probe = {}) {
    XmlReaderHandle reader(raw);
    if (!reader) {
        error = QStringLiteral("%1: cannot create the XML reader").arg(name);
        return false;
    }
    ErrorCapture capture;
    xmlTextReaderSetStructuredErrorHandler(reader.get(), CaptureError, &capture);
    // Encoding and I/O errors bypass the reader's handler: catch them too, instead of letting
    // libxml2 print them.
    struct GlobalHandler {
        explicit GlobalHandler(ErrorCapture* capture) {
            xmlSetStructuredErrorFunc(capture, CaptureError);
            xmlSetGenericErrorFunc(nullptr, IgnoreGenericError);
        }
        ~GlobalHandler() {
            xmlSetStructuredErrorFunc(nullptr, nullptr);
            xmlSetGenericErrorFunc(nullptr, nullptr);
        }
    } global(&capture);

    int rc = 0;
    bool first = true;
    while ((rc = xmlTextReaderRead(reader.get())) == 1) {
        if (first) {
            first = false;
            const QString fault = DeclarationFault(reader.get(), head);
            if (!fault.isEmpty()) {
                error = QStringLiteral("%1: line 1, column 1: %2").arg(name, fault);
                return false;
            }
        }
        if (xmlTextReaderNodeType(reader.get()) != XML_READER_TYPE_ELEMENT)
            continue;
        const xmlChar* localName = xmlTextReaderConstLocalName(reader.get());
        if (localName == nullptr ||
            std::strcmp(reinterpret_cast<const char*>(localName), "Signal") != 0)
            continue;
        auto signal = std::make_unique<CSignalDescription>();
        SignalReadNotes notes;
        CSignalXml::ReadXml(reader.get(), *signal, &notes);
        if (capture.failed)
            break;
        sink(std::move(signal), std::move(notes));
        if (!probe.GoOn()) {
            error = QStringLiteral("%1: reading was cancelled").arg(name);
            return false;
        }
    }
    if (rc == 0 && !capture.failed)
        return true;
    if (capture.failed && capture.line == 0) {
        // Encoding errors carry no position: take where the parser stopped.
        capture.line = xmlTextReaderGetParserLineNumber(reader.get());
        capture.column = xmlTextReaderGetParserColumnNumber(reader.get());
    }
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

bool CSignalFileReader::Read(const QString& path, const Sink& sink, QString& error,
                             const ProgressHandler& progress) {
    InstallEntityGuard();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray url = QFile::encodeName(path);
    FileInput input{&file, {}};
    xmlTextReaderPtr reader =
        xmlReaderForIO(ReadFromFile, CloseNothing, &input, url.constData(), nullptr, ReaderOptions);
    if (!ReadAll(reader, path, input.head, sink, error, ProgressProbe{&progress, &file}))
        return false;
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool CSignalFileReader::ReadBuffer(const QByteArray& data, const QString& name, const Sink& sink,
                                   QString& error) {
    InstallEntityGuard();
    return ReadAll(xmlReaderForMemory(data.constData(), static_cast<int>(data.size()), nullptr,
                                      nullptr, ReaderOptions),
                   name, data.left(4), sink, error);
}
