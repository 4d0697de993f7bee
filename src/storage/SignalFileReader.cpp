#include "SignalFileReader.h"

#include "ExpatHandles.h"
#include "RegularFile.h"
#include "SignalDescription.h"
#include "Transcoder.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <string>

namespace {

// Names arrive as "namespace\nlocal": a line feed cannot occur in a local name.
constexpr char NamespaceSeparator = '\n';
// Limits that keep a hostile file cheap; no signal database comes near them.
constexpr int MaxDepth = 256;
constexpr std::size_t MaxTextBytes = 10'000'000;
constexpr qint64 ChunkSize = 64 * 1024;
// No tag, comment or other piece of markup is longer: input that long without a single
// parser event is refused before expat holds all of it.
constexpr qint64 MaxMarkupBytes = 32 * 1024 * 1024;
// The progress handler hears from the reader whenever this much time has passed or this
// many bytes were read since it last did, even within one huge element.
constexpr qint64 ProgressMilliseconds = 50;
constexpr qint64 ProgressBytes = 1 << 20;

std::string_view LocalName(const XML_Char* name) {
    const char* separator = std::strrchr(name, NamespaceSeparator);
    return separator ? std::string_view(separator + 1) : std::string_view(name);
}

bool StartsWith(const QByteArray& head, const char* bytes, qsizetype length) {
    return head.size() >= length && std::memcmp(head.constData(), bytes, length) == 0;
}

// What the parser callbacks share: the record being read and why reading stopped.
struct ReadState {
    XML_Parser parser = nullptr;
    const CSignalFileReader::Sink* sink = nullptr;
    QByteArray head; // the first bytes of the input, for the byte-order mark
    int depth = 0;
    int signalDepth = -1; // depth of the Signal element being read, or -1
    std::unique_ptr<CSignalDescription> signal;
    SignalReadNotes notes;
    std::string childName;
    std::string value;
    QString fault; // this reader's own reason to stop, at the parser's position
    unsigned long faultLine = 0;
    unsigned long faultColumn = 0;
    std::exception_ptr exception; // thrown by a callback, rethrown once the parser returned
    std::string unknownEncoding;  // declared, and not one expat reads by itself
    unsigned long events = 0;     // parser callbacks so far: a chunk without any ends mid-token
};

void Stop(ReadState& st, const QString& why) {
    if (st.fault.isEmpty()) {
        st.fault = why;
        st.faultLine = XML_GetCurrentLineNumber(st.parser);
        st.faultColumn = XML_GetCurrentColumnNumber(st.parser) + 1;
    }
    XML_StopParser(st.parser, XML_FALSE);
}

// Exceptions must not cross expat's C frames: they are kept and rethrown afterwards.
template <typename Body> void Guarded(void* data, Body body) {
    auto& st = *static_cast<ReadState*>(data);
    ++st.events;
    try {
        body(st);
    } catch (...) {
        st.exception = std::current_exception();
        XML_StopParser(st.parser, XML_FALSE);
    }
}

void OnStartElement(void* data, const XML_Char* name, const XML_Char** attributes) {
    Guarded(data, [&](ReadState& st) {
        if (++st.depth > MaxDepth) {
            Stop(st, QStringLiteral("elements nested deeper than %1 levels (excessive depth)")
                         .arg(MaxDepth));
            return;
        }
        const std::string_view local = LocalName(name);
        const bool signal = st.signalDepth < 0 && local == "Signal";
        if (signal) {
            st.signal = std::make_unique<CSignalDescription>();
            st.notes = {};
            st.signalDepth = st.depth;
        }
        // Every value is measured once: checked against the limit, and read when it belongs
        // to a Signal (a record stopped half-read is never kept).
        for (int i = 0; attributes[i]; i += 2) {
            const std::string_view value(attributes[i + 1]);
            if (value.size() > MaxTextBytes) {
                Stop(st,
                     QStringLiteral("an attribute value longer than %1 bytes").arg(MaxTextBytes));
                return;
            }
            if (signal)
                CSignalXml::ReadAttribute(*st.signal, LocalName(attributes[i]), value, st.notes);
        }
        if (!signal && st.signalDepth >= 0 && st.depth == st.signalDepth + 1) {
            st.childName.assign(local);
            st.value.clear();
        }
    });
}

void OnEndElement(void* data, const XML_Char*) {
    Guarded(data, [](ReadState& st) {
        if (st.signalDepth >= 0 && st.depth == st.signalDepth + 1) {
            CSignalXml::ReadChild(*st.signal, st.childName, st.value);
        } else if (st.depth == st.signalDepth) {
            st.signalDepth = -1;
            CSignalXml::FinishReading(*st.signal, st.notes);
            (*st.sink)(std::move(st.signal), std::move(st.notes));
        }
        --st.depth;
    });
}

// A child's value is the text directly inside it; nested markup is passed over.
void OnCharacterData(void* data, const XML_Char* text, int length) {
    Guarded(data, [&](ReadState& st) {
        if (st.signalDepth < 0 || st.depth != st.signalDepth + 1)
            return;
        if (st.value.size() + static_cast<std::size_t>(length) > MaxTextBytes) {
            Stop(st, QStringLiteral("a text longer than %1 bytes").arg(MaxTextBytes));
            return;
        }
        st.value.append(text, static_cast<std::size_t>(length));
    });
}

// The byte-order mark must agree with the declared encoding; the editor reads XML 1.0 only,
// as it writes it.
void OnXmlDeclaration(void* data, const XML_Char* version, const XML_Char* encoding, int) {
    Guarded(data, [&](ReadState& st) {
        if (version && std::strcmp(version, "1.0") != 0) {
            Stop(st,
                 QStringLiteral("XML version %1 is not supported").arg(QString::fromUtf8(version)));
            return;
        }
        if (encoding == nullptr)
            return;
        const QByteArray declared = QByteArray(encoding).toUpper();
        if (StartsWith(st.head, "\xEF\xBB\xBF", 3) && declared != "UTF-8")
            Stop(st, QStringLiteral("the byte-order mark says UTF-8, the declaration says %1")
                         .arg(QString::fromUtf8(encoding)));
        else if ((StartsWith(st.head, "\xFE\xFF", 2) || StartsWith(st.head, "\xFF\xFE", 2)) &&
                 !declared.startsWith("UTF-16"))
            Stop(st, QStringLiteral("the byte-order mark says UTF-16, the declaration says %1")
                         .arg(QString::fromUtf8(encoding)));
    });
}

void OnOtherMarkup(void* data, const XML_Char*, const XML_Char*) {
    ++static_cast<ReadState*>(data)->events;
}

void OnComment(void* data, const XML_Char*) {
    ++static_cast<ReadState*>(data)->events;
}

// An entity declared nowhere the editor reads (the external subset is never loaded): its
// text cannot be known, so the file cannot be read as it is meant.
void OnSkippedEntity(void* data, const XML_Char* name, int parameter) {
    Guarded(data, [&](ReadState& st) {
        Stop(st, QStringLiteral("the entity %1%2; is not declared in the document")
                     .arg(parameter ? QLatin1Char('%') : QLatin1Char('&'))
                     .arg(QString::fromUtf8(name)));
    });
}

// Encodings beyond expat's own are read by converting the input to UTF-8 (see Transcoder):
// this handler only notes the name and stops, so that reading starts again converted.
int OnUnknownEncoding(void* data, const XML_Char* name, XML_Encoding*) {
    static_cast<ReadState*>(data)->unknownEncoding = name;
    return XML_STATUS_ERROR;
}

ParserHandle NewParser(ReadState& st, const char* encoding) {
    ParserHandle parser(XML_ParserCreateNS(encoding, NamespaceSeparator));
    if (!parser)
        throw std::bad_alloc();
    XML_Parser p = parser.get();
    st.parser = p;
    XML_SetUserData(p, &st);
    XML_SetElementHandler(p, OnStartElement, OnEndElement);
    XML_SetCharacterDataHandler(p, OnCharacterData);
    XML_SetXmlDeclHandler(p, OnXmlDeclaration);
    XML_SetCommentHandler(p, OnComment);
    XML_SetSkippedEntityHandler(p, OnSkippedEntity);
    XML_SetProcessingInstructionHandler(p, OnOtherMarkup);
    if (encoding == nullptr)
        XML_SetUnknownEncodingHandler(p, OnUnknownEncoding, &st);
    // External entities and the external DTD subset are never loaded.
    XML_SetParamEntityParsing(p, XML_PARAM_ENTITY_PARSING_NEVER);
    return parser;
}

// Reads chunks of the input, converted to UTF-8 when a transcoder is given, into the parser.
class Feeder {
public:
    Feeder(QIODevice& input, qint64 total, const ProgressHandler& progress)
        : m_input(input), m_total(total), m_progress(progress) {
        m_timer.start();
    }

