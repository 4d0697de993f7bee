#pragma once

#include "FileResult.h"
#include "VantorDoc.h"

#include <QString>

#include <array>
#include <memory>
#include <vector>

class CSignalDescription;
struct StoredField;

// The conflicts of a three-way merge, resolved by the user and written as a database: from the
// three versions (git's mergetool: BASE OURS THEIRS), merged as merge3 merges them, or from
// merge3's conflict report beside the output it wrote. Each conflict is a row whose result
// starts as ours; Save gives every row its result and writes the output, or names the row whose
// typed value is refused and writes nothing.
class CConflictResolution {
public:
    struct Row {
        enum class Kind {
            Field,     // a value changed differently on both sides
            Removal,   // removed on one side, changed on the other
            BothAdded, // both sides added the signal, with other values
        };
        Kind kind;
        QString name;
        QString field; // the field's heading, or what the conflict is about
        QString base, ours, theirs;
        // The texts Take Base, Take Ours and Take Theirs give the result (empty: no such
        // choice), and the result. A field's result can be typed.
        std::array<QString, 3> choices; // base, ours, theirs
        QString result;
        bool typable = false;
        // In the merged signals: the signal the row is about (null when the report names one
        // the output does not hold), theirs beside it for a signal both added, and where
        // known theirs' own signal (kept markup is taken from it).
        CSignalDescription* record = nullptr;
        CSignalDescription* theirsRecord = nullptr;
        const CSignalDescription* theirsSource = nullptr;
        const StoredField* stored = nullptr;
    };

    CConflictResolution();
    ~CConflictResolution();

    // An empty base (no file, or /dev/null) holds no signals: both sides added the file.
    FileResult FromVersions(const QString& base, const QString& ours, const QString& theirs,
                            const QString& output);
    // merge3 --report's file: the output it names, and its conflicts.
    FileResult FromReport(const QString& report);

    std::vector<Row>& Rows() { return m_rows; }
    const QString& Output() const { return m_output; }
    // The number of signals the merge holds.
    int SignalCount() const { return m_pMerged->GetSignalCount(); }

    // Writes the output with every row's result. False with why, and the row at fault (or -1
    // when the write failed), leaving the output as it was.
    bool Save(QString& why, int& row);

private:
    std::array<std::unique_ptr<CVantorDoc>, 3> m_versions; // base, ours, theirs
    std::unique_ptr<CVantorDoc> m_pMerged;
    std::vector<Row> m_rows;
    QString m_output;
};
