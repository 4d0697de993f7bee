#include "VantorDoc.h"

#include "NativePath.h"
#include "SignalColumns.h"
#include "SignalDescription.h"
#include "SignalFileReader.h"
#include "SignalFileWriter.h"
#include "SignalIndex.h"
#include "SignalSteps.h"
#include "UnknownNames.h"

#include <QCoreApplication>
#include <QUndoStack>

#include <algorithm>
#include <functional>
#include <new>
#include <numeric>
#include <stdexcept>
#include <unordered_set>
#include <utility>

namespace {

void CheckIndex(int index, int count) {
    if (index < 0 || index >= count)
        throw std::out_of_range("signal index out of range");
}

// Counts the records of one read that name something this version does not know, by the
// names' numbers; Names() gives the counts by name.
class CUnknownNameCount {
public:
    void Add(const CSignalDescription& signal) {
        if (signal.m_nUnknownMode == 0 && signal.m_nUnknownModulation == 0)
            return;
        ++m_nRecords;
        Add(m_modes, signal.m_nUnknownMode);
        Add(m_modulations, signal.m_nUnknownModulation);
    }
    CVantorDoc::UnknownNames Names() const {
        CVantorDoc::UnknownNames names;
        names.records = m_nRecords;
        for (std::size_t i = 1; i < m_modes.size(); ++i) {
            if (m_modes[i] != 0)
                names.modes[UnknownName(static_cast<std::uint32_t>(i))] = m_modes[i];
        }
        for (std::size_t i = 1; i < m_modulations.size(); ++i) {
            if (m_modulations[i] != 0)
                names.modulations[UnknownName(static_cast<std::uint32_t>(i))] = m_modulations[i];
        }
        return names;
    }

private:
    static void Add(std::vector<int>& counts, std::uint32_t index) {
        if (index == 0)
            return;
        if (counts.size() <= index)
            counts.resize(index + 1);
        ++counts[index];
    }

    std::vector<int> m_modes;
    std::vector<int> m_modulations;
    int m_nRecords = 0;
};

using ReadNotes = std::unordered_map<const CSignalDescription*, SignalReadNotes>;
using ReadLines = std::vector<std::pair<const CSignalDescription*, std::uint32_t>>;

// Keeps what reading found besides the record's fields, for the rare record that has some,
// and the line of every record that has something to be told (invalid, unknown names, notes).
void Keep(const CSignalDescription* signal, SignalReadNotes&& notes, ReadNotes& read,
          ReadLines& lines) {
    if (notes.message != nullptr || notes.cut != 0 || !notes.numbers.empty() ||
        signal->m_nUnknownMode != 0 || signal->m_nUnknownModulation != 0)
        lines.emplace_back(signal, static_cast<std::uint32_t>(notes.line));
    if (notes.cut != 0 || !notes.numbers.empty())
        read.emplace(signal, std::move(notes));
}

bool DiffersBeyondEquality(const CSignalDescription& held, const CSignalDescription& other) {
    return held.OtherFields() != other.OtherFields();
}

QString NoMemory(const QString& path) {
    return QCoreApplication::translate("CVantorDoc", "%1: not enough memory").arg(path);
}

} // namespace

namespace {

constexpr std::size_t MinHistoryBound = std::size_t(256) << 20;

CSignalStep* Step(const QUndoStack* stack, int index) {
    // Every step of the history is a signal step, owned by the stack.
    return const_cast<CSignalStep*>(static_cast<const CSignalStep*>(stack->command(index)));
}

// Record addresses with their positions, sorted by address: finding a record is a binary
// search, with no node per record as in a hash map.
using AddressKeys = std::vector<std::pair<const CSignalDescription*, std::size_t>>;

AddressKeys SortedAddresses(const SignalCollection& records) {
    AddressKeys keys;
    keys.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i)
        keys.emplace_back(records[i].get(), i);
    std::sort(keys.begin(), keys.end(),
              [](const auto& a, const auto& b) { return std::less<>()(a.first, b.first); });
    return keys;
}

const std::pair<const CSignalDescription*, std::size_t>* Find(const AddressKeys& keys,
                                                              const CSignalDescription* signal) {
    const auto it =
        std::lower_bound(keys.begin(), keys.end(), signal, [](const auto& key, const auto* s) {
            return std::less<>()(key.first, s);
        });
    return it != keys.end() && it->first == signal ? &*it : nullptr;
}

} // namespace

