#include "SignalController.h"

#include "Csv.h"
#include "FileTarget.h"
#include "OdsTable.h"
#include "RegularFile.h"
#include "SignalCatalogue.h"
#include "SignalDescription.h"
#include "SignalFileReader.h"
#include "SignalFileWriter.h"
#include "SignalSteps.h"
#include "VantorDoc.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>
#include <QTimer>

#include <algorithm>
#include <future>
#include <thread>
#include <unordered_set>

namespace {

// Export hands the file its rows in blocks of about this many bytes.
constexpr qsizetype ExportChunk = 1 << 20;
// From this many records on, Change Selected checks them on two threads.
constexpr std::size_t TwoThreadChange = 65536;

} // namespace

CSignalController::CSignalController(CVantorDoc* doc, QObject* parent)
    : QObject(parent), m_pDoc(doc) {
    // A comparison follows every change; another database ends it before its records go.
    connect(doc, &CVantorDoc::documentUpdated, this, &CSignalController::QueueCompareAgain);
    // It pairs again only the names a change touched: it hears of each record before it
    // changes or goes and after it changed or came.
    const auto records = [doc](const std::vector<int>& positions) {
        std::vector<const CSignalDescription*> touched;
        touched.reserve(positions.size());
        for (const int position : positions)
            touched.push_back(doc->GetSignal(position));
        return touched;
    };
    using Tell = void (CSignalComparison::*)(const std::vector<const CSignalDescription*>&);
    const auto tell = [this, records](Tell what) {
        return [this, records, what](const std::vector<int>& positions) {
            if (m_pComparison)
                (m_pComparison.get()->*what)(records(positions));
        };
    };
    connect(doc, &CVantorDoc::aboutToChange, this, tell(&CSignalComparison::Changing));
    connect(doc, &CVantorDoc::aboutToRemove, this, tell(&CSignalComparison::Leaving));
    connect(doc, &CVantorDoc::signalsChanged, this, tell(&CSignalComparison::Changed));
    connect(doc, &CVantorDoc::inserted, this, tell(&CSignalComparison::Came));
    connect(doc, &CVantorDoc::reordered, this, [this] {
        if (m_pComparison)
            m_pComparison->Rearranged();
    });
    connect(doc, &CVantorDoc::aboutToReset, this, &CSignalController::EndComparison);
}

CSignalController::~CSignalController() = default;

void CSignalController::SortBy(int column, bool descending) {
    m_nSortColumn = column;
    m_bSortDescending = descending;
    m_pDoc->SortSignals(column, descending);
}

void CSignalController::ColumnClicked(int column) {
    if (column < 0)
        return;
    SortBy(column, column == m_nSortColumn && !m_bSortDescending);
}

void CSignalController::Edit(CSignalDescription* signal, CSignalDescription value) {
    value.m_nUnknownMode = 0;
    value.m_nUnknownModulation = 0;
    m_pDoc->Push(
        std::make_unique<CEditSignalStep>(m_pDoc, signal, value, m_nSortColumn, m_bSortDescending));
}

std::vector<CSignalDescription*> CSignalController::Append(SignalCollection records,
                                                           const QString& undoText) {
    std::vector<CSignalDescription*> added;
    if (records.empty())
        return added;
    added.reserve(records.size());
    for (const auto& record : records)
        added.push_back(record.get());
    m_pDoc->Push(std::make_unique<CInsertSignalsStep>(m_pDoc, undoText, std::move(records),
                                                      m_nSortColumn, m_bSortDescending));
    return added;
}

void CSignalController::Delete(std::vector<CSignalDescription*> records, std::vector<int> positions,
                               const QString& one, const QString& many) {
    if (records.empty())
        return;
    const QString text = CountedText(one, many, records.size());
    m_pDoc->Push(std::make_unique<CRemoveSignalsStep>(m_pDoc, text, std::move(records),
                                                      std::move(positions)));
}

void CSignalController::SetDisabled(const std::vector<CSignalDescription*>& records,
                                    const std::vector<int>& positions, bool disabled) {
    std::vector<CSignalDescription*> changing;
    std::vector<int> at;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i]->m_bDisabled != disabled) {
            changing.push_back(records[i]);
            at.push_back(positions[i]);
        }
    }
    // A changed flag is work the user would lose on close: a step of the history.
    if (changing.empty())
        return;
    const QString text =
        disabled ? CountedText(tr("Disable Signal"), tr("Disable %1 Signals"), changing.size())
                 : CountedText(tr("Enable Signal"), tr("Enable %1 Signals"), changing.size());
    m_pDoc->Push(
        std::make_unique<CFlagSignalsStep>(m_pDoc, text, std::move(changing), std::move(at)));
}

