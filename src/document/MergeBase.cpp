#include "MergeBase.h"

#include "FileTarget.h"
#include "RegularFile.h"
#include "StateFolder.h"

#include <cstring>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace MergeBase {

QString PathFor(const QString& database, const QString& source) {
    if (database.isEmpty())
        return {};
    return QString::fromLocal8Bit(StateFolder::Path() + "/merged/" + StateFolder::KeyOf(database) +
                                  '-' + StateFolder::KeyOf(source) + ".xml");
}

QDateTime TakenAt(const QString& database, const QString& source) {
    const QFileInfo copy(PathFor(database, source));
    return copy.isFile() ? copy.lastModified() : QDateTime();
}

bool Keep(const QString& database, const QString& source, QString& why) {
    const QString target = PathFor(database, source);
    if (target.isEmpty())
        return true; // an untitled database has no place to keep it for
    int reason = 0;
    if (StateFolder::Ensure(&reason).isEmpty()) {
        why = QString::fromLocal8Bit(strerror(reason));
        return false;
    }
    QFile file;
    IoError error;
    if (!OpenRegularFile(source, file, error)) {
        why = error.Text();
        return false;
    }
    QFileInfo(target).dir().mkpath(QStringLiteral("."));
    const bool kept = WriteFileTarget(
        target,
        [&file](QIODevice& device, QString&) {
            char block[1 << 16];
            for (;;) {
                const qint64 read = file.read(block, sizeof block);
                if (read <= 0)
                    return read == 0;
                if (device.write(block, read) != read)
                    return false;
            }
        },
        error);
    if (!kept)
        why = error.Text();
    return kept;
}

} // namespace MergeBase
