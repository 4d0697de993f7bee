// Measures the editor's file and list operations side by side with the XML engines under
// them, for 10,000, 100,000 and 1,000,000 records, and prints the ratios the goals name.

#include "CommandIds.h"
#include "DetailsPane.h"
#include "MergePlan.h"
#include "MergeReviewDialog.h"
#include "ProblemsPane.h"
#include "Prompts.h"
#include "RecoverySnapshot.h"
#include "SignalChange.h"
#include "SignalColumns.h"
#include "SignalComparison.h"
#include "SignalController.h"
#include "SignalDescription.h"
#include "SignalFileReader.h"
#include "SignalFileWriter.h"
#include "SignalGenerator.h"
#include "SignalRowModel.h"
#include "SignalSteps.h"
#include "SignalXml.h"
#include "Utf8Text.h"
#include "VantorDoc.h"
#include "VantorView.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QUndoStack>

#include <benchmark/benchmark.h>
#include <expat.h>
#include <libxml/xmlreader.h>
#include <libxml/xmlwriter.h>
#include <pugixml.hpp>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <map>
#include <new>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// Every allocation of the process is counted, so that a benchmark can tell how many a step
// made.
static std::atomic<std::uint64_t> g_allocations{0};

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

constexpr std::uint32_t BaseSeed = 1;
constexpr std::uint32_t MergeSeed = 2;

QString BenchDir() {
    QString dir = qEnvironmentVariable("QUARN_BENCH_DIR");
    if (dir.isEmpty())
        dir = QDir::tempPath() + QStringLiteral("/quarn-bench");
    QDir().mkpath(dir);
    return dir;
}

QString BasePath(std::int64_t n) {
    return BenchDir() + QStringLiteral("/base-%1.xml").arg(n);
}
QString MergePath(std::int64_t n) {
    return BenchDir() + QStringLiteral("/merge-%1.xml").arg(n);
}
QString OutPath() {
    return BenchDir() + QStringLiteral("/out.xml");
}

// The generated files are kept between runs; they depend only on the size and the seeds.
void EnsureFiles(std::int64_t n) {
    if (QFileInfo::exists(BasePath(n)) && QFileInfo::exists(MergePath(n)))
        return;
    const SignalCollection base = GenerateSignals(static_cast<std::size_t>(n), BaseSeed);
    WriteSignals(BasePath(n), base);
    WriteSignals(MergePath(n), GenerateMergeSignals(base, static_cast<std::size_t>(n), MergeSeed));
}

std::int64_t FileSize(const QString& path) {
    return QFileInfo(path).size();
}

// Documents opened once per size, for the benchmarks that work on a loaded database.
CVantorDoc& LoadedDoc(std::int64_t n) {
    static std::map<std::int64_t, std::unique_ptr<CVantorDoc>> docs;
    auto& doc = docs[n];
    if (!doc) {
        EnsureFiles(n);
        doc = std::make_unique<CVantorDoc>();
        doc->OnOpenDocument(BasePath(n));
    }
    return *doc;
}

template <typename Doc> void DestroyUntimed(benchmark::State& state, Doc& doc) {
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
}

void BM_Open(benchmark::State& state) {
    EnsureFiles(state.range(0));
    const QString path = BasePath(state.range(0));
    for (auto _ : state) {
        auto doc = std::make_unique<CVantorDoc>();
        if (!doc->OnOpenDocument(path))
            state.SkipWithError("open failed");
        DestroyUntimed(state, doc);
    }
    state.SetBytesProcessed(state.iterations() * FileSize(path));
}

// The same open with the file parsed on the calling thread alone.
void BM_OpenOneThread(benchmark::State& state) {
    const qint64 before = CSignalFileReader::TwoThreadBytes();
    CSignalFileReader::SetTwoThreadBytes(std::numeric_limits<qint64>::max());
    BM_Open(state);
    CSignalFileReader::SetTwoThreadBytes(before);
}

// libxml2's pull reader alone: every node, every attribute's name and value, every text.
void BM_ReaderWalk(benchmark::State& state) {
    EnsureFiles(state.range(0));
    const QByteArray path = QFile::encodeName(BasePath(state.range(0)));
    for (auto _ : state) {
        xmlTextReaderPtr reader = xmlReaderForFile(path.constData(), nullptr, XML_PARSE_NONET);
        std::size_t seen = 0;
        while (xmlTextReaderRead(reader) == 1) {
            seen += xmlTextReaderNodeType(reader);
            if (const xmlChar* value = xmlTextReaderConstValue(reader))
                seen += xmlStrlen(value);
            if (xmlTextReaderMoveToFirstAttribute(reader) == 1) {
                do {
                    seen += xmlStrlen(xmlTextReaderConstLocalName(reader)) +
                            xmlStrlen(xmlTextReaderConstValue(reader));
                } while (xmlTextReaderMoveToNextAttribute(reader) == 1);
                xmlTextReaderMoveToElement(reader);
            }
            seen += xmlStrlen(xmlTextReaderConstLocalName(reader));
        }
        xmlFreeTextReader(reader);
        benchmark::DoNotOptimize(seen);
    }
    state.SetBytesProcessed(state.iterations() * FileSize(BasePath(state.range(0))));
}

