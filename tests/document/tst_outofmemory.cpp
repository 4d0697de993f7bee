#include "QuarnTool.h"
#include "SignalDescription.h"
#include "SignalText.h"
#include "TestDocument.h"
#include "TestTexts.h"
#include "VantorDoc.h"
#include "Vocabulary.h"

#include <QTemporaryDir>
#include <QTest>

#ifdef QUARN_WITH_VIEW
#include "Prompts.h"
#include "SignalRowModel.h"
#include "VantorView.h"

#include <QUndoStack>
#endif

#include <atomic>
#include <cstdlib>
#include <new>
#include <sstream>

// This suite's allocation limit: while the budget is not negative, operator new fails
// once the bytes asked for since it was set exceed it.
namespace {
std::atomic<long long> g_budget{-1};
} // namespace

namespace {

void* Allocate(std::size_t size) noexcept {
    if (g_budget.load() >= 0 &&
        g_budget.fetch_sub(static_cast<long long>(size)) < static_cast<long long>(size))
        return nullptr;
    return std::malloc(size ? size : 1);
}

void* AllocateOrThrow(std::size_t size) {
    if (void* p = Allocate(size))
        return p;
    throw std::bad_alloc();
}

} // namespace

// Every plain form is replaced, so that allocation and release always pair up.
void* operator new(std::size_t size) {
    return AllocateOrThrow(size);
}
void* operator new[](std::size_t size) {
    return AllocateOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

namespace {

struct Budget {
    explicit Budget(long long bytes) { g_budget = bytes; }
    ~Budget() { g_budget = -1; }
};

} // namespace

// An open or merge that cannot get memory fails with "not enough memory" and the document
// keeps exactly what it held.
class TestOutOfMemory : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_big;

private slots:
    void initTestCase() {
        CVantorDoc big;
        for (int i = 0; i < 3000; ++i) {
            auto s = std::make_unique<CSignalDescription>();
            CopyText(s->m_szName, QStringLiteral("big %1").arg(i).toStdU16String());
            s->m_nModulation = ModulationCw;
            AppendRecord(big, std::move(s));
        }
        m_big = m_dir.filePath("big.xml");
        QVERIFY(big.OnSaveDocument(m_big));
    }

    void documentKeepsWhatItHeld_data() {
        QTest::addColumn<bool>("merge");
        QTest::newRow("open") << false;
        QTest::newRow("merge") << true;
    }
    void documentKeepsWhatItHeld() {
        QFETCH(bool, merge);
        CVantorDoc doc;
        QVERIFY(doc.OnOpenDocument(QStringLiteral(QUARN_TEST_DATA "/mixed.xml")));
        MarkModified(doc);
        const QStringList before = Names(doc);
        FileResult read;
        {
            const Budget budget(200'000); // less than the 3,000 records need
            read = merge ? doc.MergeFile(m_big) : doc.OnOpenDocument(m_big);
        }
        QCOMPARE(read.GetStatus(), FileResult::Status::Failed);
        QCOMPARE(read.Message(), m_big + QStringLiteral(": not enough memory"));
        QCOMPARE(Names(doc), before);
        QCOMPARE(doc.GetPathName(), QStringLiteral(QUARN_TEST_DATA "/mixed.xml"));
        QVERIFY(doc.IsModified());
        // With memory again, the same file reads.
        QVERIFY(merge ? doc.MergeFile(m_big) : doc.OnOpenDocument(m_big));
    }

#ifdef QUARN_WITH_VIEW
    // A paste or an undo that runs out of memory ends with "not enough memory" and leaves
    // the document as it was; with memory again the same command works.
    void commandsKeepTheDocument_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("paste") << "paste";
        QTest::newRow("undo of a cut") << "undo";
    }
    void commandsKeepTheDocument() {
        QFETCH(QString, command);
        CPrompts::SetTesting(true);
        CPrompts::Reset();
        CVantorDoc doc;
        QVERIFY(doc.OnOpenDocument(m_big));
        CVantorView view(&doc);
        view.OnEditSelectAll();
        view.OnEditCopy();
        if (command == "undo")
            view.ListCommands()->Cut();
        const QStringList before = Names(doc);
        const auto run = [&] {
            if (command == "paste")
                view.ListCommands()->Paste();
            else
                view.UndoStack()->undo();
        };
        bool ok = true;
        {
            const Budget budget(20'000);
            ok = CPrompts::Guard(&view, run);
        }
        QVERIFY(!ok);
        QCOMPARE(CPrompts::ShownMessages().last().text, QStringLiteral("not enough memory"));
        QCOMPARE(Names(doc), before);
        QCOMPARE(view.RowModel()->rowCount(), before.size());
        QVERIFY(CPrompts::Guard(&view, run));
        QCOMPARE(doc.GetSignalCount(), command == "paste" ? 6000 : 3000);
    }
#endif

    void toolExitsWithTwo() {
        std::ostringstream out, err;
        int status = 0;
        {
            const Budget budget(200'000); // less than the 3,000 records need
            status = RunQuarnTool({"list", m_big.toStdString()}, out, err);
        }
        QCOMPARE(status, 2);
        QCOMPARE(QString::fromStdString(err.str()),
                 QStringLiteral("quarn-tool: %1: not enough memory\n").arg(m_big));
    }
};

#ifdef QUARN_WITH_VIEW
QTEST_MAIN(TestOutOfMemory)
#else
QTEST_GUILESS_MAIN(TestOutOfMemory)
#endif
#include "tst_outofmemory.moc"
