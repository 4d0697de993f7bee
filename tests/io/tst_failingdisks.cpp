#include "FileBackup.h"
#include "NativePath.h"
#include "RegularFile.h"
#include "SignalDescription.h"
#include "SignalFileWriter.h"
#include "SignalText.h"
#include "TestDocument.h"
#include "TestFiles.h"
#include "TestFolder.h"
#include "TestTexts.h"
#include "VantorDoc.h"
#include "Vocabulary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

// Syncs can be made to fail as a failing disk would (EIO): the library's calls land here.
namespace {
bool failSync = false;
bool failFolderSync = false; // only the sync of a folder fails

bool Fails(int fd) {
    struct stat info {};
    return failSync || (failFolderSync && ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode));
}
} // namespace

extern "C" int fdatasync(int fd) {
    if (Fails(fd)) {
        errno = EIO;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fdatasync, fd));
}

extern "C" int fsync(int fd) {
    if (Fails(fd)) {
        errno = EIO;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

namespace {

void Fill(CVantorDoc& doc, int count, const QString& prefix) {
    doc.OnNewDocument();
    for (int i = 0; i < count; ++i) {
        auto s = NewRecord(prefix + QString::number(i), ModulationPsk, 100 + i);
        CopyText(s->m_szComment,
                 QStringLiteral("comment %1 with some length to it").arg(i).toStdU16String());
        AppendRecord(doc, std::move(s));
    }
}

QStringList NamesInFile(const QString& path) {
    CVantorDoc doc;
    QStringList names;
    if (const FileResult opened = doc.OnOpenDocument(path); !opened)
        return {QStringLiteral("<unreadable: %1>").arg(opened.Message())};
    for (const auto& s : doc.Signals())
        names << Q(s->m_szName);
    return names;
}

// Saves doc to path in a child process that is killed once killAt records are written;
// returns the child's wait status.
int SaveKilledAt(CVantorDoc& doc, const QString& path, qint64 killAt) {
    const pid_t child = fork();
    if (child == 0) {
        doc.SetProgressHandler([killAt](qint64 done, qint64) {
            if (done >= killAt)
                ::raise(SIGKILL);
            return true;
        });
        doc.OnSaveDocument(path);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

QByteArray NativeBytes(const QByteArray& native) {
    QFile file;
    const int fd = ::open(native.constData(), O_RDONLY);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return "<unreadable>";
    return file.readAll();
}

} // namespace

class TestFailingDisks : public QObject {
    Q_OBJECT
    TestFolder m_dir;

private slots:
    void init() { m_dir.Renew(); }
    // A full disk fails the save with the system's reason and leaves the file byte for byte
    // as it was, whether the save writes a new file or rewrites a linked one in place.
    void fullFileSystem_data() {
        QTest::addColumn<bool>("linked");
        QTest::newRow("new file renamed") << false;
        QTest::newRow("rewritten in place") << true;
    }
    void fullFileSystem() {
        QFETCH(bool, linked);
        if (geteuid() != 0)
            QSKIP("mounting a small file system needs root");
        const QString mount = m_dir.filePath("small");
        QDir().mkpath(mount);
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", mount}) != 0)
            QSKIP("cannot mount a tmpfs here");
        const QString path = mount + "/db.xml";
        CVantorDoc doc;
        Fill(doc, 20, "old ");
        QVERIFY(doc.OnSaveDocument(path));
        if (linked)
            QCOMPARE(::link(qPrintable(path), qPrintable(mount + "/link.xml")), 0);
        const QByteArray before = FileBytes(path);
        Fill(doc, 2000, "new "); // far beyond 64 KiB
        MarkModified(doc);
        const FileResult result = doc.OnSaveDocument(path);
        const bool saved = bool(result);
        const QString error = result.Message();
        const QByteArray after = FileBytes(path);
        const QStringList leftovers = QDir(mount).entryList(QDir::Files | QDir::Hidden);
        QProcess::execute("umount", {mount});
        QVERIFY(!saved);
        QVERIFY2(error == path + ": No space left on device", qPrintable(error));
        QCOMPARE(result.FailureKind(), IoError::Kind::NoSpace);
        QVERIFY(doc.IsModified());
        QVERIFY(after == before);
        const QStringList expected =
            linked ? QStringList{"db.xml", "link.xml"} : QStringList{"db.xml"};
        QCOMPARE(leftovers, expected);
    }

    // A disk that fails to sync fails the save with the system's reason: the old file stays,
    // whether the save renames a new file or rewrites a linked one in place.
    // Only the folder's sync failing, after the new file took the old one's place: the save is
    // done (the database is saved) and says that the file may not survive a power loss.
    void syncFails_data() {
        QTest::addColumn<bool>("linked");
        QTest::addColumn<bool>("folderOnly");
        QTest::newRow("new file renamed") << false << false;
        QTest::newRow("rewritten in place") << true << false;
        QTest::newRow("folder after the rename") << false << true;
    }
    void syncFails() {
        QFETCH(bool, linked);
        QFETCH(bool, folderOnly);
        const QString path = m_dir.filePath(linked ? "sync-linked.xml" : "sync.xml");
        CVantorDoc doc;
        Fill(doc, 3, "old ");
        QVERIFY(doc.OnSaveDocument(path));
        if (linked)
            QCOMPARE(::link(qPrintable(path), qPrintable(path + ".link")), 0);
        const QByteArray before = FileBytes(path);
        Fill(doc, 5, "new ");
        MarkModified(doc);
        (folderOnly ? failFolderSync : failSync) = true;
        const FileResult saved = doc.OnSaveDocument(path);
        failSync = failFolderSync = false;
        QVERIFY2(saved.Message().contains("Input/output error"), qPrintable(saved.Message()));
        QCOMPARE(bool(saved), folderOnly);
        QCOMPARE(doc.IsModified(), !folderOnly);
        if (folderOnly) {
            QVERIFY(saved.Message().contains("may not survive a power loss"));
            QCOMPARE(NamesInFile(path).size(), 5);
        } else {
            QCOMPARE(FileBytes(path), before);
        }
    }

    // A file-size limit (ulimit -f) fails the save with "File too large" instead of ending the
    // program, and the old file stays whole, also when it is rewritten in place.
    void fileSizeLimit_data() {
        QTest::addColumn<bool>("linked");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("new file renamed") << false << QByteArray("limit.xml");
        QTest::newRow("rewritten in place") << true << QByteArray("limit-linked.xml");
        // Qt cannot name it: rewritten in place, and put back under its own name.
        QTest::newRow("name not UTF-8") << false << QByteArray("limit-\xff.xml");
    }
    void fileSizeLimit() {
        QFETCH(bool, linked);
        QFETCH(QByteArray, name);
        const QByteArray native = QFile::encodeName(m_dir.path()) + '/' + name;
        const QString path = PathFromNative(native);
        const QString input = m_dir.filePath("limit-input.xml");
        CVantorDoc doc;
        Fill(doc, 3, "old ");
        QVERIFY(doc.OnSaveDocument(path));
        if (linked)
            QCOMPARE(::link(qPrintable(path), qPrintable(path + ".link")), 0);
        Fill(doc, 3000, "new "); // far beyond 64 KiB
        QVERIFY(doc.OnSaveDocument(input));
        const QByteArray before = NativeBytes(native);
        QProcess tool;
        // The name goes to the tool as bytes, through the environment.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        QString octal;
        for (const char byte : native)
            octal +=
                QStringLiteral("\\%1").arg(static_cast<unsigned char>(byte), 3, 8, QChar(u'0'));
        environment.insert("TARGET", octal);
        tool.setProcessEnvironment(environment);
        tool.start("sh",
                   {"-c", "ulimit -f 64 && exec \"$0\" convert \"$1\" -o \"$(printf \"$TARGET\")\"",
                    QStringLiteral(QUARN_TOOL_PATH), input});
        QVERIFY(tool.waitForFinished());
        QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tool.exitCode(), 2);
        const QByteArray error = tool.readAllStandardError();
        QVERIFY2(error.contains(name + ": File too large"), error.constData());
        QCOMPARE(NativeBytes(native), before);
        // Nothing but the files the test made: no backup, no half-written copy.
        QStringList expected{QString::fromUtf8(name), "limit-input.xml"};
        if (linked)
            expected << QString::fromUtf8(name + ".link");
        expected.sort();
        QCOMPARE(TestFolder::Names(m_dir.path()), expected);
    }

    // An in-place save killed part-way leaves its backup beside the file, holding the old
    // content, where the next open and quarn-tool find it.
    void killedInPlaceSaveIsFoundAgain() {
        const QString path = m_dir.filePath("torn.xml");
        CVantorDoc doc;
        Fill(doc, 10, "old ");
        QVERIFY(doc.OnSaveDocument(path));
        QCOMPARE(::link(qPrintable(path), qPrintable(path + ".link")), 0);
        const QByteArray before = FileBytes(path);
        Fill(doc, 30000, "new ");
        QVERIFY(WIFSIGNALED(SaveKilledAt(doc, path, 8192)));
        const auto leftover = CFileBackup::FindLeftover(path);
        QVERIFY(leftover);
        QVERIFY(QFileInfo(leftover->path).fileName().startsWith(".torn.xml.backup-"));
        QCOMPARE(FileBytes(leftover->path), before);
        QProcess tool;
        tool.start(QUARN_TOOL_PATH, {"check", path});
        QVERIFY(tool.waitForFinished());
        QVERIFY(tool.readAllStandardError().contains("was interrupted on"));
        QVERIFY(QFile::remove(leftover->path));
    }

    // Only a whole copy of the user's own that only the user can read is offered as the
    // content before an interrupted save; check names every other one with why.
    void leftoverBackupsMustBeTheUsers_data() {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("ignored");
        QTest::newRow("whole, 0600") << "whole"
                                     << "";
        QTest::newRow("half written") << "part"
                                      << "it was not finished";
        QTest::newRow("readable by others") << "0644"
                                            << "others may read or change it (mode 0644)";
        QTest::newRow("another user's") << "owner"
                                        << "it belongs to another user";
    }
    void leftoverBackupsMustBeTheUsers() {
        QFETCH(QString, shape);
        QFETCH(QString, ignored);
        if (shape == "owner" && ::geteuid() != 0)
            QSKIP("giving a file to another user needs root");
        const QString path = m_dir.filePath("shared-" + shape + ".xml");
        CVantorDoc doc;
        Fill(doc, 2, "a ");
        QVERIFY(doc.OnSaveDocument(path));
        const QString copy = m_dir.filePath(".shared-" + shape + ".xml.backup-abc123") +
                             (shape == "part" ? ".part" : "");
        QVERIFY(QFile::copy(path, copy));
        const QByteArray native = QFile::encodeName(copy);
        QCOMPARE(::chmod(native.constData(), shape == "0644" ? 0644 : 0600), 0);
        if (shape == "owner")
            QCOMPARE(::chown(native.constData(), 65534, 65534), 0);
        const auto leftovers = CFileBackup::Leftovers(path);
        QCOMPARE(leftovers.size(), std::size_t(1));
        QCOMPARE(leftovers[0].ignored, ignored);
        QCOMPARE(CFileBackup::FindLeftover(path).has_value(), ignored.isEmpty());
        QProcess tool;
        tool.start(QUARN_TOOL_PATH, {"check", path});
        QVERIFY(tool.waitForFinished());
        const QByteArray said = tool.readAllStandardError();
        QVERIFY2(said.contains(ignored.isEmpty()
                                   ? QByteArray("was interrupted on")
                                   : "ignored " + native +
                                         " as a copy saved "
                                         "before an interrupted save of " +
                                         QFile::encodeName(path) + ": " + ignored.toUtf8()),
                 said.constData());
        QVERIFY(QFile::remove(copy));
    }

    // Files of the kernel's file systems are not databases: refused before anything is
    // written, also as root.
    void kernelFileSystems_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("proc") << "/proc/self/comm";
        QTest::newRow("sysfs") << "/sys/kernel/profiling";
    }
    void kernelFileSystems() {
        QFETCH(QString, path);
        if (!QFile::exists(path))
            QSKIP("this system does not have that file");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        CVantorDoc doc;
        Fill(doc, 2, "a ");
        const FileResult result = doc.OnSaveDocument(path);
        QCOMPARE(result.Message(), path + " is not on a file system that holds files");
        QCOMPARE(result.FailureKind(), IoError::Kind::NotAFileSystem);
        QFile again(path);
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), before);
    }

    // What cannot be read or written as a database is told apart by its kind, and worded with
    // the file's name.
    void failureKinds_data() {
        QTest::addColumn<QString>("made");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("missing") << "missing" << int(IoError::Kind::NotFound)
                                 << ": No such file or directory";
        QTest::newRow("pipe") << "pipe" << int(IoError::Kind::NotRegular)
                              << " is not a regular file";
        QTest::newRow("folder") << "folder" << int(IoError::Kind::NotRegular)
                                << " is not a regular file";
        QTest::newRow("dangling link") << "link" << int(IoError::Kind::DanglingLink)
                                       << " is a symbolic link to a file that does not exist";
    }
    void failureKinds() {
        QFETCH(QString, made);
        QFETCH(int, kind);
        QFETCH(QString, text);
        const QString path = m_dir.filePath(made);
        if (made == "pipe")
            QCOMPARE(::mkfifo(qPrintable(path), 0600), 0);
        if (made == "folder")
            QVERIFY(QDir().mkdir(path));
        if (made == "link")
            QCOMPARE(::symlink("nowhere", qPrintable(path)), 0);
        IoError error;
        QFile file;
        // Reading refuses it; writing refuses what it cannot write through.
        const bool opened = OpenRegularFile(path, file, error);
        if (made == "link") {
            QVERIFY(!IsRegularOrAbsent(path, error));
        } else {
            QVERIFY(!opened);
        }
        QCOMPARE(int(error.GetKind()), kind);
        QCOMPARE(error.Text(), path + text);
        CVantorDoc doc;
        Fill(doc, 1, "a ");
        const FileResult saved = doc.OnSaveDocument(path);
        if (made != "missing") {
            QCOMPARE(int(saved.FailureKind()), kind);
            QCOMPARE(saved.Message(), path + text);
        }
    }

    // A save keeps what the file is: its other hard links see the new content, and owner,
    // group, mode and extended attributes stay.
    void saveKeepsWhatTheFileIs_data() {
        QTest::addColumn<QString>("shape");
        QTest::newRow("second hard link") << "link";
        QTest::newRow("owned by another user") << "owner";
        QTest::newRow("extended attribute") << "xattr";
    }
    void saveKeepsWhatTheFileIs() {
        QFETCH(QString, shape);
        const QString path = m_dir.filePath("kept-" + shape + ".xml");
        const QByteArray native = QFile::encodeName(path);
        CVantorDoc doc;
        Fill(doc, 2, "first ");
        QVERIFY(doc.OnSaveDocument(path));
        const QString other = path + ".other";
        if (shape == "link")
            QCOMPARE(::link(native.constData(), QFile::encodeName(other).constData()), 0);
        if (shape == "owner") {
            if (geteuid() != 0)
                QSKIP("giving a file to another user needs root");
            QCOMPARE(::chown(native.constData(), 65534, 65534), 0);
        }
        if (shape == "xattr" && ::setxattr(native.constData(), "user.quarn", "kept", 4, 0) != 0)
            QSKIP("this file system has no user extended attributes");
        QCOMPARE(::chmod(native.constData(), 0640), 0);
        struct stat before {};
        QCOMPARE(::stat(native.constData(), &before), 0);
        Fill(doc, 3, "second ");
        QCOMPARE(doc.OnSaveDocument(path).Message(), QString());
        struct stat after {};
        QCOMPARE(::stat(native.constData(), &after), 0);
        QCOMPARE(NamesInFile(path).size(), 3);
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
        QCOMPARE(after.st_mode, before.st_mode);
        if (shape == "link") {
            QCOMPARE(after.st_ino, before.st_ino);
            QCOMPARE(FileBytes(other), FileBytes(path));
        }
        if (shape == "xattr") {
            char value[8] = {};
            QCOMPARE(::getxattr(native.constData(), "user.quarn", value, sizeof value), ssize_t(4));
            QCOMPARE(QByteArray(value), QByteArray("kept"));
        }
        QCOMPARE(TestFolder::Names(m_dir.path(), ".kept-"), QStringList());
        QVERIFY(!TestFolder::Names(m_dir.path(), "kept-").isEmpty());
    }

    // A writable file in a folder the user cannot write (a shared install) is rewritten in
    // place; the backup copy goes to the user's private state folder and is gone afterwards.
    void folderNotWritable() {
        if (geteuid() != 0 || QProcess::execute("setpriv", {"--version"}) != 0)
            QSKIP("running as another user needs root and setpriv");
        QTemporaryDir shared(QDir::tempPath() + "/quarn-shared-XXXXXX");
        const QString path = shared.filePath("db.xml");
        const QString input = shared.filePath("in.xml");
        CVantorDoc doc;
        Fill(doc, 2, "old ");
        QVERIFY(doc.OnSaveDocument(path));
        Fill(doc, 4, "new ");
        QVERIFY(doc.OnSaveDocument(input));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner |
                                                QFile::ReadGroup | QFile::WriteGroup |
                                                QFile::ReadOther | QFile::WriteOther));
        QVERIFY(QFile::setPermissions(shared.path(), QFile::ReadOwner | QFile::ExeOwner |
                                                         QFile::ReadOther | QFile::ExeOther |
                                                         QFile::ReadGroup | QFile::ExeGroup));
        QTemporaryDir state(QDir::tempPath() + "/quarn-state-XXXXXX");
        QVERIFY(QFile::setPermissions(state.path(), QFile::Permissions::fromInt(0x7777)));
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_STATE_HOME", state.path());
        tool.setProcessEnvironment(environment);
        tool.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups",
                               QStringLiteral(QUARN_TOOL_PATH), "convert", input, "-o", path});
        QVERIFY(tool.waitForFinished());
        QVERIFY(QFile::setPermissions(shared.path(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY2(tool.exitCode() == 0, tool.readAllStandardError().constData());
        QCOMPARE(NamesInFile(path).size(), 4);
        QCOMPARE(QFileInfo(path).ownerId(), 0u);
        QCOMPARE(TestFolder::Names(shared.path()), QStringList({"db.xml", "in.xml"}));
        QCOMPARE(TestFolder::Names(state.filePath("quarn-editor")), QStringList());
        QCOMPARE(QFileInfo(state.filePath("quarn-editor")).permissions().toInt() & 0x0077, 0);
    }

    // A save killed at any point of the writing leaves the old file whole; one that is not
    // killed leaves the new one whole. The kills come from the progress reports, at every
    // point the writer reports (each 4,096 records).
    void killedSave() {
        const QString path = m_dir.filePath("killed.xml");
        CVantorDoc doc;
        Fill(doc, 10, "old ");
        QVERIFY(doc.OnSaveDocument(path));
        const QStringList oldNames = NamesInFile(path);
        Fill(doc, 30000, "new ");
        QStringList newNames;
        for (const auto& s : doc.Signals())
            newNames << Q(s->m_szName);
        newNames.sort();
        for (qint64 killAt = 4096; killAt <= 32768; killAt += 4096) {
            const int status = SaveKilledAt(doc, path, killAt);
            QStringList names = NamesInFile(path);
            if (killAt <= 30000) {
                QVERIFY(WIFSIGNALED(status));
                QCOMPARE(names, oldNames);
            } else {
                QVERIFY(WIFEXITED(status));
                names.sort();
                QCOMPARE(names, newNames);
            }
        }
    }

    // A device that fails part-way fails the write with its reason, at any point.
    void deviceFailsPartWay_data() {
        QTest::addColumn<int>("failAfter");
        for (int bytes : {0, 3, 100, 4096, 70000})
            QTest::addRow("after %d bytes", bytes) << bytes;
    }
    void deviceFailsPartWay() {
        QFETCH(int, failAfter);
        class FailDevice : public QIODevice {
        public:
            explicit FailDevice(qint64 limit) : m_limit(limit) {}

        protected:
            qint64 readData(char*, qint64) override { return -1; }
            qint64 writeData(const char*, qint64 length) override {
                if (m_written + length > m_limit) {
                    setErrorString(QStringLiteral("the device is full"));
                    return -1;
                }
                m_written += length;
                return length;
            }

        private:
            qint64 m_limit;
            qint64 m_written = 0;
        } device(failAfter);
        device.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        CVantorDoc doc;
        Fill(doc, 1000, "rec ");
        QString error;
        QVERIFY(!CSignalFileWriter::WriteDevice(device, doc.Signals(), error));
        QCOMPARE(error, QStringLiteral("the device is full"));
    }

    void symbolicLinkKeepsLink() {
        const QString real = m_dir.filePath("real.xml");
        const QString link = m_dir.filePath("link.xml");
        CVantorDoc doc;
        Fill(doc, 2, "first ");
        QVERIFY(doc.OnSaveDocument(real));
        QVERIFY(QFile::link(real, link));
        Fill(doc, 3, "second ");
        QCOMPARE(doc.OnSaveDocument(link).Message(), QString());
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(NamesInFile(real).size(), 3);
        QCOMPARE(doc.GetPathName(), link);
    }

    void permissionsKept() {
        const QString path = m_dir.filePath("perm.xml");
        CVantorDoc doc;
        Fill(doc, 2, "a ");
        QVERIFY(doc.OnSaveDocument(path));
        const auto permissions =
            QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
        QVERIFY(QFile::setPermissions(path, permissions));
        QVERIFY(doc.OnSaveDocument(path));
        const QFile::Permissions ownerGroupOther = QFile::Permissions::fromInt(0x7077);
        QCOMPARE(QFile::permissions(path) & ownerGroupOther, permissions);
    }

    void changedOnDisk() {
        const QString path = m_dir.filePath("shared.xml");
        CVantorDoc doc;
        Fill(doc, 2, "a ");
        QVERIFY(doc.OnSaveDocument(path));
        QVERIFY(!doc.FileChangedOnDisk());
        CVantorDoc other;
        Fill(other, 5, "b ");
        QVERIFY(other.OnSaveDocument(path)); // someone else saves a larger file
        QVERIFY(doc.FileChangedOnDisk());
        QVERIFY(doc.OnOpenDocument(path));
        QVERIFY(!doc.FileChangedOnDisk());
        // A file replaced while it is read is not the file that was read.
        CVantorDoc large;
        Fill(large, 20000, "c ");
        QVERIFY(large.OnSaveDocument(path));
        bool replaced = false;
        doc.SetProgressHandler([&](qint64, qint64) {
            if (!replaced)
                replaced = static_cast<bool>(other.OnSaveDocument(path));
            return true;
        });
        QVERIFY(doc.OnOpenDocument(path));
        QVERIFY(replaced);
        QCOMPARE(doc.GetSignalCount(), 20000);
        QVERIFY(doc.FileChangedOnDisk());
    }
};

QTEST_GUILESS_MAIN(TestFailingDisks)
#include "tst_failingdisks.moc"
