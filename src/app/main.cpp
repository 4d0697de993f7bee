#include "ConflictResolution.h"
#include "ConflictsDialog.h"
#include "MainFrame.h"
#include "NativePath.h"
#include "Prompts.h"
#include "RecoveryKeeper.h"
#include "Screenshots.h"
#include "SingleInstance.h"
#include "Translations.h"
#include "VantorApp.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QDir>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace {

// Without a display Qt would abort with a terse message; say what to do instead.
bool HasDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform)
        return true;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

const char* const Help =
    "Usage: quarn-editor [OPTION]... [FILE]\n"
    "  or:  quarn-editor --merge BASE OURS THEIRS -o OUT\n"
    "  or:  quarn-editor --conflicts REPORT\n"
    "Create, open, merge, sort, filter, edit and save signal databases (XML files that\n"
    "describe radio signals for a signal classifier). FILE is opened at start; when an\n"
    "editor already runs in this session, it opens FILE (or comes to the front) instead.\n"
    "\n"
    "      --new-window  start a separate editor even when one runs\n"
    "      --merge       merge BASE, OURS and THEIRS as quarn-tool merge3 does and resolve\n"
    "                    the conflicts in a window (git's mergetool); Save writes OUT as a\n"
    "                    database, closing without saving leaves OUT as it was\n"
    "  -o, --output=OUT  where --merge writes\n"
    "      --conflicts=REPORT  resolve the conflicts quarn-tool merge3 --report listed, in\n"
    "                    the output it wrote\n"
    "  -h, --help        display this help and exit\n"
    "  -v, --version     output version information and exit\n"
    "\n"
    "Exit status: 0 after a normal exit or when the running editor took FILE, 1 when\n"
    "FILE cannot be opened (by this editor or the running one) or there is no display,\n"
    "for --merge and --conflicts 0 when OUT was written, 1 when the window was closed\n"
    "without saving, 2 when a version cannot be read,\n"
    "128 + N when signal N (SIGTERM, SIGHUP, SIGINT) ended it. See quarn-editor(1) and\n"
    "quarn-tool(1).\n";

const char* const Version = "quarn-editor (Quarn Editor) " QUARN_VERSION "\n"
                            "License GPL-3.0-or-later <https://gnu.org/licenses/gpl.html>.\n"
                            "This is free software: you are free to change and redistribute it.\n"
                            "There is NO WARRANTY, to the extent permitted by law.\n";

// Help and version need no display: answered before Qt looks for one. The exit status, or
// nothing when the editor is to start.
std::optional<int> AnswerWithoutDisplay(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg == "--")
            break;
        if (arg == "-h" || arg == "--help") {
            std::fputs(Help, stdout);
            return 0;
        }
        if (arg == "-v" || arg == "--version") {
            std::fputs(Version, stdout);
            return 0;
        }
    }
    if (!HasDisplay()) {
        std::fprintf(stderr, "quarn-editor: no display (neither DISPLAY nor WAYLAND_DISPLAY is "
                             "set). Start it in a desktop session, or use quarn-tool.\n");
        return 1;
    }
    return std::nullopt;
}

// One editor per session: a running one takes the file (or comes to the front). The exit
// status when it answered, or nothing when this editor is to start.
std::optional<int> HandOverToRunningEditor(const QStringList& files) {
    if (files.size() > 1)
        return std::nullopt;
    // Joined as text: QFileInfo would pass a name that is not UTF-8 through a lossy
    // conversion.
    const QString path = files.isEmpty() ? QString()
                         : QDir::isAbsolutePath(files[0])
                             ? files[0]
                             : QDir::cleanPath(QDir::currentPath() + u'/' + files[0]);
    QString error;
    if (!CSingleInstance::HandOver(path, error))
        return std::nullopt;
    if (error.isEmpty())
        return 0;
    std::fprintf(stderr, "quarn-editor: %s\n", NativePath(error).constData());
    return 1;
}

// The file named on the command line could not be opened: said on standard error and, for
// a start from a file manager without a terminal, in a window (not on the offscreen
// platforms, where nobody could close it).
int StartFailed(const QString& error) {
    std::fprintf(stderr, "quarn-editor: %s\n", qPrintable(error));
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
        CPrompts::Message(nullptr, QMessageBox::Critical, QString(), error);
    return 1;
}