    enum class Result { Done, ParseError, Cancelled, InputError, ConversionError, TooLong };

    Result Run(XML_Parser parser, const unsigned long& events, Transcoder* transcoder,
               const QByteArray& first) {
        // One buffer for the whole read: a fresh block per chunk would leave the heap
        // fragmented between the records.
        QByteArray chunk = first;
        std::string converted;
        qint64 size = ChunkSize;
        qint64 silent = 0; // bytes fed since the last parser event
        for (;;) {
            const unsigned long before = events;
            const bool last = chunk.isEmpty();
            const char* bytes = chunk.constData();
            qsizetype length = chunk.size();
            if (transcoder) {
                if (!transcoder->Convert(chunk, last, converted))
                    return Result::ConversionError;
                bytes = converted.data();
                length = static_cast<qsizetype>(converted.size());
            }
            if (XML_Parse(parser, bytes, static_cast<int>(length), last) != XML_STATUS_OK)
                return Result::ParseError;
            if (last)
                return Result::Done;
            if (!Report())
                return Result::Cancelled;
            // expat scans an unfinished token again from its start with every chunk: while
            // one long token (a huge tag) takes chunk after chunk, their size doubles, so
            // that the scanning stays linear.
            silent = events == before ? silent + length : 0;
            if (silent > MaxMarkupBytes)
                return Result::TooLong;
            size = events == before ? std::min<qint64>(size * 2, MaxMarkupBytes) : ChunkSize;
            chunk.resize(size);
            const qint64 got = m_input.read(chunk.data(), size);
            if (got < 0)
                return Result::InputError;
            chunk.resize(got);
        }
    }

private:
    bool Report() {
        if (!m_progress)
            return true;
        const qint64 now = m_timer.elapsed();
        const qint64 position = m_input.pos();
        if (now - m_reportedTime < ProgressMilliseconds &&
            position - m_reportedPosition < ProgressBytes)
            return true;
        m_reportedTime = now;
        m_reportedPosition = position;
        return m_progress(position, m_total);
    }