// expat alone, as the editor's reader runs it (namespaces on, 64 kB chunks): every element's
// name, every attribute's name and value, every text.
void BM_ExpatWalk(benchmark::State& state) {
    EnsureFiles(state.range(0));
    const QByteArray path = QFile::encodeName(BasePath(state.range(0)));
    for (auto _ : state) {
        std::size_t seen = 0;
        XML_Parser parser = XML_ParserCreateNS(nullptr, '\n');
        XML_SetUserData(parser, &seen);
        XML_SetElementHandler(
            parser,
            [](void* data, const XML_Char* name, const XML_Char** attributes) {
                auto& count = *static_cast<std::size_t*>(data);
                count += std::strlen(name);
                for (int i = 0; attributes[i]; i += 2)
                    count += std::strlen(attributes[i]) + std::strlen(attributes[i + 1]);
            },
            [](void* data, const XML_Char* name) {
                *static_cast<std::size_t*>(data) += std::strlen(name);
            });
        XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char*, int length) {
            *static_cast<std::size_t*>(data) += static_cast<std::size_t>(length);
        });
        QFile file(QFile::decodeName(path));
        file.open(QIODevice::ReadOnly);
        for (;;) {
            const QByteArray chunk = file.read(64 * 1024);
            if (XML_Parse(parser, chunk.constData(), static_cast<int>(chunk.size()),
                          chunk.isEmpty()) != XML_STATUS_OK) {
                state.SkipWithError("expat failed");
                break;
            }
            if (chunk.isEmpty())
                break;
        }
        XML_ParserFree(parser);
        benchmark::DoNotOptimize(seen);
    }
    state.SetBytesProcessed(state.iterations() * FileSize(BasePath(state.range(0))));
}

std::size_t Walk(const pugi::xml_node& node) {
    std::size_t seen = std::strlen(node.name()) + std::strlen(node.value());
    for (const pugi::xml_attribute& attribute : node.attributes())
        seen += std::strlen(attribute.name()) + std::strlen(attribute.value());
    for (const pugi::xml_node& child : node.children())
        seen += Walk(child);
    return seen;
}

void BM_PugiWalk(benchmark::State& state) {
    EnsureFiles(state.range(0));
    const QByteArray path = QFile::encodeName(BasePath(state.range(0)));
    for (auto _ : state) {
        pugi::xml_document document;
        document.load_file(path.constData());
        benchmark::DoNotOptimize(Walk(document));
    }
    state.SetBytesProcessed(state.iterations() * FileSize(BasePath(state.range(0))));
}

void BM_Save(benchmark::State& state) {
    CVantorDoc& doc = LoadedDoc(state.range(0));
    for (auto _ : state) {
        if (!doc.OnSaveDocument(OutPath()))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * FileSize(OutPath()));
}

// A recovery snapshot of the loaded database: the whole write into the private state folder
// (what the forked copy does while the window goes on).
void BM_Snapshot(benchmark::State& state) {
    CVantorDoc& doc = LoadedDoc(state.range(0));
    qputenv("XDG_STATE_HOME", (BenchDir() + QStringLiteral("/state")).toUtf8());
    QByteArray written;
    for (auto _ : state) {
        QString error;
        if (!CRecoverySnapshot::Write(OutPath(), doc.Signals(), doc.GetFileIdentity(), error,
                                      &written))
            state.SkipWithError("snapshot failed");
    }
    CRecoverySnapshot::RemoveBase(written);
    CRecoverySnapshot::EndRun();
}

// What the window waits for in one background snapshot: preparing the file and forking the
// process holding the loaded database, then, once the copy has filled the file, naming it
// and writing its note. Iteration time is those two waits together; "longest" is the longer
// of the two in any iteration, the window's longest stall.
void BM_SnapshotWindowWait(benchmark::State& state) {
    CVantorDoc& doc = LoadedDoc(state.range(0));
    qputenv("XDG_STATE_HOME", (BenchDir() + QStringLiteral("/state")).toUtf8());
    double longest = 0;
    QByteArray written;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        CRecoverySnapshot::Target target;
        QString error;
        if (!CRecoverySnapshot::Prepare(OutPath(), target, error)) {
            state.SkipWithError("prepare failed");
            break;
        }
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(CRecoverySnapshot::Fill(target, doc.Signals()));
        const double start = static_cast<double>(timer.nsecsElapsed()) / 1e9;
        int status = 0;
        ::waitpid(child, &status, 0);
        timer.restart();
        written = target.base;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
            !CRecoverySnapshot::Commit(target, OutPath(), doc.GetSignalCount(),
                                       doc.GetFileIdentity(), error)) {
            state.SkipWithError("snapshot failed");
            break;
        }
        const double finish = static_cast<double>(timer.nsecsElapsed()) / 1e9;
        longest = std::max({longest, start, finish});
        state.SetIterationTime(start + finish);
    }
    state.counters["longest_ms"] = longest * 1000;
    CRecoverySnapshot::RemoveBase(written);
    CRecoverySnapshot::EndRun();
}

