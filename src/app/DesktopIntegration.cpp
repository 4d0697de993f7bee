#include "DesktopIntegration.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace {

// Copies a resource to target unless target already holds the same bytes; true if written.
bool Place(const QString& resource, const QString& target) {
    QFile source(resource);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = source.readAll();
    QFile existing(target);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
        return false;
    existing.close();
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile out(target);
    return out.open(QIODevice::WriteOnly) && out.write(content) == content.size();
}

} // namespace

QString InstallDesktopIntegration() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return {};
    Place(QStringLiteral(":/quarn-editor.desktop"),
          data + QStringLiteral("/applications/quarn-editor.desktop"));
    Place(QStringLiteral(":/icons/quarn-editor.svg"),
          data + QStringLiteral("/icons/hicolor/scalable/apps/quarn-editor.svg"));
    Place(QStringLiteral(":/icons/quarn-signal-database.svg"),
          data + QStringLiteral("/icons/hicolor/scalable/mimetypes/quarn-signal-database.svg"));
    if (Place(QStringLiteral(":/quarn-signal-database.xml"),
              data + QStringLiteral("/mime/packages/quarn-signal-database.xml")))
        QProcess::startDetached(QStringLiteral("update-mime-database"),
                                {data + QStringLiteral("/mime")});
    return data;
}
