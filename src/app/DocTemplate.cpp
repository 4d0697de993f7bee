#include "DocTemplate.h"
#include "ProblemsPane.h"

#include "CommandAction.h"
#include "CommandIds.h"
#include "FileBackup.h"
#include "MergeBase.h"
#include "MergePlan.h"
#include "MergeReviewDialog.h"
#include "ProgressScope.h"
#include "Prompts.h"
#include "RecoverySnapshot.h"
#include "SignalController.h"
#include "SignalDescription.h"
#include "SignalFileReader.h"
#include "VantorDoc.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLocale>
#include <QUndoStack>

namespace {

QString Signals(int count) {
    return count == 1 ? QCoreApplication::translate("CDocTemplate", "1 signal")
                      : QCoreApplication::translate("CDocTemplate", "%1 signals").arg(count);
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
    : QObject(parent), m_pDoc(doc), m_pWatcher(new QFileSystemWatcher(this)),
      m_pReload(new QAction(tr("&Reload"), this)), m_pIgnore(new QAction(tr("&Ignore"), this)),
      m_pSelectMerged(new QAction(tr("&Select Merged Signals"), this)) {
    connect(m_pSelectMerged, &QAction::triggered, this, &CDocTemplate::selectMerged);
    // Undoing the merge takes its summary away with it.
    connect(m_pDoc->History(), &QUndoStack::indexChanged, this, [this](int index) {
        if (m_nMergeStep >= 0 && index < m_nMergeStep) {
            m_nMergeStep = -1;
            emit noticesCleared();
        }
    });
    connect(m_pWatcher, &QFileSystemWatcher::fileChanged, this, &CDocTemplate::OnFileChanged);
    connect(m_pReload, &QAction::triggered, this, &CDocTemplate::ReloadFile);
    m_commands << MakeCommand(this, ID_FILE_SAVE, [this] { FileSave(); })
               << MakeCommand(this, ID_FILE_SAVE_AS, [this] { FileSaveAs(); })
               << MakeCommand(this, ID_FILE_MERGE, [this] { FileMerge(); })
               << MakeCommand(this, ID_FILE_UPDATE, [this] { FileUpdate(); });
}

QString CDocTemplate::DocumentTitle() const {
    const QString path = m_pDoc->GetPathName();
    return path.isEmpty() ? tr("Untitled") : QFileInfo(path).fileName();
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
        tr("Save changes to %1?")
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
    m_foreignFile.clear();
    WatchFile();
    emit noticesCleared();
    emit titleChanged(WindowTitle());
    return true;
}

bool CDocTemplate::FileOpen() {
    // The file first, then the save question: cancelling the dialog asks nothing.
    const QString path = CPrompts::OpenFileName(m_pWindow, tr("Open"), CPrompts::DatabasesFilter(),
                                                CPrompts::StartFolder(m_pDoc->GetPathName()));
    return !path.isEmpty() && OpenFile(path);
}

FileResult CDocTemplate::OpenFile(const QString& path, bool askToSave) {
    if (askToSave && !SaveModified())
        return FileResult::Cancelled(QString());
    const FileResult opened = OpenQuietly(path);
    if (!opened) {
        ReportFailure(tr("Cannot open the signal database."), opened);
        return opened;
    }
    ReportReading(path);
    OfferRecovery(path);
    return opened;
}

bool CDocTemplate::OfferRecovery(const QString& path) {
    return OfferSnapshots(CRecoverySnapshot::Find(path));
}

void CDocTemplate::OfferAnyRecovery() {
    OfferSnapshots(CRecoverySnapshot::All());
}

bool CDocTemplate::OfferSnapshots(const std::vector<CRecoverySnapshot>& snapshots) {
    if (snapshots.size() > 1)
        return OfferManySnapshots(snapshots);
    return !snapshots.empty() && !CPrompts::IsEnding() && OfferSnapshot(snapshots.front());
}

QString CDocTemplate::SnapshotLine(const CRecoverySnapshot& snapshot) const {
    return tr("%1 from %2 (%3)")
        .arg(snapshot.path.isEmpty() ? tr("Untitled") : snapshot.path,
             QLocale().toString(snapshot.time, QLocale::ShortFormat),
             Signals(static_cast<int>(snapshot.signalCount)));
}

// Many snapshots (of one file, or of ended runs at start) are one question, not one each:
// the newest can be recovered, all discarded, or all kept for later.
bool CDocTemplate::OfferManySnapshots(const std::vector<CRecoverySnapshot>& snapshots) {
    if (CPrompts::IsEnding())
        return false;
    constexpr std::size_t Listed = 10;
    QStringList lines;
    for (std::size_t i = 0; i < snapshots.size() && i < Listed; ++i)
        lines << SnapshotLine(snapshots[i]);
    if (snapshots.size() > Listed)
        lines << tr("and %1 more").arg(snapshots.size() - Listed);
    const QString text =
        tr("Unsaved changes were recovered %1 times, the newest first:").arg(snapshots.size()) +
        QStringLiteral("\n\n") + lines.join(u'\n');
    const auto answer = CPrompts::Message(
        m_pWindow, QMessageBox::Question, QString(), text,
        QMessageBox::Open | QMessageBox::Discard | QMessageBox::Ignore, QMessageBox::Open,
        {{QMessageBox::Open, tr("Recover Newest")},
         {QMessageBox::Discard, tr("Discard All")},
         {QMessageBox::Ignore, tr("Later")}});
    if (answer == QMessageBox::Discard) {
        for (const CRecoverySnapshot& snapshot : snapshots)
            snapshot.Remove();
        return false;
    }
    return answer == QMessageBox::Open && Recover(snapshots.front());
}

bool CDocTemplate::OfferSnapshot(const CRecoverySnapshot& snapshot) {
    QString text = tr("Unsaved changes to %1 from %2 (%3) were recovered.")
                       .arg(snapshot.path.isEmpty() ? tr("Untitled") : snapshot.path,
                            QLocale().toString(snapshot.time, QLocale::ShortFormat),
                            Signals(static_cast<int>(snapshot.signalCount)));
    if (snapshot.FileChanged())
        text += QStringLiteral("\n\n") +
                tr("%1 was changed by another program after these changes were made.")
                    .arg(snapshot.path);
    const auto answer = CPrompts::Message(
        m_pWindow, QMessageBox::Question, QString(), text,
        QMessageBox::Open | QMessageBox::Discard | QMessageBox::Ignore, QMessageBox::Open,
        {{QMessageBox::Open, tr("Recover")}, {QMessageBox::Ignore, tr("Later")}});
    if (answer == QMessageBox::Discard)
        snapshot.Remove();
    return answer == QMessageBox::Open && Recover(snapshot);
}

bool CDocTemplate::Recover(const CRecoverySnapshot& snapshot) {
    FileResult opened;
    {
        CProgressScope progress(m_pDoc, m_pWindow, tr("Opening %1 ...").arg(snapshot.snapshot));
        // Based on the file as it was: a save asks first when another program changed it.
        opened = m_pDoc->OpenCopy(snapshot.snapshot, snapshot.path, snapshot.file);
    }
    if (!opened) {
        ReportFailure(tr("Cannot open the signal database."), opened);
        return false;
    }
    emit snapshotRecovered(snapshot);
    WatchFile();
    emit titleChanged(WindowTitle());
    return true;
}

std::optional<QString> CDocTemplate::OfferLeftoverBackup(const QString& path, bool merging) {
    const auto leftover = CFileBackup::FindLeftover(path);
    if (!leftover)
        return std::nullopt;
    QString text =
        (merging ? tr("A save of %1 was interrupted on %2. Merge the copy saved before it?")
                 : tr("A save of %1 was interrupted on %2. Open the copy saved before it?"))
            .arg(path, QLocale().toString(leftover->time, QLocale::ShortFormat));
    // A save that finished but was stopped before it removed its copy left a whole file:
    // then the default keeps the file.
    QString unreadable;
    const CSignalFileReader::Sink none = [](std::unique_ptr<CSignalDescription>,
                                            SignalReadNotes&&) {};
    const bool whole = CSignalFileReader::Read(path, none, unreadable);
    if (whole)
        text += QStringLiteral("\n\n") +
                tr("%1 itself reads as a whole database: the save probably finished.").arg(path);
    if (CPrompts::Message(m_pWindow, QMessageBox::Question, QString(), text,
                          QMessageBox::Yes | QMessageBox::No,
                          whole ? QMessageBox::No : QMessageBox::Yes) != QMessageBox::Yes)
        return std::nullopt;
    return leftover->path;
}

FileResult CDocTemplate::OpenQuietly(const QString& path) {
    const std::optional<QString> copy = OfferLeftoverBackup(path, false);
    FileResult opened;
    {
        // The progress window goes before any message of the same operation appears.
        CProgressScope progress(m_pDoc, m_pWindow, tr("Opening %1 ...").arg(path));
        opened = copy ? m_pDoc->OpenCopy(*copy, path) : m_pDoc->OnOpenDocument(path);
    }
    if (!opened)
        return opened;
    // The copy goes once the file is saved again; declined, it stays for the next open.
    m_leftoverBackup = copy ? *copy : QString();
    // Another kind of XML file: the first save onto it asks first.
    m_foreignFile = m_pDoc->GetReadReport().Foreign() ? path : QString();
    WatchFile();
    emit noticesCleared();
    emit titleChanged(WindowTitle());
    emit fileUsed(m_pDoc->GetPathName());
    return opened;
}

void CDocTemplate::ReportReading(const QString& path) {
    const SignalFileReport& report = m_pDoc->GetReadReport();
    if (report.Foreign())
        emit notice(tr("%1 does not look like a signal database: its root element is "
                       "<%2> and it holds no Signal elements. Saving will replace "
                       "its content with a signal database.")
                        .arg(path, QString::fromStdString(report.root)),
                    QStringLiteral("foreign:") + path);
    // Each notice has a kind: reading the same file again replaces its notice, and what
    // holds for every file is said once.
    const QString dropped = report.Notice();
    if (!dropped.isEmpty())
        emit notice(tr("%1: %2.").arg(path, dropped), QStringLiteral("not kept:") + path);
    const CVantorDoc::UnknownNames& names = m_pDoc->GetUnknownNames();
    if (names.records == 0)
        return;
    const QString about =
        names.records == 1
            ? tr("%1 of this file names a decoder mode or modulation that this version of "
                 "Quarn Editor does not know:%2%3\n\n")
            : tr("%1 of this file name a decoder mode or modulation that this version of "
                 "Quarn Editor does not know:%2%3\n\n");
    emit notice(about.arg(Signals(names.records), NameLines(tr("decoder mode"), names.modes),
                          NameLines(tr("modulation"), names.modulations)),
                QStringLiteral("unknown names:") + path);
    emit notice(tr("An unknown decoder mode is shown as \"no-mode\", an unknown modulation "
                   "is shown empty and marks the signal invalid. A save writes both back as "
                   "they were read, with the code-check counter, until the signal is edited."),
                QStringLiteral("unknown names explained"));
}

bool CDocTemplate::ConfirmReplacingForeignFile(const QString& path) {
    if (path != m_foreignFile)
        return true;
    if (CPrompts::Message(m_pWindow, QMessageBox::Warning, QString(),
                          tr("%1 does not look like a signal database. Replace its "
                             "content with a signal database?")
                              .arg(path),
                          QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return false;
    m_foreignFile.clear();
    return true;
}

bool CDocTemplate::FileSave() {
    if (m_pDoc->GetPathName().isEmpty())
        return FileSaveAs();
    if (m_pDoc->FileChangedOnDisk()) {
        const auto answer = CPrompts::Message(
            m_pWindow, QMessageBox::Warning, QString(),
            tr("%1 was changed, replaced or deleted by another program since it was "
               "opened. Save anyway?")
                .arg(m_pDoc->GetPathName()),
            QMessageBox::Save | QMessageBox::SaveAll | QMessageBox::Cancel, QMessageBox::Cancel,
            {{QMessageBox::SaveAll, tr("Save As...")}});
        if (answer == QMessageBox::SaveAll)
            return FileSaveAs();
        if (answer != QMessageBox::Save)
            return false;
    }
    return DoSave(m_pDoc->GetPathName());
}

bool CDocTemplate::FileSaveAs() {
    const QString suggested = m_pDoc->GetPathName().isEmpty()
                                  ? CPrompts::StartFolder(QString()) + u'/' + tr("Untitled.xml")
                                  : m_pDoc->GetPathName();
    const QString path =
        CPrompts::SaveFileName(m_pWindow, tr("Save As"), CPrompts::DatabasesFilter(), suggested);
    return !path.isEmpty() && DoSave(path);
}

bool CDocTemplate::DoSave(const QString& path) {
    if (!ConfirmReplacingForeignFile(path))
        return false;
    FileResult saved;
    {
        CProgressScope progress(m_pDoc, m_pWindow, tr("Saving %1 ...").arg(path));
        saved = m_pDoc->OnSaveDocument(path);
    }
    if (!saved) {
        ReportFailure(tr("Cannot save the signal database."), saved);
        return false;
    }
    if (!saved.Message().isEmpty())
        CPrompts::Message(m_pWindow, QMessageBox::Warning, QString(), saved.Message() + u'.');
    if (!m_leftoverBackup.isEmpty()) {
        QFile::remove(m_leftoverBackup);
        m_leftoverBackup.clear();
    }
    emit titleChanged(WindowTitle());
    WatchFile();
    emit fileUsed(m_pDoc->GetPathName());
    return true;
}

void CDocTemplate::FileMerge() {
    const QString path =
        CPrompts::OpenFileName(m_pWindow, tr("Merge Signal Database"), CPrompts::DatabasesFilter(),
                               CPrompts::StartFolder(m_pDoc->GetPathName()));
    if (!path.isEmpty())
        MergeFile(path);
}

void CDocTemplate::FileUpdate() {
    const QString path = CPrompts::OpenFileName(m_pWindow, tr("Update from Signal Database"),
                                                CPrompts::DatabasesFilter(),
                                                CPrompts::StartFolder(m_pDoc->GetPathName()));
    if (!path.isEmpty())
        MergeFile(path, true);
}

FileResult CDocTemplate::MergeFile(const QString& path, bool update) {
    const std::optional<QString> copy = OfferLeftoverBackup(path, true);
    CVantorDoc::MergeSource source;
    MergePlan plan;
    FileResult read;
    // An update merges against what the last merge of the same file took in.
    const QString database = m_pDoc->GetPathName();
    const QDateTime since = update ? MergeBase::TakenAt(database, path) : QDateTime();
    SignalCollection base;
    {
        CProgressScope progress(m_pDoc, m_pWindow, tr("Merging %1 ...").arg(path));
        if (since.isValid())
            read = m_pDoc->ReadOther(MergeBase::PathFor(database, path), base);
        if (read)
            read = m_pDoc->ReadMergeSource(copy.value_or(path), source);
        if (read)
            plan = since.isValid() ? PlanMerge(base, m_pDoc->Signals(), source.records)
                                   : PlanMerge(m_pDoc->Signals(), source.records);
    }
    if (!read) {
        ReportFailure(tr("Cannot merge the signal database."), read);
        return read;
    }
    if (update && !since.isValid())
        emit statusMessage(
            tr("%1 was not merged into this database before: every difference is shown.")
                .arg(path));
    // Nothing changes before the user saw what the other file brings.
    CMergeReviewDialog review(
        plan, path, since.isValid() ? QLocale().toString(since, QLocale::ShortFormat) : QString(),
        m_pWindow);
    if (CPrompts::RunDialog(review) != QDialog::Accepted) {
        emit statusMessage(tr("Merge cancelled: nothing was changed."));
        return FileResult::Cancelled(tr("Merge cancelled"));
    }
    const RepeatCounts before = m_pDoc->CountRepeats();
    int skipped = 0;
    int differing = 0;
    for (const MergeEntry& entry : plan.entries) {
        if (entry.kind == MergeEntryKind::Identical && !(entry.chosen && entry.Choosable())) {
            ++skipped;
            differing += !entry.fields.empty();
        }
    }
    const CSignalController::MergeOutcome outcome =
        m_pController->ApplyMerge(plan, std::move(source));
    // The whole summary goes to the message bar, where it fits; the status bar says the
    // counts.
    QString summary = MergeSummary(outcome.added, skipped, differing);
    if (outcome.changed > 0 || outcome.removed > 0)
        summary += QStringLiteral("; ") + tr("%1 held signals given the other's values, %2 removed")
                                              .arg(outcome.changed)
                                              .arg(outcome.removed);
    emit statusMessage(
        tr("Merge: %1 added, %2 skipped as duplicates").arg(Signals(outcome.added)).arg(skipped));
    if (!outcome.text.isEmpty())
        m_nMergeStep = m_pDoc->History()->index();
    emit noticeWithActions(summary,
                           outcome.added > 0 ? QList<QAction*>{m_pSelectMerged} : QList<QAction*>{},
                           QStringLiteral("merge"));
    if (const QString repeats =
            CProblemsPane::RepeatsText(tr("The merge"), before, m_pDoc->CountRepeats());
        !repeats.isEmpty())
        emit notice(repeats, QStringLiteral("repeats"));
    ReportReading(path);
    // What was taken in is the base of the next update from the same file.
    if (QString why; !MergeBase::Keep(database, copy.value_or(path), why))
        emit notice(
            tr("The next update from %1 cannot know what this merge took in: %2").arg(path, why),
            QStringLiteral("merge base"));
    return read;
}

QString CDocTemplate::MergeSummary(int added, int skipped, int differing) {
    return tr("Merge: %1 added, %2 skipped as duplicates, %3 of them differing from "
              "the held signal in bandwidth, code-check counter, minimums or "
              "disabled state (the held values were kept)")
        .arg(Signals(added))
        .arg(skipped)
        .arg(differing);
}

void CDocTemplate::WatchFile() {
    if (!m_pWatcher->files().isEmpty())
        m_pWatcher->removePaths(m_pWatcher->files());
    m_told = CFileIdentity::Read(m_pDoc->GetPathName());
    if (!m_pDoc->GetPathName().isEmpty() && QFileInfo::exists(m_pDoc->GetPathName()))
        m_pWatcher->addPath(m_pDoc->GetPathName());
}

void CDocTemplate::OnFileChanged() {
    const QString path = m_pDoc->GetPathName();
    // A file replaced by a rename is no longer watched: watch the new one.
    if (!path.isEmpty() && !m_pWatcher->files().contains(path) && QFileInfo::exists(path))
        m_pWatcher->addPath(path);
    // This editor's own saves leave the file as the document knows it.
    const CFileIdentity now = CFileIdentity::Read(path);
    if (!m_pDoc->FileChangedOnDisk() || now == m_told)
        return;
    m_told = now;
    emit noticeWithActions(tr("%1 was changed, replaced or deleted by another program.").arg(path),
                           {m_pReload, m_pIgnore}, QStringLiteral("file changed"));
}

void CDocTemplate::ReloadFile() {
    const QString path = m_pDoc->GetPathName();
    if (m_pDoc->IsModified() &&
        CPrompts::Message(m_pWindow, QMessageBox::Question, QString(),
                          tr("Reload %1? The changes made since it was last saved "
                             "will be lost.")
                              .arg(path),
                          QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    OpenFile(path, false);
}

void CDocTemplate::ReportFailure(const QString& what, const FileResult& result) {
    if (result.IsCancelled()) {
        emit statusMessage(tr("Cancelled."));
        return;
    }
    CPrompts::Message(m_pWindow, QMessageBox::Critical, QString(),
                      what + QStringLiteral("\n\n") + result.Message());
}
