#pragma once

#include <QMap>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QDialog;

class QWidget;

// Every message box, file dialog and hand-over to the desktop goes through here, so that
// tests can answer them: answers queued with Push... are taken instead of showing anything.
class CPrompts {
public:
    struct Shown {
        QString caption;
        QString text;
        QMessageBox::Icon icon;
        // Class names of the dialogs that existed when the message came (a message must
        // not be covered by a window of the operation that failed).
        QStringList dialogs;
    };

    static QMessageBox::StandardButton
    Message(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text,
            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
            const QMap<QMessageBox::StandardButton, QString>& labels = {});
    // An empty result means the user cancelled. The dialogs start in folder (or where
    // suggested lies); the folder of the file chosen is remembered for StartFolder.
    static QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter,
                                const QString& folder);
    // An existing file, or a name typed in the dialog that names none: one of names (git
    // revisions), offered in the dialog's label. Without names, as OpenFileName.
    static QString OpenFileOrName(QWidget* parent, const QString& caption, const QString& filter,
                                  const QString& folder, const QStringList& names);
    static QString SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                const QString& suggested,
                                const QString& suffix = QStringLiteral("xml"));
    // Where a file dialog starts: the folder of the open database (documentPath), else the
    // folder last chosen in a file dialog (kept in the settings), else the working folder
    // (the code tables' folder when there is one).
    static QString StartFolder(const QString& documentPath);
    // The file dialogs' filter for signal databases, in the user's language.
    static QString DatabasesFilter();
    static bool OpenUrl(const QUrl& url);
    // Runs work; when memory runs out on the way only the work ends, with "not enough
    // memory" shown. False then.
    static bool Guard(QWidget* parent, const std::function<void()>& work);
    // Runs a modal dialog; in tests a queued handler plays the user's part instead.
    static int RunDialog(QDialog& dialog);

    // The editor was told to end (a termination signal): a question open now or asked from
    // now on gets the answer that writes nothing the user did not ask for (Cancel, Later, No).
    static void SetEnding();
    static bool IsEnding();

    // Test seam.
    static void PushAnswer(QMessageBox::StandardButton answer);
    static void PushFileName(const QString& fileName);
    static void PushDialogHandler(std::function<int(QDialog&)> handler);
    static QList<Shown>& ShownMessages();
    static QList<QUrl>& OpenedUrls();
    // The filters of the file dialogs asked for, and where each started.
    static QStringList& FileFilters();
    static QStringList& FileDialogStarts();
    static void SetTesting(bool testing);
    // Forgets queued answers and what was shown.
    static void Reset();
    // Whether the desktop opens what OpenUrl hands it, in tests (until Reset).
    static void SetUrlsOpen(bool open);
};
