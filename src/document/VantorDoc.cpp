#include "VantorDoc.h"

#include "NativePath.h"
#include "SignalColumns.h"
#include "SignalDescription.h"
#include "SignalFileReader.h"
#include "SignalFileWriter.h"
#include "SignalIndex.h"

#include <algorithm>
#include <functional>
#include <new>
#include <stdexcept>
#include <utility>

namespace {

void CheckIndex(int index, int count) {
    if (index < 0 || index >= count)
        throw std::out_of_range("signal index out of range");
}

void CountUnknownNames(const SignalReadNotes& notes, CVantorDoc::UnknownNames& names) {
    if (!notes.unknownMode && !notes.unknownModulation)
        return;
    ++names.records;
    if (notes.unknownMode)
        ++names.modes[*notes.unknownMode];
    if (notes.unknownModulation)
        ++names.modulations[*notes.unknownModulation];
}

bool DiffersBeyondEquality(const CSignalDescription& held, const CSignalDescription& other) {
    return held.m_dBandwidth != other.m_dBandwidth ||
           held.m_nCodecheckCounter != other.m_nCodecheckCounter ||
           held.m_nNumTonesMin != other.m_nNumTonesMin ||
           held.m_nNumChannelsMin != other.m_nNumChannelsMin ||
           held.m_bDisabled != other.m_bDisabled;
}

QString NoMemory(const QString& path) {
    return QStringLiteral("%1: not enough memory").arg(path);
}

} // namespace

CVantorDoc::CVantorDoc(QObject* parent) : QObject(parent) {}

CVantorDoc::~CVantorDoc() = default;

CSignalDescription* CVantorDoc::GetSignal(int index) const {
    CheckIndex(index, GetSignalCount());
    return m_signals[static_cast<std::size_t>(index)].get();
}

int CVantorDoc::AddSignal(std::unique_ptr<CSignalDescription> signal) {
    m_signals.push_back(std::move(signal));
    m_order.known = false;
    return GetSignalCount() - 1;
}

void CVantorDoc::DeleteSignal(int index) {
    CheckIndex(index, GetSignalCount());
    m_readMessages.erase(m_signals[static_cast<std::size_t>(index)].get());
    m_signals.erase(m_signals.begin() + index);
    SetModifiedFlag(true);
}

std::vector<CSignalDescription*> CVantorDoc::Order() const {
    std::vector<CSignalDescription*> order;
    order.reserve(m_signals.size());
    for (const auto& signal : m_signals)
        order.push_back(signal.get());
    return order;
}

void CVantorDoc::Rearrange(const std::vector<CSignalDescription*>& order, SignalCollection& pool) {
    // Every allocation comes first: running out of memory leaves collection and pool as they
    // were. Entry i names m_signals[i], or pool[i - held] beyond the held records.
    const std::size_t held = m_signals.size();
    const std::size_t total = held + pool.size();
    std::vector<std::pair<const CSignalDescription*, std::size_t>> keys;
    keys.reserve(total);
    SignalCollection next;
    next.reserve(order.size());
    SignalCollection rest;
    rest.reserve(total);
    const auto slot = [&](std::size_t i) -> std::unique_ptr<CSignalDescription>& {
        return i < held ? m_signals[i] : pool[i - held];
    };
    for (std::size_t i = 0; i < total; ++i)
        keys.emplace_back(slot(i).get(), i);
    // The addresses of every record held or pooled, sorted, find each entry of order by a
    // binary search: no node per record as in a hash map.
    std::sort(keys.begin(), keys.end(),
              [](const auto& a, const auto& b) { return std::less<>()(a.first, b.first); });
    emit aboutToRearrange();
    for (const CSignalDescription* signal : order) {
        const auto it = std::lower_bound(keys.begin(), keys.end(), signal,
                                         [](const auto& key, const CSignalDescription* s) {
                                             return std::less<>()(key.first, s);
                                         });
        if (it != keys.end() && it->first == signal && slot(it->second))
            next.push_back(std::move(slot(it->second)));
    }
    for (std::size_t i = 0; i < total; ++i) {
        if (slot(i))
            rest.push_back(std::move(slot(i)));
    }
    m_signals = std::move(next);
    pool = std::move(rest);
}

void CVantorDoc::Discard(SignalCollection& pool) {
    for (const auto& signal : pool)
        m_readMessages.erase(signal.get());
    pool.clear();
}

int CVantorDoc::FindEqualSignal(const CSignalDescription& signal) const {
    for (std::size_t i = 0; i < m_signals.size(); ++i) {
        if (m_signals[i]->IsEqual(signal))
            return static_cast<int>(i);
    }
    return -1;
}

void CVantorDoc::SortSignals(int column, bool descending) {
    SortSignalCollection(m_signals, column, descending);
    m_order = {true, column, descending};
}