// libxml2's streaming writer alone, writing the same elements from texts made beforehand.
void BM_WriterPass(benchmark::State& state) {
    CVantorDoc& doc = LoadedDoc(state.range(0));
    // Render every record once, to learn the element and attribute texts it writes.
    std::vector<std::vector<std::pair<std::string, std::string>>> elements;
    {
        QByteArray bytes;
        QString error;
        CSignalFileWriter::WriteBuffer(doc.Signals(), bytes, error);
        pugi::xml_document parsed;
        parsed.load_buffer(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        for (const pugi::xml_node& signal : parsed.child("SignalDatabase").child("SignalList")) {
            std::vector<std::pair<std::string, std::string>> items;
            for (const pugi::xml_attribute& a : signal.attributes())
                items.emplace_back(std::string("@") + a.name(), a.value());
            for (const pugi::xml_node& child : signal.children())
                items.emplace_back(child.name(), child.child_value());
            elements.push_back(std::move(items));
        }
    }
    const QByteArray path = QFile::encodeName(OutPath());
    for (auto _ : state) {
        xmlTextWriterPtr w = xmlNewTextWriterFilename(path.constData(), 0);
        xmlTextWriterSetIndent(w, 1);
        xmlTextWriterSetIndentString(w, BAD_CAST "  ");
        xmlTextWriterStartDocument(w, "1.0", "UTF-8", "yes");
        xmlTextWriterStartElement(w, BAD_CAST "SignalDatabase");
        xmlTextWriterStartElement(w, BAD_CAST "SignalList");
        for (const auto& items : elements) {
            xmlTextWriterStartElement(w, BAD_CAST "Signal");
            for (const auto& [name, value] : items) {
                if (name[0] == '@')
                    xmlTextWriterWriteAttribute(w, BAD_CAST(name.c_str() + 1),
                                                BAD_CAST value.c_str());
                else
                    xmlTextWriterWriteElement(w, BAD_CAST name.c_str(), BAD_CAST value.c_str());
            }
            xmlTextWriterEndElement(w);
        }
        xmlTextWriterEndDocument(w);
        xmlFreeTextWriter(w);
    }
    state.SetBytesProcessed(state.iterations() * FileSize(OutPath()));
}

void BM_RawWrite(benchmark::State& state) {
    EnsureFiles(state.range(0));
    QFile source(BasePath(state.range(0)));
    source.open(QIODevice::ReadOnly);
    const QByteArray bytes = source.readAll();
    const QByteArray path = QFile::encodeName(OutPath());
    for (auto _ : state) {
        FILE* out = std::fopen(path.constData(), "wb");
        std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), out);
        std::fclose(out);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_OpenMergeFile(benchmark::State& state) {
    EnsureFiles(state.range(0));
    const QString path = MergePath(state.range(0));
    for (auto _ : state) {
        auto doc = std::make_unique<CVantorDoc>();
        doc->OnOpenDocument(path);
        DestroyUntimed(state, doc);
    }
}

void BM_Merge(benchmark::State& state) {
    EnsureFiles(state.range(0));
    CVantorDoc::MergeResult result;
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CVantorDoc>();
        doc->OnOpenDocument(BasePath(state.range(0)));
        state.ResumeTiming();
        doc->MergeFile(MergePath(state.range(0)), &result);
        DestroyUntimed(state, doc);
    }
    state.counters["added"] = result.added;
    state.counters["dropped"] = result.dropped;
}

// File > Merge up to its review shown: the other file read, every signal weighed against the
// held ones, the review window open (beside Open and OpenMergeFile: opening both files).
void BM_MergeReview(benchmark::State& state) {
    EnsureFiles(state.range(0));
    CPrompts::SetTesting(true);
    std::size_t entries = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CVantorDoc>();
        doc->OnOpenDocument(BasePath(state.range(0)));
        state.ResumeTiming();
        {
            CVantorDoc::MergeSource source;
            doc->ReadMergeSource(MergePath(state.range(0)), source);
            MergePlan plan = PlanMerge(doc->Signals(), source.records);
            CMergeReviewDialog review(plan, MergePath(state.range(0)));
            review.show();
            QCoreApplication::processEvents();
            entries = plan.entries.size();
            state.PauseTiming(); // what the review held goes untimed
        }
        doc.reset();
        state.ResumeTiming();
    }
    state.counters["entries"] = static_cast<double>(entries);
}

