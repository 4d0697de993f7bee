#pragma once

#include "FileIdentity.h"
#include "Progress.h"
#include "SignalFileReader.h"
#include "SignalSort.h"
#include "SignalXml.h"

#include <QObject>
#include <QString>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CSignalDescription;

// The signal database held in memory: an ordered collection of owned records with the file
// operations around it. Views follow it through documentUpdated().
class CVantorDoc : public QObject {
    Q_OBJECT
public:
    struct MergeResult {
        int added = 0;
        int dropped = 0;
        // Dropped duplicates that differ from the held record in fields the duplicate test
        // does not compare (bandwidth, code-check counter, minimums, disabled).
        int differing = 0;
    };
    // Decoder modes and modulations (UTF-8) that the records of the last open or merge
    // named but this version does not know, with how many records named each.
    struct UnknownNames {
        std::map<std::string, int> modes;
        std::map<std::string, int> modulations;
        int records = 0;
    };

    // The order of the collection, when it is known to follow one list column.
    struct SortOrder {
        bool known = true;
        int column = 0;
        bool descending = false;
    };

    explicit CVantorDoc(QObject* parent = nullptr);
    ~CVantorDoc() override;

    // Collection operations. An index outside 0 .. count - 1 throws std::out_of_range.
    int GetSignalCount() const { return static_cast<int>(m_signals.size()); }
    CSignalDescription* GetSignal(int index) const;
    int AddSignal(std::unique_ptr<CSignalDescription> signal);
    void DeleteSignal(int index);
    int FindEqualSignal(const CSignalDescription& signal) const;
    void SortSignals(int column, bool descending);
    // Open sorts by name ascending; a sort sets the order; appending makes it unknown.
    const SortOrder& GetSortOrder() const { return m_order; }
    const SignalCollection& Signals() const { return m_signals; }

    // File operations; each returns false with GetLastError() set and the document as it
    // was when it fails.
    bool OnNewDocument();
    bool OnOpenDocument(const QString& path);
    bool OnSaveDocument(const QString& path);
    bool MergeFile(const QString& path, MergeResult* result = nullptr);
    QString GetLastError() const { return m_lastError; }
    // Long opens, merges and saves report to this handler, which can cancel them.
    void SetProgressHandler(ProgressHandler handler) { m_progress = std::move(handler); }

    // The message the lenient validation gave a record when it was read, or null.
    const char16_t* GetReadMessage(const CSignalDescription* signal) const;
    // What reading a record found (message, unknown names), or null when nothing.
    const SignalReadNotes* GetReadNotes(const CSignalDescription* signal) const;
    // The unknown names of the last successful open or merge.
    const UnknownNames& GetUnknownNames() const { return m_unknownNames; }
    // What the file of the last successful open or merge holds besides its records.
    const SignalFileReport& GetReadReport() const { return m_report; }
    // A record was edited or added by the user: what reading found no longer applies, the
    // collection may be out of order, and the database differs from its file.
    void SignalEdited(const CSignalDescription* signal);

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);
    QString GetPathName() const { return m_pathName; }
    void SetPathName(const QString& path) { m_pathName = path; }

    // True when the file at the document's path was changed, replaced (also by a symbolic
    // link, or a link now pointing elsewhere) or deleted since this document opened or last
    // saved it.
    bool FileChangedOnDisk() const;
    // Opens the database held in copy (a recovery snapshot, a backup) as unsaved changes to
    // the file at path; false with GetLastError() set.
    bool OpenCopy(const QString& copy, const QString& path);
    // True when the last open, merge or save failed because the user cancelled it.
    bool WasCancelled() const { return m_bCancelled; }

    // The records in collection order; with Rearrange the basis of undo.
    std::vector<CSignalDescription*> Order() const;
    // Puts the collection into this order: records of order not held are taken from pool,
    // held records not in order go into pool. What reading found in them stays with them.
    void Rearrange(const std::vector<CSignalDescription*>& order, SignalCollection& pool);
    // Frees records that left the collection for good, with what reading found in them.
    void Discard(SignalCollection& pool);
    void SetSortOrder(const SortOrder& order) { m_order = order; }

    // Tells the views that the collection changed.
    void UpdateAllViews() { emit documentUpdated(); }

signals:
    void documentUpdated();
    // New and Open replaced every record: nothing a view remembers of the old ones applies.
    void recordsReplaced();
    // The records were saved to the document's file.
    void documentSaved();
    // The collection is about to change order or lose records: the last chance to read it
    // through positions taken before.
    void aboutToRearrange();
    void modifiedChanged(bool modified);
    // The records came from a copy (a recovery snapshot, a backup): none of the history's
    // states is the file's.
    void openedAsChanges();
    // A merge appended count records; before is the collection's order before it.
    void recordsMerged(int count, CVantorDoc::SortOrder before);

private:
    void RememberFileStamp();
    // The progress handler for one file operation, noting whether the user cancelled it.
    ProgressHandler Watched();

    SignalCollection m_signals;
    using ReadNotesMap = std::unordered_map<const CSignalDescription*, SignalReadNotes>;
    // Takes a record with what reading it found into records and notes.
    static void Keep(std::unique_ptr<CSignalDescription> signal, SignalReadNotes&& notes,
                     SignalCollection& records, ReadNotesMap& kept);

    // What reading found in records, kept only for records with something to say.
    ReadNotesMap m_readMessages;
    UnknownNames m_unknownNames;
    SignalFileReport m_report;
    SortOrder m_order;
    QString m_pathName;
    QString m_lastError;
    ProgressHandler m_progress;
    CFileIdentity m_file; // the file as this document last read or wrote it
    bool m_bCancelled = false;
    bool m_bModified = false;
};
