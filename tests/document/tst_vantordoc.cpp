#include "NativePath.h"
#include "SignalDescription.h"
#include "SignalSteps.h"
#include "SignalText.h"
#include "TestDocument.h"
#include "TestFiles.h"
#include "TestFolder.h"
#include "TestTexts.h"
#include "UnknownNames.h"
#include "VantorDoc.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::unique_ptr<CSignalDescription> Fsk(const char16_t* name) {
    return std::make_unique<CSignalDescription>(FskRecord(name));
}

const QByteArray ElevenLines = TestData("eleven-lines.xml");

// A folder where nothing can be written, also for root: a read-only tmpfs when running as
// root (holding one file), a folder without write permission otherwise.
class LockedFolder {
public:
    explicit LockedFolder(const QString& path) : m_path(path) {
        QDir().mkpath(path);
        if (geteuid() != 0) {
            QFile::remove(path + "/db.xml"); // left read-only by an earlier row
            QVERIFY(WriteBytes(path + "/db.xml", ElevenLines));
            QFile::setPermissions(path + "/db.xml", QFile::ReadOwner);
            QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
            m_ready = true;
            return;
        }
        m_mounted =
            QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=1m", "tmpfs", path}) == 0;
        if (!m_mounted)
            return;
        QVERIFY(WriteBytes(path + "/db.xml", ElevenLines));
        m_ready = QProcess::execute("mount", {"-o", "remount,ro", path}) == 0;
    }
    ~LockedFolder() {
        if (m_mounted)
            QProcess::execute("umount", {m_path});
        else
            QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool ready() const { return m_ready; }

private:
    QString m_path;
    bool m_mounted = false;
    bool m_ready = false;
};

} // namespace

