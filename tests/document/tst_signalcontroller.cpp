// The list's use-cases without a widget: each a step of the history, re-sorted under the
// list's sort.
#include "SignalColumns.h"
#include "SignalComparison.h"
#include "SignalController.h"
#include "SignalDescription.h"
#include "TestDocument.h"
#include "TestFolder.h"
#include "TestTexts.h"
#include "VantorDoc.h"
#include "Vocabulary.h"

#include <QRandomGenerator>
#include <QTest>
#include <QUndoStack>

namespace {

QStringList Names(const CVantorDoc& doc) {
    QStringList names;
    for (const auto& signal : doc.Signals())
        names << QStringView(signal->m_szName.c_str()).toString();
    return names;
}

// Records of "NAME=COMMENT,..." (CW signals).
SignalCollection Records(const QString& spec) {
    SignalCollection records;
    for (const QString& item : spec.split(u',', Qt::SkipEmptyParts)) {
        auto record = NewRecord(item.section(u'=', 0, 0), ModulationCw);
        record->m_szComment.Assign(
            reinterpret_cast<const char16_t*>(item.section(u'=', 1).utf16()));
        records.push_back(std::move(record));
    }
    return records;
}

QString Spec(const CVantorDoc& doc) {
    QStringList items;
    for (const auto& s : doc.Signals())
        items << QStringView(s->m_szName.c_str()).toString() + u'=' +
                     QStringView(s->m_szComment.c_str()).toString();
    return items.join(u',');
}

} // namespace

class TestSignalController : public QObject {
    Q_OBJECT

private slots:
    // Each use-case is one step that undo takes back whole; edits and appends land at their
    // place under the sort the list follows, and a click reverses the column sorted last.
    void useCasesAreStepsUnderTheSort_data() {
        QTest::addColumn<QString>("useCase");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("edit") << "edit" << QStringList{"Echo", "Bravo", "Alpha"};
        QTest::newRow("append") << "append" << QStringList{"Delta", "Charlie", "Bravo", "Alpha"};
        QTest::newRow("delete") << "delete" << QStringList{"Charlie"};
        QTest::newRow("disable") << "disable" << QStringList{"Charlie", "Bravo", "Alpha"};
    }
    void useCasesAreStepsUnderTheSort() {
        QFETCH(QString, useCase);
        QFETCH(QStringList, after);
        CVantorDoc doc;
        for (const char* name : {"Bravo", "Alpha", "Charlie"})
            AppendRecord(doc, NewRecord(QString::fromLatin1(name), ModulationCw));
        doc.History()->clear();
        CSignalController controller(&doc);
        // A click on another column ascends, a second click on it reverses it.
        controller.ColumnClicked(ColumnShift);
        controller.ColumnClicked(ColumnName);
        QVERIFY(!controller.SortDescending());
        controller.ColumnClicked(ColumnName);
        QVERIFY(controller.SortDescending());
        QCOMPARE(Names(doc), (QStringList{"Charlie", "Bravo", "Alpha"}));
        const QStringList before = Names(doc);
        if (useCase == "edit") {
            CSignalDescription value = *doc.GetSignal(0);
            value.m_szName.Assign(u"Echo");
            controller.Edit(doc.GetSignal(0), value);
        } else if (useCase == "append") {
            SignalCollection records;
            records.push_back(NewRecord(QStringLiteral("Delta"), ModulationCw));
            QCOMPARE(controller.Append(std::move(records), QStringLiteral("New")).size(), 1u);
        } else if (useCase == "delete") {
            controller.Delete({doc.GetSignal(1), doc.GetSignal(2)}, {1, 2},
                              QStringLiteral("Delete Signal"), QStringLiteral("Delete %1"));
        } else {
            controller.SetDisabled({doc.GetSignal(0), doc.GetSignal(1)}, {0, 1}, true);
            QVERIFY(doc.GetSignal(0)->m_bDisabled && doc.GetSignal(1)->m_bDisabled);
            // Nothing left to change is no step.
            controller.SetDisabled({doc.GetSignal(0)}, {0}, true);
        }
        QCOMPARE(Names(doc), after);
        QCOMPARE(doc.History()->count(), 1);
        doc.History()->undo();
        QCOMPARE(Names(doc), before);
        QVERIFY(!doc.GetSignal(0)->m_bDisabled);
    }

