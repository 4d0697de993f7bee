#include "ParameterRules.h"
#include "SpacingText.h"

#include <QTest>

class TestSpacingText : public QObject {
    Q_OBJECT
private slots:
    void readRows_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("carriers");
        QTest::addColumn<bool>("isList");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("wildcard") << "*" << 4 << false << QStringList{"*", "*", "*"};
        QTest::newRow("empty reads as wildcard") << "" << 3 << false << QStringList{"*", "*"};
        QTest::newRow("one value") << "170" << 3 << false << QStringList{"170", "170"};
        QTest::newRow("missing values are 0")
            << "170,340" << 4 << true << QStringList{"170", "340", "0"};
        QTest::newRow("space separates") << "170 340" << 3 << true << QStringList{"170", "340"};
        QTest::newRow("minus skipped") << "100,-50" << 3 << true << QStringList{"100", "50"};
        QTest::newRow("point skipped") << "100,.5" << 3 << true << QStringList{"100", "5"};
        QTest::newRow("surplus ignored") << "1,2,3,4" << 3 << true << QStringList{"1", "2"};
        QTest::newRow("leading garbage") << ",x,7" << 3 << true << QStringList{"0", "7"};
        QTest::newRow("formatted %g")
            << "1500000,0.5" << 3 << true << QStringList{"1.5e+006", "0.5"};
        QTest::newRow("wildcards in list") << "*,*,*" << 4 << true << QStringList{"0", "0", "0"};
    }
    void readRows() {
        QFETCH(QString, text);
        QFETCH(int, carriers);
        QFETCH(bool, isList);
        QFETCH(QStringList, cells);
        const SpacingRows rows = ReadSpacingRows(text, carriers);
        QCOMPARE(rows.isList, isList);
        QCOMPARE(rows.cells, cells);
        if (!isList)
            QCOMPARE(rows.common, text.isEmpty() ? QStringLiteral("*") : text);
    }

    void join() {
        QCOMPARE(JoinSpacingCells({"170", "1.5e+006", "*"}), QStringLiteral("170,1.5e+006,*"));
        QCOMPARE(JoinSpacingCells({}), QString());
        QCOMPARE(CarrierPairLabel(0), QStringLiteral("Carriers 1-2"));
    }

    void numberRules_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("realOrAny");
        QTest::addColumn<double>("real");
        QTest::addColumn<int>("countOrAny");
        QTest::addColumn<int>("count");
        QTest::newRow("wildcard") << "*" << -1.0 << 0.0 << -1 << 0;
        QTest::newRow("empty") << "" << 0.0 << 0.0 << 0 << 0;
        QTest::newRow("number with unit") << "45.5Bd" << 45.5 << 45.5 << 45 << 45;
        QTest::newRow("wildcard twice") << "**" << 0.0 << 0.0 << 0 << 0;
        QTest::newRow("minus one") << "-1" << -1.0 << -1.0 << -1 << -1;
    }
    void numberRules() {
        QFETCH(QString, text);
        QFETCH(double, realOrAny);
        QFETCH(double, real);
        QFETCH(int, countOrAny);
        QFETCH(int, count);
        QCOMPARE(ParseRealOrAny(text), realOrAny);
        QCOMPARE(ParseRealText(text), real);
        QCOMPARE(ParseCountOrAny(text), countOrAny);
        QCOMPARE(ParseCountText(text), count);
    }

    void coupling_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("other");
        QTest::newRow("45 Bd") << "45"
                               << "22.2222";
        QTest::newRow("50 Bd") << "50"
                               << "20";
        QTest::newRow("22 ms") << "22"
                               << "45.4545";
        QTest::newRow("wildcard") << "*"
                                  << "*";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("zero") << "0"
                              << "";
        QTest::newRow("letters") << "abc"
                                 << "";
        QTest::newRow("negative") << "-2"
                                  << "-500";
    }
    void coupling() {
        QFETCH(QString, typed);
        QFETCH(QString, other);
        QCOMPARE(CoupledText(typed), other);
    }

    void fillTexts() {
        QCOMPARE(CountText(-1), QStringLiteral("*"));
        QCOMPARE(CountText(0), QString());
        QCOMPARE(CountText(12), QStringLiteral("12"));
        QCOMPARE(ToneDurationText(-1), QString());
        QCOMPARE(ToneDurationText(45), QStringLiteral("22.2222"));
        QCOMPARE(OfdmSpacingText(u"56.25"), QStringLiteral("56.25"));
        QCOMPARE(OfdmSpacingText(u"1,2"), QString());
        QCOMPARE(OfdmSpacingText(u"1 2"), QString());
    }
};

QTEST_APPLESS_MAIN(TestSpacingText)
#include "tst_spacingtext.moc"
