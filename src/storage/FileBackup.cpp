#include "FileBackup.h"

#include "RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <unistd.h>

namespace {

constexpr qint64 CopyChunk = 1 << 20;

bool CopyAll(QFile& from, QFile& to) {
    if (!from.seek(0) || !to.seek(0))
        return false;
    for (;;) {
        const QByteArray chunk = from.read(CopyChunk);
        if (chunk.isEmpty())
            return from.atEnd() && to.resize(to.pos());
        if (to.write(chunk) != chunk.size())
            return false;
    }
}

} // namespace

CFileBackup::~CFileBackup() {
    if (!m_path.isEmpty() && !m_bKeep)
        QFile::remove(m_path);
}

bool CFileBackup::Make(const QString& path, QString& error) {
    QFile original;
    if (!OpenRegularFile(path, original, error))
        return false;
    const QFileInfo info(path);
    const QString pattern = QStringLiteral(".%1.backup-XXXXXX").arg(info.fileName());
    for (const QString& folder : {info.absolutePath(), QDir::tempPath()}) {
        QTemporaryFile copy(folder + QLatin1Char('/') + pattern);
        copy.setAutoRemove(false);
        if (!copy.open())
            continue;
        m_path = copy.fileName();
        if (CopyAll(original, copy) && Sync(copy))
            return true;
        copy.remove();
        m_path.clear();
    }
    error = QStringLiteral("%1: cannot make a backup copy before rewriting the file").arg(path);
    return false;
}

bool CFileBackup::Sync(QFile& file) {
    return file.flush() && ::fsync(file.handle()) == 0;
}

bool CFileBackup::Restore(const QString& path) {
    QFile copy(m_path);
    QFile file(path);
    if (copy.open(QIODevice::ReadOnly) && file.open(QIODevice::ReadWrite | QIODevice::Unbuffered) &&
        CopyAll(copy, file) && Sync(file))
        return true;
    m_bKeep = true;
    return false;
}

void CFileBackup::Remove() {
    if (!m_path.isEmpty())
        QFile::remove(m_path);
    m_path.clear();
}