CVantorDoc::CVantorDoc(QObject* parent) : QObject(parent), m_pHistory(new QUndoStack(this)) {
    // The history decides whether the database differs from its file.
    connect(m_pHistory, &QUndoStack::cleanChanged, this,
            [this](bool clean) { SetModifiedFlag(!clean); });
}

CVantorDoc::~CVantorDoc() {
    // The steps go first, unheard, while the records and notes they refer to are still here.
    disconnect(m_pHistory, nullptr, this, nullptr);
    delete m_pHistory;
}

CSignalDescription* CVantorDoc::GetSignal(int index) const {
    CheckIndex(index, GetSignalCount());
    return m_signals[static_cast<std::size_t>(index)].get();
}

void CVantorDoc::InsertSignals(const std::vector<int>& positions, SignalCollection& records) {
    if (records.empty())
        return;
    // The new array is built before anything moves: a failed allocation changes nothing.
    SignalCollection next;
    next.reserve(m_signals.size() + records.size());
    emit aboutToInsert(positions, &records);
    const std::size_t total = m_signals.size() + records.size();
    std::size_t held = 0;
    std::size_t taken = 0;
    while (next.size() < total) {
        if (taken < records.size() && positions[taken] == static_cast<int>(next.size()))
            next.push_back(std::move(records[taken++]));
        else
            next.push_back(std::move(m_signals[held++]));
    }
    m_signals.swap(next);
    records.clear();
    m_nArrangement = m_nNextArrangement++;
    emit inserted(positions);
    Changed();
}

SignalCollection CVantorDoc::RemoveSignals(const std::vector<int>& positions) {
    SignalCollection gone;
    if (positions.empty())
        return gone;
    for (int position : positions)
        CheckIndex(position, GetSignalCount());
    gone.reserve(positions.size());
    SignalCollection rest;
    rest.reserve(m_signals.size() - positions.size());
    emit aboutToRemove(positions);
    std::size_t next = 0;
    for (std::size_t i = 0; i < m_signals.size(); ++i) {
        if (next < positions.size() && positions[next] == static_cast<int>(i)) {
            gone.push_back(std::move(m_signals[i]));
            ++next;
        } else {
            rest.push_back(std::move(m_signals[i]));
        }
    }
    m_signals.swap(rest);
    m_nArrangement = m_nNextArrangement++;
    emit removed(positions);
    Changed();
    return gone;
}

void CVantorDoc::ExchangeSignal(int position, CSignalDescription& value) {
    CheckIndex(position, GetSignalCount());
    emit aboutToChange({position});
    std::swap(*m_signals[static_cast<std::size_t>(position)], value);
    emit signalsChanged({position}, true);
    Changed();
}

namespace {

// Positions in ascending order; a selection in the list's order mostly is already.
std::vector<int> Ascending(const std::vector<int>& positions) {
    std::vector<int> ascending = positions;
    if (!std::is_sorted(ascending.begin(), ascending.end()))
        std::sort(ascending.begin(), ascending.end());
    return ascending;
}

} // namespace

void CVantorDoc::ExchangeSignals(const std::vector<int>& positions,
                                 std::vector<CSignalDescription>& values) {
    for (int position : positions)
        CheckIndex(position, GetSignalCount());
    emit aboutToChange(positions);
    for (std::size_t i = 0; i < positions.size(); ++i)
        m_signals[static_cast<std::size_t>(positions[i])]->Swap(values[i]);
    emit signalsChanged(Ascending(positions), true);
    Changed();
}

void CVantorDoc::ExchangeFields(const std::vector<int>& positions, SignalChangeField field,
                                std::vector<ChangedValues>& values) {
    for (int position : positions)
        CheckIndex(position, GetSignalCount());
    emit aboutToChange(positions);
    constexpr std::size_t Ahead = 16; // records lie in memory in another order
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (i + Ahead < positions.size())
            __builtin_prefetch(m_signals[static_cast<std::size_t>(positions[i + Ahead])].get());
        ExchangeChanged(*m_signals[static_cast<std::size_t>(positions[i])], field, values[i]);
    }
    emit signalsChanged(Ascending(positions), true);
    Changed();
}

