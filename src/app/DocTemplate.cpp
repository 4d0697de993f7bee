#include "DocTemplate.h"

#include "CommandIds.h"
#include "ProgressScope.h"
#include "Prompts.h"
#include "VantorDoc.h"

#include <QFileInfo>

namespace {

const QString DatabasesFilter = QStringLiteral("Signal Databases (*.xml)");

} // namespace

CDocTemplate::CDocTemplate(CVantorDoc* doc, QObject* parent) : QObject(parent), m_pDoc(doc) {}

QString CDocTemplate::DocumentTitle() const {
    const QString path = m_pDoc->GetPathName();
    return path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path).fileName();
}

QString CDocTemplate::WindowTitle() const {
    return DocumentTitle() + QStringLiteral(" - Quarn Editor");
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
    bool opened = false;
    {
        // The progress window goes before any message of the same operation appears.
        CProgressScope progress(m_pDoc, m_pWindow, QStringLiteral("Opening %1 ...").arg(path));
        opened = m_pDoc->OnOpenDocument(path);
    }
    if (!opened) {
        ReportFailure(QStringLiteral("Cannot open the signal database."));
        emit openFailed(path);
        return false;
    }
    emit titleChanged(WindowTitle());
    emit fileOpened(m_pDoc->GetPathName());
    return true;
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
    emit fileOpened(m_pDoc->GetPathName());
    return true;
}

void CDocTemplate::FileMerge() {
    const QString path = CPrompts::OpenFileName(m_pWindow, QStringLiteral("Merge Signal Database"),
                                                QStringLiteral("Signal Database (*.xml)"));
    if (!path.isEmpty())
        MergeFile(path);
}

bool CDocTemplate::MergeFile(const QString& path) {
    bool merged = false;
    {
        CProgressScope progress(m_pDoc, m_pWindow, QStringLiteral("Merging %1 ...").arg(path));
        merged = m_pDoc->MergeFile(path);
    }
    if (merged)
        return true;
    ReportFailure(QStringLiteral("Cannot merge the signal database."));
    return false;
}

void CDocTemplate::ReportFailure(const QString& what) {
    CPrompts::Message(m_pWindow, QMessageBox::Critical, QString(),
                      what + QStringLiteral("\n\n") + m_pDoc->GetLastError());
}

bool CDocTemplate::Handles(std::uint32_t id) const {
    return id == ID_FILE_SAVE || id == ID_FILE_SAVE_AS || id == ID_FILE_MERGE;
}

void CDocTemplate::Execute(std::uint32_t id) {
    if (id == ID_FILE_SAVE)
        FileSave();
    else if (id == ID_FILE_SAVE_AS)
        FileSaveAs();
    else
        FileMerge();
}
