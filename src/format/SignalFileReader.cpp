#include "SignalFileReader.h"

#include <QCoreApplication>

#include "EncodingDetection.h"
#include "ExpatHandles.h"
#include "KeptMarkupCopier.h"
#include "RegularFile.h"
#include "SignalDescription.h"
#include "Transcoder.h"
#include "XmlEventStream.h"
#include "XmlFeeder.h"
#include "XmlNames.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <exception>
#include <string>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

// The parsing thread's batches are freed once it is done; glibc keeps such pages with the
// thread's heap. They go back to the system before the records are sorted, the read's
// largest moment.
void ReleaseFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

// Limits that keep a hostile file cheap; no signal database comes near them.
constexpr int MaxDepth = 256;
constexpr std::size_t MaxTextBytes = 10'000'000;
// Files this large are parsed on a second thread while this one builds the records: below
// it, starting the thread costs more than it saves.
std::atomic<qint64> TheTwoThreadBytes = 8 * 1024 * 1024;

// What the parser callbacks share: the record being read and why reading stopped. The
// callbacks run under expat, or replay its events recorded on another thread (parser null).
struct ReadState {
    ReadState(const CSignalFileReader::Sink& sink, SignalFileReport* report, const QByteArray& head,
              bool headOnly)
        : sink(&sink), report(report), head(head), headOnly(headOnly), kept(scopes, report) {}

    XML_Parser parser = nullptr;
    const CSignalFileReader::Sink* sink;
    SignalFileReport* report;
    QByteArray head;       // the first bytes of the input, for the byte-order mark
    bool headOnly;         // reading stops at the first Signal element
    bool headRead = false; // and it did
    int depth = 0;
    bool rootEnded = false; // comments and instructions from here on follow the root
    bool listSeen = false;  // the SignalList whose attributes a save writes back was met
    int signalDepth = -1;   // depth of the Signal element being read, or -1
    std::unique_ptr<CSignalDescription> signal;
    SignalReadNotes notes;
    std::vector<std::string> outside; // local names of the open elements outside any Signal
    CNamespaceScopes scopes;
    CKeptMarkupCopier kept;       // markup of the Signal being read that the record does not know
    bool signalTextNoted = false; // the Signal's own text was counted
    std::uint32_t fieldsRead = 0; // bits of the known children read so far
    bool inKnownChild = false;    // a known child's nested markup is passed over
    std::string childName;
    std::string value;
    QString fault; // this reader's own reason to stop, at the parser's position
    unsigned long faultLine = 0;
    unsigned long faultColumn = 0;
    std::exception_ptr exception; // thrown by a callback, rethrown once the parser returned
    std::string unknownEncoding;  // declared, and not one expat reads by itself
    unsigned long events = 0;     // parser callbacks so far: a chunk without any ends mid-token
    std::uint64_t eventLine = 0;  // a replayed Signal element's line
    bool halted = false;          // a replay stopped
    std::size_t delivered = 0;    // records handed to the sink
};

void Halt(ReadState& st) {
    if (st.parser)
        XML_StopParser(st.parser, XML_FALSE);
    else
        st.halted = true;
}

void Stop(ReadState& st, const QString& why) {
    if (st.fault.isEmpty()) {
        st.fault = why;
        st.faultLine = st.parser ? ParserLine(st.parser) : 0;
        st.faultColumn = st.parser ? ParserColumn(st.parser) : 0;
    }
    Halt(st);
}

// Exceptions must not cross expat's C frames: they are kept and rethrown afterwards.
template <typename Body> void Guarded(void* data, Body body) {
    auto& st = *static_cast<ReadState*>(data);
    ++st.events;
    try {
        body(st);
    } catch (...) {
        st.exception = std::current_exception();
        Halt(st);
    }
}

// Markup inside a Signal that a save cannot keep: counted for the reader's notice.
void DropInsideSignal(ReadState& st, int SignalFileReport::*count) {
    if (st.report)
        ++(st.report->*count);
}

