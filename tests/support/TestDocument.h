#pragma once

// A document set up as a test needs it, through what the document itself offers.
#include "SignalDescription.h"
#include "VantorDoc.h"

#include <QUndoStack>

#include <memory>
#include <vector>

// Puts records at the end of the collection, outside the history, as a file read would have
// put them there; the collection then follows no known order.
inline void AppendRecords(CVantorDoc& doc, SignalCollection records) {
    std::vector<int> positions(records.size());
    for (std::size_t i = 0; i < records.size(); ++i)
        positions[i] = doc.GetSignalCount() + static_cast<int>(i);
    doc.InsertSignals(positions, records);
    CVantorDoc::SortOrder unknown;
    unknown.known = false;
    doc.SetSortOrder(unknown);
}

inline void AppendRecord(CVantorDoc& doc, std::unique_ptr<CSignalDescription> record) {
    SignalCollection records;
    records.push_back(std::move(record));
    AppendRecords(doc, std::move(records));
}

// The history leaves its clean state, as after an edit: the document has unsaved changes.
inline void MarkModified(CVantorDoc& doc) {
    doc.History()->resetClean();
}

// The present state becomes the clean one, as after a save: nothing is left unsaved.
inline void MarkSaved(CVantorDoc& doc) {
    doc.History()->resetClean();
    doc.History()->setClean();
}