// The same merge with the duplicate test done as a scan of every held record.
void BM_MergeScan(benchmark::State& state) {
    EnsureFiles(state.range(0));
    int dropped = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CVantorDoc>();
        doc->OnOpenDocument(BasePath(state.range(0)));
        state.ResumeTiming();
        QString error;
        CSignalFileReader::Read(
            MergePath(state.range(0)),
            [&](std::unique_ptr<CSignalDescription> signal, SignalReadNotes&&) {
                if (doc->FindEqualSignal(*signal) >= 0) {
                    ++dropped;
                    return;
                }
                signal->SetMerged(true);
                SignalCollection one;
                one.push_back(std::move(signal));
                doc->InsertSignals({doc->GetSignalCount()}, one);
            },
            error);
        DestroyUntimed(state, doc);
    }
    state.counters["dropped"] = dropped;
}

// Milliseconds that run takes.
double TimeMs(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return 1000 * std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_Sort(benchmark::State& state) {
    CVantorDoc& doc = LoadedDoc(1000000);
    const int column = static_cast<int>(state.range(0));
    const bool descending = state.range(1) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        doc.SortSignals(ColumnName, false); // the same starting order every time
        state.ResumeTiming();
        doc.SortSignals(column, descending);
    }
}

void BM_RebuildRows(benchmark::State& state) {
    CVantorDoc& doc = LoadedDoc(1000000);
    CSignalRowModel model(&doc);
    const auto filter = static_cast<std::uint32_t>(state.range(0));
    for (auto _ : state)
        model.SetFilter(filter);
    state.counters["rows"] = model.rowCount();
}

// Deleting every tenth of a million records (100,000) and undoing it as the history's step
// does: each is one pass over the collection; step_MB is what the step holds.
void BM_DeleteUndo(benchmark::State& state) {
    CVantorDoc& doc = LoadedDoc(1000000);
    const std::vector<CSignalDescription*> order = doc.Order();
    std::vector<CSignalDescription*> doomed;
    for (std::size_t i = 0; i < order.size(); i += 10)
        doomed.push_back(order[i]);
    CRemoveSignalsStep step(&doc, QStringLiteral("Delete"), doomed);
    double deleteSeconds = 0;
    double undoSeconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        step.redo();
        auto middle = std::chrono::steady_clock::now();
        state.counters["step_MB"] = double(step.Bytes()) / 1e6;
        step.undo();
        auto end = std::chrono::steady_clock::now();
        deleteSeconds += std::chrono::duration<double>(middle - start).count();
        undoSeconds += std::chrono::duration<double>(end - middle).count();
    }
    state.counters["delete_ms"] = 1000 * deleteSeconds / double(state.iterations());
    state.counters["undo_ms"] = 1000 * undoSeconds / double(state.iterations());
}

// The list's commands on a million signals as the user runs them, each timed once per
// iteration: a click on the Shift column's header, select all + Delete + Yes, Undo, the first
// find keystroke and a later one, Change Selected Signals on all (a comment) and its undo.
void BM_EditorCommands(benchmark::State& state) {
    CVantorDoc& doc = LoadedDoc(1000000);
    CPrompts::SetTesting(true);
    CVantorView view(&doc);
    const auto time = TimeMs;
    std::map<std::string, double> total;
    SignalChange commentChange;
    commentChange.field = SignalChangeField::Comment;
    commentChange.text = u"changed";
    for (auto _ : state) {
        total["sort_click_ms"] += time([&] { view.OnColumnClick(ColumnShift); });
        total["sort_back_ms"] += time([&] { view.OnColumnClick(ColumnName); });
        view.OnEditSelectAll();
        CPrompts::PushAnswer(QMessageBox::Yes);
        total["select_all_delete_ms"] += time([&] { view.OnSignalDelete(); });
        total["undo_ms"] += time([&] { view.UndoStack()->undo(); });
        total["first_find_ms"] += time([&] { view.SetFindText(QStringLiteral(" 1")); });
        total["next_find_ms"] += time([&] { view.SetFindText(QStringLiteral(" 12")); });
        view.SetFindText(QString());
        const std::vector<CSignalDescription*> all = doc.Order();
        total["change_all_ms"] +=
            time([&] { view.Controller()->ChangeSignals(all, commentChange); });
        total["change_all_undo_ms"] += time([&] { view.UndoStack()->undo(); });
    }
    for (const auto& [name, ms] : total)
        state.counters[name] = ms / double(state.iterations());
    state.counters["rows"] = view.RowModel()->rowCount();
}

// The details pane following its signal through a column sort and the sort back, at a
// million signals: the pane beside the list, the current row in the middle.
void BM_DetailsFollowSort(benchmark::State& state) {
    CVantorDoc& doc = LoadedDoc(1000000);
    CPrompts::SetTesting(true);
    CVantorView view(&doc);
    CDetailsPane pane(&view);
    view.resize(1000, 600);
    pane.show();
    view.show();
    view.setCurrentIndex(view.model()->index(500000, 0));
    QCoreApplication::processEvents();
    const CSignalDescription* shown = pane.Signal();
    // The pane follows once the events the sort queued have run.
    const auto time = [](const std::function<void()>& run) {
        return TimeMs([&run] {
            run();
            QCoreApplication::processEvents();
        });
    };
    std::map<std::string, double> total;
    bool followed = shown != nullptr;
    for (auto _ : state) {
        total["sort_click_ms"] += time([&] { view.OnColumnClick(ColumnShift); });
        followed = followed && pane.Signal() == shown;
        total["sort_back_ms"] += time([&] { view.OnColumnClick(ColumnName); });
        followed = followed && pane.Signal() == shown;
    }
    for (const auto& [name, ms] : total)
        state.counters[name] = ms / double(state.iterations());
    state.counters["followed"] = followed ? 1 : 0;
}