// Kept markup may not grow beyond the limit of any text.
bool KeptWithinLimit(ReadState& st) {
    if (st.kept.Size() <= MaxTextBytes)
        return true;
    Stop(st, QCoreApplication::translate("SignalFileReader",
                                         "markup kept with a signal longer than %1 bytes")
                 .arg(MaxTextBytes));
    return false;
}

// Attributes of the root SignalDatabase and of its SignalList are written back, those
// without a namespace (a save writes no declarations there); the schema location a save
// writes is its own. The others, and those of any other SignalDatabase or SignalList, are
// counted for the notice.
void NoteListAttributes(ReadState& st, std::string_view element, const XML_Char** attributes) {
    std::string* kept = nullptr;
    if (element == "SignalDatabase" && st.depth == 1) {
        kept = &st.report->markup.rootAttributes;
    } else if (element == "SignalList" && !st.listSeen &&
               (st.depth == 1 || (st.depth == 2 && st.outside.size() == 1 &&
                                  st.outside.front() == "SignalDatabase"))) {
        st.listSeen = true;
        kept = &st.report->markup.listAttributes;
    }
    for (int i = 0; attributes[i]; i += 2) {
        const XmlName name = SplitName(attributes[i]);
        const bool written = element == "SignalDatabase" && name.uri == InstanceNamespace &&
                             name.local == "noNamespaceSchemaLocation" &&
                             std::string_view(attributes[i + 1]) == "QuarnSignalDB.xsd";
        if (written)
            continue;
        if (kept != nullptr && name.uri.empty() && WritableName(name.local)) {
            *kept += ' ';
            *kept += name.local;
            *kept += "=\"";
            CSignalXml::AppendAttributeValue(*kept, attributes[i + 1]);
            *kept += '"';
        } else {
            ++st.report->listAttributes;
        }
    }
}

void StartSignal(ReadState& st, const XML_Char** attributes) {
    if (st.headOnly) {
        if (st.report)
            st.report->hasSignals = true;
        st.headRead = true;
        Halt(st);
        return;
    }
    st.signal = std::make_unique<CSignalDescription>();
    st.notes = {};
    st.notes.line = st.parser ? ParserLine(st.parser) : st.eventLine;
    st.signalDepth = st.depth;
    st.kept.Start();
    st.signalTextNoted = false;
    st.fieldsRead = 0;
    st.inKnownChild = false;
    if (st.report) {
        st.report->hasSignals = true;
        if (st.outside.empty() || st.outside.back() != "SignalList")
            ++st.report->signalsOutsideList;
    }
    std::uint32_t attributesRead = 0;
    for (int i = 0; attributes[i]; i += 2) {
        const XmlName name = SplitName(attributes[i]);
        // Known attributes are read by their local names, whatever their prefix, as every
        // reader of these files reads them; one given again replaces the value before.
        if (const int known = CSignalXml::KnownAttributeIndex(name.local); known >= 0) {
            if (attributesRead & (1U << known))
                DropInsideSignal(st, &SignalFileReport::repeatedFields);
            attributesRead |= 1U << known;
            CSignalXml::ReadAttribute(*st.signal, name.local, attributes[i + 1], st.notes);
            continue;
        }
        st.kept.KeepAttribute(name, attributes[i + 1]);
    }
}

void FinishSignal(ReadState& st) {
    st.signalDepth = -1;
    st.signal->m_pKept = st.kept.Take();
    CSignalXml::FinishReading(*st.signal, st.notes);
    if (st.report)
        st.report->Count(*st.signal, st.notes);
    ++st.delivered;
    (*st.sink)(std::move(st.signal), std::move(st.notes));
}

