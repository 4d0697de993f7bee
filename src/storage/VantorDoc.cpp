#include "VantorDoc.h"

#include "SignalColumns.h"
#include "SignalDescription.h"
#include "SignalFileReader.h"
#include "SignalFileWriter.h"
#include "SignalIndex.h"

#include <QFileInfo>

#include <stdexcept>

namespace {

void CheckIndex(int index, int count) {
    if (index < 0 || index >= count)
        throw std::out_of_range("signal index out of range");
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
    return GetSignalCount() - 1;
}

void CVantorDoc::DeleteSignal(int index) {
    CheckIndex(index, GetSignalCount());
    m_readMessages.erase(m_signals[static_cast<std::size_t>(index)].get());
    m_signals.erase(m_signals.begin() + index);
    SetModifiedFlag(true);
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
}

const char16_t* CVantorDoc::GetReadMessage(const CSignalDescription* signal) const {
    const auto it = m_readMessages.find(signal);
    return it == m_readMessages.end() ? nullptr : it->second;
}

bool CVantorDoc::OnNewDocument() {
    m_signals.clear();
    m_readMessages.clear();
    m_pathName.clear();
    m_fileStamp = QDateTime();
    m_fileSize = -1;
    SetModifiedFlag(false);
    UpdateAllViews();
    return true;
}

bool CVantorDoc::OnOpenDocument(const QString& path) {
    SignalCollection records;
    records.reserve(100);
    std::unordered_map<const CSignalDescription*, const char16_t*> read;
    const auto sink = [&](std::unique_ptr<CSignalDescription> signal, const char16_t* message) {
        if (message)
            read.emplace(signal.get(), message);
        records.push_back(std::move(signal));
    };
    if (!CSignalFileReader::Read(path, sink, m_lastError, m_progress))
        return false;
    SortSignalCollection(records, ColumnName, false);
    m_signals = std::move(records);
    m_readMessages = std::move(read);
    m_pathName = path;
    RememberFileStamp();
    SetModifiedFlag(false);
    UpdateAllViews();
    return true;
}

bool CVantorDoc::OnSaveDocument(const QString& path) {
    if (!CSignalFileWriter::Write(path, m_signals, m_lastError, m_progress))
        return false;
    m_pathName = path;
    RememberFileStamp();
    SetModifiedFlag(false);
    return true;
}

bool CVantorDoc::MergeFile(const QString& path, MergeResult* result) {
    // Records held so far and those appended by this merge are all candidates for equality.
    CSignalIndex index;
    index.Reserve(m_signals.size());
    for (const auto& signal : m_signals)
        index.Add(signal.get());
    SignalCollection added;
    std::unordered_map<const CSignalDescription*, const char16_t*> read;
    MergeResult counts;
    const auto sink = [&](std::unique_ptr<CSignalDescription> signal, const char16_t* message) {
        if (index.Find(*signal) != nullptr) {
            ++counts.dropped;
            return;
        }
        signal->m_bMerged = true;
        index.Add(signal.get());
        if (message)
            read.emplace(signal.get(), message);
        added.push_back(std::move(signal));
    };
    if (!CSignalFileReader::Read(path, sink, m_lastError, m_progress))
        return false; // nothing partial is kept
    counts.added = static_cast<int>(added.size());
    m_signals.reserve(m_signals.size() + added.size());
    for (auto& signal : added)
        m_signals.push_back(std::move(signal));
    m_readMessages.merge(read);
    if (result)
        *result = counts;
    if (counts.added > 0)
        SetModifiedFlag(true);
    UpdateAllViews();
    return true;
}

void CVantorDoc::SetModifiedFlag(bool modified) {
    if (m_bModified == modified)
        return;
    m_bModified = modified;
    emit modifiedChanged(modified);
}

void CVantorDoc::RememberFileStamp() {
    const QFileInfo info(m_pathName);
    m_fileStamp = info.lastModified();
    m_fileSize = info.exists() ? info.size() : -1;
}

bool CVantorDoc::FileChangedOnDisk() const {
    if (m_pathName.isEmpty() || !m_fileStamp.isValid())
        return false;
    const QFileInfo info(m_pathName);
    if (!info.exists())
        return false;
    return info.lastModified() != m_fileStamp || info.size() != m_fileSize;
}
