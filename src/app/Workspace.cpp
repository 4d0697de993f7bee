#include "Workspace.h"

#include "EditorSettings.h"

#include "NativePath.h"

#include <QSettings>

namespace {

const QString& RecentGroup = Settings::RecentFilesGroup;

} // namespace

void CleanWorkspace() {
    EditorSettings().remove(Settings::WorkspaceGroup);
}

bool HasWorkspace() {
    return EditorSettings().childGroups().contains(Settings::WorkspaceGroup);
}

QStringList LoadRecentFiles() {
    QSettings settings = EditorSettings();
    QStringList files;
    for (int i = 1; i <= RecentFileCount; ++i) {
        // A name that is not UTF-8 is kept as its bytes.
        const QVariant value = settings.value(RecentGroup + QStringLiteral("/File%1").arg(i));
        const QString file = value.typeId() == QMetaType::QByteArray
                                 ? PathFromNative(value.toByteArray())
                                 : value.toString();
        if (!file.isEmpty())
            files << file;
    }
    return files;
}

void SaveRecentFiles(const QStringList& files) {
    QSettings settings = EditorSettings();
    settings.remove(RecentGroup);
    for (int i = 0; i < files.size() && i < RecentFileCount; ++i)
        settings.setValue(RecentGroup + QStringLiteral("/File%1").arg(i + 1),
                          QtCanName(files[i]) ? QVariant(files[i])
                                              : QVariant(NativePath(files[i])));
}

QStringList AddRecentFile(QStringList files, const QString& path) {
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > RecentFileCount)
        files.removeLast();
    return files;
}
