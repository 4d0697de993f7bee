#include "MainFrame.h"
#include "NativePath.h"
#include "Prompts.h"
#include "Screenshots.h"
#include "VantorApp.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

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

} // namespace

int main(int argc, char** argv) {
    if (!HasDisplay()) {
        std::fprintf(stderr, "quarn-editor: no display (neither DISPLAY nor WAYLAND_DISPLAY is "
                             "set). Start it in a desktop session, or use quarn-tool.\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarn Editor"));
    QApplication::setOrganizationName(QStringLiteral("Korvel"));
    QApplication::setApplicationVersion(QStringLiteral(QUARN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("quarn-editor"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Editor for signal databases."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("Database to open."),
                                 QStringLiteral("[file]"));
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
    CVantorApp vantor;
    QString error;
    if (!vantor.InitInstance(parser.positionalArguments(), error)) {
        std::fprintf(stderr, "quarn-editor: %s\n", qPrintable(error));
        return 1;
    }
    if (!screenshots.isEmpty()) {
        QTimer::singleShot(500, &app, [&] {
            SaveScreenshots(vantor, screenshots);
            QApplication::quit();
        });
    }
    QObject::connect(&app, &QApplication::aboutToQuit, &vantor, &CVantorApp::ExitInstance);
    return app.exec();
}