void CVantorDoc::FlipDisabled(const std::vector<int>& positions) {
    emit aboutToChange(positions);
    for (int position : positions) {
        CSignalDescription& signal = *GetSignal(position);
        signal.m_bDisabled = !signal.m_bDisabled;
    }
    emit signalsChanged(positions, false);
    Changed();
}

void CVantorDoc::MoveSignal(int from, int to) {
    CheckIndex(from, GetSignalCount());
    CheckIndex(to, GetSignalCount());
    if (from == to)
        return;
    emit aboutToReorder();
    const auto at = [this](int i) { return m_signals.begin() + i; };
    if (from < to)
        std::rotate(at(from), at(from + 1), at(to + 1));
    else if (to < from)
        std::rotate(at(to), at(from), at(from + 1));
    m_nArrangement = m_nNextArrangement++;
    emit reordered();
    Changed();
}

std::vector<CSignalDescription*> CVantorDoc::Order() const {
    std::vector<CSignalDescription*> order;
    order.reserve(m_signals.size());
    for (const auto& signal : m_signals)
        order.push_back(signal.get());
    return order;
}

void CVantorDoc::ArrangeSignals(const std::vector<CSignalDescription*>& order,
                                const SortOrder& sort) {
    // The order they have already (an undo after a change that moved nothing): nothing
    // moves, and nobody needs to follow.
    if (std::equal(order.begin(), order.end(), m_signals.begin(), m_signals.end(),
                   [](const CSignalDescription* a, const auto& b) { return a == b.get(); })) {
        SetSortOrder(sort);
        return;
    }
    const AddressKeys keys = SortedAddresses(m_signals);
    SignalCollection next;
    next.reserve(m_signals.size());
    std::vector<std::size_t> from;
    from.reserve(order.size());
    for (const CSignalDescription* signal : order) {
        if (const auto* key = Find(keys, signal))
            from.push_back(key->second);
    }
    if (from.size() != m_signals.size())
        return; // not an order of the held records: they stay as they are
    emit aboutToReorder();
    for (std::size_t i : from)
        next.push_back(std::move(m_signals[i]));
    m_signals.swap(next);
    m_order = sort;
    m_nArrangement = m_nNextArrangement++;
    emit reordered();
    Changed();
}

int CVantorDoc::PositionOf(const CSignalDescription* signal) const {
    const auto it = std::find_if(m_signals.begin(), m_signals.end(),
                                 [signal](const auto& s) { return s.get() == signal; });
    return it == m_signals.end() ? -1 : static_cast<int>(it - m_signals.begin());
}

std::vector<int> CVantorDoc::PositionsOf(const std::vector<CSignalDescription*>& records) const {
    std::vector<int> positions;
    if (records.size() == m_signals.size() && !records.empty()) {
        // As many distinct held records as the collection holds: all of them.
        positions.resize(records.size());
        std::iota(positions.begin(), positions.end(), 0);
        return positions;
    }
    std::vector<const CSignalDescription*> wanted(records.begin(), records.end());
    std::sort(wanted.begin(), wanted.end(), std::less<>());
    positions.reserve(records.size());
    for (std::size_t i = 0; i < m_signals.size(); ++i) {
        if (std::binary_search(wanted.begin(), wanted.end(), m_signals[i].get(), std::less<>()))
            positions.push_back(static_cast<int>(i));
    }
    return positions;
}

std::vector<int> CVantorDoc::PlacesOf(const std::vector<CSignalDescription*>& records) const {
    std::vector<int> places(records.size(), -1);
    // Records in the collection's order (a selection in the list's order) are found in one
    // walk along it; those after the first out of order are searched for.
    std::size_t i = 0;
    for (std::size_t position = 0; position < m_signals.size() && i < records.size(); ++position) {
        if (records[i] == m_signals[position].get())
            places[i++] = static_cast<int>(position);
    }
    if (i == records.size())
        return places;
    std::vector<std::pair<const CSignalDescription*, std::size_t>> wanted;
    wanted.reserve(records.size() - i);
    for (std::size_t k = i; k < records.size(); ++k)
        wanted.emplace_back(records[k], k);
    std::sort(wanted.begin(), wanted.end());
    for (std::size_t position = 0; position < m_signals.size(); ++position) {
        const CSignalDescription* held = m_signals[position].get();
        auto it =
            std::lower_bound(wanted.begin(), wanted.end(), std::make_pair(held, std::size_t{0}));
        for (; it != wanted.end() && it->first == held; ++it)
            places[it->second] = static_cast<int>(position);
    }
    return places;
}

