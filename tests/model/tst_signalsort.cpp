#include "SignalColumns.h"
#include "SignalDescription.h"
#include "SignalSort.h"
#include "SignalText.h"
#include "TestTexts.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

std::unique_ptr<CSignalDescription> Make(const char16_t* name) {
    auto s = std::make_unique<CSignalDescription>();
    CopyText(s->m_szName, name);
    return s;
}

// The bottom-up merge sort the order is defined by: pairs first, then runs of 4, 8, ...;
// the left element is taken unless it compares greater than the right one.
void ReferenceSort(std::vector<CSignalDescription*>& a, int column, bool descending) {
    const std::size_t n = a.size();
    auto cmp = [&](CSignalDescription* x, CSignalDescription* y) {
        return CompareSignals(*x, *y, column, descending);
    };
    for (std::size_t i = 0; i + 1 < n; i += 2) {
        if (cmp(a[i], a[i + 1]) > 0)
            std::swap(a[i], a[i + 1]);
    }
    std::vector<CSignalDescription*> out(n);
    for (std::size_t width = 4; width <= 2 * n; width *= 2) {
        const std::size_t half = width / 2;
        for (std::size_t lo = 0; lo < n; lo += width) {
            std::size_t l = lo, lEnd = std::min(lo + half, n), r = lEnd,
                        rEnd = std::min(lo + width, n), o = lo;
            while (l < lEnd && r < rEnd)
                out[o++] = cmp(a[l], a[r]) > 0 ? a[r++] : a[l++];
            while (l < lEnd)
                out[o++] = a[l++];
            while (r < rEnd)
                out[o++] = a[r++];
        }
        a.swap(out);
    }
}

} // namespace

class TestSignalSort : public QObject {
    Q_OBJECT
private slots:
    void compareKinds() {
        CSignalDescription zero, minus, big;
        minus.m_dShift = -1;
        big.m_dShift = 170;
        QCOMPARE(CompareSignals(zero, big, ColumnShift, false), 2);
        QCOMPARE(CompareSignals(big, zero, ColumnShift, true), -2);
        QCOMPARE(CompareSignals(minus, big, ColumnShift, false), -1);
        QCOMPARE(CompareSignals(minus, big, ColumnShift, true), 1);
        QCOMPARE(CompareSignals(zero, zero, ColumnShift, true), 0);
        CSignalDescription none, fsk;
        fsk.m_nModulation = 1;
        QCOMPARE(CompareSignals(none, fsk, ColumnModulation, false), -1);
        QCOMPARE(CompareSignals(none, fsk, ColumnModulation, true), 1);
        QCOMPARE(CompareSignals(none, fsk, 99, false), 0);
    }

    void names() {
        SignalCollection records;
        records.push_back(Make(u"alpha"));
        records.push_back(Make(u"Zulu"));
        records.push_back(Make(u""));
        records.push_back(Make(u"Zulu2"));
        records.push_back(Make(u"Bravo"));
        SortSignalCollection(records, ColumnName, false);
        QCOMPARE(Names(records), (QStringList{"", "Bravo", "Zulu", "Zulu2", "alpha"}));
        SortSignalCollection(records, ColumnName, true);
        QCOMPARE(Names(records), (QStringList{"alpha", "Zulu2", "Zulu", "Bravo", ""}));
    }

    void spacingIsTextWithEmptyLast() {
        SignalCollection records;
        for (const char16_t* spacing : {u"50", u"", u"100", u"*"}) {
            records.push_back(Make(spacing));
            CopyText(records.back()->m_szSpacing, spacing);
        }
        SortSignalCollection(records, ColumnSpacing, false);
        QCOMPARE(Names(records), (QStringList{"*", "100", "50", ""}));
        SortSignalCollection(records, ColumnSpacing, true);
        QCOMPARE(Names(records), (QStringList{"50", "100", "*", ""}));
    }