// --merge and --conflicts: the conflicts resolved in a window of their own, nothing else.
int ResolveConflicts(CConflictResolution& resolution, const FileResult& read) {
    if (!read) {
        std::fprintf(stderr, "quarn-editor: %s\n", NativePath(read.Message()).constData());
        return 2;
    }
    if (resolution.Rows().empty()) {
        QString why;
        int row = -1;
        if (!resolution.Save(why, row)) {
            std::fprintf(stderr, "quarn-editor: %s\n", NativePath(why).constData());
            return 2;
        }
        std::printf("quarn-editor: no conflicts: %s written\n",
                    NativePath(resolution.Output()).constData());
        return 0;
    }
    CConflictsDialog dialog(resolution);
    return CPrompts::RunDialog(dialog) == QDialog::Accepted ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    // A file-size limit fails the save ("File too large") instead of ending the editor.
    std::signal(SIGXFSZ, SIG_IGN);
    if (const std::optional<int> answered = AnswerWithoutDisplay(argc, argv))
        return *answered;
    // The window's class names its desktop entry (StartupWMClass), so that docks and task
    // bars tie the window to its launcher. Taken when the first window is made; programs the
    // editor starts later do not inherit it.
    const bool naming = qEnvironmentVariableIsEmpty("RESOURCE_NAME");
    if (naming)
        qputenv("RESOURCE_NAME", QUARN_APP_ID);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarn Editor"));
    QApplication::setOrganizationName(QStringLiteral("Korvel"));
    QApplication::setApplicationVersion(QStringLiteral(QUARN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(QUARN_APP_ID));
    InstallTranslations(app);
    // Told to end (logout, kill, Ctrl+C), the editor keeps its unsaved changes first.
    CRecoveryKeeper::CatchTerminationSignals();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Editor for signal databases."));
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("Database to open."),
                                 QStringLiteral("[file]"));
    const QCommandLineOption newWindow(QStringLiteral("new-window"),
                                       QStringLiteral("Start a separate editor."));
    parser.addOption(newWindow);
    const QCommandLineOption merge(QStringLiteral("merge"),
                                   QStringLiteral("Resolve the conflicts of BASE OURS THEIRS."));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Where --merge writes."), QStringLiteral("OUT"));
    const QCommandLineOption conflicts(QStringLiteral("conflicts"),
                                       QStringLiteral("Resolve a merge3 conflict report."),
                                       QStringLiteral("REPORT"));
    parser.addOptions({merge, output, conflicts});
    // File names are taken as bytes: one that is not UTF-8 still names its file.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << PathFromNative(QByteArray(argv[i]));
    parser.process(arguments);

    // QUARN_SCREENSHOTS=folder saves pictures of the main window and the dialogs there and
    // quits (used by scripts/screenshot.sh for the README); messages are not shown then.
    const QString screenshots = qEnvironmentVariable("QUARN_SCREENSHOTS");
    if (!screenshots.isEmpty())
        CPrompts::SetTesting(true);
    const QStringList files = parser.positionalArguments();
    if (parser.isSet(merge) || parser.isSet(conflicts)) {
        // Nothing to keep for recovery: told to end, it ends, and OUT stays as it was.
        for (const int number : {SIGTERM, SIGHUP, SIGINT})
            std::signal(number, SIG_DFL);
        CConflictResolution resolution;
        if (parser.isSet(conflicts))
            return ResolveConflicts(resolution, resolution.FromReport(parser.value(conflicts)));
        if (files.size() != 3 || !parser.isSet(output)) {
            std::fputs("quarn-editor: --merge needs BASE OURS THEIRS -o OUT\n", stderr);
            return 2;
        }
        return ResolveConflicts(resolution, resolution.FromVersions(files[0], files[1], files[2],
                                                                    parser.value(output)));
    }
    const bool separate = parser.isSet(newWindow) || !screenshots.isEmpty();
    if (!separate) {
        if (const std::optional<int> handed = HandOverToRunningEditor(files))
            return *handed;
    }
    CVantorApp vantor;
    if (QString error; !vantor.InitInstance(files, error))
        return StartFailed(error);
    if (naming)
        qunsetenv("RESOURCE_NAME");
    // Told to end while a start-up question was open: the question was Cancel, the snapshot
    // is written, and the editor ends here instead of showing its window on.
    if (const int status = CRecoveryKeeper::EndRequested(); status != 0)
        return status;
    if (!screenshots.isEmpty()) {
        QTimer::singleShot(500, &app, [&] {
            SaveScreenshots(vantor, screenshots, qEnvironmentVariable("QUARN_SCREENSHOTS_VARIANT"));
            QApplication::quit();
        });
    }
    if (!separate)
        vantor.ListenForOtherStarts();
    QObject::connect(&app, &QApplication::aboutToQuit, &vantor, &CVantorApp::ExitInstance);
    return app.exec();
}
