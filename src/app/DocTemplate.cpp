#include "DocTemplate.h"

#include "CommandIds.h"
#include "ProgressScope.h"
#include "Prompts.h"
#include "VantorDoc.h"

#include <QFileInfo>

namespace {

const QString DatabasesFilter = QStringLiteral("Signal Databases (*.xml);;All Files (*)");

QString Signals(int count) {
    return count == 1 ? QStringLiteral("1 signal") : QStringLiteral("%1 signals").arg(count);
}

QString NameLines(const QString& kind, const std::map<std::string, int>& names) {
    QString lines;
    for (const auto& [name, count] : names)
        lines += QStringLiteral("\n    %1 \"%2\": %3")
                     .arg(kind, QString::fromStdString(name), Signals(count));
    return lines;
}

} // namespace

CDocTemplate::CDocTemplate(CVantorDoc* doc, QObject* parent)
    : QObject(parent), CCommandTarget(CommandOwner::Document), m_pDoc(doc) {
    OnCommand(ID_FILE_SAVE, [this](std::uint32_t) { FileSave(); });
    OnCommand(ID_FILE_SAVE_AS, [this](std::uint32_t) { FileSaveAs(); });
    OnCommand(ID_FILE_MERGE, [this](std::uint32_t) { FileMerge(); });
}

QString CDocTemplate::DocumentTitle() const {
    const QString path = m_pDoc->GetPathName();
    return path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path).fileName();
}

QString CDocTemplate::WindowTitle() const {
    // "[*]" is where the window shows that the database has unsaved changes.
    return DocumentTitle() + QStringLiteral("[*] - Quarn Editor");
}

bool CDocTemplate::SaveModified() {
    if (!m_pDoc->IsModified())
        return true;
    const auto answer = CPrompts::Message(
        m_pWindow, QMessageBox::Warning, QString(),
        QStringLiteral("Save changes to %1?")
            .arg(m_pDoc->GetPathName().isEmpty() ? DocumentTitle() : m_pDoc->GetPathName()),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::No)
        return true;
    return FileSave();
}

bool CDocTemplate::FileNew() {
    if (!SaveModified())
        return false;
    m_pDoc->OnNewDocument();
    emit titleChanged(WindowTitle());
    return true;
}

bool CDocTemplate::FileOpen() {
    // The file first, then the save question: cancelling the dialog asks nothing.
    const QString path = CPrompts::OpenFileName(m_pWindow, QStringLiteral("Open"), DatabasesFilter);
    return !path.isEmpty() && OpenFile(path);
}

bool CDocTemplate::OpenFile(const QString& path, bool askToSave) {
    if (askToSave && !SaveModified())
        return false;
    if (!OpenQuietly(path)) {
        ReportFailure(QStringLiteral("Cannot open the signal database."));
        return false;
    }
    ReportUnknownNames();
    return true;
}

bool CDocTemplate::OpenQuietly(const QString& path) {
    bool opened = false;
    {
        // The progress window goes before any message of the same operation appears.
        CProgressScope progress(m_pDoc, m_pWindow, QStringLiteral("Opening %1 ...").arg(path));
        opened = m_pDoc->OnOpenDocument(path);
    }
    if (!opened)
        return false;
    emit titleChanged(WindowTitle());
    emit fileUsed(m_pDoc->GetPathName());
    return true;
}

void CDocTemplate::ReportUnknownNames() {
    const CVantorDoc::UnknownNames& names = m_pDoc->GetUnknownNames();
    if (names.records == 0)
        return;
    const QString text =
        QStringLiteral("%1 of this file %2 a decoder mode or modulation that this version of "
                       "Quarn Editor does not know:%3%4\n\n"
                       "An unknown decoder mode is shown and will be saved as \"no-mode\", "
                       "without its code-check counter. An unknown modulation is shown empty, "
                       "marks the signal invalid, and will be saved empty.")
            .arg(Signals(names.records),
                 names.records == 1 ? QStringLiteral("names") : QStringLiteral("name"))
            .arg(NameLines(QStringLiteral("decoder mode"), names.modes),
                 NameLines(QStringLiteral("modulation"), names.modulations));
    CPrompts::Message(m_pWindow, QMessageBox::Warning, QString(), text);
}

bool CDocTemplate::FileSave() {
    if (m_pDoc->GetPathName().isEmpty())
        return FileSaveAs();
    if (m_pDoc->FileChangedOnDisk() &&
        CPrompts::Message(m_pWindow, QMessageBox::Warning, QString(),
                          QStringLiteral("The file %1 was changed by another program since it "
                                         "was opened. Overwrite it?")
                              .arg(m_pDoc->GetPathName()),
                          QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return false;
    return DoSave(m_pDoc->GetPathName());
}

bool CDocTemplate::FileSaveAs() {
    const QString suggested =
        m_pDoc->GetPathName().isEmpty() ? QStringLiteral("Untitled.xml") : m_pDoc->GetPathName();
    const QString path =
        CPrompts::SaveFileName(m_pWindow, QStringLiteral("Save As"), DatabasesFilter, suggested);
    return !path.isEmpty() && DoSave(path);
}

bool CDocTemplate::DoSave(const QString& path) {
    bool saved = false;
    {
        CProgressScope progress(m_pDoc, m_pWindow, QStringLiteral("Saving %1 ...").arg(path));
        saved = m_pDoc->OnSaveDocument(path);
    }
    if (!saved) {
        ReportFailure(QStringLiteral("Cannot save the signal database."));
        return false;
    }
    emit titleChanged(WindowTitle());
    emit fileUsed(m_pDoc->GetPathName());
    return true;
}

void CDocTemplate::FileMerge() {
    const QString path =
        CPrompts::OpenFileName(m_pWindow, QStringLiteral("Merge Signal Database"),
                               QStringLiteral("Signal Database (*.xml);;All Files (*)"));
    if (!path.isEmpty())
        MergeFile(path);
}

bool CDocTemplate::MergeFile(const QString& path) {
    bool merged = false;
    CVantorDoc::MergeResult result;
    {
        CProgressScope progress(m_pDoc, m_pWindow, QStringLiteral("Merging %1 ...").arg(path));
        merged = m_pDoc->MergeFile(path, &result);
    }
    if (merged) {
        emit statusMessage(MergeSummary(result.added, result.dropped, result.differing));
        ReportUnknownNames();
        return true;
    }
    ReportFailure(QStringLiteral("Cannot merge the signal database."));
    return false;
}

QString CDocTemplate::MergeSummary(int added, int skipped, int differing) {
    return QStringLiteral("Merge: %1 added, %2 skipped as duplicates, %3 of them differing from "
                          "the held signal in bandwidth, code-check counter, minimums or "
                          "disabled state (the held values were kept)")
        .arg(Signals(added))
        .arg(skipped)
        .arg(differing);
}

void CDocTemplate::ReportFailure(const QString& what) {
    CPrompts::Message(m_pWindow, QMessageBox::Critical, QString(),
                      what + QStringLiteral("\n\n") + m_pDoc->GetLastError());
}
