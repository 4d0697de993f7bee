#include "Workspace.h"

#include "EditorSettings.h"

#include "NativePath.h"

#include <QSettings>

namespace {

const QString WorkspaceGroup = QStringLiteral("Workspace");
const QString RecentGroup = QStringLiteral("Recent File List");

} // namespace

QVariant WorkspaceValue(const QString& key, const QVariant& defaultValue) {
    return EditorSettings().value(WorkspaceGroup + u'/' + key, defaultValue);
}

void SetWorkspaceValue(const QString& key, const QVariant& value) {
    EditorSettings().setValue(WorkspaceGroup + u'/' + key, value);
}

QVariant LayoutValue(const QString& key) {
    return EditorSettings().value(QStringLiteral("Layout/") + key);
}

void SetLayoutValue(const QString& key, const QVariant& value) {
    EditorSettings().setValue(QStringLiteral("Layout/") + key, value);
}

void CleanWorkspace() {
    EditorSettings().remove(WorkspaceGroup);
}

bool HasWorkspace() {
    return EditorSettings().childGroups().contains(WorkspaceGroup);
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