QString CSignalController::TakeFromOther(std::vector<CSignalDescription*> edited,
                                         std::vector<CSignalDescription> values,
                                         std::vector<CSignalDescription*> removed,
                                         SignalCollection added) {
    const std::size_t taken = edited.size() + removed.size() + added.size();
    if (taken == 0)
        return {};
    const QString text =
        CountedText(tr("Take Signal from Other"), tr("Take %1 Signals from Other"), taken);
    std::vector<std::unique_ptr<CSignalStep>> steps;
    if (!edited.empty())
        steps.push_back(std::make_unique<CEditSignalsStep>(
            m_pDoc, text, std::move(edited), std::move(values), m_nSortColumn, m_bSortDescending));
    if (!removed.empty())
        steps.push_back(std::make_unique<CRemoveSignalsStep>(m_pDoc, text, std::move(removed)));
    if (!added.empty())
        steps.push_back(std::make_unique<CInsertSignalsStep>(m_pDoc, text, std::move(added),
                                                             m_nSortColumn, m_bSortDescending));
    m_pDoc->Push(std::make_unique<CStepGroup>(m_pDoc, text, std::move(steps)));
    return text;
}

QString CSignalController::TakeFromOther(const std::vector<CSignalDescription*>& own,
                                         const std::vector<const CSignalDescription*>& theirs) {
    if (!m_pComparison)
        return {};
    std::vector<CSignalDescription*> edited;
    std::vector<CSignalDescription> values;
    std::vector<CSignalDescription*> removed;
    for (CSignalDescription* record : own) {
        switch (m_pComparison->StateOf(record)) {
        case CSignalComparison::State::Changed: {
            CSignalDescription value = *m_pComparison->OtherOf(record);
            value.SetMerged(record->IsMerged());
            edited.push_back(record);
            values.push_back(std::move(value));
            break;
        }
        case CSignalComparison::State::Removed:
            removed.push_back(record);
            break;
        default:
            break;
        }
    }
    SignalCollection added;
    for (const CSignalDescription* other : theirs)
        added.push_back(std::make_unique<CSignalDescription>(*other));
    return TakeFromOther(std::move(edited), std::move(values), std::move(removed),
                         std::move(added));
}

CSignalController::MergeOutcome CSignalController::ApplyMerge(const MergePlan& plan,
                                                              CVantorDoc::MergeSource source) {
    MergeOutcome outcome;
    std::vector<CSignalDescription*> edited;
    std::vector<CSignalDescription> values;
    std::vector<CSignalDescription*> removed;
    std::unordered_set<const CSignalDescription*> brought;
    for (const MergeEntry& entry : plan.entries) {
        if (!entry.chosen || !entry.Choosable())
            continue;
        switch (entry.kind) {
        case MergeEntryKind::New:
        case MergeEntryKind::RemovedHere:
            brought.insert(entry.there);
            break;
        case MergeEntryKind::RemovedThere:
            removed.push_back(entry.here);
            break;
        default:
            if (std::find(entry.theirs.begin(), entry.theirs.end(), true) == entry.theirs.end())
                break;
            edited.push_back(entry.here);
            values.push_back(MergedValue(entry));
            break;
        }
    }
    SignalCollection added;
    std::vector<const CSignalDescription*> taken;
    for (auto& record : source.records) {
        if (brought.contains(record.get())) {
            taken.push_back(record.get());
            added.push_back(std::move(record));
        }
    }
    outcome.added = static_cast<int>(added.size());
    outcome.changed = static_cast<int>(edited.size());
    outcome.removed = static_cast<int>(removed.size());
    const std::size_t total = added.size() + edited.size() + removed.size();
    if (total == 0) {
        m_pDoc->KeepMergeReading(source, taken);
        return outcome;
    }
    outcome.text = CountedText(tr("Merge Signal"), tr("Merge %1 Signals"), total);
    std::vector<std::unique_ptr<CSignalStep>> steps;
    if (!edited.empty())
        steps.push_back(std::make_unique<CEditSignalsStep>(m_pDoc, outcome.text, std::move(edited),
                                                           std::move(values), m_nSortColumn,
                                                           m_bSortDescending));
    if (!removed.empty())
        steps.push_back(
            std::make_unique<CRemoveSignalsStep>(m_pDoc, outcome.text, std::move(removed)));
    if (!added.empty())
        steps.push_back(
            std::make_unique<CMergeSignalsStep>(m_pDoc, outcome.text, std::move(added)));
    m_pDoc->Push(std::make_unique<CStepGroup>(m_pDoc, outcome.text, std::move(steps)));
    m_pDoc->KeepMergeReading(source, taken);
    return outcome;
}

