#include "SignalFileReader.h"

#include <QCoreApplication>

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
#include <unordered_map>
#include <unordered_set>
#include <vector>

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

// A name as expat gives it with namespace triplets: "uri\nlocal\nprefix", "uri\nlocal" (the
// default namespace) or "local" (no namespace).
struct XmlName {
    std::string_view uri;
    std::string_view local;
    std::string_view prefix;
};

XmlName SplitName(const XML_Char* name) {
    const std::string_view text(name);
    const std::size_t first = text.find(NamespaceSeparator);
    if (first == std::string_view::npos)
        return {{}, text, {}};
    const std::size_t second = text.find(NamespaceSeparator, first + 1);
    if (second == std::string_view::npos)
        return {text.substr(0, first), text.substr(first + 1), {}};
    return {text.substr(0, first), text.substr(first + 1, second - first - 1),
            text.substr(second + 1)};
}

std::string_view LocalName(const XML_Char* name) {
    return SplitName(name).local;
}

// Expat takes U+00AA, U+00B5 and U+00BA as name characters in UTF-16 and ISO-8859-1 input but
// not in UTF-8, which the editor writes: a kept name holding one could not be read back.
bool WritableName(std::string_view utf8) {
    for (std::size_t i = utf8.find('\xC2'); i != std::string_view::npos && i + 1 < utf8.size();
         i = utf8.find('\xC2', i + 1)) {
        const char next = utf8[i + 1];
        if (next == '\xAA' || next == '\xB5' || next == '\xBA')
            return false;
    }
    return true;
}

bool WritableName(const XmlName& name) {
    return WritableName(name.local) && WritableName(name.prefix);
}

// The name as written: "prefix:local" or "local".
void AppendQualified(std::string& out, const XmlName& name) {
    if (!name.prefix.empty()) {
        out += name.prefix;
        out += ':';
    }
    out += name.local;
}

// The schema-instance prefix the writer declares on the root element itself.
constexpr std::string_view InstanceNamespace = "http://www.w3.org/2001/XMLSchema-instance";

