#pragma once

#include <expat.h>

#include <QtGlobal>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

class QIODevice;

// Expat's events of one read, recorded on the thread that parses and handed in batches, in
// their order, to the thread that builds the records, which replays them through the same
// handlers a parser would call.

struct XmlEventBatch {
    std::string bytes; // the first used of them hold events
    std::size_t used = 0;
    qint64 position = -1; // of the input once the batch was full, or -1
};

// The handlers a replay calls, each with expat's own signature.
struct XmlEventHandlers {
    XML_StartElementHandler startElement;
    XML_EndElementHandler endElement;
    XML_CharacterDataHandler text;
    XML_XmlDeclHandler declaration;
    XML_CommentHandler comment;
    XML_ProcessingInstructionHandler instruction;
    XML_StartDoctypeDeclHandler doctype;
    XML_StartNamespaceDeclHandler startNamespace;
    XML_SkippedEntityHandler skippedEntity;
};

// A bounded queue of batches between the two threads; either side can stop it.
class CXmlEventQueue {
public:
    // Waits while the queue is full; false when the reading side stopped it.
    bool Push(XmlEventBatch&& batch);
    // Waits for a batch; false once the parsing side finished and every batch was taken, or
    // the queue was stopped.
    bool Pop(XmlEventBatch& batch);
    // A batch replayed, whose memory the parsing side may fill again; and that memory, or
    // empty when none is back yet.
    void GiveBack(std::string&& bytes);
    std::string TakeBack();
    // The parsing side is done.
    void Finish();
    // Either side gives up: the other stops waiting.
    void Stop();
    bool Stopped() const;

private:
    static constexpr std::size_t MaxBatches = 8;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<XmlEventBatch> m_batches;
    std::vector<std::string> m_spare;
    bool m_finished = false;
    bool m_stopped = false;
};

// Counts the lines of the input as it is fed, so that the line of an element costs only the
// bytes since the one before (expat's own count walks every byte through its decoder). Input
// with a carriage return is left to expat, which also counts a lone one as a line break.
class CLineCounter {
public:
    // A chunk about to be parsed, and the same chunk parsed.
    void Feeding(const char* bytes, std::size_t length);
    void Parsed();
    // The line of the event the parser is at.
    std::uint64_t Line(XML_Parser parser);

private:
    void CountTo(std::uint64_t position);

    const char* m_chunk = nullptr;
    std::uint64_t m_chunkStart = 0; // position of its first byte in the input
    std::size_t m_chunkLength = 0;
    std::uint64_t m_at = 0;   // counted up to here
    std::uint64_t m_line = 1; // the line at m_at
    bool m_expat = false;     // a carriage return was seen
};

// Installed on a parser, records its events into batches for the queue. The line of every
// element named Signal is recorded with it, as a record's line.
class CXmlEventRecorder {
public:
    CXmlEventRecorder(CXmlEventQueue& queue, const QIODevice& input)
        : m_queue(queue), m_input(input) {}
    void Install(XML_Parser parser);
    // Hands over what is recorded; false when the queue was stopped.
    bool Flush();
    // The parser callbacks so far: a chunk without any ends inside a token.
    const unsigned long& Events() const { return m_events; }
    CLineCounter& Lines() { return m_lines; }

private:
    static void OnStartElement(void* data, const XML_Char* name, const XML_Char** attributes);
    static void OnEndElement(void* data, const XML_Char* name);
    static void OnText(void* data, const XML_Char* text, int length);
    static void OnDeclaration(void* data, const XML_Char* version, const XML_Char* encoding,
                              int standalone);
    static void OnComment(void* data, const XML_Char* text);
    static void OnInstruction(void* data, const XML_Char* target, const XML_Char* text);
    static void OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int);
    static void OnStartNamespace(void* data, const XML_Char* prefix, const XML_Char* uri);
    static void OnSkippedEntity(void* data, const XML_Char* name, int parameter);

    void Begin(char type);
    // Room for length more bytes at the end of the batch, written in place.
    char* Room(std::size_t length) {
        if (m_batch.used + length > m_batch.bytes.size())
            Grow(length);
        char* at = m_batch.bytes.data() + m_batch.used;
        m_batch.used += length;
        return at;
    }
    void Grow(std::size_t length);
    void Put(const char* text); // a text that is never null
    void Put(const char* bytes, std::size_t length);
    void PutOptional(const char* text); // one that may be
    void Put(std::uint64_t number);
    void End();

    CXmlEventQueue& m_queue;
    const QIODevice& m_input;
    XML_Parser m_parser = nullptr;
    XmlEventBatch m_batch;
    unsigned long m_events = 0;
    CLineCounter m_lines;
};

// Calls the handlers for every event of a batch, with data; line is set to an element's
// recorded line before its start handler runs. Stops early when stop turns true.
void ReplayXmlEvents(const XmlEventBatch& batch, const XmlEventHandlers& handlers, void* data,
                     std::uint64_t& line, const bool& stop);