std::vector<int> CVantorDoc::SortedPositions(SignalCollection& records, int column,
                                             bool descending) const {
    SortSignalCollection(records, column, descending);
    // A stable sort of the held records followed by these gives each of these the place
    // after every held record that does not sort after it.
    std::vector<int> positions;
    positions.reserve(records.size());
    for (std::size_t j = 0; j < records.size(); ++j) {
        const auto it = std::upper_bound(m_signals.begin(), m_signals.end(), records[j],
                                         [&](const auto& a, const auto& b) {
                                             return CompareSignals(*b, *a, column, descending) > 0;
                                         });
        positions.push_back(static_cast<int>(it - m_signals.begin()) + static_cast<int>(j));
    }
    return positions;
}

int CVantorDoc::SortedPlaceOf(int position, int column, bool descending) const {
    CheckIndex(position, GetSignalCount());
    const CSignalDescription& signal = *m_signals[static_cast<std::size_t>(position)];
    // A binary search over the other records, counted without this one, for the place a
    // stable sort gives it: after every record that sorts before it and after the equal ones
    // that stood before it, before the equal ones that stood after it.
    const auto other = [&](int i) -> const CSignalDescription& {
        return *m_signals[static_cast<std::size_t>(i < position ? i : i + 1)];
    };
    int low = 0;
    int high = GetSignalCount() - 1;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        const int order = CompareSignals(other(middle), signal, column, descending);
        if (order > 0 || (order == 0 && middle >= position))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

int CVantorDoc::FindEqualSignal(const CSignalDescription& signal) const {
    for (std::size_t i = 0; i < m_signals.size(); ++i) {
        if (m_signals[i]->IsEqual(signal))
            return static_cast<int>(i);
    }
    return -1;
}

void CVantorDoc::SortSignals(int column, bool descending) {
    emit aboutToReorder();
    SortSignalCollection(m_signals, column, descending, SortCores::Two);
    m_order = {true, column, descending};
    m_nArrangement = m_nNextArrangement++;
    emit reordered();
    Changed();
}

void CVantorDoc::SetSortOrder(const SortOrder& order) {
    if (order == m_order)
        return;
    m_order = order;
    Changed();
}

void CVantorDoc::Changed() {
    m_readNotes.clear();
    m_readLines.clear();
    emit documentUpdated();
}

void CVantorDoc::ResetSignals(SignalCollection&& records) {
    emit aboutToReset();
    m_signals = std::move(records);
    m_nArrangement = m_nNextArrangement++;
    m_pHistory->clear();
    emit resetDone();
    Changed();
}

void CVantorDoc::Push(std::unique_ptr<CSignalStep> step) {
    // The stack makes the change (redo) before it holds the step: a step that fails is ours.
    CSignalStep* made = step.release();
    try {
        m_pHistory->push(made);
    } catch (...) {
        delete made;
        throw;
    }
    std::size_t bytes = HistoryBytes();
    const std::size_t bound = HistoryBound();
    // The newest step always stays.
    for (int i = 0; bytes > bound && i + 1 < m_pHistory->count(); ++i) {
        CSignalStep* old = Step(m_pHistory, i);
        if (old->IsReleased())
            continue;
        bytes -= old->Bytes();
        old->Release();
        bytes += old->Bytes();
    }
}

std::size_t CVantorDoc::HistoryBound() const {
    return std::max(MinHistoryBound,
                    static_cast<std::size_t>(GetSignalCount()) * sizeof(CSignalDescription));
}

std::size_t CVantorDoc::HistoryBytes() const {
    std::size_t bytes = 0;
    for (int i = 0; i < m_pHistory->count(); ++i)
        bytes += Step(m_pHistory, i)->Bytes();
    return bytes;
}

bool CVantorDoc::CanUndo() const {
    return m_pHistory->canUndo() && !Step(m_pHistory, m_pHistory->index() - 1)->IsReleased();
}

const SignalReadNotes* CVantorDoc::GetReadNotes(const CSignalDescription* signal) const {
    const auto it = m_readNotes.find(signal);
    return it == m_readNotes.end() ? nullptr : &it->second;
}

RepeatCounts CVantorDoc::CountRepeats() const {
    std::vector<const CSignalDescription*> records;
    records.reserve(m_signals.size());
    for (const auto& signal : m_signals)
        records.push_back(signal.get());
    return ::CountRepeats(records);
}

unsigned long CVantorDoc::GetReadLine(const CSignalDescription* signal) const {
    const auto it = std::lower_bound(m_readLines.begin(), m_readLines.end(),
                                     std::make_pair(signal, std::uint32_t{0}));
    return it != m_readLines.end() && it->first == signal ? it->second : 0;
}

bool CVantorDoc::OnNewDocument() {
    m_unknownNames = {};
    m_report = {};
    m_markup = {};
    m_order = {};
    m_pathName.clear();
    m_file = {};
    ResetSignals({});
    SetModifiedFlag(false);
    return true;
}

FileResult CVantorDoc::Failure(const QString& message) const {
    return m_bCancelled ? FileResult::Cancelled(message) : FileResult::Failed(message);
}

FileResult CVantorDoc::OnOpenDocument(const QString& path) {
    // Everything is read aside; the held records change only once the file is read whole.
    // Running out of memory on the way frees what was read and keeps the held records.
    SignalCollection records;
    ReadNotes read;
    ReadLines lines;
    try {
        records.reserve(100);
        CUnknownNameCount unknown;
        const auto sink = [&](std::unique_ptr<CSignalDescription> signal, SignalReadNotes&& notes) {
            unknown.Add(*signal);
            Keep(signal.get(), std::move(notes), read, lines);
            records.push_back(std::move(signal));
        };
        SignalFileReport report;
        QString error;
        if (!CSignalFileReader::Read(path, sink, error, Watched(), &report))
            return Failure(error);
        SortSignalCollection(records, ColumnName, false);
        m_unknownNames = unknown.Names();
        m_file = report.file;
        m_markup = report.markup;
        m_report = std::move(report);
        m_order = {};
    } catch (const std::bad_alloc&) {
        return FileResult::Failed(NoMemory(path));
    }
    m_pathName = path;
    ResetSignals(std::move(records));
    m_readNotes = std::move(read);
    m_readLines = std::move(lines);
    std::sort(m_readLines.begin(), m_readLines.end());
    SetModifiedFlag(false);
    return {};
}

FileResult CVantorDoc::OnSaveDocument(const QString& path) {
    IoError error;
    QString warning;
    if (!CSignalFileWriter::Write(path, m_signals, error, Watched(), &warning, &m_markup))
        return m_bCancelled ? FileResult::Cancelled(error.Text()) : FileResult::Failed(error);
    m_pathName = path;
    RememberFileStamp();
    m_pHistory->setClean();
    SetModifiedFlag(false);
    emit documentSaved();
    return warning.isEmpty() ? FileResult() : FileResult::Done(warning);
}

FileResult CVantorDoc::MergeFile(const QString& path, MergeResult* result) {
    MergeResult counts;
    try {
        // Records held so far and those appended by this merge are all candidates for
        // equality.
        CSignalIndex index;
        index.Reserve(m_signals.size());
        for (const auto& signal : m_signals)
            index.Add(signal.get());
        SignalCollection added;
        CUnknownNameCount unknown;
        ReadNotes read;
        ReadLines lines;
        const auto sink = [&](std::unique_ptr<CSignalDescription> signal, SignalReadNotes&& notes) {
            unknown.Add(*signal);
            if (const CSignalDescription* held = index.Find(*signal)) {
                ++counts.dropped;
                counts.differing += DiffersBeyondEquality(*held, *signal);
                return;
            }
            signal->SetMerged(true);
            index.Add(signal.get());
            Keep(signal.get(), std::move(notes), read, lines);
            added.push_back(std::move(signal));
        };
        SignalFileReport report;
        QString error;
        if (!CSignalFileReader::Read(path, sink, error, Watched(), &report))
            return Failure(error); // nothing partial is kept
        counts.added = static_cast<int>(added.size());
        if (!added.empty()) {
            const QString text =
                counts.added == 1 ? tr("Merge Signal") : tr("Merge %1 Signals").arg(counts.added);
            Push(std::make_unique<CMergeSignalsStep>(this, text, std::move(added)));
        }
        m_readNotes = std::move(read);
        m_readLines = std::move(lines);
        std::sort(m_readLines.begin(), m_readLines.end());
        m_unknownNames = unknown.Names();
        m_report = std::move(report);
    } catch (const std::bad_alloc&) {
        return FileResult::Failed(NoMemory(path));
    }
    if (result)
        *result = counts;
    return {};
}

FileResult CVantorDoc::ReadOther(const QString& path, SignalCollection& records) {
    try {
        SignalCollection read;
        const auto sink = [&read](std::unique_ptr<CSignalDescription> signal, SignalReadNotes&&) {
            read.push_back(std::move(signal));
        };
        QString error;
        if (!CSignalFileReader::Read(path, sink, error, Watched()))
            return Failure(error);
        records = std::move(read);
    } catch (const std::bad_alloc&) {
        return FileResult::Failed(NoMemory(path));
    }
    return {};
}

FileResult CVantorDoc::ReadMergeSource(const QString& path, MergeSource& source) {
    try {
        MergeSource read;
        CUnknownNameCount unknown;
        const auto sink = [&](std::unique_ptr<CSignalDescription> signal, SignalReadNotes&& notes) {
            unknown.Add(*signal);
            signal->SetMerged(true);
            Keep(signal.get(), std::move(notes), read.notes, read.lines);
            read.records.push_back(std::move(signal));
        };
        QString error;
        if (!CSignalFileReader::Read(path, sink, error, Watched(), &read.report))
            return Failure(error);
        read.unknown = unknown.Names();
        source = std::move(read);
    } catch (const std::bad_alloc&) {
        return FileResult::Failed(NoMemory(path));
    }
    return {};
}

void CVantorDoc::KeepMergeReading(MergeSource& source,
                                  const std::vector<const CSignalDescription*>& taken) {
    // Only the records the merge took in are held: the others' notes go with them.
    const std::unordered_set<const CSignalDescription*> held(taken.begin(), taken.end());
    std::erase_if(source.notes, [&held](const auto& note) { return !held.contains(note.first); });
    std::erase_if(source.lines, [&held](const auto& line) { return !held.contains(line.first); });
    m_readNotes = std::move(source.notes);
    m_readLines = std::move(source.lines);
    std::sort(m_readLines.begin(), m_readLines.end());
    m_unknownNames = std::move(source.unknown);
    m_report = std::move(source.report);
}

ProgressHandler CVantorDoc::Watched() {
    m_bCancelled = false;
    if (!m_progress)
        return {};
    return [this](qint64 done, qint64 total) {
        if (m_progress(done, total))
            return true;
        m_bCancelled = true;
        return false;
    };
}

void CVantorDoc::SetModifiedFlag(bool modified) {
    if (m_bModified == modified)
        return;
    m_bModified = modified;
    emit modifiedChanged(modified);
}

void CVantorDoc::RememberFileStamp() {
    m_file = CFileIdentity::Read(m_pathName);
}

bool CVantorDoc::FileChangedOnDisk() const {
    if (m_pathName.isEmpty() || (!m_file.exists && !m_file.isLink))
        return false;
    return CFileIdentity::Read(m_pathName) != m_file;
}

FileResult CVantorDoc::OpenCopy(const QString& copy, const QString& path,
                                const std::optional<CFileIdentity>& base) {
    if (FileResult opened = OnOpenDocument(copy); !opened)
        return opened;
    m_pathName = path;
    RememberFileStamp();
    if (base) {
        // The link a path is, or points through, is not part of what the changes were made to.
        const CFileIdentity now = m_file;
        m_file = *base;
        m_file.isLink = now.isLink;
        m_file.linkTarget = now.linkTarget;
    }
    // Recovered changes stay unsaved whatever is undone: only a save makes the history clean.
    m_pHistory->resetClean();
    SetModifiedFlag(true);
    return {};
}
