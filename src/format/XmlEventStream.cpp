#include "XmlEventStream.h"

#include "ExpatHandles.h"
#include "XmlNames.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// A batch is handed over once it holds this much.
constexpr std::size_t BatchBytes = 256 * 1024;

enum EventType : char {
    StartElement = 'S',
    EndElement = 'E',
    Text = 'T',
    Declaration = 'X',
    Comment = 'C',
    Instruction = 'P',
    Doctype = 'D',
    StartNamespace = 'N',
    SkippedEntity = 'K',
};

CXmlEventRecorder& Recorder(void* data) {
    return *static_cast<CXmlEventRecorder*>(data);
}

// Reads a batch back in the order it was written.
class Reader {
public:
    explicit Reader(const XmlEventBatch& batch)
        : m_at(batch.bytes.data()), m_end(m_at + batch.used) {}
    bool AtEnd() const { return m_at >= m_end; }
    char Type() { return *m_at++; }
    const char* Text() {
        const char* text = m_at;
        m_at += std::strlen(m_at) + 1;
        return text;
    }
    const char* OptionalText() { return *m_at++ ? Text() : nullptr; }
    std::uint64_t Number() {
        std::uint64_t number;
        std::memcpy(&number, m_at, sizeof number);
        m_at += sizeof number;
        return number;
    }
    const char* Bytes(std::size_t length) {
        const char* bytes = m_at;
        m_at += length;
        return bytes;
    }

private:
    const char* m_at;
    const char* m_end;
};

} // namespace

void CLineCounter::Feeding(const char* bytes, std::size_t length) {
    m_chunk = bytes;
    m_chunkStart += m_chunkLength;
    m_chunkLength = length;
    if (!m_expat && std::memchr(bytes, '\r', length) != nullptr)
        m_expat = true;
}

void CLineCounter::Parsed() {
    if (!m_expat)
        CountTo(m_chunkStart + m_chunkLength);
}

// Counts the line feeds of the current chunk up to position (at or after m_at).
void CLineCounter::CountTo(std::uint64_t position) {
    const char* from = m_chunk + (m_at - m_chunkStart);
    const char* to = m_chunk + (position - m_chunkStart);
    while ((from = static_cast<const char*>(std::memchr(from, '\n', to - from))) != nullptr) {
        ++m_line;
        ++from;
    }
    m_at = position;
}

std::uint64_t CLineCounter::Line(XML_Parser parser) {
    if (m_expat)
        return ParserLine(parser);
    const std::uint64_t position = ParserByteIndex(parser);
    if (position >= m_at) {
        CountTo(position);
        return m_line;
    }
    // The element started in the part of the chunk before that expat kept: those bytes are
    // in its buffer, from the element on.
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    const char* buffer = ParserInputContext(parser, offset, size);
    const std::uint64_t back = m_at - position;
    if (buffer == nullptr || size < offset || size - offset < back)
        return ParserLine(parser);
    return m_line -
           static_cast<std::uint64_t>(std::count(buffer + offset, buffer + offset + back, '\n'));
}

bool CXmlEventQueue::Push(XmlEventBatch&& batch) {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_stopped || m_batches.size() < MaxBatches; });
    if (m_stopped)
        return false;
    m_batches.push_back(std::move(batch));
    m_changed.notify_all();
    return true;
}

bool CXmlEventQueue::Pop(XmlEventBatch& batch) {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_stopped || m_finished || !m_batches.empty(); });
    if (m_stopped || m_batches.empty())
        return false;
    batch = std::move(m_batches.front());
    m_batches.pop_front();
    m_changed.notify_all();
    return true;
}

void CXmlEventQueue::GiveBack(std::string&& bytes) {
    const std::lock_guard lock(m_mutex);
    m_spare.push_back(std::move(bytes));
}

std::string CXmlEventQueue::TakeBack() {
    const std::lock_guard lock(m_mutex);
    if (m_spare.empty())
        return {};
    std::string bytes = std::move(m_spare.back());
    m_spare.pop_back();
    return bytes;
}

void CXmlEventQueue::Finish() {
    const std::lock_guard lock(m_mutex);
    m_finished = true;
    m_changed.notify_all();
}

void CXmlEventQueue::Stop() {
    const std::lock_guard lock(m_mutex);
    m_stopped = true;
    m_changed.notify_all();
}

bool CXmlEventQueue::Stopped() const {
    const std::lock_guard lock(m_mutex);
    return m_stopped;
}

void CXmlEventRecorder::Install(XML_Parser parser) {
    m_parser = parser;
    XML_SetUserData(parser, this);
    XML_SetElementHandler(parser, OnStartElement, OnEndElement);
    XML_SetCharacterDataHandler(parser, OnText);
    XML_SetXmlDeclHandler(parser, OnDeclaration);
    XML_SetCommentHandler(parser, OnComment);
    XML_SetStartDoctypeDeclHandler(parser, OnDoctype);
    XML_SetStartNamespaceDeclHandler(parser, OnStartNamespace);
    XML_SetSkippedEntityHandler(parser, OnSkippedEntity);
    XML_SetProcessingInstructionHandler(parser, OnInstruction);
}

bool CXmlEventRecorder::Flush() {
    if (m_batch.used == 0)
        return !m_queue.Stopped();
    m_batch.position = m_input.pos();
    const bool taken = m_queue.Push(std::move(m_batch));
    m_batch = {};
    m_batch.bytes = m_queue.TakeBack();
    return taken;
}

