#pragma once

#include "FileIdentity.h"
#include "FileResult.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>
#include <vector>

class CRecoverySnapshot;
class CSignalController;
class QAction;
class QFileSystemWatcher;
class CVantorDoc;
class QWidget;

// The single-document template: one document for the whole run, its title, the save
// question before it is replaced, and the file commands that belong to the document
// (Save, Save As, Merge). Every failed file operation tells the user why.
class CDocTemplate : public QObject {
    Q_OBJECT
public:
    CDocTemplate(CVantorDoc* doc, QObject* parent = nullptr);

    // Its commands: Save, Save As, Merge, Update from.
    const QList<QAction*>& Commands() const { return m_commands; }

    void SetWindow(QWidget* window) { m_pWindow = window; }
    // The list's use-cases on the document: a reviewed merge is made through them.
    void SetController(CSignalController* controller) { m_pController = controller; }
    CVantorDoc* Document() const { return m_pDoc; }

    // "<file name> - Quarn Editor", or "Untitled - Quarn Editor".
    QString WindowTitle() const;
    QString DocumentTitle() const;

    // Asks to save unsaved changes; false when the user cancelled or the save failed.
    bool SaveModified();
    // File New and Close: replaces the database by an empty one after the save question.
    bool FileNew();
    // File Open with a dialog; OpenFile for a known path (recent files, drops).
    bool FileOpen();
    FileResult OpenFile(const QString& path, bool askToSave = true);
    // Opens path with the title and recent files updated and no failure shown (start-up: its
    // caller reports it). A copy left by an interrupted save of path is offered first.
    FileResult OpenQuietly(const QString& path);
    bool FileSave();
    bool FileSaveAs();
    void FileMerge();
    // File > Update from: a merge of a file merged before, three-way against what that merge
    // took in (kept in the state folder), so that only the file's changes since come in.
    void FileUpdate();
    // Reviews what path brings, then makes what the user chose; an update merges against the
    // last merge's copy of path when there is one.
    FileResult MergeFile(const QString& path, bool update = false);

    // Offers every recovery snapshot of path that no running editor keeps, newest first,
    // until one is opened: Recover opens it as unsaved changes to path (a save then asks
    // when another program changed the file since), Discard removes it, Later keeps it.
    // True when a snapshot was opened.
    bool OfferRecovery(const QString& path);
    // The same for every snapshot kept.
    void OfferAnyRecovery();

    // Tells the user (in the message bar) what the file of the last open or merge at path
    // holds that a save will not keep as it is: another kind of XML file, content outside
    // the records, texts cut, numbers in another form, names this version does not know.
    void ReportReading(const QString& path);
    // The status bar text after a merge.
    static QString MergeSummary(int added, int skipped, int differing);

signals:
    void titleChanged(const QString& title);
    // The database was opened from or saved to path (for the recent-file list).
    void fileUsed(const QString& path);
    void statusMessage(const QString& text);
    // Something the user should know about the database, for the message bar; a notice of
    // a kind replaces the one of that kind shown before.
    void notice(const QString& text, const QString& kind);
    // A new database: what the bar said no longer applies.
    void noticesCleared();
    // Something the user should know about the file, with what can be done about it.
    // kind, when given, makes it replace the notice of that kind shown before.
    void noticeWithActions(const QString& text, const QList<QAction*>& actions,
                           const QString& kind);
    // The user asked to see the signals the last merge added.
    void selectMerged();
    // The changes of another run's snapshot are the document's unsaved changes now.
    void snapshotRecovered(const CRecoverySnapshot& snapshot);

private:
    bool DoSave(const QString& path);
    bool OfferSnapshots(const std::vector<CRecoverySnapshot>& snapshots);
    bool OfferSnapshot(const CRecoverySnapshot& snapshot);
    bool OfferManySnapshots(const std::vector<CRecoverySnapshot>& snapshots);
    QString SnapshotLine(const CRecoverySnapshot& snapshot) const;
    // Opens the snapshot's changes as the document's unsaved changes.
    bool Recover(const CRecoverySnapshot& snapshot);
    // Before the first save onto a file that is not a signal database: asks, No the default.
    bool ConfirmReplacingForeignFile(const QString& path);
    // When an interrupted save left a copy of path's old content, asks whether to open (or
    // merge) that copy instead; its path when the user said yes.
    std::optional<QString> OfferLeftoverBackup(const QString& path, bool merging);
    // Shows what failed and why; a cancelled operation changed nothing and only says so.
    void ReportFailure(const QString& what, const FileResult& result);
    // Watches the document's file, so that a change by another program is told at once.
    void WatchFile();
    void OnFileChanged();
    // Reads the file again, after asking when that loses unsaved changes.
    void ReloadFile();

    CVantorDoc* m_pDoc;
    QWidget* m_pWindow = nullptr;
    CSignalController* m_pController = nullptr;
    QString m_leftoverBackup; // the interrupted save's copy that was opened
    QString m_foreignFile;    // the open file, when it is another kind of XML file
    QList<QAction*> m_commands;
    QFileSystemWatcher* m_pWatcher;
    CFileIdentity m_told; // the file's state last told about
    QAction* m_pReload;
    QAction* m_pIgnore;
    QAction* m_pSelectMerged;
    int m_nMergeStep = -1; // the history's index after the merge the bar tells of
};
