#include "Screenshots.h"

#include "FindBar.h"
#include "MainFrame.h"
#include "MulticarrierDialog.h"
#include "SignalDescription.h"
#include "SignalEditDialog.h"
#include "SignalText.h"
#include "VantorApp.h"
#include "VantorDoc.h"
#include "Vocabulary.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>

#include <algorithm>
#include <cstdio>

namespace {

void Save(QWidget& widget, const QString& path) {
    widget.show();
    QCoreApplication::processEvents(); // lay out what changed
    if (!widget.grab().save(path))
        std::fprintf(stderr, "quarn-editor: cannot write %s\n", qPrintable(path));
}

} // namespace

void SaveScreenshots(CVantorApp& app, const QString& folder) {
    const QDir dir(folder);
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