// A batch's memory is made once (or taken back from a replayed batch) and kept at its size:
// no zeroing, no fresh pages for every batch.
void CXmlEventRecorder::Grow(std::size_t length) {
    m_batch.bytes.resize(std::max(m_batch.used + length, BatchBytes + BatchBytes / 4));
}

void CXmlEventRecorder::Begin(char type) {
    ++m_events;
    *Room(1) = type;
}

void CXmlEventRecorder::Put(const char* text) {
    Put(text, std::strlen(text) + 1);
}

void CXmlEventRecorder::Put(const char* bytes, std::size_t length) {
    std::memcpy(Room(length), bytes, length);
}

void CXmlEventRecorder::PutOptional(const char* text) {
    *Room(1) = text ? '\1' : '\0';
    if (text)
        Put(text);
}

void CXmlEventRecorder::Put(std::uint64_t number) {
    std::memcpy(Room(sizeof number), &number, sizeof number);
}

// A full batch is handed over at the next event; a stopped queue stops the parser.
void CXmlEventRecorder::End() {
    if (m_batch.used >= BatchBytes && !Flush())
        XML_StopParser(m_parser, XML_FALSE);
}

void CXmlEventRecorder::OnStartElement(void* data, const XML_Char* name,
                                       const XML_Char** attributes) {
    CXmlEventRecorder& r = Recorder(data);
    r.Begin(StartElement);
    r.Put(LocalName(name) == "Signal" ? r.m_lines.Line(r.m_parser) : std::uint64_t(0));
    r.Put(name);
    std::uint64_t count = 0;
    while (attributes[count])
        ++count;
    r.Put(count);
    for (std::uint64_t i = 0; i < count; ++i)
        r.Put(attributes[i]);
    r.End();
}

void CXmlEventRecorder::OnEndElement(void* data, const XML_Char* name) {
    CXmlEventRecorder& r = Recorder(data);
    r.Begin(EndElement);
    r.Put(name);
    r.End();
}

void CXmlEventRecorder::OnText(void* data, const XML_Char* text, int length) {
    CXmlEventRecorder& r = Recorder(data);
    r.Begin(Text);
    r.Put(static_cast<std::uint64_t>(length));
    r.Put(text, static_cast<std::size_t>(length));
    r.End();
}

void CXmlEventRecorder::OnDeclaration(void* data, const XML_Char* version, const XML_Char* encoding,
                                      int standalone) {
    CXmlEventRecorder& r = Recorder(data);
    r.Begin(Declaration);
    r.PutOptional(version);
    r.PutOptional(encoding);
    r.Put(static_cast<std::uint64_t>(standalone + 1));
    r.End();
}

void CXmlEventRecorder::OnComment(void* data, const XML_Char* text) {
    CXmlEventRecorder& r = Recorder(data);
    r.Begin(Comment);
    r.PutOptional(text);
    r.End();
}

void CXmlEventRecorder::OnInstruction(void* data, const XML_Char* target, const XML_Char* text) {
    CXmlEventRecorder& r = Recorder(data);
    r.Begin(Instruction);
    r.Put(target);
    r.PutOptional(text);
    r.End();
}

void CXmlEventRecorder::OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*,
                                  int) {
    CXmlEventRecorder& r = Recorder(data);
    r.Begin(Doctype);
    r.End();
}

void CXmlEventRecorder::OnStartNamespace(void* data, const XML_Char* prefix, const XML_Char* uri) {
    CXmlEventRecorder& r = Recorder(data);
    r.Begin(StartNamespace);
    r.PutOptional(prefix);
    r.PutOptional(uri);
    r.End();
}

void CXmlEventRecorder::OnSkippedEntity(void* data, const XML_Char* name, int parameter) {
    CXmlEventRecorder& r = Recorder(data);
    r.Begin(SkippedEntity);
    r.Put(name);
    r.Put(static_cast<std::uint64_t>(parameter));
    r.End();
}

void ReplayXmlEvents(const XmlEventBatch& batch, const XmlEventHandlers& handlers, void* data,
                     std::uint64_t& line, const bool& stop) {
    Reader in(batch);
    std::vector<const char*> attributes;
    while (!in.AtEnd() && !stop) {
        switch (in.Type()) {
        case StartElement: {
            line = in.Number();
            const char* name = in.Text();
            attributes.resize(in.Number() + 1);
            for (std::size_t i = 0; i + 1 < attributes.size(); ++i)
                attributes[i] = in.Text();
            attributes.back() = nullptr;
            handlers.startElement(data, name, attributes.data());
            break;
        }
        case EndElement:
            handlers.endElement(data, in.Text());
            break;
        case Text: {
            const auto length = static_cast<std::size_t>(in.Number());
            handlers.text(data, in.Bytes(length), static_cast<int>(length));
            break;
        }
        case Declaration: {
            const char* version = in.OptionalText();
            const char* encoding = in.OptionalText();
            handlers.declaration(data, version, encoding, static_cast<int>(in.Number()) - 1);
            break;
        }
        case Comment:
            handlers.comment(data, in.OptionalText());
            break;
        case Instruction: {
            const char* target = in.Text();
            handlers.instruction(data, target, in.OptionalText());
            break;
        }
        case Doctype:
            handlers.doctype(data, nullptr, nullptr, nullptr, 0);
            break;
        case StartNamespace: {
            const char* prefix = in.OptionalText();
            handlers.startNamespace(data, prefix, in.OptionalText());
            break;
        }
        case SkippedEntity: {
            const char* name = in.Text();
            handlers.skippedEntity(data, name, static_cast<int>(in.Number()));
            break;
        }
        default:
            return;
        }
    }
}