    QIODevice& m_input;
    qint64 m_total;
    const ProgressHandler& m_progress;
    QElapsedTimer m_timer;
    qint64 m_reportedTime = 0;
    qint64 m_reportedPosition = 0;
};

QString Positioned(const QString& name, unsigned long line, unsigned long column,
                   const QString& why) {
    return QStringLiteral("%1: line %2, column %3: %4").arg(name).arg(line).arg(column).arg(why);
}

// The encoding an EBCDIC document declares, read through the invariant EBCDIC letters.
std::string EbcdicDeclaredEncoding(const QByteArray& head) {
    Transcoder ebcdic("IBM037");
    std::string text;
    const qsizetype end = head.indexOf('\x6E'); // '>' in EBCDIC
    if (!ebcdic.IsOpen() || end < 0 || !ebcdic.Convert(head.left(end + 1), true, text))
        return {};
    const std::size_t at = text.find("encoding");
    if (at == std::string::npos)
        return {};
    const std::size_t open = text.find_first_of("\"'", at);
    const std::size_t close = open == std::string::npos ? open : text.find(text[open], open + 1);
    return close == std::string::npos ? std::string() : text.substr(open + 1, close - open - 1);
}

bool ReadStream(QIODevice& input, qint64 total, const QString& name,
                const CSignalFileReader::Sink& sink, QString& error,
                const ProgressHandler& progress) {
    QByteArray first = input.read(ChunkSize);
    if (first.isEmpty()) {
        error = input.atEnd() ? QStringLiteral("%1: line 1, column 1: the file is empty").arg(name)
                              : QStringLiteral("%1: %2").arg(name, input.errorString());
        return false;
    }
    if (StartsWith(first, "\x00\x00\xFE\xFF", 4) || StartsWith(first, "\xFF\xFE\x00\x00", 4) ||
        StartsWith(first, "\x00\x00\x00\x3C", 4) || StartsWith(first, "\x3C\x00\x00\x00", 4)) {
        error = QStringLiteral("%1: the file is in UTF-32, which is not supported").arg(name);
        return false;
    }

    ReadState st;
    st.sink = &sink;
    st.head = first.left(4);
    std::string encoding;
    if (StartsWith(first, "\x4C\x6F\xA7\x94", 4)) {
        encoding = EbcdicDeclaredEncoding(first);
        if (encoding.empty()) {
            error = QStringLiteral("%1: an EBCDIC document that does not declare its encoding")
                        .arg(name);
            return false;
        }
    }
    Feeder feeder(input, total, progress);
    std::unique_ptr<Transcoder> transcoder;
    ParserHandle parser;
    Feeder::Result result = Feeder::Result::Done;
    if (encoding.empty()) {
        parser = NewParser(st, nullptr);
        result = feeder.Run(parser.get(), st.events, nullptr, first);
        if (result == Feeder::Result::ParseError && !st.unknownEncoding.empty()) {
            // Start again from the first byte, converting to UTF-8.
            encoding = st.unknownEncoding;
            if (!input.seek(0)) {
                error = QStringLiteral("%1: %2").arg(name, input.errorString());
                return false;
            }
            first = input.read(ChunkSize);
        }
    }
    if (!encoding.empty()) {
        const QByteArray upper = QByteArray::fromStdString(encoding).toUpper();
        transcoder = std::make_unique<Transcoder>(encoding.c_str());
        if (upper.startsWith("UTF-32") || upper.startsWith("UCS-4") || upper.startsWith("UCS4") ||
            !transcoder->IsOpen()) {
            error = QStringLiteral("%1: the encoding \"%2\" is not supported")
                        .arg(name, QString::fromStdString(encoding));
            return false;
        }
        st = ReadState{};
        st.sink = &sink;
        st.head = first.left(4);
        parser = NewParser(st, "UTF-8");
        result = feeder.Run(parser.get(), st.events, transcoder.get(), first);
    }
    if (st.exception)
        std::rethrow_exception(st.exception);
    switch (result) {
    case Feeder::Result::Done:
        return true;
    case Feeder::Result::Cancelled:
        error = QStringLiteral("%1: reading was cancelled").arg(name);
        return false;
    case Feeder::Result::InputError:
        error = QStringLiteral("%1: %2").arg(name, input.errorString());
        return false;
    case Feeder::Result::ConversionError:
        error = Positioned(
            name, transcoder->Line(), transcoder->Column(),
            QStringLiteral("bytes that are not valid %1").arg(QString::fromStdString(encoding)));
        return false;
    case Feeder::Result::TooLong:
        error = Positioned(
            name, XML_GetCurrentLineNumber(parser.get()),
            XML_GetCurrentColumnNumber(parser.get()) + 1,
            QStringLiteral("a piece of markup longer than %1 bytes").arg(MaxMarkupBytes));
        return false;
    case Feeder::Result::ParseError:
        break;
    }
    if (!st.fault.isEmpty())
        error = Positioned(name, st.faultLine, st.faultColumn, st.fault);
    else
        error = Positioned(name, XML_GetCurrentLineNumber(parser.get()),
                           XML_GetCurrentColumnNumber(parser.get()) + 1,
                           QString::fromUtf8(XML_ErrorString(XML_GetErrorCode(parser.get()))));
    return false;
}

} // namespace

bool CSignalFileReader::Read(const QString& path, const Sink& sink, QString& error,
                             const ProgressHandler& progress) {
    QFile file;
    if (!OpenRegularFile(path, file, error))
        return false;
    return ReadStream(file, file.size(), path, sink, error, progress);
}

bool CSignalFileReader::ReadBuffer(const QByteArray& data, const QString& name, const Sink& sink,
                                   QString& error) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return ReadStream(buffer, data.size(), name, sink, error, {});
}
