#include "Prompts.h"

#include "AccessibleNames.h"
#include "EditorSettings.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QQueue>
#include <QSettings>
#include <QTimer>
#include <QWindow>

#include <new>

namespace {

// After a modal window closes, its parent's window is made the active one again: a window
// manager may leave it without the active state, and a screen reader then says nothing of
// what the keys do there.
void SayActive(QWidget* window);

void ShowAsActive(QWidget* window) {
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QApplication::setActiveWindow(window);
    QT_WARNING_POP
}

void GiveBack(QWidget* parent) {
    QWidget* window = parent ? parent->window() : nullptr;
    if (window == nullptr || !window->isVisible())
        return;
    window->activateWindow();
    SayActive(window);
    // The window system's focus comes back after the dialog's window is gone, and readers
    // hear the window deactivated then (under openbox): it is said to be active again once
    // the dust settles, and asked to be where the focus went nowhere.
    for (const int after : {250, 800}) {
        QTimer::singleShot(after, window, [window, after] {
            if (!window->isVisible() || QApplication::activeModalWidget() != nullptr ||
                QApplication::activePopupWidget() != nullptr)
                return;
            // Late, so that what the dialog's end brought (a notice) is said before the
            // window's own activation is.
            if (QApplication::activeWindow() == nullptr && after >= 800) {
                window->activateWindow();
                // The window system may hold its focus on the window already (it sends no
                // focus event then) while Qt took it for inactive when the dialog went: Qt
                // is told where the focus is, so that keys reach the focused control again.
                if (window->windowHandle() != nullptr && window->windowHandle()->isExposed())
                    ShowAsActive(window);
            }
            if (QApplication::activeWindow() == window)
                SayActive(window);
        });
    }
}

void SayActive(QWidget* window) {
    // Qt tells assistive technology only of a change of the active window; the window that
    // stayed active for Qt is said to be active again, and so is the focus in it.
    QAccessible::State active;
    active.active = true;
    QAccessibleStateChangeEvent activated(window, active);
    QAccessible::updateAccessibility(&activated);
    if (QWidget* focus = window->focusWidget())
        SayFocus(focus);
}

struct State {
    bool testing = false;
    QQueue<QMessageBox::StandardButton> answers;
    QQueue<QString> fileNames;
    QList<CPrompts::Shown> shown;
    QList<QUrl> urls;
    bool urlsOpen = true; // what a hand-over to the desktop answers in tests
    QStringList filters;
    QStringList starts;
    QQueue<std::function<int(QDialog&)>> dialogs;
};

State& TheState() {
    static State state;
    return state;
}

QString NextFileName(const QString& filter, const QString& start) {
    State& state = TheState();
    state.filters.append(filter);
    state.starts.append(start);
    return state.fileNames.isEmpty() ? QString() : state.fileNames.dequeue();
}

void RememberFolder(const QString& chosen) {
    if (!chosen.isEmpty())
        WriteSetting(Settings::LastFolder, QFileInfo(chosen).path());
}

} // namespace

namespace {

bool ending = false;

// The answer a question gets that nobody answered: the one that changes nothing.
QMessageBox::StandardButton Unanswered(QMessageBox::StandardButtons buttons) {
    for (const QMessageBox::StandardButton safe :
         {QMessageBox::Cancel, QMessageBox::Ignore, QMessageBox::No, QMessageBox::Close,
          QMessageBox::Ok}) {
        if (buttons.testFlag(safe))
            return safe;
    }
    return QMessageBox::Cancel;
}

} // namespace

void CPrompts::SetEnding() {
    ending = true;
}

bool CPrompts::IsEnding() {
    return ending;
}

QMessageBox::StandardButton
CPrompts::Message(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                  const QString& text, QMessageBox::StandardButtons buttons,
                  QMessageBox::StandardButton defaultButton,
                  const QMap<QMessageBox::StandardButton, QString>& labels) {
    State& state = TheState();
    const QString title = caption.isEmpty() ? QStringLiteral("Quarn Editor") : caption;
    if (ending)
        return Unanswered(buttons);
    if (state.testing) {
        QStringList dialogs;
        for (const QWidget* window : QApplication::topLevelWidgets()) {
            if (qobject_cast<const QDialog*>(window))
                dialogs << QString::fromLatin1(window->metaObject()->className());
        }
        state.shown.append({title, text, icon, dialogs});
        if (!state.answers.isEmpty())
            return state.answers.dequeue();
        return defaultButton != QMessageBox::NoButton ? defaultButton : QMessageBox::Ok;
    }
    QMessageBox box(icon, title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    // Without Cancel, Escape answers Ignore ("Later") where the box offers it.
    if (!buttons.testFlag(QMessageBox::Cancel) && buttons.testFlag(QMessageBox::Ignore))
        box.setEscapeButton(QMessageBox::Ignore);
    for (auto it = labels.begin(); it != labels.end(); ++it) {
        if (QAbstractButton* button = box.button(it.key()))
            button->setText(it.value());
    }
    const int answer = box.exec();
    GiveBack(parent);
    // The event loop ended under the box (the editor is ending): nobody answered.
    if (ending || !buttons.testFlag(static_cast<QMessageBox::StandardButton>(answer)))
        return Unanswered(buttons);
    return static_cast<QMessageBox::StandardButton>(answer);
}

bool CPrompts::Guard(QWidget* parent, const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const std::bad_alloc&) {
        Message(parent, QMessageBox::Critical, QString(),
                QCoreApplication::translate("CPrompts", "not enough memory"));
        return false;
    }
}

