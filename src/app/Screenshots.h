#pragma once

#include <QString>

class CVantorApp;

// Saves pictures of the main window, of the edit dialog on the first FSK multicarrier
// signal and of its carrier list dialog into a folder (the README's pictures). With a
// variant, only the main window, as main-window-VARIANT.png; the variant "dark" shows it in
// a dark palette, as a dark desktop theme would.
void SaveScreenshots(CVantorApp& app, const QString& folder, const QString& variant = {});