// View > Problems at a million signals: the list made for the whole database, and made again
// after one signal is disabled, each with the events it queues run.
void BM_ProblemsPane(benchmark::State& state) {
    CVantorDoc& doc = LoadedDoc(1000000);
    CPrompts::SetTesting(true);
    CVantorView view(&doc);
    CProblemsPane pane(&view);
    view.resize(1000, 600);
    view.show();
    pane.resize(600, 400);
    pane.show();
    QCoreApplication::processEvents();
    std::map<std::string, double> total;
    for (auto _ : state) {
        total["refresh_ms"] += TimeMs([&] {
            pane.Refresh();
            QCoreApplication::processEvents();
        });
        view.setCurrentIndex(view.model()->index(1000, 0));
        total["disable_refresh_ms"] += TimeMs([&] {
            view.Command(ID_SIGNAL_DISABLE)->trigger();
            pane.Refresh();
            QCoreApplication::processEvents();
        });
        state.counters["problems"] = double(pane.Problems().size());
        view.UndoStack()->undo();
    }
    for (const auto& [name, ms] : total)
        state.counters[name] = ms / double(state.iterations());
}

// The controller's steps at a million signals, each timed once per iteration: a Compare With
// step (one signal disabled, then the comparison paired again, as the queued pairing after
// every change does), Change Selected Signals on every signal (a comment), and its undo.
void ControllerRounds(benchmark::State& state, const QString& other) {
    CVantorDoc& doc = LoadedDoc(1000000);
    CSignalController controller(&doc);
    if (!controller.Compare(other)) {
        state.SkipWithError("the other version cannot be read");
        return;
    }
    const auto time = TimeMs;
    std::map<std::string, double> total;
    SignalChange change;
    change.field = SignalChangeField::Comment;
    change.text = u"changed";
    // A signal whose name stands once in the open database, near its middle.
    const auto alone = [&doc] {
        int at = doc.GetSignalCount() / 2;
        const auto name = [&doc](int i) { return doc.GetSignal(i)->m_szName.View(); };
        while (at + 2 < doc.GetSignalCount() &&
               (name(at) == name(at - 1) || name(at) == name(at + 1)))
            ++at;
        return at;
    };
    const auto flip = [&](int at) {
        CSignalDescription* one = doc.GetSignal(at);
        controller.SetDisabled({one}, {at}, !one->m_bDisabled);
        QCoreApplication::processEvents(); // the pairing queued by the change
    };
    for (auto _ : state) {
        total["compare_step_ms"] += time([&] { flip(12345); });
        const int at = alone();
        total["compare_step_alone_ms"] += time([&] { flip(at); });
        total["compare_sort_ms"] += time([&] {
            controller.ColumnClicked(ColumnShift);
            QCoreApplication::processEvents();
        });
        total["compare_sort_back_ms"] += time([&] {
            controller.ColumnClicked(ColumnName);
            QCoreApplication::processEvents();
        });
        const std::vector<CSignalDescription*> all = doc.Order();
        total["change_all_ms"] += time([&] { controller.ChangeSignals(all, change); });
        total["change_all_undo_ms"] += time([&] {
            doc.History()->undo();
            QCoreApplication::processEvents();
        });
    }
    for (const auto& [name, ms] : total)
        state.counters[name] = ms / double(state.iterations());
    state.counters["changed"] = controller.Comparison()->Count().changed;
}

// Compared with another database of as many signals (half of them copies of the open one's).
void BM_ControllerSteps(benchmark::State& state) {
    ControllerRounds(state, MergePath(1000000));
}

// Compared with the version the open database was read from, as before a commit.
void BM_ControllerStepsSaved(benchmark::State& state) {
    ControllerRounds(state, BasePath(1000000));
}

