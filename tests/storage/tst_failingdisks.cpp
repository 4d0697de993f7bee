#include "SignalDescription.h"
#include "SignalText.h"
#include "VantorDoc.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QString Q(const char16_t* text) {
    return QString::fromUtf16(text);
}

void Fill(CVantorDoc& doc, int count, const QString& prefix) {
    doc.OnNewDocument();
    for (int i = 0; i < count; ++i) {
        auto s = std::make_unique<CSignalDescription>();
        CopyText(s->m_szName, (prefix + QString::number(i)).toStdU16String());
        CopyText(s->m_szComment,
                 QStringLiteral("comment %1 with some length to it").arg(i).toStdU16String());
        s->m_nModulation = 3;
        s->m_dBaudrate = 100 + i;
        s->m_bInvalid = s->Validate(false) != nullptr;
        s->UpdateDisplayTexts();
        doc.AddSignal(std::move(s));
    }
}

QStringList Names(const QString& path) {
    CVantorDoc doc;
    QStringList names;
    if (!doc.OnOpenDocument(path))
        return {QStringLiteral("<unreadable: %1>").arg(doc.GetLastError())};
    for (const auto& s : doc.Signals())
        names << Q(s->m_szName);
    return names;
}

} // namespace

class TestFailingDisks : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void fullFileSystem() {
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
        const QStringList before = Names(path);
        Fill(doc, 2000, "new "); // far beyond 64 KiB
        doc.SetModifiedFlag(true);
        const bool saved = doc.OnSaveDocument(path);
        const QString error = doc.GetLastError();
        const QStringList after = Names(path);
        const QStringList leftovers = QDir(mount).entryList(QDir::Files | QDir::Hidden);
        QProcess::execute("umount", {mount});
        QVERIFY(!saved);
        QVERIFY2(error.contains(path), qPrintable(error));
        QVERIFY(doc.IsModified());
        QCOMPARE(after, before);
        QCOMPARE(leftovers, QStringList{"db.xml"});
    }

    // A save killed at any moment leaves the old file whole, or the new one whole.
    void killedSave() {
        const QString path = m_dir.filePath("killed.xml");
        CVantorDoc doc;
        Fill(doc, 10, "old ");
        QVERIFY(doc.OnSaveDocument(path));
        const QStringList oldNames = Names(path);
        Fill(doc, 30000, "new ");
        QStringList newNames;
        for (const auto& s : doc.Signals())
            newNames << Q(s->m_szName);
        newNames.sort();
        QRandomGenerator random(42);
        int sawOld = 0;
        for (int round = 0; round < 12; ++round) {
            const pid_t child = fork();
            if (child == 0) {
                doc.OnSaveDocument(path);
                _exit(0);
            }
            QTest::qSleep(random.bounded(0, 400));
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
            QStringList names = Names(path);
            if (names == oldNames) {
                ++sawOld;
                continue;
            }
            names.sort();
            QCOMPARE(names, newNames);
            // The new file is whole: put the old one back for the next round.
            CVantorDoc old;
            Fill(old, 10, "old ");
            QVERIFY(old.OnSaveDocument(path));
        }
        QVERIFY(sawOld > 0); // some kills did land during the write
    }

    void symbolicLinkKeepsLink() {
        const QString real = m_dir.filePath("real.xml");
        const QString link = m_dir.filePath("link.xml");
        CVantorDoc doc;
        Fill(doc, 2, "first ");
        QVERIFY(doc.OnSaveDocument(real));
        QVERIFY(QFile::link(real, link));
        Fill(doc, 3, "second ");
        QVERIFY2(doc.OnSaveDocument(link), qPrintable(doc.GetLastError()));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(Names(real).size(), 3);
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
    }
};

QTEST_GUILESS_MAIN(TestFailingDisks)
#include "tst_failingdisks.moc"
