#pragma once

#include <QString>

class CVantorApp;

// Saves pictures of the main window, of the edit dialog on the first FSK multicarrier
// signal and of its carrier list dialog into a folder (the README's pictures).
void SaveScreenshots(CVantorApp& app, const QString& folder);