class TestVantorDoc : public QObject {
    Q_OBJECT
    TestFolder m_dir;
    QString Path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void init() { m_dir.Renew(); }
    // The collection changes through the operations the history's steps are made of; each
    // tells the views what it touched, by position; an index outside it is the caller's error.
    void collectionChangesAreSignalled() {
        CVantorDoc doc;
        QSignalSpy inserted(&doc, &CVantorDoc::inserted);
        QSignalSpy removed(&doc, &CVantorDoc::removed);
        QSignalSpy changed(&doc, &CVantorDoc::signalsChanged);
        QSignalSpy updated(&doc, &CVantorDoc::documentUpdated);
        SignalCollection first;
        first.push_back(Fsk(u"a"));
        first.push_back(Fsk(u"c"));
        doc.InsertSignals({0, 1}, first);
        SignalCollection second;
        second.push_back(Fsk(u"b"));
        doc.InsertSignals({1}, second);
        QCOMPARE(Names(doc), (QStringList{"a", "b", "c"}));
        QCOMPARE(inserted.size(), 2);
        QCOMPARE(inserted.at(1).at(0).value<std::vector<int>>(), std::vector<int>{1});
        doc.FlipDisabled({0, 2});
        QVERIFY(doc.GetSignal(0)->m_bDisabled && doc.GetSignal(2)->m_bDisabled);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0).at(0).value<std::vector<int>>(), (std::vector<int>{0, 2}));
        QCOMPARE(changed.at(0).at(1).toBool(), false);
        const SignalCollection taken = doc.RemoveSignals({0, 2});
        QCOMPARE(Names(taken), (QStringList{"a", "c"}));
        QCOMPARE(Names(doc), QStringList{"b"});
        QCOMPARE(removed.size(), 1);
        QCOMPARE(removed.at(0).at(0).value<std::vector<int>>(), (std::vector<int>{0, 2}));
        QCOMPARE(updated.size(), 4);
        QCOMPARE(doc.FindEqualSignal(*Fsk(u"b")), 0);
        QCOMPARE(doc.FindEqualSignal(*Fsk(u"a")), -1);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, doc.GetSignal(1));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, doc.GetSignal(-1));
    }

    void saveWritesTheElevenLineFile() {
        CVantorDoc doc;
        AppendRecord(doc, Fsk(u"Baudot 50"));
        MarkModified(doc);
        QVERIFY(doc.OnSaveDocument(Path("eleven.xml")));
        QCOMPARE(FileBytes(Path("eleven.xml")), ElevenLines);
        QVERIFY(!doc.IsModified());
        QCOMPARE(doc.GetPathName(), Path("eleven.xml"));
    }

    void saveEmptyDocument() {
        CVantorDoc doc;
        QVERIFY(doc.OnSaveDocument(Path("empty.xml")));
        QCOMPARE(FileBytes(Path("empty.xml")),
                 QByteArray("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\" "
                            "standalone=\"yes\"?>\n<SignalDatabase "
                            "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                            "xsi:noNamespaceSchemaLocation=\"QuarnSignalDB.xsd\">\n"
                            "  <SignalList/>\n</SignalDatabase>\n"));
    }

    void openSortsByNameAndFindsSignalsAnywhere() {
        QVERIFY(
            WriteBytes(Path("loose.xml"),
                       "<Root><Signal Name='Zulu' Modulation='CW'/><Other><Signal Name='alpha' "
                       "Modulation='CW'/></Other><Signal Name='Bravo' Modulation='CW'/></Root>"));
        CVantorDoc doc;
        MarkModified(doc);
        QSignalSpy updates(&doc, &CVantorDoc::documentUpdated);
        QVERIFY(doc.OnOpenDocument(Path("loose.xml")));
        QCOMPARE(Names(doc), (QStringList{"Bravo", "Zulu", "alpha"}));
        QVERIFY(!doc.IsModified());
        QCOMPARE(updates.count(), 1);
    }

    void failedOpenKeepsRecords_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("where");
        QTest::newRow("missing file") << QByteArray() << "No such file";
        QTest::newRow("truncated") << ElevenLines.left(ElevenLines.size() - 30) << "line";
        QTest::newRow("mismatched tag")
            << QByteArray("<a>\n<Signal Name='x' Modulation='CW'/>\n</b>") << "line 3";
        QTest::newRow("empty file") << QByteArray("") << "the file is empty";
        QTest::newRow("not xml") << QByteArray("hello") << "line 1";
        QTest::newRow("bad utf-8") << QByteArray("<a><Signal Name='\xff'/></a>") << "line 1";
    }
    void failedOpenKeepsRecords() {
        QFETCH(QByteArray, content);
        QFETCH(QString, where);
        const QString path = Path(QString("bad-%1.xml").arg(QTest::currentDataTag()));
        if (!content.isNull())
            QVERIFY(WriteBytes(path, content));
        CVantorDoc doc;
        AppendRecord(doc, Fsk(u"kept"));
        doc.SetPathName("/somewhere/else.xml");
        MarkModified(doc);
        const FileResult opened = doc.OnOpenDocument(path);
        QCOMPARE(opened.GetStatus(), FileResult::Status::Failed);
        QVERIFY2(opened.Message().contains(path) && opened.Message().contains(where),
                 qPrintable(opened.Message()));
        QCOMPARE(Names(doc), QStringList{"kept"});
        QVERIFY(doc.IsModified());
        QCOMPARE(doc.GetPathName(), QStringLiteral("/somewhere/else.xml"));
        // A merge of the same file fails as a whole too.
        QVERIFY(!doc.MergeFile(path));
        QCOMPARE(Names(doc), QStringList{"kept"});
    }

    void roundTripKeepsValues() {
        CVantorDoc doc;
        auto wild = Fsk(u"wild");
        wild->m_dBaudrate = -1;
        wild->m_dShift = -1;
        AppendRecord(doc, std::move(wild));
        auto ofdm = std::make_unique<CSignalDescription>();
        CopyText(ofdm->m_szName, u"ofdm");
        ofdm->m_nModulation = 4;
        ofdm->m_dBaudrate = -1;
        ofdm->m_nNumChannels = -1;
        ofdm->m_dPilotFrequency = -1;
        AppendRecord(doc, std::move(ofdm));
        auto precise = Fsk(u"precise");
        precise->m_dBaudrate = 123.4567;
        precise->m_nMode = 19;
        AppendRecord(doc, std::move(precise));
        QVERIFY(doc.OnSaveDocument(Path("round.xml")));
        CVantorDoc back;
        QVERIFY(back.OnOpenDocument(Path("round.xml")));
        QCOMPARE(Names(back), (QStringList{"ofdm", "precise", "wild"}));
        const CSignalDescription& o = *back.GetSignal(0);
        QCOMPARE(o.m_dBaudrate, -1.0);
        QVERIFY(o.IsInvalid());
        QCOMPARE(o.m_nNumChannels, -1);
        QCOMPARE(o.m_dPilotFrequency, -1.0);
        QCOMPARE(back.GetSignal(1)->m_dBaudrate, 123.457);
        QCOMPARE(back.GetSignal(1)->m_nMode, 10);
        QCOMPARE(back.GetSignal(2)->m_dBaudrate, -1.0);
        QCOMPARE(back.GetSignal(2)->m_dShift, -1.0);
        QVERIFY(!back.GetSignal(2)->IsInvalid());
    }

    void mergeDropsDuplicates() {
        CVantorDoc doc;
        AppendRecord(doc, Fsk(u"Baudot 50"));
        QVERIFY(doc.OnSaveDocument(Path("base.xml")));
        QVERIFY(doc.OnOpenDocument(Path("base.xml")));
        CVantorDoc::MergeResult result;
        QVERIFY(doc.MergeFile(Path("base.xml"), &result));
        QCOMPARE(result.added, 0);
        QCOMPARE(result.dropped, 1);
        QVERIFY(!doc.IsModified());

        QVERIFY(
            WriteBytes(Path("other.xml"),
                       "<r><Signal Name='Baudot 50' Mode='baudot' Modulation='FSK' Disabled='1'>"
                       "<Baudrate>50</Baudrate><Shift>170</Shift><Bandwidth>300</Bandwidth>"
                       "<CodecheckCounter>9</CodecheckCounter></Signal>"
                       "<Signal Name='New' Modulation='CW'/><Signal Name='New' Modulation='CW'/>"
                       "<Signal Name='Bad' Modulation='OFDM'/></r>"));
        QSignalSpy updates(&doc, &CVantorDoc::documentUpdated);
        QVERIFY(doc.MergeFile(Path("other.xml"), &result));
        QCOMPARE(result.added, 2);
        QCOMPARE(result.dropped, 2);
        QCOMPARE(result.differing, 1); // the held Baudot 50 kept its counter and bandwidth
        QCOMPARE(doc.GetSignal(0)->m_nCodecheckCounter, 3);
        QCOMPARE(Names(doc), (QStringList{"Baudot 50", "New", "Bad"}));
        QVERIFY(!doc.GetSignal(0)->IsMerged());
        QVERIFY(doc.GetSignal(1)->IsMerged() && !doc.GetSignal(1)->IsInvalid());
        QVERIFY(doc.GetSignal(2)->IsMerged() && doc.GetSignal(2)->IsInvalid());
        QVERIFY(doc.IsModified());
        QVERIFY(!updates.isEmpty());
        QCOMPARE(doc.GetPathName(), Path("base.xml"));
        QVERIFY(doc.OnSaveDocument(Path("merged.xml")));
        QVERIFY(doc.OnOpenDocument(Path("merged.xml")));
        for (const auto& s : doc.Signals())
            QVERIFY(!s->IsMerged());
    }

    // Names from a newer decoder are read as "no-mode" or no modulation (the code-check count
    // kept for the unknown decoder), and counted by name for the open or merge that found them.
    void unknownNamesAreCounted() {
        QVERIFY(WriteBytes(
            Path("unknown.xml"),
            "<r><Signal Name='a' Mode='zz-new' Modulation='FSK'><Baudrate>50</Baudrate>"
            "<Shift>170</Shift><CodecheckCounter>4</CodecheckCounter></Signal>"
            "<Signal Name='b' Mode='zz-new' Modulation='QAM-1024'/>"
            "<Signal Name='c' Mode='' Modulation=''/><Signal Name='d' Modulation='CW'/></r>"));
        CVantorDoc doc;
        QVERIFY(doc.OnOpenDocument(Path("unknown.xml")));
        const CVantorDoc::UnknownNames& names = doc.GetUnknownNames();
        QCOMPARE(names.records, 3);
        QCOMPARE(names.modes, (std::map<std::string, int>{{"", 1}, {"zz-new", 2}}));
        QCOMPARE(names.modulations, (std::map<std::string, int>{{"QAM-1024", 1}}));
        const CSignalDescription* a = doc.GetSignal(0);
        QCOMPARE(a->m_nMode, 0);
        QCOMPARE(a->m_nCodecheckCounter, 4);
        QVERIFY(!a->IsInvalid());
        QCOMPARE(UnknownName(a->m_nUnknownMode), std::string("zz-new"));
        QCOMPARE(a->m_nUnknownModulation, 0u);
        QCOMPARE(doc.GetSignal(3)->m_nUnknownMode + doc.GetSignal(3)->m_nUnknownModulation, 0u);
        // A merge reports its own file's names; a file without any reports none.
        QVERIFY(doc.MergeFile(Path("unknown.xml")));
        QCOMPARE(doc.GetUnknownNames().records, 3);
        QVERIFY(WriteBytes(Path("known.xml"), "<r><Signal Name='d' Modulation='CW'/></r>"));
        QVERIFY(doc.MergeFile(Path("known.xml")));
        QCOMPARE(doc.GetUnknownNames().records, 0);
        // A save writes the names back as they were read, the count with its decoder.
        QVERIFY(doc.OnSaveDocument(Path("saved.xml")));
        const QByteArray saved = FileBytes(Path("saved.xml"));
        QVERIFY(saved.contains("Mode=\"zz-new\" Modulation=\"QAM-1024\""));
        QVERIFY(saved.contains("<CodecheckCounter>4</CodecheckCounter>"));
    }

    // A file whose name is not UTF-8 saves, opens, merges and is watched like any other; the
    // name on disk is exactly the bytes given.
    void nameThatIsNotUtf8() {
        const QByteArray native = QFile::encodeName(m_dir.path()) + "/caf\xe9-\xff.xml";
        const QString path = PathFromNative(native);
        QCOMPARE(NativePath(path), native);
        CVantorDoc doc;
        AppendRecord(doc, Fsk(u"first"));
        QVERIFY(doc.OnSaveDocument(path));
        struct stat info {};
        QCOMPARE(::stat(native.constData(), &info), 0);
        AppendRecord(doc, Fsk(u"second"));
        QVERIFY(doc.OnSaveDocument(path)); // over the old one
        QVERIFY(!doc.FileChangedOnDisk());
        CVantorDoc back;
        QVERIFY(back.OnOpenDocument(path));
        QCOMPARE(Names(back), (QStringList{"first", "second"}));
        QVERIFY(back.MergeFile(path));
        QCOMPARE(back.GetSignalCount(), 2);
        // Listed by the system's own names: nothing beside the file, no backup left.
        QCOMPARE(TestFolder::Names(m_dir.path()),
                 QStringList{QString::fromUtf8("caf\xe9-\xff.xml")});
    }

    void newDocumentEmpties() {
        CVantorDoc doc;
        AppendRecord(doc, Fsk(u"a"));
        doc.SetPathName("x.xml");
        MarkModified(doc);
        QVERIFY(doc.OnNewDocument());
        QCOMPARE(doc.GetSignalCount(), 0);
        QVERIFY(!doc.IsModified());
        QVERIFY(doc.GetPathName().isEmpty());
    }

    void failedSaveKeepsFileAndFlag_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("read-only folder") << "locked/new.xml";
        QTest::newRow("read-only file") << "locked/db.xml";
        QTest::newRow("missing folder") << "no/such/folder/db.xml";
        QTest::newRow("folder as file") << "locked";
    }
    void failedSaveKeepsFileAndFlag() {
        QFETCH(QString, target);
        LockedFolder locked(Path("locked"));
        if (!locked.ready())
            QSKIP("cannot make a read-only folder here");
        CVantorDoc doc;
        AppendRecord(doc, Fsk(u"new"));
        MarkModified(doc);
        const QByteArray before = FileBytes(Path(target));
        const FileResult saved = doc.OnSaveDocument(Path(target));
        QCOMPARE(saved.GetStatus(), FileResult::Status::Failed);
        QVERIFY(!saved.Message().isEmpty());
        QVERIFY(doc.IsModified());
        QCOMPARE(FileBytes(Path(target)), before);
        QVERIFY(!QFile::exists(Path("locked/new.xml")));
    }

    void writeFailureKeepsOldFile() {
        // A file size limit makes the write itself fail part-way, as a full disk would.
        CVantorDoc doc;
        for (int i = 0; i < 3000; ++i)
            AppendRecord(
                doc, Fsk(reinterpret_cast<const char16_t*>(QString("signal %1").arg(i).utf16())));
        MarkModified(doc);
        QVERIFY(WriteBytes(Path("old.xml"), ElevenLines));
        rlimit previous{};
        getrlimit(RLIMIT_FSIZE, &previous);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous;
        limit.rlim_cur = 64 * 1024;
        setrlimit(RLIMIT_FSIZE, &limit);
        const bool saved = bool(doc.OnSaveDocument(Path("old.xml")));
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!saved);
        QVERIFY(doc.IsModified());
        QCOMPARE(FileBytes(Path("old.xml")), ElevenLines);
        QCOMPARE(TestFolder::Names(m_dir.path(), "old.xml"), QStringList{"old.xml"});
        QCOMPARE(TestFolder::Names(m_dir.path(), ".old.xml"), QStringList());
    }

    void progressCanCancel() {
        CVantorDoc big;
        for (int i = 0; i < 3 * ProgressInterval; ++i)
            AppendRecord(big, Fsk(reinterpret_cast<const char16_t*>(QString::number(i).utf16())));
        QVERIFY(big.OnSaveDocument(Path("big.xml")));
        const QByteArray saved = FileBytes(Path("big.xml"));

        QList<qint64> seen;
        CVantorDoc doc;
        AppendRecord(doc, Fsk(u"kept"));
        doc.SetProgressHandler([&seen](qint64 done, qint64 total) {
            seen << done;
            return done < total / 2; // cancel half-way
        });
        const FileResult opened = doc.OnOpenDocument(Path("big.xml"));
        QVERIFY(opened.IsCancelled());
        QVERIFY(opened.Message().contains("cancelled"));
        QCOMPARE(Names(doc), QStringList{"kept"});
        QVERIFY(!seen.isEmpty() && std::is_sorted(seen.begin(), seen.end()));
        seen.clear();
        QVERIFY(!doc.MergeFile(Path("big.xml")));
        QCOMPARE(Names(doc), QStringList{"kept"});
        QVERIFY(!seen.isEmpty());

        seen.clear();
        MarkModified(big);
        big.SetProgressHandler([&seen](qint64 done, qint64 total) {
            seen << done;
            return done < total; // cancel at the last report
        });
        CopyText(big.GetSignal(0)->m_szName, u"changed");
        QVERIFY(!big.OnSaveDocument(Path("big.xml")));
        QCOMPARE(seen,
                 (QList<qint64>{ProgressInterval, 2 * ProgressInterval, 3 * ProgressInterval}));
        QCOMPARE(FileBytes(Path("big.xml")), saved);
        QVERIFY(big.IsModified());
        big.SetProgressHandler({});
        QVERIFY(big.OnSaveDocument(Path("big.xml")));
    }

    void unwritableTextFailsSave() {
        CVantorDoc doc;
        auto bad = Fsk(u"bad");
        CopyText(bad->m_szComment, u"\x0001");
        AppendRecord(doc, std::move(bad));
        MarkModified(doc);
        QVERIFY(WriteBytes(Path("keep.xml"), ElevenLines));
        const FileResult saved = doc.OnSaveDocument(Path("keep.xml"));
        QVERIFY(!saved && !saved.IsCancelled());
        QVERIFY(saved.Message().contains("bad"));
        QCOMPARE(FileBytes(Path("keep.xml")), ElevenLines);
        QVERIFY(doc.IsModified());
    }

    // A step of the history holds what it changed, not the order of every record: an edit,
    // a new signal or a deletion among 10,000 costs about one record, not 10,000 pointers.
    void stepsHoldWhatChanged() {
        CVantorDoc doc;
        for (int i = 0; i < 10000; ++i)
            AppendRecord(doc, Fsk(reinterpret_cast<const char16_t*>(QString::number(i).utf16())));
        doc.SortSignals(0, false);
        const std::size_t bound = 4 * sizeof(CSignalDescription) + 1024;
        CSignalDescription value = *doc.GetSignal(500);
        CopyText(value.m_szName, u"edited");
        doc.Push(std::make_unique<CEditSignalStep>(&doc, doc.GetSignal(500), value, 0, false));
        SignalCollection added;
        added.push_back(Fsk(u"new"));
        doc.Push(std::make_unique<CInsertSignalsStep>(&doc, QStringLiteral("New"), std::move(added),
                                                      0, false));
        doc.Push(std::make_unique<CRemoveSignalsStep>(
            &doc, QStringLiteral("Delete"), std::vector<CSignalDescription*>{doc.GetSignal(7)}));
        QVERIFY2(doc.HistoryBytes() < 3 * bound, qPrintable(QString::number(doc.HistoryBytes())));
        QCOMPARE(doc.GetSignalCount(), 10000);
    }
};

QTEST_GUILESS_MAIN(TestVantorDoc)
#include "tst_vantordoc.moc"