// Sorts, a filter and an undo with 100,000 rows selected, every tenth row (scattered) or the
// first 100,000 (one block, which the sort by Shift scatters): each keeps the selection on its
// records; the counters say how many rows are still selected.
void SelectionRounds(benchmark::State& state, bool scattered) {
    CVantorDoc& doc = LoadedDoc(1000000);
    CPrompts::SetTesting(true);
    CVantorView view(&doc);
    QAbstractItemModel* model = view.model();
    // Made anew for each round: a selection's indexes follow the rows they were made for.
    const auto chosenRows = [model, scattered] {
        QItemSelection rows;
        if (!scattered) {
            rows.select(model->index(0, 0), model->index(99999, model->columnCount() - 1));
            return rows;
        }
        for (int row = 0; row < model->rowCount(); row += 10)
            rows.select(model->index(row, 0), model->index(row, model->columnCount() - 1));
        return rows;
    };
    const auto time = TimeMs;
    const auto selected = [&view] {
        double rows = 0;
        for (const QItemSelectionRange& range : view.selectionModel()->selection())
            rows += range.height();
        return rows;
    };
    std::map<std::string, double> total;
    for (auto _ : state) {
        view.selectionModel()->select(chosenRows(), QItemSelectionModel::ClearAndSelect);
        total["sort_click_ms"] += time([&] { view.OnColumnClick(ColumnShift); });
        total["sort_back_ms"] += time([&] { view.OnColumnClick(ColumnName); });
        total["selected_after_sorts"] += selected();
        total["disable_ms"] += time([&] { view.Command(ID_SIGNAL_DISABLE)->trigger(); });
        total["undo_ms"] += time([&] { view.UndoStack()->undo(); });
        total["selected_after_undo"] += selected();
        total["filter_fsk_ms"] += time([&] { view.Command(ID_FILTER_FSK)->trigger(); });
        total["selected_fsk"] += selected();
        total["filter_all_ms"] += time([&] { view.Command(ID_FILTER_ALL)->trigger(); });
    }
    for (const auto& [name, value] : total)
        state.counters[name] = value / double(state.iterations());
}

void BM_SelectionKept(benchmark::State& state) {
    SelectionRounds(state, true);
}

void BM_SelectionKeptBlock(benchmark::State& state) {
    SelectionRounds(state, false);
}

// The editor's open as the user waits for it: the file read into a document that a shown
// list follows, until the list has painted its first rows (compared with the bare expat walk).
void BM_ListShown(benchmark::State& state) {
    EnsureFiles(state.range(0));
    CPrompts::SetTesting(true);
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CVantorDoc>();
        auto view = std::make_unique<CVantorView>(doc.get());
        view->resize(1000, 600);
        view->show();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        doc->OnOpenDocument(BasePath(state.range(0)));
        view->repaint();
        state.PauseTiming();
        view.reset();
        doc.reset();
        state.ResumeTiming();
    }
}

// Find by Parameters over a million signals: from the last keystroke (the query asked) to
// the list repainted with the matches, nearest first.
void BM_FindByParameters(benchmark::State& state) {
    CVantorDoc& doc = LoadedDoc(1000000);
    CPrompts::SetTesting(true);
    CVantorView view(&doc);
    view.resize(1000, 600);
    view.show();
    QCoreApplication::processEvents();
    ParameterQuery query;
    query.baud = 50;
    query.shift = 170;
    for (auto _ : state) {
        view.SetParameterQuery(query);
        view.repaint();
        state.PauseTiming();
        view.EndParameterFind();
        state.ResumeTiming();
    }
    view.SetParameterQuery(query);
    state.counters["matches"] = view.RowModel()->rowCount();
    view.EndParameterFind();
}

// The find bar's rebuild: " 12" starts the serial of about 1 % of the generated names.
void BM_FindRows(benchmark::State& state) {
    CVantorDoc& doc = LoadedDoc(1000000);
    CSignalRowModel model(&doc);
    const QString text = QStringLiteral(" 12");
    // Every find reads the records' texts in place: the first is timed on its own, as the
    // first keystroke after a change.
    model.RebuildRows();
    const auto start = std::chrono::steady_clock::now();
    model.SetFindText(text);
    state.counters["first_find_ms"] =
        1000 * std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::uint64_t allocations = 0;
    for (auto _ : state) {
        state.PauseTiming();
        model.SetFindText(QString());
        state.ResumeTiming();
        const std::uint64_t before = g_allocations;
        model.SetFindText(text);
        allocations += g_allocations - before;
    }
    state.counters["rows"] = model.rowCount();
    state.counters["share_percent"] = 100.0 * model.rowCount() / doc.GetSignalCount();
    // The row map grows a few times; nothing is allocated per record.
    state.counters["allocations"] = double(allocations) / double(state.iterations());
}

void BM_CellTexts(benchmark::State& state) {
    CVantorDoc& doc = LoadedDoc(1000000);
    CSignalRowModel model(&doc);
    std::uint64_t allocations = 0;
    std::uint64_t cells = 0;
    for (auto _ : state) {
        const std::uint64_t before = g_allocations;
        std::size_t length = 0;
        for (int row = 0; row < model.rowCount(); ++row) {
            for (int column = 0; column < SignalColumnCount; ++column)
                length += model.data(model.index(row, column)).toString().size();
        }
        allocations += g_allocations - before;
        cells += static_cast<std::uint64_t>(model.rowCount()) * SignalColumnCount;
        benchmark::DoNotOptimize(length);
    }
    state.counters["allocations_per_cell"] = double(allocations) / double(cells);
}