void OnStartElement(void* data, const XML_Char* name, const XML_Char** attributes) {
    Guarded(data, [&](ReadState& st) {
        if (++st.depth > MaxDepth) {
            Stop(st,
                 QCoreApplication::translate(
                     "SignalFileReader", "elements nested deeper than %1 levels (excessive depth)")
                     .arg(MaxDepth));
            return;
        }
        // Every value is measured once, against the limit.
        for (int i = 0; attributes[i]; i += 2) {
            if (std::strlen(attributes[i + 1]) > MaxTextBytes) {
                Stop(st, QCoreApplication::translate("SignalFileReader",
                                                     "an attribute value longer than %1 bytes")
                             .arg(MaxTextBytes));
                return;
            }
        }
        const std::string_view local = LocalName(name);
        if (st.depth == 1 && st.report)
            st.report->root.assign(local);
        if (st.kept.Dropping()) {
            // inside a kept element that is dropped: dropped with it
        } else if (st.signalDepth < 0 && local == "Signal") {
            StartSignal(st, attributes);
        } else if (st.signalDepth < 0) {
            if (st.report && local != "SignalDatabase" && local != "SignalList")
                ++st.report->elements[std::string(local)];
            else if (st.report)
                NoteListAttributes(st, local, attributes);
            st.outside.emplace_back(local);
        } else if (st.kept.Copying()) {
            st.kept.ElementStart(name, attributes, st.depth);
        } else if (const int known =
                       st.depth == st.signalDepth + 1 ? CSignalXml::KnownChildIndex(local) : -1;
                   known >= 0) {
            // A field given again replaces the value read before.
            if (st.fieldsRead & (1U << known))
                DropInsideSignal(st, &SignalFileReport::repeatedFields);
            st.fieldsRead |= 1U << known;
            st.childName.assign(local);
            st.value.clear();
            st.inKnownChild = true;
            for (int i = 0; attributes[i]; i += 2) // a field's value is its text alone
                DropInsideSignal(st, &SignalFileReport::fieldMarkup);
        } else if (st.depth == st.signalDepth + 1) {
            st.kept.ElementStart(name, attributes, st.depth);
        } else if (st.depth == st.signalDepth + 2 && st.inKnownChild) {
            DropInsideSignal(st, &SignalFileReport::fieldMarkup);
        }
        st.scopes.Open();
        KeptWithinLimit(st);
    });
}

void OnEndElement(void* data, const XML_Char* name) {
    Guarded(data, [&](ReadState& st) {
        if (st.kept.Dropping()) {
            st.kept.EndDropped(st.depth);
        } else if (st.signalDepth >= 0 && st.kept.Copying()) {
            st.kept.ElementEnd(name, st.depth - st.signalDepth == 1);
        } else if (st.signalDepth >= 0 && st.depth == st.signalDepth + 1 && st.inKnownChild) {
            CSignalXml::ReadChild(*st.signal, st.childName, st.value, st.notes);
            st.inKnownChild = false;
        } else if (st.depth == st.signalDepth) {
            FinishSignal(st);
        } else if (st.signalDepth < 0 && !st.outside.empty()) {
            st.outside.pop_back();
        }
        st.scopes.Close();
        if (--st.depth == 0)
            st.rootEnded = true;
    });
}

void OnStartNamespace(void* data, const XML_Char* prefix, const XML_Char* uri) {
    Guarded(data, [&](ReadState& st) { st.scopes.Declare(prefix ? prefix : "", uri ? uri : ""); });
}

// Text between elements outside the records or directly inside a Signal is not kept: said
// unless it is only the layout's white space.
void NoteLooseText(ReadState& st, std::string_view text) {
    if (!st.report || std::all_of(text.begin(), text.end(), [](char c) {
            return c == '\n' || c == ' ' || c == '\t' || c == '\r';
        }))
        return;
    if (st.signalDepth < 0) {
        st.report->textOutside = true;
    } else if (!st.signalTextNoted) {
        st.signalTextNoted = true;
        ++st.report->signalsWithText;
    }
}