// The prefix a value may name as a qualified name ("p" of "p:Kind"), or empty.
std::string_view ValuePrefix(std::string_view value) {
    const std::size_t colon = value.find(':');
    if (colon == std::string_view::npos || colon == 0)
        return {};
    const std::string_view prefix = value.substr(0, colon);
    return prefix.find_first_of(" \t\r\n/\"'<>=") == std::string_view::npos ? prefix
                                                                            : std::string_view();
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
    SignalFileReport* report = nullptr;
    std::vector<std::string> outside; // local names of the open elements outside any Signal
    // Namespace bindings: declared for the next element, and in force per open element.
    std::vector<std::pair<std::string, std::string>> declared;
    std::vector<std::vector<std::pair<std::string, std::string>>> scopes;
    // The same bindings by prefix, innermost last: a look-up costs the same however many
    // declarations an element makes.
    std::unordered_map<std::string, std::vector<std::string>> bindings;
    // Markup of the Signal being read that the record does not understand.
    std::string keptAttributes;
    std::string keptChildren;
    int keptDepth = 0;             // depth below the Signal of the kept element being copied, or 0
    int droppedDepth = 0;          // depth of a kept element that cannot be written back, or 0
    bool signalTextNoted = false;  // the Signal's own text was counted
    std::uint32_t fieldsRead = 0;  // bits of the known children read so far
    bool keptTagOpen = false;      // the kept element's start tag still waits for its '>'
    bool inKnownChild = false;     // a known child's nested markup is passed over
    bool headOnly = false;         // reading stops at the first Signal element
    bool headRead = false;         // and it did
    std::size_t keptDeclareAt = 0; // where the outermost kept element's declarations go
    std::vector<std::string> keptUsed;           // prefixes its markup uses, in order
    std::unordered_set<std::string> keptUsedSet; // the same, to look up
    std::unordered_set<std::string> keptOwn;     // prefixes it declares itself
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
        st.faultLine = ParserLine(st.parser);
        st.faultColumn = ParserColumn(st.parser);
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

// Markup inside a Signal that a save cannot keep: counted for the reader's notice.
void DropInsideSignal(ReadState& st, int SignalFileReport::*count) {
    if (st.report)
        ++(st.report->*count);
}

// The namespace declarations made on the element the parser is starting.
void AppendOwnDeclarations(ReadState& st, std::string& out) {
    for (const auto& [prefix, uri] : st.declared) {
        if (!WritableName(prefix)) {
            DropInsideSignal(st, &SignalFileReport::unwritableNames);
            continue;
        }
        out += prefix.empty() ? " xmlns=\"" : " xmlns:" + prefix + "=\"";
        CSignalXml::AppendAttributeValue(out, uri);
        out += '"';
    }
}

// The namespace a prefix is bound to where the parser stands, or empty.
std::string_view Binding(const ReadState& st, std::string_view prefix) {
    const auto found = st.bindings.find(std::string(prefix));
    return found == st.bindings.end() || found->second.empty() ? std::string_view()
                                                               : found->second.back();
}

// Kept markup may not grow beyond the limit of any text.
bool KeptWithinLimit(ReadState& st) {
    if (st.keptAttributes.size() + st.keptChildren.size() <= MaxTextBytes)
        return true;
    Stop(st, QCoreApplication::translate("SignalFileReader",
                                         "markup kept with a signal longer than %1 bytes")
                 .arg(MaxTextBytes));
    return false;
}

// Closes the start tag of the kept element the parser is in, before content goes into it.
void OpenKeptContent(ReadState& st) {
    if (st.keptTagOpen) {
        st.keptChildren += '>';
        st.keptTagOpen = false;
    }
}

void UsePrefix(ReadState& st, std::string_view prefix) {
    if (st.keptUsedSet.emplace(prefix).second)
        st.keptUsed.emplace_back(prefix);
}

void KeepElementStart(ReadState& st, const XML_Char* name, const XML_Char** attributes) {
    const XmlName element = SplitName(name);
    if (!WritableName(element)) {
        DropInsideSignal(st, &SignalFileReport::unwritableNames);
        st.droppedDepth = st.depth;
        return;
    }
    OpenKeptContent(st);
    const bool outermost = st.keptDepth == 0;
    if (outermost) {
        st.keptChildren += "      ";
        st.keptUsed.clear();
        st.keptUsedSet.clear();
        st.keptOwn.clear();
        for (const auto& binding : st.declared)
            st.keptOwn.insert(binding.first);
    }
    // Prefixes the kept markup uses ("" for a default namespace): the ones bound outside it
    // are declared on its outermost element when it ends.
    if (!element.prefix.empty() || !element.uri.empty())
        UsePrefix(st, element.prefix);
    st.keptChildren += '<';
    AppendQualified(st.keptChildren, element);
    if (outermost)
        st.keptDeclareAt = st.keptChildren.size();
    AppendOwnDeclarations(st, st.keptChildren);
    for (int i = 0; attributes[i]; i += 2) {
        const XmlName attribute = SplitName(attributes[i]);
        if (!WritableName(attribute)) {
            DropInsideSignal(st, &SignalFileReport::unwritableNames);
            continue;
        }
        if (!attribute.prefix.empty())
            UsePrefix(st, attribute.prefix);
        if (const std::string_view named = ValuePrefix(attributes[i + 1]);
            !named.empty() && !Binding(st, named).empty())
            UsePrefix(st, named);
        st.keptChildren += ' ';
        AppendQualified(st.keptChildren, attribute);
        st.keptChildren += "=\"";
        CSignalXml::AppendAttributeValue(st.keptChildren, attributes[i + 1]);
        st.keptChildren += '"';
    }
    st.keptTagOpen = true;
    if (outermost)
        st.keptDepth = 1;
}

void KeepElementEnd(ReadState& st, const XML_Char* name) {
    if (st.keptTagOpen) {
        st.keptChildren += "/>";
        st.keptTagOpen = false;
    } else {
        st.keptChildren += "</";
        AppendQualified(st.keptChildren, SplitName(name));
        st.keptChildren += '>';
    }
    if (st.depth - st.signalDepth == 1) {
        std::string declarations;
        for (const std::string& prefix : st.keptUsed) {
            if (st.keptOwn.count(prefix) != 0)
                continue;
            const std::string_view uri = Binding(st, prefix);
            if (uri.empty() || (prefix == "xsi" && uri == InstanceNamespace))
                continue;
            declarations += prefix.empty() ? " xmlns=\"" : " xmlns:" + prefix + "=\"";
            CSignalXml::AppendAttributeValue(declarations, uri);
            declarations += '"';
        }
        st.keptChildren.insert(st.keptDeclareAt, declarations);
        st.keptChildren += '\n';
        st.keptDepth = 0;
    }
}

// Attributes of SignalDatabase and SignalList other than the schema location a save writes
// are not kept: counted for the notice.
void NoteListAttributes(ReadState& st, std::string_view element, const XML_Char** attributes) {
    for (int i = 0; attributes[i]; i += 2) {
        const XmlName name = SplitName(attributes[i]);
        const bool written = element == "SignalDatabase" && name.uri == InstanceNamespace &&
                             name.local == "noNamespaceSchemaLocation" &&
                             std::string_view(attributes[i + 1]) == "QuarnSignalDB.xsd";
        if (!written)
            ++st.report->listAttributes;
    }
}

void StartSignal(ReadState& st, const XML_Char** attributes) {
    if (st.headOnly) {
        if (st.report)
            st.report->hasSignals = true;
        st.headRead = true;
        XML_StopParser(st.parser, XML_FALSE);
        return;
    }
    st.signal = std::make_unique<CSignalDescription>();
    st.notes = {};
    st.notes.line = ParserLine(st.parser);
    st.signalDepth = st.depth;
    st.keptAttributes.clear();
    st.keptChildren.clear();
    st.keptDepth = 0;
    st.droppedDepth = 0;
    st.signalTextNoted = false;
    st.fieldsRead = 0;
    st.keptTagOpen = false;
    st.inKnownChild = false;
    if (st.report) {
        st.report->hasSignals = true;
        if (st.outside.empty() || st.outside.back() != "SignalList")
            ++st.report->signalsOutsideList;
    }
    std::unordered_set<std::string> prefixes; // declared here for the kept attributes
    const auto declare = [&](std::string_view prefix) {
        // The "xml" prefix is bound without a declaration and may not be declared empty; the
        // file's root declares xsi.
        const std::string_view uri = prefix.empty() ? std::string_view() : Binding(st, prefix);
        if (uri.empty() || (prefix == "xsi" && uri == InstanceNamespace) ||
            !prefixes.emplace(prefix).second)
            return;
        st.keptAttributes += " xmlns:" + std::string(prefix) + "=\"";
        CSignalXml::AppendAttributeValue(st.keptAttributes, uri);
        st.keptAttributes += '"';
    };
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
        if (!WritableName(name)) {
            DropInsideSignal(st, &SignalFileReport::unwritableNames);
            continue;
        }
        declare(name.prefix);
        // A value naming a prefix (xsi:type="p:Kind") keeps its binding.
        declare(ValuePrefix(attributes[i + 1]));
        st.keptAttributes += ' ';
        AppendQualified(st.keptAttributes, name);
        st.keptAttributes += "=\"";
        CSignalXml::AppendAttributeValue(st.keptAttributes, attributes[i + 1]);
        st.keptAttributes += '"';
    }
}

