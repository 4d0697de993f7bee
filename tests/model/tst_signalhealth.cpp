#include "SignalHealth.h"
#include "Vocabulary.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

class TestSignalHealth : public QObject {
    Q_OBJECT
private slots:
    void designatorBandwidth_data() {
        QTest::addColumn<QString>("designator");
        QTest::addColumn<double>("hertz");
        QTest::newRow("kilohertz") << "3K00J3E" << 3000.0;
        QTest::newRow("hertz") << "100HA1A" << 100.0;
        QTest::newRow("letter last") << "170HF1B" << 170.0;
        QTest::newRow("megahertz") << "1M25G7W" << 1250000.0;
        QTest::newRow("letter first") << "H002N0N" << 0.002;
        QTest::newRow("detail letters") << "2K80J2BCF" << 2800.0;
        QTest::newRow("data") << "3K00J2D" << 3000.0;
        QTest::newRow("fax") << "500HF7B" << 500.0;
        QTest::newRow("cut") << "12K5" << 0.0;
        QTest::newRow("three characters") << "3K0J3E" << 0.0;
        QTest::newRow("no class") << "3K00" << 0.0;
        QTest::newRow("two letters") << "3KK0J3E" << 0.0;
        QTest::newRow("lower case") << "3k00J3E" << 0.0;
        QTest::newRow("not a class") << "3K00Z3E" << 0.0;
        QTest::newRow("zero") << "000HN0N" << 0.0;
    }
    void designatorBandwidth() {
        QFETCH(QString, designator);
        QFETCH(double, hertz);
        const double found = DesignatorBandwidth(std::u16string_view(
            reinterpret_cast<const char16_t*>(designator.utf16()), std::size_t(designator.size())));
        QVERIFY2(std::fabs(found - hertz) <= 1e-9 * hertz, qPrintable(QString::number(found)));
    }

    // Two enabled signals of one family: told apart or not, at the edges of the rule.
    void confusablePair_data() {
        QTest::addColumn<double>("rate"); // the later signal's; the earlier has 50 Bd, 170 Hz
        QTest::addColumn<double>("shift");
        QTest::addColumn<int>("mode"); // the earlier's is 1
        QTest::addColumn<bool>("disabled");
        QTest::addColumn<bool>("relative"); // else 2 (Hz, Bd) absolute
        QTest::addColumn<bool>("confusable");
        QTest::newRow("exactly at 5 %") << 52.5 << 170.0 << 2 << false << true << true;
        QTest::newRow("beyond 5 %") << 52.6 << 170.0 << 2 << false << true << false;
        QTest::newRow("the shift beyond") << 50.0 << 180.0 << 2 << false << true << false;
        QTest::newRow("a * rate") << -1.0 << 171.0 << 2 << false << true << true;
        QTest::newRow("only * and tones") << -1.0 << -1.0 << 2 << false << true << false;
        QTest::newRow("the same decoder") << 50.0 << 170.0 << 1 << false << true << false;
        QTest::newRow("disabled") << 50.0 << 170.0 << 2 << true << true << false;
        QTest::newRow("exactly at 2 Hz") << 52.0 << 172.0 << 2 << false << false << true;
        QTest::newRow("beyond 2 Hz") << 52.0 << 172.5 << 2 << false << false << false;
    }
    void confusablePair() {
        QFETCH(double, rate);
        QFETCH(double, shift);
        QFETCH(int, mode);
        QFETCH(bool, disabled);
        QFETCH(bool, relative);
        QFETCH(bool, confusable);
        CSignalDescription earlier;
        earlier.m_nModulation = ModulationFsk;
        earlier.m_nMode = 1;
        earlier.m_dBaudrate = 50;
        earlier.m_dShift = 170;
        earlier.m_nNumTones = 2;
        CSignalDescription later = earlier;
        later.m_nMode = mode;
        later.m_dBaudrate = rate;
        later.m_dShift = shift;
        later.m_bDisabled = disabled;
        HealthOptions options;
        if (!relative) {
            options.relative = false;
            options.tolerance = 2;
        }
        const std::vector<HealthProblem> problems = FindHealthProblems({&earlier, &later}, options);
        const bool found =
            std::any_of(problems.begin(), problems.end(), [&](const HealthProblem& p) {
                return p.kind == HealthKind::Confusable && p.signal == &later &&
                       p.other == &earlier;
            });
        QCOMPARE(found, confusable);
    }

    // Confusable pairs found by grouping are those a comparison of every pair finds: each
    // signal told once, against the first earlier signal it cannot be told from.
    void confusableAsEveryPairWouldSay() {
        QRandomGenerator random(42);
        std::vector<CSignalDescription> owned(600);
        const double rates[] = {50, 51, 75, -1, 0};
        const double shifts[] = {170, 172, 425, -1, 0};
        const double bandwidths[] = {0, -1, 300, 310};
        for (CSignalDescription& s : owned) {
            s.m_nModulation = random.bounded(2) ? ModulationFsk : ModulationPsk;
            s.m_nMode = random.bounded(3);
            s.m_bDisabled = random.bounded(10) == 0;
            s.m_dBaudrate = rates[random.bounded(5)];
            s.m_dShift = shifts[random.bounded(5)];
            s.m_dBandwidth = bandwidths[random.bounded(4)];
            s.m_nNumTones = random.bounded(2) ? 2 : 0;
        }
        std::vector<const CSignalDescription*> records;
        for (const CSignalDescription& s : owned)
            records.push_back(&s);
        const HealthOptions options;
        std::vector<std::pair<const CSignalDescription*, const CSignalDescription*>> found;
        for (const HealthProblem& p : FindHealthProblems(records, options)) {
            if (p.kind == HealthKind::Confusable)
                found.emplace_back(p.signal, p.other);
        }
        const auto values = [](const CSignalDescription& s) {
            return std::array<double, 5>{s.m_dBaudrate, s.m_dShift, s.m_dBandwidth,
                                         double(s.m_nNumTones), double(s.m_nNumChannels)};
        };
        std::vector<std::pair<const CSignalDescription*, const CSignalDescription*>> expected;
        for (std::size_t i = 0; i < owned.size(); ++i) {
            for (std::size_t j = 0; j < i; ++j) {
                const CSignalDescription& a = owned[i];
                const CSignalDescription& b = owned[j];
                if (a.m_bDisabled || b.m_bDisabled || a.m_nModulation != b.m_nModulation ||
                    a.m_nMode == b.m_nMode)
                    continue;
                bool measured = false;
                bool within = true;
                for (std::size_t k = 0; k < 5; ++k) {
                    const double x = values(a)[k];
                    const double y = values(b)[k];
                    if (x <= 0 || y <= 0)
                        continue;
                    within = within && std::fabs(x - y) <= 0.05 * y * (1 + 1e-12);
                    measured = measured || k < 3;
                }
                if (within && measured) {
                    expected.emplace_back(&a, &b);
                    break;
                }
            }
        }
        QVERIFY(expected.size() > 50);
        QCOMPARE(found, expected);
    }
};

QTEST_GUILESS_MAIN(TestSignalHealth)
#include "tst_signalhealth.moc"