// A child's value is the text directly inside it; nested markup is passed over. Text inside
// kept markup is kept.
void OnCharacterData(void* data, const XML_Char* text, int length) {
    Guarded(data, [&](ReadState& st) {
        if (st.kept.Dropping())
            return;
        if (st.signalDepth >= 0 && st.kept.Copying()) {
            st.kept.Text(std::string_view(text, static_cast<std::size_t>(length)));
            KeptWithinLimit(st);
            return;
        }
        if (st.signalDepth < 0 || st.depth == st.signalDepth) {
            NoteLooseText(st, std::string_view(text, static_cast<std::size_t>(length)));
            return;
        }
        if (st.depth != st.signalDepth + 1 || !st.inKnownChild)
            return;
        if (st.value.size() + static_cast<std::size_t>(length) > MaxTextBytes) {
            Stop(st, QCoreApplication::translate("SignalFileReader", "a text longer than %1 bytes")
                         .arg(MaxTextBytes));
            return;
        }
        st.value.append(text, static_cast<std::size_t>(length));
    });
}

// The declaration must agree with the byte-order mark.
void OnXmlDeclaration(void* data, const XML_Char* version, const XML_Char* encoding, int) {
    Guarded(data, [&](ReadState& st) {
        if (const QString why = DeclarationConflict(st.head, version, encoding); !why.isEmpty())
            Stop(st, why);
    });
}

// Comments and processing instructions inside a Signal are kept with it (directly inside it,
// or inside kept markup); elsewhere they are counted as what a save drops.
void KeepOtherMarkup(ReadState& st, int& dropped, std::string_view open, std::string_view body,
                     std::string_view close) {
    if (st.signalDepth < 0 && st.depth == 0 && st.report) {
        // Before or after the root: written back there.
        std::string& kept = st.rootEnded ? st.report->markup.epilog : st.report->markup.prolog;
        kept.append(open).append(body).append(close).append("\n");
        return;
    }
    if (st.signalDepth < 0) {
        ++dropped;
        return;
    }
    if (st.kept.Dropping())
        return;
    if (st.inKnownChild && !st.kept.Copying()) {
        if (st.depth == st.signalDepth + 1) // deeper, it went with its element
            DropInsideSignal(st, &SignalFileReport::fieldMarkup);
        return;
    }
    st.kept.OtherMarkup(open, body, close);
    KeptWithinLimit(st);
}

void OnProcessingInstruction(void* data, const XML_Char* target, const XML_Char* text) {
    Guarded(data, [&](ReadState& st) {
        if (st.signalDepth >= 0 && !st.kept.Dropping() && !WritableName(target)) {
            DropInsideSignal(st, &SignalFileReport::unwritableNames);
            return;
        }
        if (st.signalDepth < 0 && st.depth == 0 && st.report && !WritableName(target)) {
            ++st.report->instructions;
            return;
        }
        std::string body = target;
        if (text && *text)
            body += ' ' + std::string(text);
        int ignored = 0;
        KeepOtherMarkup(st, st.report ? st.report->instructions : ignored, "<?", body, "?>");
    });
}

void OnComment(void* data, const XML_Char* text) {
    Guarded(data, [&](ReadState& st) {
        int ignored = 0;
        KeepOtherMarkup(st, st.report ? st.report->comments : ignored, "<!--", text, "-->");
    });
}

void OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    Guarded(data, [](ReadState& st) {
        if (st.report)
            st.report->doctype = true;
    });
}