void FinishSignal(ReadState& st) {
    st.signalDepth = -1;
    if (!st.keptAttributes.empty() || !st.keptChildren.empty())
        st.signal->m_pKept = std::make_shared<const CKeptMarkup>(
            CKeptMarkup{std::move(st.keptAttributes), std::move(st.keptChildren)});
    st.keptAttributes.clear();
    st.keptChildren.clear();
    CSignalXml::FinishReading(*st.signal, st.notes);
    if (st.report)
        st.report->Count(*st.signal, st.notes);
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
        if (st.droppedDepth > 0) {
            // inside a kept element that is dropped: dropped with it
        } else if (st.signalDepth < 0 && local == "Signal") {
            StartSignal(st, attributes);
        } else if (st.signalDepth < 0) {
            if (st.report && local != "SignalDatabase" && local != "SignalList")
                ++st.report->elements[std::string(local)];
            else if (st.report)
                NoteListAttributes(st, local, attributes);
            st.outside.emplace_back(local);
        } else if (st.keptDepth > 0) {
            KeepElementStart(st, name, attributes);
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
            KeepElementStart(st, name, attributes);
        } else if (st.depth == st.signalDepth + 2 && st.inKnownChild) {
            DropInsideSignal(st, &SignalFileReport::fieldMarkup);
        }
        st.scopes.push_back(std::move(st.declared));
        st.declared.clear();
        KeptWithinLimit(st);
    });
}