double StatusKb(const char* field) {
    double kb = 0;
    if (FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status)) {
            if (std::strncmp(line, field, std::strlen(field)) == 0)
                kb = std::atof(line + std::strlen(field));
        }
        std::fclose(status);
    }
    return kb;
}

// Opens one file and prints how far the process's resident memory rose above what it
// held before: run in a fresh process (quarn-bench --peak-open FILE).
int PeakOpen(const char* path) {
    const double before = StatusKb("VmRSS:");
    CVantorDoc doc;
    if (!doc.OnOpenDocument(QString::fromLocal8Bit(path)))
        return 1;
    std::printf("%f\n", (StatusKb("VmHWM:") - before) / 1024.0);
    return 0;
}

// Peak memory of an open, measured in a fresh process so that nothing else is counted.
void BM_OpenPeakMemory(benchmark::State& state) {
    const std::int64_t n = state.range(0);
    EnsureFiles(n);
    double peakMb = 0;
    const QByteArray command = "'" + QFile::encodeName(QCoreApplication::applicationFilePath()) +
                               "' --peak-open '" + QFile::encodeName(BasePath(n)) + "'";
    for (auto _ : state) {
        FILE* child = popen(command.constData(), "r");
        if (child == nullptr || std::fscanf(child, "%lf", &peakMb) != 1)
            state.SkipWithError("peak measurement failed");
        if (child)
            pclose(child);
    }
    const double records = double(n) * sizeof(CSignalDescription) / (1024.0 * 1024.0);
    state.counters["peak_MB"] = peakMb;
    state.counters["records_MB"] = records;
    state.counters["budget_MB"] = 1.2 * records + 64;
}

const std::vector<std::int64_t> Sizes = {10000, 100000, 1000000};

void Register() {
    for (auto* bench : {benchmark::RegisterBenchmark("Open", BM_Open),
                        benchmark::RegisterBenchmark("OpenOneThread", BM_OpenOneThread),
                        benchmark::RegisterBenchmark("ExpatWalk", BM_ExpatWalk),
                        benchmark::RegisterBenchmark("ReaderWalk", BM_ReaderWalk),
                        benchmark::RegisterBenchmark("PugiWalk", BM_PugiWalk),
                        benchmark::RegisterBenchmark("Save", BM_Save),
                        benchmark::RegisterBenchmark("Snapshot", BM_Snapshot),
                        benchmark::RegisterBenchmark("WriterPass", BM_WriterPass),
                        benchmark::RegisterBenchmark("RawWrite", BM_RawWrite),
                        benchmark::RegisterBenchmark("Merge", BM_Merge),
                        benchmark::RegisterBenchmark("OpenMergeFile", BM_OpenMergeFile),
                        benchmark::RegisterBenchmark("MergeReview", BM_MergeReview)}) {
        for (std::int64_t n : Sizes)
            bench->Arg(n);
        // Three repetitions, compared by their medians: this machine's disk and memory
        // timings wander from run to run.
        bench->Unit(benchmark::kMillisecond)
            ->MinTime(0.3)
            ->Repetitions(3)
            ->ReportAggregatesOnly(true)
            ->UseRealTime();
    }
    auto* wait = benchmark::RegisterBenchmark("SnapshotWindowWait", BM_SnapshotWindowWait);
    for (std::int64_t n : Sizes)
        wait->Arg(n);
    wait->Unit(benchmark::kMillisecond)
        ->MinTime(0.3)
        ->Repetitions(3)
        ->ReportAggregatesOnly(true)
        ->UseManualTime();
    auto* peak = benchmark::RegisterBenchmark("OpenPeakMemory", BM_OpenPeakMemory);
    for (std::int64_t n : Sizes)
        peak->Arg(n);
    peak->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("MergeScan", BM_MergeScan)
        ->Arg(100000)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    auto* sort = benchmark::RegisterBenchmark("Sort", BM_Sort);
    for (int column = 0; column < SignalColumnCount; ++column) {
        sort->Args({column, 0});
        sort->Args({column, 1});
    }
    sort->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
    auto* rebuild = benchmark::RegisterBenchmark("RebuildRows", BM_RebuildRows);
    for (std::uint32_t id = ID_FILTER_ALL; id <= ID_FILTER_PSK_MULTICARRIER; ++id)
        rebuild->Arg(id);
    rebuild->Unit(benchmark::kMillisecond)->UseRealTime();
    // The editor's actions at a million signals: three timed rounds each.
    for (const auto& [name, function] :
         {std::pair{"DeleteUndo", &BM_DeleteUndo}, std::pair{"EditorCommands", &BM_EditorCommands},
          std::pair{"DetailsFollowSort", &BM_DetailsFollowSort},
          std::pair{"ProblemsPane", &BM_ProblemsPane},
          std::pair{"ControllerSteps", &BM_ControllerSteps},
          std::pair{"ControllerStepsSaved", &BM_ControllerStepsSaved},
          std::pair{"SelectionKept", &BM_SelectionKept},
          std::pair{"SelectionKeptBlock", &BM_SelectionKeptBlock},
          std::pair{"FindByParameters", &BM_FindByParameters}})
        benchmark::RegisterBenchmark(name, function)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3)
            ->UseRealTime();
    auto* shown = benchmark::RegisterBenchmark("ListShown", BM_ListShown);
    for (std::int64_t n : Sizes)
        shown->Arg(n);
    shown->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
    benchmark::RegisterBenchmark("FindRows", BM_FindRows)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("CellTexts", BM_CellTexts)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(2)
        ->UseRealTime();
}