namespace {

// Runs git in folder; its standard output, or false with why (git's own message).
bool RunGit(const QString& folder, const QStringList& args, QByteArray& out, QString& why) {
    QProcess git;
    git.setWorkingDirectory(folder);
    git.start(QStringLiteral("git"), args);
    if (!git.waitForStarted(10000)) {
        why = QCoreApplication::translate("CSignalController", "git cannot be run: %1")
                  .arg(git.errorString());
        return false;
    }
    git.closeWriteChannel();
    // A revision of a large database takes a while: read as it comes.
    while (git.state() != QProcess::NotRunning) {
        git.waitForReadyRead(60000);
        out += git.readAllStandardOutput();
    }
    out += git.readAllStandardOutput();
    if (git.exitStatus() != QProcess::NormalExit || git.exitCode() != 0) {
        why = QString::fromLocal8Bit(git.readAllStandardError()).trimmed().section(u'\n', 0, 0);
        return false;
    }
    return true;
}

} // namespace

FileResult CSignalController::CompareRevision(const QString& revision) {
    const QFileInfo file(m_pDoc->GetPathName());
    if (m_pDoc->GetPathName().isEmpty())
        return FileResult::Failed(
            tr("%1: only a saved database has revisions in git").arg(revision));
    QByteArray content;
    QString why;
    if (revision.startsWith(u'-') ||
        !RunGit(file.absolutePath(),
                {QStringLiteral("show"), revision + QStringLiteral(":./") + file.fileName()},
                content, why))
        return FileResult::Failed(tr("%1 is neither a file nor a git revision of %2 (%3)")
                                      .arg(revision, file.filePath(), why));
    QTemporaryFile copy;
    if (!copy.open() || copy.write(content) != content.size() || !copy.flush())
        return FileResult::Failed(
            tr("%1: cannot keep the revision: %2").arg(revision, copy.errorString()));
    SignalCollection other;
    const FileResult read = m_pDoc->ReadOther(copy.fileName(), other);
    if (!read)
        return FileResult::Failed(
            QString(read.Message()).replace(copy.fileName(), revision + u':' + file.fileName()));
    if (m_pComparison)
        emit comparisonEnding();
    m_pComparison =
        std::make_unique<CSignalComparison>(revision + u':' + file.fileName(), std::move(other));
    m_pComparison->Compare(m_pDoc->Signals());
    emit comparisonChanged();
    return read;
}

QStringList CSignalController::Revisions() const {
    if (m_pDoc->GetPathName().isEmpty())
        return {};
    QByteArray out;
    QString why;
    if (!RunGit(QFileInfo(m_pDoc->GetPathName()).absolutePath(),
                {QStringLiteral("for-each-ref"), QStringLiteral("--format=%(refname:short)"),
                 QStringLiteral("refs/heads"), QStringLiteral("refs/tags")},
                out, why))
        return {};
    QStringList revisions{QStringLiteral("HEAD")};
    revisions << QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts);
    return revisions;
}

FileResult CSignalController::Compare(const QString& path) {
    SignalCollection other;
    const FileResult read = m_pDoc->ReadOther(path, other);
    if (!read)
        return read;
    if (m_pComparison)
        emit comparisonEnding();
    m_pComparison = std::make_unique<CSignalComparison>(path, std::move(other));
    m_pComparison->Compare(m_pDoc->Signals());
    emit comparisonChanged();
    return read;
}

void CSignalController::EndComparison() {
    if (!m_pComparison)
        return;
    emit comparisonEnding();
    m_pComparison.reset();
    emit comparisonChanged();
}

