#pragma once

#include "FileIdentity.h"
#include "FileResult.h"
#include "Progress.h"
#include "SignalChange.h"
#include "SignalFileReader.h"
#include "SignalHealth.h"
#include "SignalSort.h"
#include "SignalXml.h"

#include <QObject>
#include <QString>

#include <cstdint>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class CSignalDescription;
class CSignalStep;
class QUndoStack;

// The signal database held in memory: an ordered collection of owned records with the file
// operations around it and the history of its changes. Every change of the collection goes
// through the operations below, which tell the views before and after it (aboutTo...).
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
        bool operator==(const SortOrder&) const = default;
    };

    explicit CVantorDoc(QObject* parent = nullptr);
    ~CVantorDoc() override;

    // Collection operations. An index outside 0 .. count - 1 throws std::out_of_range.
    int GetSignalCount() const { return static_cast<int>(m_signals.size()); }
    CSignalDescription* GetSignal(int index) const;
    int FindEqualSignal(const CSignalDescription& signal) const;
    void SortSignals(int column, bool descending);
    // Open sorts by name ascending; a sort sets the order; appending makes it unknown.
    const SortOrder& GetSortOrder() const { return m_order; }
    void SetSortOrder(const SortOrder& order);
    const SignalCollection& Signals() const { return m_signals; }
    // How many duplicates and same-name signals the collection holds, in its order.
    RepeatCounts CountRepeats() const;

    // The changes the history's steps are made of. Each allocates what it needs before the
    // collection changes, so running out of memory leaves it as it was.
    // Takes every record of records; positions (ascending) are where they stand afterwards.
    void InsertSignals(const std::vector<int>& positions, SignalCollection& records);
    // Takes the records at positions (ascending) out of the collection.
    SignalCollection RemoveSignals(const std::vector<int>& positions);
    // Exchanges the fields of the record at position with value.
    void ExchangeSignal(int position, CSignalDescription& value);
    // The same for the records at positions and values, in one notice.
    void ExchangeSignals(const std::vector<int>& positions,
                         std::vector<CSignalDescription>& values);
    // Trades the field's values of the records at positions with values, in one notice.
    void ExchangeFields(const std::vector<int>& positions, SignalChangeField field,
                        std::vector<ChangedValues>& values);
    // Flips the disabled flag of the records at positions (ascending).
    void FlipDisabled(const std::vector<int>& positions);
    // Moves one record from position from to position to (counted without it).
    void MoveSignal(int from, int to);
    // Puts the held records into this order (a permutation of them) under sort.
    void ArrangeSignals(const std::vector<CSignalDescription*>& order, const SortOrder& sort);
    // The records in collection order.
    std::vector<CSignalDescription*> Order() const;
    // The position of a held record, or -1.
    int PositionOf(const CSignalDescription* signal) const;
    // The positions, ascending, of those records that are held; records are distinct.
    std::vector<int> PositionsOf(const std::vector<CSignalDescription*>& records) const;
    // The position of each of the records, in their order (-1 for one not held).
    std::vector<int> PlacesOf(const std::vector<CSignalDescription*>& records) const;
    // Sorts records among themselves by column and gives where they stand after an insertion
    // that keeps the collection sorted by column: after every held record of an equal key.
    std::vector<int> SortedPositions(SignalCollection& records, int column, bool descending) const;
    // Where the record at position belongs in the collection sorted by column, counted
    // without it (for MoveSignal): among records of equal keys it keeps its place, as a
    // stable sort of the whole collection would.
    int SortedPlaceOf(int position, int column, bool descending) const;
    // Names the collection's arrangement: it changes whenever records are added, removed or
    // reordered, so that a step can tell whether the positions it noted still apply.
    std::uint64_t Arrangement() const { return m_nArrangement; }
    void RestoreArrangement(std::uint64_t arrangement) { m_nArrangement = arrangement; }

    // The history of changes; its clean state is the saved file.
    QUndoStack* History() const { return m_pHistory; }
    // Makes a change as a step of the history; the oldest steps are released while the
    // history holds more than HistoryBound().
    void Push(std::unique_ptr<CSignalStep> step);
    // The most memory the history's steps may hold: 256 MB, or the database's own size when
    // that is larger.
    std::size_t HistoryBound() const;
    // The memory the history's steps hold now.
    std::size_t HistoryBytes() const;
    // True when the step before the current one still holds what undoing it needs.
    bool CanUndo() const;

    // File operations; when one fails or is cancelled, the document stays as it was.
    bool OnNewDocument();
    FileResult OnOpenDocument(const QString& path);
    FileResult OnSaveDocument(const QString& path);
    FileResult MergeFile(const QString& path, MergeResult* result = nullptr);
    // Reads another database to compare with, leaving this one as it is.
    FileResult ReadOther(const QString& path, SignalCollection& records);
    // The other file of a merge, read whole for a review before anything changes: its records
    // with what reading them found.
    struct MergeSource {
        SignalCollection records;
        std::unordered_map<const CSignalDescription*, SignalReadNotes> notes;
        std::vector<std::pair<const CSignalDescription*, std::uint32_t>> lines;
        UnknownNames unknown;
        SignalFileReport report;
    };
    FileResult ReadMergeSource(const QString& path, MergeSource& source);
    // After a reviewed merge took in the records taken of source: what reading found is told
    // of those, as after MergeFile.
    void KeepMergeReading(MergeSource& source, const std::vector<const CSignalDescription*>& taken);
    // Long opens, merges and saves report to this handler, which can cancel them.
    void SetProgressHandler(ProgressHandler handler) { m_progress = std::move(handler); }

    // What reading a record of the last open or merge found besides its fields (texts cut,
    // numbers that will be saved in another form, with the line), or null. Rare, so kept
    // aside; forgotten at the next change of the collection.
    const SignalReadNotes* GetReadNotes(const CSignalDescription* signal) const;
    // The line a record of the last open or merge starts on, for records that are invalid,
    // name something unknown or have notes; 0 for others and after the next change.
    unsigned long GetReadLine(const CSignalDescription* signal) const;
    // The unknown names of the last successful open or merge.
    const UnknownNames& GetUnknownNames() const { return m_unknownNames; }
    // What the file of the last successful open or merge holds besides its records.
    const SignalFileReport& GetReadReport() const { return m_report; }
    // What the open file held around its signals, written back by every save; a merged
    // file's stays its own.
    const SignalDocumentMarkup& GetDocumentMarkup() const { return m_markup; }
    void SetDocumentMarkup(SignalDocumentMarkup markup) { m_markup = std::move(markup); }

    // True while the history is away from its clean state (the saved file), or the records
    // are recovered changes not yet saved.
    bool IsModified() const { return m_bModified; }
    QString GetPathName() const { return m_pathName; }
    void SetPathName(const QString& path) { m_pathName = path; }

    // True when the file at the document's path was changed, replaced (also by a symbolic
    // link, or a link now pointing elsewhere) or deleted since this document opened or last
    // saved it.
    bool FileChangedOnDisk() const;
    // Opens the database held in copy (a recovery snapshot, a backup) as unsaved changes to
    // the file at path; base, when given, is the file the changes were made to (a save asks
    // first when the file is no longer that one).
    FileResult OpenCopy(const QString& copy, const QString& path,
                        const std::optional<CFileIdentity>& base = std::nullopt);
    // The file as this document last read or wrote it.
    const CFileIdentity& GetFileIdentity() const { return m_file; }