    // A reviewed merge against a base: each side's changes told apart, the other's changes and
    // additions chosen by default; what is chosen is made as one step.
    void reviewedMergeWithBase_data() {
        QTest::addColumn<bool>("everything"); // every change chosen, not the defaults
        QTest::addColumn<QString>("after");
        QTest::newRow("as it opens") << false << "A=new,B=mine,C=here,D=d,F=f";
        QTest::newRow("every change chosen") << true << "A=new,B=b,C=here,E=changed,F=f";
    }
    void reviewedMergeWithBase() {
        QFETCH(bool, everything);
        QFETCH(QString, after);
        CVantorDoc doc;
        for (auto& record : Records("A=a,B=mine,C=here,D=d"))
            AppendRecord(doc, std::move(record));
        doc.History()->clear();
        const SignalCollection base = Records("A=a,B=b,C=c,D=d,E=e");
        CVantorDoc::MergeSource source;
        source.records = Records("A=new,B=b,C=there,E=changed,F=f");
        MergePlan plan = PlanMerge(base, doc.Signals(), source.records);
        QStringList kinds;
        for (MergeEntry& e : plan.entries) {
            const CSignalDescription* named = e.there ? e.there : e.here;
            kinds << QStringView(named->m_szName.c_str()).toString() + u':' +
                         QString::number(int(e.kind)) + (e.chosen ? "x" : "");
            e.chosen = e.chosen || everything;
        }
        using K = MergeEntryKind;
        QCOMPARE(kinds, (QStringList{QStringLiteral("A:%1x").arg(int(K::ChangedThere)),
                                     QStringLiteral("C:%1").arg(int(K::ChangedBoth)),
                                     QStringLiteral("D:%1").arg(int(K::RemovedThere)),
                                     QStringLiteral("E:%1").arg(int(K::RemovedHere)),
                                     QStringLiteral("F:%1x").arg(int(K::New)),
                                     QStringLiteral("B:%1").arg(int(K::ChangedHere))}));
        CSignalController controller(&doc);
        QVERIFY(!controller.ApplyMerge(plan, std::move(source)).text.isEmpty());
        controller.SortBy(ColumnName, false);
        QCOMPARE(Spec(doc), after);
        doc.History()->undo();
        doc.History()->undo();
        QCOMPARE(Spec(doc), QStringLiteral("A=a,B=mine,C=here,D=d"));
    }

    // A signal the other file holds twice (equal but for its disabled flag) comes in once;
    // its repeat is nothing to choose, also when every change is chosen.
    void reviewedMergeOfARepeat() {
        CVantorDoc doc;
        AppendRecord(doc, NewRecord(QStringLiteral("A"), ModulationCw));
        CVantorDoc::MergeSource source;
        source.records = Records("N=n,N=n");
        source.records[1]->m_bDisabled = true;
        MergePlan plan = PlanMerge(doc.Signals(), source.records);
        QCOMPARE(plan.entries.size(), 2u);
        QCOMPARE(plan.entries[1].kind, MergeEntryKind::Identical);
        QVERIFY(!plan.entries[1].Choosable());
        for (MergeEntry& e : plan.entries)
            e.chosen = true;
        CSignalController controller(&doc);
        QCOMPARE(controller.ApplyMerge(plan, std::move(source)).added, 1);
        QCOMPARE(Spec(doc), QStringLiteral("A=,N=n"));
    }