QString CSignalController::ComparisonCounts() const {
    if (!m_pComparison)
        return {};
    const CSignalComparison::Counts counts = m_pComparison->Count();
    return tr("%1 added, %2 removed, %3 changed")
        .arg(counts.added)
        .arg(counts.removed)
        .arg(counts.changed);
}

void CSignalController::QueueCompareAgain() {
    // A step may change the collection several times: the records pair once after it.
    if (!m_pComparison || m_bCompareQueued)
        return;
    m_bCompareQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_bCompareQueued = false;
        if (!m_pComparison)
            return;
        m_pComparison->Compare(m_pDoc->Signals());
        emit comparisonChanged();
    });
}

CSignalController::PasteOutcome CSignalController::Paste(const QByteArray& xml) {
    PasteOutcome outcome;
    SignalCollection records;
    const auto sink = [&records](std::unique_ptr<CSignalDescription> signal, SignalReadNotes&&) {
        records.push_back(std::move(signal));
    };
    const QString name = tr("Clipboard");
    QString error;
    bool read = CSignalFileReader::ReadBuffer(xml, name, sink, error);
    if (!read && !xml.trimmed().startsWith("<?xml")) {
        // Signal elements copied out of a file stand side by side: give them one parent.
        records.clear();
        QString unused;
        read = CSignalFileReader::ReadBuffer("<SignalList>" + xml + "</SignalList>", name, sink,
                                             unused);
    }
    if (read && records.empty())
        error = tr("Clipboard: no Signal element found");
    if (!read || records.empty()) {
        outcome.error = xml.isEmpty() ? tr("Clipboard: empty") : error;
        return outcome;
    }
    const std::size_t count = records.size();
    outcome.added =
        Append(std::move(records), CountedText(tr("Paste Signal"), tr("Paste %1 Signals"), count));
    return outcome;
}

bool CSignalController::SignalsXml(const std::vector<CSignalDescription*>& records, QByteArray& xml,
                                   QString& error) {
    SignalCollection copies;
    copies.reserve(records.size());
    for (const CSignalDescription* signal : records)
        copies.push_back(std::make_unique<CSignalDescription>(*signal));
    return CSignalFileWriter::WriteBuffer(copies, xml, error);
}

FileResult CSignalController::Export(const QString& path,
                                     const std::vector<const CSignalDescription*>& records,
                                     const QString& sheet) {
    // Written as a save is: the old file stays whole until the new one is on the disk.
    IoError error;
    QString warning;
    bool written = false;
    if (path.endsWith(QLatin1String(".ods"), Qt::CaseInsensitive)) {
        // An OpenDocument spreadsheet: typed cells, the rows as the list shows them.
        QList<QList<SheetCell>> rows{SheetHeadings(true)};
        for (const CSignalDescription* record : records)
            rows << SheetCells(*record);
        QByteArray ods;
        QString why;
        if (!WriteOds(rows, sheet, ods, why))
            return FileResult::Failed(path + QStringLiteral(": ") + why);
        written = WriteFileTarget(
            path, [&ods](QIODevice& device, QString&) { return device.write(ods) == ods.size(); },
            error, &warning);
    } else {
        written = WriteFileTarget(
            path,
            [&records](QIODevice& device, QString&) {
                // The headings as the list shows them (translated), then the rows in order.
                QByteArray chunk = CsvHeadings(true);
                for (const CSignalDescription* record : records) {
                    chunk += CsvCells(*record);
                    if (chunk.size() >= ExportChunk) {
                        if (device.write(chunk) != chunk.size())
                            return false;
                        chunk.clear();
                    }
                }
                return device.write(chunk) == chunk.size();
            },
            error, &warning);
    }
    if (!written)
        return FileResult::Failed(error);
    return warning.isEmpty() ? FileResult() : FileResult::Done(warning);
}

CSignalController::ImportOutcome CSignalController::Import(const QString& path) {
    ImportOutcome outcome;
    QFile file;
    // A pipe or a device is refused at once: nothing waits on it.
    if (IoError failure; !OpenRegularFile(path, file, failure)) {
        outcome.error = failure.Text();
        return outcome;
    }
    CsvImport imported;
    QString why;
    int line = 0;
    if (!ImportCsv(file, imported, why, line)) {
        outcome.error = line > 0 ? QStringLiteral("%1:%2: %3").arg(path).arg(line).arg(why)
                                 : QStringLiteral("%1: %2").arg(path, why);
        return outcome;
    }
    outcome.readAs = imported.ReadAs();
    for (const QString& heading : imported.unknownColumns)
        outcome.leftOut << tr("%1:%2: unknown column \"%3\" left out")
                               .arg(path)
                               .arg(imported.headingLine)
                               .arg(heading);
    for (const auto& [at, problem] : imported.refused)
        outcome.leftOut << QStringLiteral("%1:%2: %3").arg(path).arg(at).arg(problem);
    outcome.added = Append(std::move(imported.records), tr("Import"));
    return outcome;
}