    void decoderNoModeLast() {
        SignalCollection records;
        const int modes[] = {0, 136, 135, 27};
        for (int mode : modes) {
            records.push_back(Make(u"x"));
            records.back()->m_nMode = mode;
        }
        for (bool descending : {false, true}) {
            SortSignalCollection(records, ColumnDecoder, descending);
            QCOMPARE(records.back()->m_nMode, 0);
        }
        SortSignalCollection(records, ColumnDecoder, false);
        QCOMPARE(records[1]->m_nMode, 135); // "pactor-4" before "pactor": by code
    }

    void untouchedColumnsKeepOrder() {
        SignalCollection records;
        for (const char16_t* name : {u"c", u"a", u"b"}) {
            records.push_back(Make(name));
            CopyText(records.back()->m_szComment, name);
        }
        for (int column : {ColumnITU, ColumnComment}) {
            SortSignalCollection(records, column, false);
            QCOMPARE(Names(records), (QStringList{"c", "a", "b"}));
        }
    }

    void emptyAndSingle() {
        SignalCollection records;
        SortSignalCollection(records, ColumnName, false);
        QVERIFY(records.empty());
        records.push_back(Make(u"only"));
        SortSignalCollection(records, ColumnShift, true);
        QCOMPARE(Names(records), QStringList{"only"});
    }

    // Every column, both directions, on random records with many equal keys: the same order
    // as the reference merge sort, so stability and the zero-last rules all hold.
    void matchesReferenceSort_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("descending");
        for (int column = 0; column < SignalColumnCount; ++column) {
            for (bool descending : {false, true})
                QTest::addRow("column %d %s", column, descending ? "desc" : "asc")
                    << column << descending;
        }
    }
    void matchesReferenceSort() {
        QFETCH(int, column);
        QFETCH(bool, descending);
        QRandomGenerator random(column * 2 + descending);
        // The largest is sorted as the editor sorts it, on two cores.
        for (int size : {0, 1, 2, 3, 5, 8, 17, 64, 257, 70000}) {
            const SortCores cores = size > 65536 ? SortCores::Two : SortCores::One;
            SignalCollection records;
            for (int i = 0; i < size; ++i) {
                auto s = std::make_unique<CSignalDescription>();
                // Texts that share their first eight or sixteen units as well.
                const char16_t* texts[] = {u"",
                                           u"A",
                                           u"a",
                                           u"B",
                                           u"*",
                                           u"10",
                                           u"5",
                                           u"Channel 1",
                                           u"Channel 12",
                                           u"Channel\xFF01",
                                           u"Channel 12 north-east",
                                           u"Channel 12 north-west"};
                CopyText(s->m_szName, texts[random.bounded(12)]);
                CopyText(s->m_szSpacing, texts[random.bounded(12)]);
                s->m_nMode = random.bounded(4);
                s->m_nModulation = random.bounded(6);
                s->m_nSubmode = random.bounded(3);
                const double reals[] = {0, -1, 50, 170, 45.45};
                s->m_dBaudrate = reals[random.bounded(5)];
                s->m_dShift = reals[random.bounded(5)];
                s->m_dBandwidth = reals[random.bounded(5)];
                s->m_dPilotFrequency = reals[random.bounded(5)];
                s->m_nNumTones = random.bounded(-1, 3);
                s->m_nNumChannels = random.bounded(-1, 3);
                s->m_nCodecheckCounter = random.bounded(0, 3);
                records.push_back(std::move(s));
            }
            std::vector<CSignalDescription*> expected;
            for (const auto& s : records)
                expected.push_back(s.get());
            ReferenceSort(expected, column, descending);
            SortSignalCollection(records, column, descending, cores);
            for (int i = 0; i < size; ++i)
                QVERIFY2(records[i].get() == expected[i], qPrintable(QString::number(size)));
            // Then a text column, as a click back on Name: the runs this order left are merged.
            for (int text : {ColumnName, ColumnSpacing}) {
                ReferenceSort(expected, text, descending);
                SortSignalCollection(records, text, descending, cores);
                for (int i = 0; i < size; ++i)
                    QVERIFY2(records[i].get() == expected[i],
                             qPrintable(QStringLiteral("%1 then %2").arg(size).arg(text)));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestSignalSort)
#include "tst_signalsort.moc"
