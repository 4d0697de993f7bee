#include "DesktopIntegration.h"

#include "EditorSettings.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

namespace {

const QString AppId = QStringLiteral(QUARN_APP_ID);
const QString EntryPath = QStringLiteral("applications/") + AppId + QStringLiteral(".desktop");
const QString MimePath = QStringLiteral("mime/packages/") + AppId + QStringLiteral(".xml");

struct Placed {
    QString resource;
    QString path; // below the data folder
};

QByteArray Checksum(const QByteArray& content) {
    return QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex();
}

QByteArray Resource(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The entry with Exec and TryExec naming this program when PATH would find another one
// or none (a build tree, a private prefix); empty when the program's path cannot be named
// in an entry.
QByteArray DesktopEntry() {
    QByteArray entry = Resource(QStringLiteral(":/") + AppId + QStringLiteral(".desktop"));
    const QString self = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("quarn-editor"));
    if (self.isEmpty() || QFileInfo(onPath).canonicalFilePath() == self)
        return entry;
    const QString exec = DesktopExecProgram(self);
    if (exec.isEmpty())
        return {};
    entry.replace("TryExec=quarn-editor\n", "TryExec=" + DesktopString(self).toUtf8() + '\n');
    entry.replace("Exec=quarn-editor %f\n", "Exec=" + exec.toUtf8() + " %f\n");
    entry.replace("Exec=quarn-editor --new-window\n", "Exec=" + exec.toUtf8() + " --new-window\n");
    return entry;
}

// Writes one file unless the user owns what stands there; true when written.
bool Place(QSettings& memory, const QString& data, const QString& path, const QByteArray& content) {
    const QString target = data + u'/' + path;
    const QByteArray remembered = memory.value(path).toByteArray();
    QFile existing(target);
    const bool exists = existing.exists();
    if (!remembered.isEmpty()) {
        if (!exists)
            return false; // deleted by the user
        const QByteArray current =
            existing.open(QIODevice::ReadOnly) ? Checksum(existing.readAll()) : QByteArray();
        if (current != remembered || current == Checksum(content))
            return false; // changed by the user, or already up to date
    } else if (exists) {
        // Not written by this editor: it stays, and becomes ours only if it is ours already.
        if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
            memory.setValue(path, Checksum(content));
        return false;
    }
    QDir().mkpath(QFileInfo(target).absolutePath());
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size() || !out.commit())
        return false;
    memory.setValue(path, Checksum(content));
    return true;
}

// Removes what an earlier start wrote into the user's data folder and the user left as it
// was: an installed copy takes over. True when anything was removed.
bool RemoveOwnRegistration(QSettings& memory, const QString& data) {
    bool removed = false;
    for (const QString& path : memory.allKeys()) {
        QFile existing(data + u'/' + path);
        if (existing.open(QIODevice::ReadOnly) &&
            Checksum(existing.readAll()) == memory.value(path).toByteArray()) {
            existing.close();
            removed |= existing.remove();
        }
        memory.remove(path);
    }
    return removed;
}

bool InstalledElsewhere(const QString& data) {
    for (const QString& dir :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        if (QDir(dir) != QDir(data) && QFile::exists(dir + u'/' + EntryPath))
            return true;
    }
    return false;
}

} // namespace

QString DesktopString(const QString& text) {
    QString value;
    for (const QChar c : text) {
        if (c == u'\\')
            value += QStringLiteral("\\\\");
        else if (c == u' ' && value.isEmpty())
            value += QStringLiteral("\\s"); // a leading space would be dropped
        else
            value += c;
    }
    return value;
}

QString DesktopExecProgram(const QString& program) {
    for (const QChar c : program) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            return {};
    }
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString argument = program;
    if (std::any_of(program.begin(), program.end(), [](QChar c) { return reserved.contains(c); })) {
        // Inside double quotes ", `, $ and \ are escaped with a backslash.
        argument.clear();
        for (const QChar c : program) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                argument += u'\\';
            argument += c;
        }
        argument = u'"' + argument + u'"';
    }
    // % starts a field code; the value is then a string, whose backslashes are escaped again.
    argument.replace(u'%', QStringLiteral("%%"));
    return argument.replace(u'\\', QStringLiteral("\\\\"));
}

QString InstallDesktopIntegration() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return {};
    QSettings memory = EditorSettings();
    memory.beginGroup(Settings::DesktopFilesGroup);
    if (InstalledElsewhere(data)) {
        // A registration made from a build folder would keep winning over the installed one.
        if (RemoveOwnRegistration(memory, data)) {
            QProcess::startDetached(QStringLiteral("update-desktop-database"),
                                    {data + QStringLiteral("/applications")});
            QProcess::startDetached(QStringLiteral("update-mime-database"),
                                    {data + QStringLiteral("/mime")});
        }
        return {};
    }
    const Placed icons[] = {
        {QStringLiteral(":/icons/") + AppId + QStringLiteral(".svg"),
         QStringLiteral("icons/hicolor/scalable/apps/") + AppId + QStringLiteral(".svg")},
        {QStringLiteral(":/icons/") + AppId + QStringLiteral(".png"),
         QStringLiteral("icons/hicolor/256x256/apps/") + AppId + QStringLiteral(".png")},
        {QStringLiteral(":/icons/application-x-quarn-signal-database.svg"),
         QStringLiteral(
             "icons/hicolor/scalable/mimetypes/application-x-quarn-signal-database.svg")},
    };
    for (const Placed& icon : icons)
        Place(memory, data, icon.path, Resource(icon.resource));
    const QByteArray desktopEntry = DesktopEntry();
    const bool entry = !desktopEntry.isEmpty() && Place(memory, data, EntryPath, desktopEntry);
    const bool mime = Place(memory, data, MimePath,
                            Resource(QStringLiteral(":/") + AppId + QStringLiteral(".mime.xml")));
    // Rebuild the caches after a write, and when an earlier attempt left none.
    const QString applications = data + QStringLiteral("/applications");
    const QString mimeDir = data + QStringLiteral("/mime");
    if (entry || (memory.contains(EntryPath) && QFile::exists(data + u'/' + EntryPath) &&
                  !QFile::exists(applications + QStringLiteral("/mimeinfo.cache"))))
        QProcess::startDetached(QStringLiteral("update-desktop-database"), {applications});
    if (mime || (memory.contains(MimePath) && QFile::exists(data + u'/' + MimePath) &&
                 !QFile::exists(mimeDir + QStringLiteral("/mime.cache"))))
        QProcess::startDetached(QStringLiteral("update-mime-database"), {mimeDir});
    return data;
}