signals:
    // Every record was replaced (New, Open): nothing a view remembers of the old ones applies.
    void aboutToReset();
    void resetDone();
    // records: the records about to be inserted, in the order of positions.
    void aboutToInsert(const std::vector<int>& positions, const SignalCollection* records);
    void inserted(const std::vector<int>& positions);
    void aboutToRemove(const std::vector<int>& positions);
    void removed(const std::vector<int>& positions);
    // Records about to change in place, then changed: their fields (texts true) or only
    // their flags.
    void aboutToChange(const std::vector<int>& positions);
    void signalsChanged(const std::vector<int>& positions, bool texts);
    void aboutToReorder();
    void reordered();
    // After any change of the collection.
    void documentUpdated();
    // The records were saved to the document's file.
    void documentSaved();
    void modifiedChanged(bool modified);

private:
    // Replaces every record (New, Open) and starts a new history.
    void ResetSignals(SignalCollection&& records);
    void Changed();
    // Follows the history's clean state: nothing else sets it.
    void SetModifiedFlag(bool modified);
    void RememberFileStamp();
    // The progress handler for one file operation, noting whether the user cancelled it.
    ProgressHandler Watched();
    // A failed operation's result: cancelled when the user cancelled it.
    FileResult Failure(const QString& message) const;

    SignalCollection m_signals;

    UnknownNames m_unknownNames;
    SignalFileReport m_report;
    SignalDocumentMarkup m_markup;
    std::unordered_map<const CSignalDescription*, SignalReadNotes> m_readNotes;
    std::vector<std::pair<const CSignalDescription*, std::uint32_t>> m_readLines;
    SortOrder m_order;
    std::uint64_t m_nArrangement = 0;
    std::uint64_t m_nNextArrangement = 1;
    QUndoStack* m_pHistory;
    QString m_pathName;
    ProgressHandler m_progress;
    CFileIdentity m_file; // the file as this document last read or wrote it
    bool m_bCancelled = false;
    bool m_bModified = false;
};