// An entity declared nowhere the editor reads (the external subset is never loaded): its
// text cannot be known, so the file cannot be read as it is meant.
void OnSkippedEntity(void* data, const XML_Char* name, int parameter) {
    Guarded(data, [&](ReadState& st) {
        Stop(st, QCoreApplication::translate("SignalFileReader",
                                             "the entity %1%2; is not declared in the document")
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

// A parser that reads namespaces as triplets and never loads anything from outside.
ParserHandle NewParser(const char* encoding) {
    ParserHandle parser(XML_ParserCreateNS(encoding, NamespaceSeparator));
    if (!parser)
        throw std::bad_alloc();
    XML_SetReturnNSTriplet(parser.get(), XML_TRUE);
    // External entities and the external DTD subset are never loaded.
    XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);
    return parser;
}

ParserHandle NewParser(ReadState& st, const char* encoding) {
    ParserHandle parser = NewParser(encoding);
    XML_Parser p = parser.get();
    st.parser = p;
    XML_SetUserData(p, &st);
    XML_SetElementHandler(p, OnStartElement, OnEndElement);
    XML_SetCharacterDataHandler(p, OnCharacterData);
    XML_SetXmlDeclHandler(p, OnXmlDeclaration);
    XML_SetCommentHandler(p, OnComment);
    XML_SetStartDoctypeDeclHandler(p, OnDoctype);
    XML_SetStartNamespaceDeclHandler(p, OnStartNamespace);
    XML_SetSkippedEntityHandler(p, OnSkippedEntity);
    XML_SetProcessingInstructionHandler(p, OnProcessingInstruction);
    if (encoding == nullptr)
        XML_SetUnknownEncodingHandler(p, OnUnknownEncoding, &st);
    return parser;
}

QString Positioned(const QString& name, unsigned long line, unsigned long column,
                   const QString& why) {
    return QCoreApplication::translate("SignalFileReader", "%1: line %2, column %3: %4")
        .arg(name)
        .arg(line)
        .arg(column)
        .arg(why);
}

QString Cancelled(const QString& name) {
    return QCoreApplication::translate("SignalFileReader", "%1: reading was cancelled").arg(name);
}

// How the feeding ended, as the read's result: true when the file was read, else false with
// error naming the file, the place and the fault.
bool ResultIs(Feeder::Result result, const ReadState& st, XML_Parser parser,
              const Transcoder* transcoder, const std::string& encoding, const QString& name,
              const QIODevice& input, QString& error) {
    switch (result) {
    case Feeder::Result::Done:
        return true;
    case Feeder::Result::Cancelled:
        error = Cancelled(name);
        return false;
    case Feeder::Result::InputError:
        error = QStringLiteral("%1: %2").arg(name, input.errorString());
        return false;
    case Feeder::Result::ConversionError:
        error = Positioned(
            name, transcoder->Line(), transcoder->Column(),
            QCoreApplication::translate("SignalFileReader", "bytes that are not valid %1")
                .arg(QString::fromStdString(encoding)));
        return false;
    case Feeder::Result::TooLong:
        error = Positioned(name, ParserLine(parser), ParserColumn(parser),
                           QCoreApplication::translate("SignalFileReader",
                                                       "a piece of markup longer than %1 bytes")
                               .arg(MaxMarkupBytes));
        return false;
    case Feeder::Result::ParseError:
        break;
    }
    if (!st.fault.isEmpty())
        error = Positioned(name, st.faultLine, st.faultColumn, st.fault);
    else
        error = Positioned(name, ParserLine(parser), ParserColumn(parser),
                           QString::fromUtf8(XML_ErrorString(XML_GetErrorCode(parser))));
    return false;
}

// What a read is given: the input (first holds its first bytes, already read) and where the
// records and what was found go.
struct ReadRequest {
    QIODevice& input;
    qint64 total;
    const QString& name;
    const CSignalFileReader::Sink& sink;
    const ProgressHandler& progress;
    SignalFileReport* report;
    bool headOnly;
};

// Reads on this thread from the first byte; a file that names an encoding expat does not
// read is read again from its first byte, converted to UTF-8.
bool ReadHere(const ReadRequest& rq, QByteArray first, QString& error) {
    std::string encoding;
    if (!EncodingFromFirstBytes(first, rq.name, encoding, error))
        return false;
    auto st = std::make_unique<ReadState>(rq.sink, rq.report, first.left(4), rq.headOnly);
    Feeder feeder(rq.input, rq.total, rq.progress);
    std::unique_ptr<Transcoder> transcoder;
    ParserHandle parser;
    Feeder::Result result = Feeder::Result::Done;
    if (encoding.empty()) {
        parser = NewParser(*st, nullptr);
        result = feeder.Run(parser.get(), st->events, nullptr, first);
        if (result == Feeder::Result::ParseError && !st->unknownEncoding.empty()) {
            encoding = st->unknownEncoding;
            if (!rq.input.seek(0)) {
                error = QStringLiteral("%1: %2").arg(rq.name, rq.input.errorString());
                return false;
            }
            first = rq.input.read(ChunkSize);
        }
    }
    if (!encoding.empty()) {
        if (!EncodingSupported(encoding)) {
            error = QStringLiteral("%1: the encoding \"%2\" is not supported")
                        .arg(rq.name, QString::fromStdString(encoding));
            return false;
        }
        transcoder = std::make_unique<Transcoder>(encoding.c_str());
        if (rq.report)
            *rq.report = {};
        st = std::make_unique<ReadState>(rq.sink, rq.report, first.left(4), rq.headOnly);
        parser = NewParser(*st, "UTF-8");
        result = feeder.Run(parser.get(), st->events, transcoder.get(), first);
    }
    if (st->exception)
        std::rethrow_exception(st->exception);
    if (st->headRead)
        return true;
    return ResultIs(result, *st, parser.get(), transcoder.get(), encoding, rq.name, rq.input,
                    error);
}

// Stops a parser whose declared encoding it does not read by itself: read again on one thread.
int RefuseEncoding(void*, const XML_Char*, XML_Encoding*) {
    return XML_STATUS_ERROR;
}

enum class TwoThreads { Read, Failed, Again };

// Parses on a second thread and builds the records on this one, from the parser's events
// replayed in order. Only a whole, well-formed read ends here; anything else (a fault, a
// conversion) says Again, to be read once more on this thread for its exact message.
// delivered counts the records the sink received.
TwoThreads ReadOnTwoThreads(const ReadRequest& rq, const QByteArray& first, QString& error,
                            std::size_t& delivered) {
    ReadState st(rq.sink, rq.report, first.left(4), false);
    CXmlEventQueue queue;
    CXmlEventRecorder recorder(queue, rq.input);
    ParserHandle parser = NewParser(nullptr);
    recorder.Install(parser.get());
    XML_SetUnknownEncodingHandler(parser.get(), RefuseEncoding, nullptr);
    Feeder::Result result = Feeder::Result::ParseError;
    std::exception_ptr failure;
    std::thread parsing([&] {
        try {
            const ProgressHandler none;
            Feeder feeder(rq.input, rq.total, none, &recorder.Lines());
            result = feeder.Run(parser.get(), recorder.Events(), nullptr, first);
            if (result == Feeder::Result::Done && !recorder.Flush())
                result = Feeder::Result::Cancelled;
        } catch (...) {
            failure = std::current_exception();
        }
        queue.Finish();
    });
    static constexpr XmlEventHandlers handlers{
        OnStartElement,          OnEndElement, OnCharacterData,  OnXmlDeclaration, OnComment,
        OnProcessingInstruction, OnDoctype,    OnStartNamespace, OnSkippedEntity};
    ProgressThrottle progress(rq.total, rq.progress);
    bool cancelled = false;
    XmlEventBatch batch;
    while (!st.halted && !cancelled && queue.Pop(batch)) {
        ReplayXmlEvents(batch, handlers, &st, st.eventLine, st.halted);
        queue.GiveBack(std::move(batch.bytes));
        cancelled = batch.position >= 0 && !progress.Report(batch.position);
    }
    queue.Stop();
    parsing.join();
    delivered = st.delivered;
    if (failure)
        std::rethrow_exception(failure);
    if (st.exception)
        std::rethrow_exception(st.exception);
    if (cancelled) {
        error = Cancelled(rq.name);
        return TwoThreads::Failed;
    }
    return !st.halted && result == Feeder::Result::Done ? TwoThreads::Read : TwoThreads::Again;
}

bool ReadStream(QIODevice& input, qint64 total, const QString& name,
                const CSignalFileReader::Sink& sink, QString& error,
                const ProgressHandler& progress, SignalFileReport* report, bool headOnly = false) {
    QByteArray first = input.read(ChunkSize);
    if (first.isEmpty()) {
        error = input.atEnd() ? QCoreApplication::translate(
                                    "SignalFileReader", "%1: line 1, column 1: the file is empty")
                                    .arg(name)
                              : QStringLiteral("%1: %2").arg(name, input.errorString());
        return false;
    }
    const ReadRequest request{input, total, name, sink, progress, report, headOnly};
    std::string encoding;
    QString refused;
    const bool twoThreads = !headOnly && total >= TheTwoThreadBytes &&
                            std::thread::hardware_concurrency() > 1 && !StartsAsUtf16(first) &&
                            EncodingFromFirstBytes(first, name, encoding, refused) &&
                            encoding.empty();
    if (!twoThreads)
        return ReadHere(request, first, error);
    const SignalFileReport before = report ? *report : SignalFileReport();
    std::size_t delivered = 0;
    const TwoThreads outcome = ReadOnTwoThreads(request, first, error, delivered);
    ReleaseFreedMemory();
    if (outcome != TwoThreads::Again)
        return outcome == TwoThreads::Read;
    // Read again from the first byte on this thread; the sink does not hear again of the
    // records it already has.
    if (report)
        *report = before;
    if (!input.seek(0)) {
        error = QStringLiteral("%1: %2").arg(name, input.errorString());
        return false;
    }
    const CSignalFileReader::Sink rest = [&](std::unique_ptr<CSignalDescription> signal,
                                             SignalReadNotes&& notes) {
        if (delivered > 0)
            --delivered;
        else
            sink(std::move(signal), std::move(notes));
    };
    return ReadHere({input, total, name, rest, progress, report, false}, input.read(ChunkSize),
                    error);
}

} // namespace

qint64 CSignalFileReader::TwoThreadBytes() {
    return TheTwoThreadBytes;
}

void CSignalFileReader::SetTwoThreadBytes(qint64 bytes) {
    TheTwoThreadBytes = bytes;
}

bool CSignalFileReader::Read(const QString& path, const Sink& sink, QString& error,
                             const ProgressHandler& progress, SignalFileReport* report) {
    QFile file;
    if (IoError failure; !OpenRegularFile(path, file, failure)) {
        error = failure.Text();
        return false;
    }
    // Taken before the first byte is read: a file replaced during a long read is not the
    // file that was read.
    const CFileIdentity identity = CFileIdentity::OfOpenFile(path, file.handle());
    if (!ReadStream(file, file.size(), path, sink, error, progress, report))
        return false;
    if (report)
        report->file = identity;
    return true;
}

bool CSignalFileReader::ReadBuffer(const QByteArray& data, const QString& name, const Sink& sink,
                                   QString& error, SignalFileReport* report) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return ReadStream(buffer, data.size(), name, sink, error, {}, report);
}

bool CSignalFileReader::ReadHead(const QString& path, SignalFileReport& report, QString& error) {
    QFile file;
    if (IoError failure; !OpenRegularFile(path, file, failure)) {
        error = failure.Text();
        return false;
    }
    const Sink none = [](std::unique_ptr<CSignalDescription>, SignalReadNotes&&) {};
    return ReadStream(file, file.size(), path, none, error, {}, &report, true);
}