    // Change Selected Signals: the records that take the change change in one step, the
    // others are named with why, each in the order handed over (here the list's backwards);
    // enough records are checked on two threads.
    void changeSignalsNamesWhatItLeaves_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("two") << 2;
        QTest::newRow("enough for two threads") << 70001;
    }
    void changeSignalsNamesWhatItLeaves() {
        QFETCH(int, count);
        CVantorDoc doc;
        const auto cw = [](int i) { return i % 3 == 1 || i == 35000; };
        SignalCollection made;
        for (int i = 0; i < count; ++i)
            made.push_back(
                NewRecord(QStringLiteral("%1 %2").arg(cw(i) ? "Beacon" : "Baudot").arg(i),
                          cw(i) ? ModulationCw : ModulationFsk, 40 + i % 7));
        AppendRecords(doc, std::move(made));
        // The change sorts the list by name again: each record is followed by its address.
        std::vector<CSignalDescription*> records(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            records[static_cast<std::size_t>(count - 1 - i)] = doc.GetSignal(i);
        const auto signal = [&](int i) { return records[static_cast<std::size_t>(count - 1 - i)]; };
        CSignalController controller(&doc);
        SignalChange change;
        change.field = SignalChangeField::Baudrate;
        change.value = 75;
        const auto outcome = controller.ChangeSignals(records, change);
        std::vector<CSignalDescription*> changed;
        QStringList unchanged;
        for (int i = count - 1; i >= 0; --i) {
            if (cw(i))
                unchanged << QStringLiteral("Beacon %1: its family has no such field").arg(i);
            else
                changed.push_back(signal(i));
            QCOMPARE(signal(i)->m_dBaudrate, cw(i) ? 0.0 : 75.0); // CW has no rate
        }
        QVERIFY(outcome.changed == changed);
        QCOMPARE(outcome.unchanged, unchanged);
        if (count == 2)
            QCOMPARE(outcome.Summary(), QStringLiteral("1 signal changed, 1 left unchanged:\n"
                                                       "Beacon 1: its family has no such field"));
        QCOMPARE(doc.History()->count(), 1);
        doc.History()->undo();
        for (int i = 0; i < count; ++i)
            QCOMPARE(signal(i)->m_dBaudrate, cw(i) ? 0.0 : 40.0 + i % 7);
    }

    // Change Selected Signals under a sort: a record whose value in the sorted column changed
    // takes its place under the sort, the others stay; undo gives the order before back.
    void changeSignalsUnderTheSort_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("by the changed column")
            << int(ColumnCodecheckCounter) << QStringList{"B", "C", "A"};
        QTest::newRow("by another column") << int(ColumnName) << QStringList{"A", "B", "C"};
    }
    void changeSignalsUnderTheSort() {
        QFETCH(int, column);
        QFETCH(QStringList, after);
        CVantorDoc doc;
        for (int count : {3, 1, 2}) {
            auto record = NewRecord(QString(QChar(u'@' + count)), ModulationCw);
            record->m_nMode = 1;
            record->m_nCodecheckCounter = count;
            AppendRecord(doc, std::move(record));
        }
        CSignalController controller(&doc);
        controller.SortBy(column, false);
        QCOMPARE(Names(doc), (QStringList{"A", "B", "C"}));
        SignalChange change;
        change.field = SignalChangeField::Codecheck;
        change.count = 9;
        QCOMPARE(controller.ChangeSignals({doc.GetSignal(0)}, change).changed.size(), 1u);
        QCOMPARE(Names(doc), after);
        doc.History()->undo();
        QCOMPARE(Names(doc), (QStringList{"A", "B", "C"}));
        QCOMPARE(doc.GetSignal(0)->m_nCodecheckCounter, 1);
    }

    // Records handed over in another order than the list's each take their own new text,
    // and an undo gives each its own old one back.
    void changeSignalsInAnyOrder_data() {
        QTest::addColumn<int>("field");
        QTest::newRow("comment") << int(SignalChangeField::Comment);
        QTest::newRow("ITU designator") << int(SignalChangeField::ITU);
    }
    void changeSignalsInAnyOrder() {
        QFETCH(int, field);
        CVantorDoc doc;
        for (const char* name : {"A", "B", "C"})
            AppendRecord(doc, NewRecord(QString::fromLatin1(name), ModulationCw));
        const auto text = [field](const CSignalDescription& s) {
            return QStringView(field == int(SignalChangeField::ITU) ? s.m_szITU.c_str()
                                                                    : s.m_szComment.c_str());
        };
        CSignalController controller(&doc);
        SignalChange change;
        change.field = SignalChangeField(field);
        change.text = u"changed";
        controller.ChangeSignals({doc.GetSignal(2), doc.GetSignal(0), doc.GetSignal(1)}, change);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(QStringView(doc.GetSignal(i)->m_szName.c_str()), QString(QChar(u'A' + i)));
            QCOMPARE(text(*doc.GetSignal(i)), u"changed");
        }
        doc.History()->undo();
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(QStringView(doc.GetSignal(i)->m_szName.c_str()), QString(QChar(u'A' + i)));
            QVERIFY(text(*doc.GetSignal(i)).isEmpty());
        }
        doc.History()->redo();
        QCOMPARE(text(*doc.GetSignal(1)), u"changed");
    }

    // Compare With pairs again only what a change touched: after each of a run of random
    // edits, appends, deletes, disables, changes of several, sorts, undos and redos, it finds
    // what a comparison made anew finds; with names that repeat on both sides, and with names
    // that mostly stand once.
    void comparisonFollowsEveryChange_data() {
        QTest::addColumn<int>("names");
        QTest::newRow("repeated") << 4;
        QTest::newRow("mostly once") << 24;
    }
    void comparisonFollowsEveryChange() {
        QFETCH(int, names);
        QRandomGenerator random(44);
        const auto record = [&random, names] {
            auto r = NewRecord(QString(QChar(u'A' + random.bounded(names))), ModulationCw);
            r->m_szComment.Assign(random.bounded(2) ? u"x" : u"y");
            // A column a sort reorders the records of one name by.
            r->m_nCodecheckCounter = random.bounded(3);
            return r;
        };
        CVantorDoc other;
        for (int i = 0; i < 12; ++i)
            AppendRecord(other, record());
        TestFolder folder;
        const QString path = folder.filePath(QStringLiteral("other.xml"));
        QVERIFY(other.OnSaveDocument(path));
        CVantorDoc doc;
        for (int i = 0; i < 12; ++i)
            AppendRecord(doc, record());
        doc.History()->clear();
        CSignalController controller(&doc);
        QVERIFY(controller.Compare(path));
        const auto text = [](const CSignalDescription* s) {
            return s == nullptr ? QStringLiteral("-")
                                : QStringView(s->m_szName.c_str()).toString() + u'=' +
                                      QStringView(s->m_szComment.c_str()).toString() +
                                      QString::number(s->m_nCodecheckCounter) +
                                      (s->m_bDisabled ? QStringLiteral("!") : QString());
        };
        // Each record's state and partner, then what the other adds.
        const auto found = [&](const CSignalComparison& comparison) {
            QStringList lines;
            for (const auto& s : doc.Signals())
                lines << text(s.get()) + u' ' + QString::number(int(comparison.StateOf(s.get()))) +
                             u' ' + text(comparison.OtherOf(s.get()));
            for (const CSignalDescription* s : comparison.Added())
                lines << QStringLiteral("+ ") + text(s);
            return lines;
        };
        for (int step = 0; step < 2000; ++step) {
            const int count = doc.GetSignalCount();
            const int at = count > 0 ? random.bounded(count) : 0;
            switch (random.bounded(count > 0 ? 8 : 2)) {
            case 0: {
                SignalCollection records;
                records.push_back(record());
                controller.Append(std::move(records), QStringLiteral("New"));
                break;
            }
            case 1:
                if (doc.History()->canUndo())
                    doc.History()->undo();
                else if (doc.History()->canRedo())
                    doc.History()->redo();
                break;
            case 2: {
                CSignalDescription value = *doc.GetSignal(at);
                const char16_t name[] = {char16_t(u'A' + random.bounded(names)), 0};
                value.m_szName.Assign(name);
                controller.Edit(doc.GetSignal(at), value);
                break;
            }
            case 3: {
                CSignalDescription value = *doc.GetSignal(at);
                value.m_szComment.Assign(random.bounded(2) ? u"x" : u"y");
                controller.Edit(doc.GetSignal(at), value);
                break;
            }
            case 4:
                controller.Delete({doc.GetSignal(at)}, {at}, QStringLiteral("Delete Signal"),
                                  QStringLiteral("Delete %1 Signals"));
                break;
            case 5:
                controller.SetDisabled({doc.GetSignal(at)}, {at}, !doc.GetSignal(at)->m_bDisabled);
                break;
            case 6: {
                std::vector<CSignalDescription*> some;
                for (int i = at; i < count; i += 1 + random.bounded(3))
                    some.push_back(doc.GetSignal(i));
                SignalChange change;
                change.text = random.bounded(2) ? u"x" : u"y";
                controller.ChangeSignals(some, change);
                break;
            }
            default:
                controller.ColumnClicked(random.bounded(2) ? ColumnName : ColumnCodecheckCounter);
                break;
            }
            QCoreApplication::processEvents();
            SignalCollection records;
            QVERIFY(doc.ReadOther(path, records));
            CSignalComparison anew(path, std::move(records));
            anew.Compare(doc.Signals());
            QCOMPARE(found(*controller.Comparison()), found(anew));
        }
    }
};

QTEST_GUILESS_MAIN(TestSignalController)
#include "tst_signalcontroller.moc"
