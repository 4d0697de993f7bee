#include "Screenshots.h"

#include "FindBar.h"
#include "MainFrame.h"
#include "MessageBar.h"
#include "MulticarrierDialog.h"
#include "SignalDescription.h"
#include "SignalEditDialog.h"
#include "SignalText.h"
#include "VantorApp.h"
#include "VantorDoc.h"
#include "VantorView.h"
#include "Vocabulary.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QLineEdit>
#include <QPalette>

#include <algorithm>
#include <cstdio>

namespace {

void Save(QWidget& widget, const QString& path) {
    widget.show();
    QCoreApplication::processEvents(); // lay out what changed
    if (!widget.grab().save(path))
        std::fprintf(stderr, "quarn-editor: cannot write %s\n", qPrintable(path));
}

// A dark desktop theme's colours.
QPalette DarkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::WindowText, QColor(0xe8, 0xe8, 0xe8));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::AlternateBase, QColor(0x26, 0x26, 0x26));
    dark.setColor(QPalette::Text, QColor(0xe8, 0xe8, 0xe8));
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::ButtonText, QColor(0xe8, 0xe8, 0xe8));
    dark.setColor(QPalette::Highlight, QColor(0x3d, 0x7a, 0xd6));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::ToolTipBase, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::ToolTipText, QColor(0xe8, 0xe8, 0xe8));
    return dark;
}

} // namespace

void SaveScreenshots(CVantorApp& app, const QString& folder, const QString& variant) {
    const QDir dir(folder);
    if (variant == QLatin1String("dark"))
        QApplication::setPalette(DarkPalette());
    // The comparison with another version (QUARN_SCREENSHOTS_OTHER), on a light or a dark
    // palette: variants "compare" and "compare-dark".
    if (variant.startsWith(QLatin1String("compare"))) {
        if (variant.endsWith(QLatin1String("dark")))
            QApplication::setPalette(DarkPalette());
        app.MainFrame()->MessageBar()->Dismiss(); // the comparison's notice alone
        app.MainFrame()->View()->CompareWith(qEnvironmentVariable("QUARN_SCREENSHOTS_OTHER"));
        Save(*app.MainFrame(), dir.filePath(QStringLiteral("main-window-%1.png").arg(variant)));
        return;
    }
    if (!variant.isEmpty()) {
        // All rows, so that every state's colour shows.
        Save(*app.MainFrame(), dir.filePath(QStringLiteral("main-window-%1.png").arg(variant)));
        return;
    }
    // The main window with the find bar at work.
    app.MainFrame()->FindBar()->Activate();
    app.MainFrame()->FindBar()->Edit()->setText(QStringLiteral("baud"));
    Save(*app.MainFrame(), dir.filePath(QStringLiteral("main-window.png")));
    app.MainFrame()->FindBar()->Close();
    const SignalCollection& records = app.Document()->Signals();
    const auto multicarrier = std::find_if(records.begin(), records.end(), [](const auto& s) {
        return s->m_nModulation == ModulationFsk && s->m_nNumChannels > 1;
    });
    if (multicarrier == records.end())
        return;
    // Copies: the pictures change nothing in the database.
    CSignalDescription record = **multicarrier;
    CSignalEditDialog editor(&record, app.MainFrame());
    Save(editor, dir.filePath(QStringLiteral("edit-dialog.png")));
    editor.hide();
    char16_t spacing[CSignalDescription::SpacingCapacity];
    CopyText(spacing, record.m_szSpacing);
    CMulticarrierDialog carriers(record.m_nNumChannels, spacing, app.MainFrame());
    Save(carriers, dir.filePath(QStringLiteral("carrier-list.png")));
}