QString CPrompts::OpenFileName(QWidget* parent, const QString& caption, const QString& filter,
                               const QString& folder) {
    const QString name = TheState().testing
                             ? NextFileName(filter, folder)
                             : QFileDialog::getOpenFileName(parent, caption, folder, filter);
    if (!TheState().testing)
        GiveBack(parent);
    RememberFolder(name);
    return name;
}

QString CPrompts::OpenFileOrName(QWidget* parent, const QString& caption, const QString& filter,
                                 const QString& folder, const QStringList& names) {
    if (names.isEmpty() || TheState().testing)
        return OpenFileName(parent, caption, filter, folder);
    QFileDialog dialog(parent, caption, folder, filter);
    // A name that is no file must get through: the desktop's own dialog would refuse it.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList shown = names.mid(0, 4);
    if (names.size() > shown.size())
        shown << QStringLiteral("...");
    dialog.setLabelText(QFileDialog::FileName,
                        QCoreApplication::translate("CPrompts", "File or git revision (%1):")
                            .arg(shown.join(QStringLiteral(", "))));
    dialog.setLabelText(QFileDialog::Accept, QCoreApplication::translate("CPrompts", "&Open"));
    QString name;
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        name = dialog.selectedFiles().constFirst();
    GiveBack(parent);
    if (QFileInfo(name).isFile())
        RememberFolder(name);
    return name;
}

QString CPrompts::SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                               const QString& suggested, const QString& suffix) {
    QString name;
    if (TheState().testing) {
        name = NextFileName(filter, suggested);
    } else {
        QFileDialog dialog(parent, caption, suggested, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(suffix);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            name = dialog.selectedFiles().constFirst();
        GiveBack(parent);
    }
    RememberFolder(name);
    return name;
}

QString CPrompts::DatabasesFilter() {
    return QCoreApplication::translate("CPrompts", "Signal Databases (*.xml);;All Files (*)");
}

QString CPrompts::StartFolder(const QString& documentPath) {
    if (!documentPath.isEmpty())
        return QFileInfo(documentPath).path();
    const QString last = ReadSetting(Settings::LastFolder);
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    return QDir::currentPath();
}

bool CPrompts::OpenUrl(const QUrl& url) {
    State& state = TheState();
    if (state.testing) {
        state.urls.append(url);
        return state.urlsOpen;
    }
    return QDesktopServices::openUrl(url);
}

int CPrompts::RunDialog(QDialog& dialog) {
    State& state = TheState();
    if (state.testing && !state.dialogs.isEmpty()) {
        const auto handler = state.dialogs.dequeue();
        dialog.show();
        const int result = handler(dialog);
        dialog.hide();
        return result;
    }
    const int result = dialog.exec();
    GiveBack(dialog.parentWidget());
    return result;
}

void CPrompts::PushDialogHandler(std::function<int(QDialog&)> handler) {
    TheState().dialogs.enqueue(std::move(handler));
}

void CPrompts::PushAnswer(QMessageBox::StandardButton answer) {
    TheState().answers.enqueue(answer);
}
void CPrompts::PushFileName(const QString& fileName) {
    TheState().fileNames.enqueue(fileName);
}
QList<CPrompts::Shown>& CPrompts::ShownMessages() {
    return TheState().shown;
}
QList<QUrl>& CPrompts::OpenedUrls() {
    return TheState().urls;
}
QStringList& CPrompts::FileFilters() {
    return TheState().filters;
}
QStringList& CPrompts::FileDialogStarts() {
    return TheState().starts;
}
void CPrompts::SetTesting(bool testing) {
    TheState().testing = testing;
}

void CPrompts::Reset() {
    State& state = TheState();
    state.answers.clear();
    state.fileNames.clear();
    state.dialogs.clear();
    state.shown.clear();
    state.urls.clear();
    state.urlsOpen = true;
    state.filters.clear();
    state.starts.clear();
    ending = false;
}

void CPrompts::SetUrlsOpen(bool open) {
    TheState().urlsOpen = open;
}
