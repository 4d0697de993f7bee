#include "TestFolder.h"

#include <QFile>

#include <algorithm>
#include <dirent.h>
#include <filesystem>
#include <system_error>

void TestFolder::Renew() {
    // Removed by the names' bytes: Qt's own removal may not reach a name that is not UTF-8.
    const std::filesystem::path folder(QFile::encodeName(m_dir.path()).toStdString());
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(entry.path(), ignored);
    }
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("state"))));
}

QStringList TestFolder::Names(const QString& folder, const QString& prefix) {
    QStringList names;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (dir == nullptr)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const QString text = QString::fromUtf8(name);
        if (text.startsWith(prefix))
            names << text;
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}
