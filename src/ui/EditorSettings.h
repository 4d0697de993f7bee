#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

// The editor's settings (the user's configuration folder), whatever the application's names.
QSettings EditorSettings();

// How long a setting lasts: kept across exits, or erased with the workspace group at every
// normal exit.
enum class SettingLife { Kept, Workspace };

// One setting: where it is stored, what reading gives while nothing is, and how long it lasts.
template <typename T> struct Setting {
    const char* key;
    T fallback;
    SettingLife life;
};

// Every setting the editor stores, named once. Groups whose keys are made as they are
// needed are listed as groups: the recent files ("File1" to "File4"), the chosen keys of
// commands (by command id) and the files the desktop registration placed (by path).
namespace Settings {
inline const QString WorkspaceGroup = QStringLiteral("Workspace");
inline const QString RecentFilesGroup = QStringLiteral("Recent File List");
inline const QString CommandKeysGroup = QStringLiteral("Shortcuts");
inline const QString DesktopFilesGroup = QStringLiteral("DesktopIntegration");

// The folder a file dialog chose last: the next one starts there.
inline const Setting<QString> LastFolder{"Folders/LastChosen", {}, SettingLife::Kept};
// The look chosen (a look id; 0: none yet, the desktop's own). The workspace's copy is the
// one the exit erases; the editor reads the kept one.
inline const Setting<int> Look{"Layout/Look", 0, SettingLife::Kept};
inline const Setting<int> ApplicationLook{"Workspace/ApplicationLook", 0, SettingLife::Workspace};
// Toolbar buttons the user took off (command ids).
inline const Setting<QStringList> HiddenToolbarButtons{
    "Workspace/ToolbarHiddenButtons", {}, SettingLife::Workspace};
// The window's place and size, its bars and panes, and the list's columns.
inline const Setting<QByteArray> WindowGeometry{"Layout/Geometry", {}, SettingLife::Kept};
inline const Setting<QByteArray> WindowState{"Layout/State", {}, SettingLife::Kept};
inline const Setting<QByteArray> ListColumns{"Layout/Columns", {}, SettingLife::Kept};
} // namespace Settings

template <typename T> T ReadSetting(const Setting<T>& setting) {
    const QVariant value = EditorSettings().value(QString::fromLatin1(setting.key));
    return value.isValid() && value.canConvert<T>() ? value.value<T>() : setting.fallback;
}

template <typename T> void WriteSetting(const Setting<T>& setting, const T& value) {
    EditorSettings().setValue(QString::fromLatin1(setting.key), QVariant::fromValue(value));
}
