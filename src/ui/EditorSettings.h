#pragma once

#include <QSettings>

// The editor's settings (the user's configuration folder), whatever the application's names.
QSettings EditorSettings();
