#pragma once

#include <QStringList>
#include <QVariant>

// The per-user settings ("Korvel" / "Quarn Editor"): the recent-file list, and the
// workspace group (window state and "ApplicationLook") that is erased at every exit.

inline constexpr int RecentFileCount = 4;

// Erases every setting of the workspace's life (EditorSettings.h), as every normal exit does.
void CleanWorkspace();
bool HasWorkspace();

QStringList LoadRecentFiles();
void SaveRecentFiles(const QStringList& files);
// Puts path first, drops older duplicates, keeps RecentFileCount entries.
QStringList AddRecentFile(QStringList files, const QString& path);
