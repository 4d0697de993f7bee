#pragma once

#include <QStringList>
#include <QVariant>

// The per-user settings ("Korvel" / "Quarn Editor"): the recent-file list, and the
// workspace group (window state and "ApplicationLook") that is erased at every exit.

inline constexpr int RecentFileCount = 4;

QVariant WorkspaceValue(const QString& key, const QVariant& defaultValue);
void SetWorkspaceValue(const QString& key, const QVariant& value);
void CleanWorkspace();
bool HasWorkspace();

// The window's layout (geometry, toolbar state, list columns), kept outside the workspace
// group so that it outlives the exit that erases that group.
QVariant LayoutValue(const QString& key);
void SetLayoutValue(const QString& key, const QVariant& value);

QStringList LoadRecentFiles();
void SaveRecentFiles(const QStringList& files);
// Puts path first, drops older duplicates, keeps RecentFileCount entries.
QStringList AddRecentFile(QStringList files, const QString& path);