// Keeps every run's seconds per iteration and counters for the summary.
class Collector : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> seconds;
    std::map<std::string, benchmark::UserCounters> counters;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Aggregate && !median)
                continue;
            const std::string name = run.run_name.function_name + "/" + run.run_name.args;
            seconds[name] =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            counters[name] = run.counters;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

void Summary(const Collector& c) {
    auto time = [&](const std::string& name) {
        const auto it = c.seconds.find(name);
        return it == c.seconds.end() ? 0.0 : it->second;
    };
    auto ratio = [&](const std::string& a, const std::string& b) {
        return time(b) > 0 ? time(a) / time(b) : 0.0;
    };
    std::printf("\n%-34s %10s %10s %10s\n", "Ratio (goal)", "10000", "100000", "1000000");
    const struct {
        const char* label;
        const char* a;
        const char* b;
    } rows[] = {{"open / expat walk (<= 1.3)", "Open", "ExpatWalk"},
                {"list shown / expat walk (<= 1.5)", "ListShown", "ExpatWalk"},
                {"open on two threads / on one", "Open", "OpenOneThread"},
                {"open / libxml2 reader walk", "Open", "ReaderWalk"},
                {"open / pugixml walk", "Open", "PugiWalk"},
                {"save / writer pass (<= 1.3)", "Save", "WriterPass"},
                {"save / raw write", "Save", "RawWrite"},
                {"merge / open of merged (<= 1.5)", "Merge", "OpenMergeFile"}};
    for (const auto& row : rows) {
        std::printf("%-34s", row.label);
        for (std::int64_t n : Sizes)
            std::printf(" %10.2f", ratio(std::string(row.a) + "/" + std::to_string(n),
                                         std::string(row.b) + "/" + std::to_string(n)));
        std::printf("\n");
    }
    std::printf("%-34s %10s %10.0f\n", "scan merge / indexed (>= 100)", "",
                ratio("MergeScan/100000", "Merge/100000"));
    double slowestSort = 0;
    for (const auto& [name, seconds] : c.seconds) {
        if (name.rfind("Sort/", 0) == 0)
            slowestSort = std::max(slowestSort, seconds);
    }
    double slowestRebuild = 0;
    for (const auto& [name, seconds] : c.seconds) {
        if (name.rfind("RebuildRows/", 0) == 0)
            slowestRebuild = std::max(slowestRebuild, seconds);
    }
    std::printf("%-34s %10.3f s\n", "slowest sort of 1M (<= 1 s)", slowestSort);
    std::printf("%-34s %10.1f ms\n", "slowest row map of 1M (<= 30 ms)", slowestRebuild * 1000);
    std::printf("%-34s %10.1f ms (goal <= 100 ms)\n", "find by parameters of 1M",
                time("FindByParameters/") * 1000);
    for (const auto& [name, counters] : c.counters) {
        if (counters.empty())
            continue;
        if (name.rfind("CellTexts", 0) == 0)
            std::printf("%-34s %10.3f\n", "allocations per cell (0)",
                        counters.at("allocations_per_cell").value);
        // Every editor action at a million signals within a tenth of a second.
        if (name.rfind("EditorCommands", 0) == 0 || name.rfind("SelectionKept", 0) == 0 ||
            name.rfind("ControllerSteps", 0) == 0 || name.rfind("DetailsFollowSort", 0) == 0 ||
            name.rfind("DeleteUndo", 0) == 0) {
            for (const auto& [counter, value] : counters) {
                if (counter.size() > 3 && counter.compare(counter.size() - 3, 3, "_ms") == 0)
                    std::printf("%-34s %10.1f ms (goal <= 100 ms)\n",
                                (name.substr(0, name.find('/')) + " " + counter).c_str(),
                                value.value);
            }
        }
        if (name.rfind("OpenPeakMemory", 0) == 0)
            std::printf("%-34s %10.0f MB of %.0f MB budget (%s records)\n", "peak memory of open",
                        counters.at("peak_MB").value, counters.at("budget_MB").value,
                        name.substr(name.find('/') + 1).c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    // The list's commands run in a real view: without a display, offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--peak-open") == 0)
        return PeakOpen(argv[2]);
    benchmark::Initialize(&argc, argv);
    Register();
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    Summary(collector);
    benchmark::Shutdown();
    return 0;
}
