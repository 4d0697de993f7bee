#pragma once

#include "FileResult.h"
#include "MergePlan.h"
#include "SignalChange.h"
#include "SignalComparison.h"
#include "SignalSort.h"
#include "VantorDoc.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class CSignalDescription;
class CVantorDoc;

// The list's use-cases on one document: what an edit, a new signal, a deletion, a flag, a
// change of many signals or a sort means, each as one step of the document's history,
// re-sorted by the list's sort. A view shows rows, tells the controller which records the
// user chose and where they stand, and selects what comes back; it builds no step of the
// history and reorders nothing itself. Needs no widgets: its tests run without a display.
class CSignalController : public QObject {
    Q_OBJECT
public:
    explicit CSignalController(CVantorDoc* doc, QObject* parent = nullptr);
    ~CSignalController() override;

    CVantorDoc* Document() const { return m_pDoc; }

    // The sort the list follows: the column a click sorts by and reverses, and its direction.
    // It stays the user's choice through New, Open and Merge.
    int SortColumn() const { return m_nSortColumn; }
    bool SortDescending() const { return m_bSortDescending; }
    void SortBy(int column, bool descending);
    // A click on a column's heading: the column sorted last is reversed, any other ascending.
    void ColumnClicked(int column);

    // The record settled by the edit dialog takes value (the names it was read with no
    // longer apply), and moves to its place under the sort.
    void Edit(CSignalDescription* signal, CSignalDescription value);
    // New, Duplicate, Paste, Import: the records appended under the sort, in one step named
    // undoText. Returns the records as they stand in the collection.
    std::vector<CSignalDescription*> Append(SignalCollection records, const QString& undoText);
    // Deletes the records standing at positions (ascending) in one step, named for one
    // ("Delete Signal") or many ("Delete %1 Signals").
    void Delete(std::vector<CSignalDescription*> records, std::vector<int> positions,
                const QString& one, const QString& many);
    // Disables or enables the records (at positions) whose flag differs; nothing to change
    // makes no step.
    void SetDisabled(const std::vector<CSignalDescription*>& records,
                     const std::vector<int>& positions, bool disabled);

    // Change Selected Signals: one field set on every record that takes it as the edit
    // dialog would, in one step; the others are named with why.
    struct ChangeOutcome {
        std::vector<CSignalDescription*> changed;
        QStringList unchanged; // "NAME: why"
        // "N signals changed, M left unchanged" with the names left unchanged.
        QString Summary() const;
    };
    ChangeOutcome ChangeSignals(const std::vector<CSignalDescription*>& records,
                                const SignalChange& change);

    // Take from Other: the records take the other version's values, those it lacks go, and
    // its own come in, as one step named for their number; returns the step's name, or empty
    // when there was nothing to take.
    QString TakeFromOther(std::vector<CSignalDescription*> edited,
                          std::vector<CSignalDescription> values,
                          std::vector<CSignalDescription*> removed, SignalCollection added);
    // The same for rows of a comparison: own records the other holds changed or not at all,
    // and the other's own records.
    QString TakeFromOther(const std::vector<CSignalDescription*>& own,
                          const std::vector<const CSignalDescription*>& theirs);

    // A reviewed merge: what the plan chose, made as one step: held signals given the chosen
    // values, those the other removed taken out, the other's signals appended (as merged
    // signals, moved out of source). Returns the step's name, empty when nothing was chosen.
    struct MergeOutcome {
        QString text;
        int added = 0;
        int changed = 0;
        int removed = 0;
    };
    MergeOutcome ApplyMerge(const MergePlan& plan, CVantorDoc::MergeSource source);

    // File > Compare With: the records paired with another version's, anew after every
    // change of the document; New and Open end it. Fails as the reading of the other fails.
    FileResult Compare(const QString& path);
    // The same with a git revision of the open file (HEAD, a branch, a tag, HEAD~2), read
    // through git show REV:PATH in the file's work tree; its name is "REV:FILE".
    FileResult CompareRevision(const QString& revision);
    // The revisions worth offering for the open file: HEAD, then branches and tags; empty
    // when the file is not in a git work tree or git is missing.
    QStringList Revisions() const;
    void EndComparison();
    const CSignalComparison* Comparison() const { return m_pComparison.get(); }
    // "2 added, 1 removed, 3 changed", or empty when not comparing.
    QString ComparisonCounts() const;

    // Paste: the records of a database, or of Signal elements side by side, appended in one
    // step; error says why nothing was (the clipboard is empty or holds no signal).
    struct PasteOutcome {
        std::vector<CSignalDescription*> added;
        QString error;
    };
    PasteOutcome Paste(const QByteArray& xml);
    // Copy: the records as a small database, the clipboard's form of signals.
    static bool SignalsXml(const std::vector<CSignalDescription*>& records, QByteArray& xml,
                           QString& error);
    // File > Export: the records (the rows shown) as a CSV file or, for a name ending in .ods,
    // an OpenDocument spreadsheet whose sheet is named sheet; written as a save is.
    static FileResult Export(const QString& path,
                             const std::vector<const CSignalDescription*>& records,
                             const QString& sheet);

    // File > Import: the rows of a spreadsheet (CSV or OpenDocument) that the edit dialog
    // would take, appended in one step named "Import"; what was left out, line by line.
    struct ImportOutcome {
        QString error; // why nothing was imported (the file, its line where it has one)
        std::vector<CSignalDescription*> added;
        QString readAs;      // how a file not in UTF-8 with commas was read, or empty
        QStringList leftOut; // "PATH:LINE: why", unknown columns first
    };
    ImportOutcome Import(const QString& path);

signals:
    // The comparison is about to end or be replaced: whoever shows its records lets go.
    void comparisonEnding();
    // A comparison began, ended or was made anew after a change.
    void comparisonChanged();

private:
    void QueueCompareAgain();

    CVantorDoc* m_pDoc;
    std::unique_ptr<CSignalComparison> m_pComparison;
    bool m_bCompareQueued = false;
    int m_nSortColumn = 0;
    bool m_bSortDescending = false;
};