const char16_t* CVantorDoc::GetReadMessage(const CSignalDescription* signal) const {
    const SignalReadNotes* notes = GetReadNotes(signal);
    return notes ? notes->message : nullptr;
}

void CVantorDoc::SignalEdited(const CSignalDescription* signal) {
    m_readMessages.erase(signal);
    m_order.known = false;
    SetModifiedFlag(true);
}

const SignalReadNotes* CVantorDoc::GetReadNotes(const CSignalDescription* signal) const {
    const auto it = m_readMessages.find(signal);
    return it == m_readMessages.end() ? nullptr : &it->second;
}

void CVantorDoc::Keep(std::unique_ptr<CSignalDescription> signal, SignalReadNotes&& notes,
                      SignalCollection& records, ReadNotesMap& kept) {
    if (notes.Notable())
        kept.emplace(signal.get(), std::move(notes));
    records.push_back(std::move(signal));
}

bool CVantorDoc::OnNewDocument() {
    m_signals.clear();
    m_readMessages.clear();
    m_unknownNames = {};
    m_report = {};
    m_order = {};
    m_pathName.clear();
    m_file = {};
    SetModifiedFlag(false);
    emit recordsReplaced();
    UpdateAllViews();
    return true;
}

bool CVantorDoc::OnOpenDocument(const QString& path) {
    // Everything is read aside; the held records change only once the file is read whole.
    // Running out of memory on the way frees what was read and keeps the held records.
    try {
        SignalCollection records;
        records.reserve(100);
        ReadNotesMap read;
        UnknownNames unknown;
        const auto sink = [&](std::unique_ptr<CSignalDescription> signal, SignalReadNotes&& notes) {
            CountUnknownNames(notes, unknown);
            Keep(std::move(signal), std::move(notes), records, read);
        };
        SignalFileReport report;
        if (!CSignalFileReader::Read(path, sink, m_lastError, Watched(), &report))
            return false;
        SortSignalCollection(records, ColumnName, false);
        m_signals = std::move(records);
        m_readMessages = std::move(read);
        m_unknownNames = std::move(unknown);
        m_report = std::move(report);
        m_order = {};
    } catch (const std::bad_alloc&) {
        m_lastError = NoMemory(path);
        return false;
    }
    m_pathName = path;
    RememberFileStamp();
    SetModifiedFlag(false);
    emit recordsReplaced();
    UpdateAllViews();
    return true;
}

bool CVantorDoc::OnSaveDocument(const QString& path) {
    if (!CSignalFileWriter::Write(path, m_signals, m_lastError, Watched()))
        return false;
    m_pathName = path;
    RememberFileStamp();
    SetModifiedFlag(false);
    emit documentSaved();
    return true;
}

bool CVantorDoc::MergeFile(const QString& path, MergeResult* result) {
    MergeResult counts;
    try {
        // Records held so far and those appended by this merge are all candidates for
        // equality.
        CSignalIndex index;
        index.Reserve(m_signals.size());
        for (const auto& signal : m_signals)
            index.Add(signal.get());
        SignalCollection added;
        ReadNotesMap read;
        UnknownNames unknown;
        const auto sink = [&](std::unique_ptr<CSignalDescription> signal, SignalReadNotes&& notes) {
            CountUnknownNames(notes, unknown);
            if (const CSignalDescription* held = index.Find(*signal)) {
                ++counts.dropped;
                counts.differing += DiffersBeyondEquality(*held, *signal);
                return;
            }
            signal->m_bMerged = true;
            index.Add(signal.get());
            Keep(std::move(signal), std::move(notes), added, read);
        };
        SignalFileReport report;
        if (!CSignalFileReader::Read(path, sink, m_lastError, Watched(), &report))
            return false; // nothing partial is kept
        // Room first, so that taking the records over cannot fail halfway.
        m_signals.reserve(m_signals.size() + added.size());
        m_readMessages.reserve(m_readMessages.size() + read.size());
        counts.added = static_cast<int>(added.size());
        for (auto& signal : added)
            m_signals.push_back(std::move(signal));
        m_readMessages.merge(read);
        m_unknownNames = std::move(unknown);
        m_report = std::move(report);
    } catch (const std::bad_alloc&) {
        m_lastError = NoMemory(path);
        return false;
    }
    if (result)
        *result = counts;
    if (counts.added > 0) {
        const SortOrder before = m_order;
        m_order.known = false;
        SetModifiedFlag(true);
        emit recordsMerged(counts.added, before);
    }
    UpdateAllViews();
    return true;
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

bool CVantorDoc::OpenCopy(const QString& copy, const QString& path) {
    if (!OnOpenDocument(copy))
        return false;
    m_pathName = path;
    RememberFileStamp();
    SetModifiedFlag(true);
    emit openedAsChanges();
    return true;
}