CSignalController::ChangeOutcome
CSignalController::ChangeSignals(const std::vector<CSignalDescription*>& records,
                                 const SignalChange& change) {
    std::vector<ChangedValues> values(records.size());
    struct Refused {
        std::size_t at;
        ChangeRefusal refusal;
        SignalProblem problem;
    };
    // Each record is checked with the new values traded in and back; the records lie in
    // memory in another order than the list's, so those a few ahead are asked for while one
    // is checked. A record is touched by one thread only, and each thread shares a new text of
    // its own: one count of holders for both would pass between the cores at every record.
    const auto prepare = [&records, &change, &values](std::size_t from, std::size_t to) {
        const ChangedValues given = GivenValues(change);
        constexpr std::size_t Ahead = 8;
        std::vector<Refused> refused;
        for (std::size_t i = from; i < to; ++i) {
            if (i + 2 * Ahead < to)
                __builtin_prefetch(records[i + 2 * Ahead]);
            if (i + Ahead < to) {
                __builtin_prefetch(records[i + Ahead]->m_szName.c_str());
                __builtin_prefetch(records[i + Ahead]->m_szComment.c_str());
            }
            SignalProblem problem = SignalProblem::None;
            const ChangeRefusal refusal =
                PrepareChange(*records[i], change, given, values[i], problem);
            if (refusal != ChangeRefusal::None)
                refused.push_back({i, refusal, problem});
        }
        return refused;
    };
    std::vector<Refused> refused;
    if (records.size() >= TwoThreadChange && std::thread::hardware_concurrency() > 1) {
        const std::size_t half = records.size() / 2;
        std::future<std::vector<Refused>> second =
            std::async(std::launch::async, prepare, half, records.size());
        refused = prepare(0, half);
        std::vector<Refused> more = second.get();
        refused.insert(refused.end(), more.begin(), more.end());
    } else {
        refused = prepare(0, records.size());
    }

    ChangeOutcome outcome;
    if (refused.empty()) {
        outcome.changed = records;
    } else {
        outcome.changed.reserve(records.size() - refused.size());
        std::size_t kept = 0;
        auto next = refused.begin();
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (next != refused.end() && next->at == i) {
                ++next;
                continue;
            }
            outcome.changed.push_back(records[i]);
            if (kept != i)
                values[kept] = std::move(values[i]);
            ++kept;
        }
        values.resize(kept);
    }
    for (const Refused& one : refused) {
        const QString name = QStringView(records[one.at]->m_szName.c_str()).toString();
        if (one.refusal == ChangeRefusal::NoSuchField)
            outcome.unchanged << tr("%1: its family has no such field").arg(name);
        else if (one.refusal == ChangeRefusal::NoDecoder)
            outcome.unchanged << tr("%1: a code-check count needs a decoder mode").arg(name);
        else
            outcome.unchanged << tr("%1: %2").arg(
                name, QCoreApplication::translate("Signal", SignalProblemSource(one.problem)));
    }
    if (!outcome.changed.empty())
        m_pDoc->Push(std::make_unique<CChangeSignalsStep>(
            m_pDoc, tr("Change Signals"), outcome.changed, change.field, std::move(values),
            m_nSortColumn, m_bSortDescending));
    return outcome;
}

QString CSignalController::ChangeOutcome::Summary() const {
    const auto count = static_cast<qsizetype>(changed.size());
    QString text =
        (count == 1
             ? QCoreApplication::translate("CSignalController", "1 signal changed")
             : QCoreApplication::translate("CSignalController", "%1 signals changed").arg(count)) +
        QStringLiteral(", ") +
        QCoreApplication::translate("CSignalController", "%1 left unchanged").arg(unchanged.size());
    if (!unchanged.isEmpty())
        text += QStringLiteral(":\n") + unchanged.join(u'\n');
    return text;
}
