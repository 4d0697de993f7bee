#pragma once

#include <QString>

// Makes the desktop know the editor and its file type: the .desktop entry, the MIME type of
// signal databases (recognised by the root element SignalDatabase) and the icons, written
// under the user's data folder ($XDG_DATA_HOME). Writes only what differs; a failure is
// ignored, as the editor works without it. Returns the data folder used.
QString InstallDesktopIntegration();
