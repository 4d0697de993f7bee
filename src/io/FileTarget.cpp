#include "FileTarget.h"

#include "DurableFile.h"
#include "FileBackup.h"
#include "FileKeeper.h"
#include "NativePath.h"
#include "RegularFile.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <new>
#include <unistd.h>

namespace {

// Why content could not be written to device: the content's own reason, else the device's.
IoError WriteFailure(const QString& path, const QFileDevice& device, const QString& why) {
    if (!why.isEmpty())
        return IoError::Of(IoError::Kind::Content, path, why);
    return IoError::Device(path, device);
}

// Runs the content writer; memory running out fails the write like any other fault, so that
// the old file is kept (an in-place rewrite is put back from its backup).
bool Produce(const ContentWriter& content, QIODevice& device, const QString& path, QString& why) {
    try {
        return content(device, why);
    } catch (const std::bad_alloc&) {
        why = QCoreApplication::translate("FileTarget", "%1: not enough memory").arg(path);
        return false;
    }
}

// Writes a new file beside the old one and puts it in its place: the old file stays whole
// until the new one is complete and synced. False with inPlace set when the new file could not
// be given the old one's owner, group or extended attributes.
// What is said when the file was written but the disk did not confirm its folder's entry.
QString UnconfirmedName(const QString& path) {
    return QCoreApplication::translate(
               "FileTarget", "%1 was written, but the system could not confirm that its new "
                             "name is on the disk (%2): it may not survive a power loss")
        .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
}

bool WriteByRename(const QString& path, const CFileKeeper& keeper, const ContentWriter& content,
                   IoError& error, bool& inPlace, QString& warning) {
    QSaveFile file(path);
    // The content comes in blocks: written straight through, without a second buffer.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = IoError::Device(path, file);
        return false;
    }
    if (!keeper.Apply(file.handle())) {
        file.cancelWriting();
        inPlace = true;
        return false;
    }
    QString why;
    if (!Produce(content, file, path, why) || file.error() != QFileDevice::NoError) {
        error = WriteFailure(path, file, why);
        file.cancelWriting();
        return false;
    }
    // Qt's commit syncs but ignores a failure: the data are synced here, before the rename.
    if (!SyncFileData(file.handle(), path, error)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = IoError::Device(path, file);
        return false;
    }
    // The file has taken the old one's place: from here on the save is done.
    if (!SyncFolderOf(keeper.NativeTarget()))
        warning = UnconfirmedName(path);
    return true;
}

// Rewrites the file itself, so that it stays the same file (links, owner, attributes): a
// backup copy is made and synced first and written back if anything fails. A file that does
// not exist yet is created, and removed again if writing fails.
bool WriteInPlace(const QString& path, bool exists, const ContentWriter& content, IoError& error,
                  QString& warning) {
    CFileBackup backup;
    if (exists && !backup.Make(path, error))
        return false;
    QFile file;
    // Opened without truncating: the old content stays until it is overwritten.
    if (!OpenForRewrite(path, file, !exists, error))
        return false;
    QString why;
    if (Produce(content, file, path, why) && file.resize(file.pos()) && CFileBackup::Sync(file)) {
        if (!exists && !SyncFolderOf(NativePath(path)))
            warning = UnconfirmedName(path);
        backup.Remove();
        return true;
    }
    error = WriteFailure(path, file, why);
    file.close();
    if (!exists) {
        ::unlink(NativePath(path).constData());
        return false;
    }
    if (!backup.Restore(path))
        error.AddNote(QCoreApplication::translate("FileTarget",
                                                  "The file could not be put back as it was; "
                                                  "its old content is in %1.")
                          .arg(backup.Path()));
    return false;
}

} // namespace

bool WriteFileTarget(const QString& path, const ContentWriter& content, IoError& error,
                     QString* warning) {
    QString unconfirmed;
    const auto done = [&](bool written) {
        if (written && warning)
            *warning = unconfirmed;
        return written;
    };
    if (!IsRegularOrAbsent(path, error) || !OnFileSystemThatHoldsFiles(path, error))
        return false;
    const CFileKeeper keeper(path);
    // Qt's save file cannot reach a name that is not UTF-8: such a file is rewritten in place.
    if (keeper.NeedsInPlace() || !QtCanName(path))
        return done(WriteInPlace(path, keeper.Exists(), content, error, unconfirmed));
    bool inPlace = false;
    if (WriteByRename(path, keeper, content, error, inPlace, unconfirmed))
        return done(true);
    return done(inPlace && WriteInPlace(path, keeper.Exists(), content, error, unconfirmed));
}
