#pragma once

// A document set up as a test needs it, through what the document itself offers.
#include "SignalDescription.h"
#include "VantorDoc.h"

#include <QUndoStack>

#include <memory>

// Puts a record at the end of the collection, outside the history, as a file read would
// have put it there; the collection then follows no known order.
inline void AppendRecord(CVantorDoc& doc, std::unique_ptr<CSignalDescription> record) {
    SignalCollection records;
    records.push_back(std::move(record));
    doc.InsertSignals({doc.GetSignalCount()}, records);
    CVantorDoc::SortOrder unknown;
    unknown.known = false;
    doc.SetSortOrder(unknown);
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