void OnEndElement(void* data, const XML_Char* name) {
    Guarded(data, [&](ReadState& st) {
        if (st.droppedDepth > 0) {
            if (st.depth == st.droppedDepth)
                st.droppedDepth = 0;
        } else if (st.signalDepth >= 0 && st.keptDepth > 0) {
            KeepElementEnd(st, name);
        } else if (st.signalDepth >= 0 && st.depth == st.signalDepth + 1 && st.inKnownChild) {
            CSignalXml::ReadChild(*st.signal, st.childName, st.value, st.notes);
            st.inKnownChild = false;
        } else if (st.depth == st.signalDepth) {
            FinishSignal(st);
        } else if (st.signalDepth < 0 && !st.outside.empty()) {
            st.outside.pop_back();
        }
        if (!st.scopes.empty()) {
            for (const auto& binding : st.scopes.back())
                st.bindings[binding.first].pop_back();
            st.scopes.pop_back();
        }
        --st.depth;
    });
}

void OnStartNamespace(void* data, const XML_Char* prefix, const XML_Char* uri) {
    Guarded(data, [&](ReadState& st) {
        st.declared.emplace_back(prefix ? prefix : "", uri ? uri : "");
        st.bindings[st.declared.back().first].push_back(st.declared.back().second);
    });
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
        if (st.droppedDepth > 0)
            return;
        if (st.signalDepth >= 0 && st.keptDepth > 0) {
            OpenKeptContent(st);
            CSignalXml::AppendText(st.keptChildren,
                                   std::string_view(text, static_cast<std::size_t>(length)));
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

// The byte-order mark must agree with the declared encoding; the editor reads XML 1.0 only,
// as it writes it.
void OnXmlDeclaration(void* data, const XML_Char* version, const XML_Char* encoding, int) {
    Guarded(data, [&](ReadState& st) {
        if (version && std::strcmp(version, "1.0") != 0) {
            Stop(st,
                 QCoreApplication::translate("SignalFileReader", "XML version %1 is not supported")
                     .arg(QString::fromUtf8(version)));
            return;
        }
        if (encoding == nullptr)
            return;
        const QByteArray declared = QByteArray(encoding).toUpper();
        if (StartsWith(st.head, "\xEF\xBB\xBF", 3) && declared != "UTF-8")
            Stop(st,
                 QCoreApplication::translate(
                     "SignalFileReader", "the byte-order mark says UTF-8, the declaration says %1")
                     .arg(QString::fromUtf8(encoding)));
        else if ((StartsWith(st.head, "\xFE\xFF", 2) || StartsWith(st.head, "\xFF\xFE", 2)) &&
                 !declared.startsWith("UTF-16"))
            Stop(st,
                 QCoreApplication::translate(
                     "SignalFileReader", "the byte-order mark says UTF-16, the declaration says %1")
                     .arg(QString::fromUtf8(encoding)));
    });
}

// Comments and processing instructions inside a Signal are kept with it (directly inside it,
// or inside kept markup); elsewhere they are counted as what a save drops.
void KeepOtherMarkup(ReadState& st, int& dropped, std::string_view open, std::string_view body,
                     std::string_view close) {
    if (st.signalDepth < 0) {
        ++dropped;
        return;
    }
    if (st.droppedDepth > 0)
        return;
    if (st.inKnownChild && st.keptDepth == 0) {
        if (st.depth == st.signalDepth + 1) // deeper, it went with its element
            DropInsideSignal(st, &SignalFileReport::fieldMarkup);
        return;
    }
    OpenKeptContent(st);
    const bool own = st.keptDepth == 0; // a child of the Signal: a line of its own
    if (own)
        st.keptChildren += "      ";
    st.keptChildren += open;
    st.keptChildren += body;
    st.keptChildren += close;
    if (own)
        st.keptChildren += '\n';
    KeptWithinLimit(st);
}

void OnProcessingInstruction(void* data, const XML_Char* target, const XML_Char* text) {
    Guarded(data, [&](ReadState& st) {
        if (st.signalDepth >= 0 && st.droppedDepth == 0 && !WritableName(target)) {
            DropInsideSignal(st, &SignalFileReport::unwritableNames);
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
    XML_SetStartDoctypeDeclHandler(p, OnDoctype);
    XML_SetStartNamespaceDeclHandler(p, OnStartNamespace);
    XML_SetReturnNSTriplet(p, XML_TRUE);
    XML_SetSkippedEntityHandler(p, OnSkippedEntity);
    XML_SetProcessingInstructionHandler(p, OnProcessingInstruction);
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
    return QCoreApplication::translate("SignalFileReader", "%1: line %2, column %3: %4")
        .arg(name)
        .arg(line)
        .arg(column)
        .arg(why);
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

// The encoding the first bytes name where expat cannot tell it (an EBCDIC document's
// declaration), or none; false with error for what is refused at once (UTF-32, an EBCDIC
// document without a declaration).
bool EncodingFromFirstBytes(const QByteArray& first, const QString& name, std::string& encoding,
                            QString& error) {
    if (StartsWith(first, "\x00\x00\xFE\xFF", 4) || StartsWith(first, "\xFF\xFE\x00\x00", 4) ||
        StartsWith(first, "\x00\x00\x00\x3C", 4) || StartsWith(first, "\x3C\x00\x00\x00", 4)) {
        error = QCoreApplication::translate("SignalFileReader",
                                            "%1: the file is in UTF-32, which is not supported")
                    .arg(name);
        return false;
    }
    if (StartsWith(first, "\x4C\x6F\xA7\x94", 4)) {
        encoding = EbcdicDeclaredEncoding(first);
        if (encoding.empty()) {
            error =
                QCoreApplication::translate(
                    "SignalFileReader", "%1: an EBCDIC document that does not declare its encoding")
                    .arg(name);
            return false;
        }
    }
    return true;
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
        error =
            QCoreApplication::translate("SignalFileReader", "%1: reading was cancelled").arg(name);
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
    ReadState st;
    // The state of a read from the first byte (again, when the file turns out to need
    // converting).
    const auto start = [&] {
        st = ReadState{};
        st.sink = &sink;
        st.report = report;
        st.headOnly = headOnly;
        st.head = first.left(4);
    };
    start();
    std::string encoding;
    if (!EncodingFromFirstBytes(first, name, encoding, error))
        return false;
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
        if (report)
            *report = {};
        start();
        parser = NewParser(st, "UTF-8");
        result = feeder.Run(parser.get(), st.events, transcoder.get(), first);
    }
    if (st.exception)
        std::rethrow_exception(st.exception);
    if (st.headRead)
        return true;
    return ResultIs(result, st, parser.get(), transcoder.get(), encoding, name, input, error);
}

} // namespace

bool CSignalFileReader::Read(const QString& path, const Sink& sink, QString& error,
                             const ProgressHandler& progress, SignalFileReport* report) {
    QFile file;
    if (!OpenRegularFile(path, file, error))
        return false;
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
    if (!OpenRegularFile(path, file, error))
        return false;
    const Sink none = [](std::unique_ptr<CSignalDescription>, SignalReadNotes&&) {};
    return ReadStream(file, file.size(), path, none, error, {}, &report, true);
}
