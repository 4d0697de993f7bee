#include "NumberFormat.h"

#include <QTest>

#include <cfloat>
#include <clocale>
#include <cmath>

class TestNumberFormat : public QObject {
    Q_OBJECT
private slots:
    void formatReal_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("integer") << 50.0 << "50";
        QTest::newRow("fraction") << 45.45 << "45.45";
        QTest::newRow("six digits") << 123.4567 << "123.457";
        QTest::newRow("million") << 1500000.0 << "1.5e+006";
        QTest::newRow("below million") << 999999.0 << "999999";
        QTest::newRow("rounds up to million") << 999999.5 << "1e+006";
        QTest::newRow("small") << 0.00005 << "5e-005";
        QTest::newRow("smallest plain") << 0.0001 << "0.0001";
        QTest::newRow("three-digit exponent") << 1.25e123 << "1.25e+123";
        QTest::newRow("max") << DBL_MAX << "1.79769e+308";
        QTest::newRow("negative") << -2.5 << "-2.5";
        QTest::newRow("zero") << 0.0 << "0";
    }
    void formatReal() {
        QFETCH(double, value);
        QFETCH(QString, text);
        char16_t out[MaxRealTextLength + 1];
        const std::size_t len = FormatReal(value, out);
        QCOMPARE(QString::fromUtf16(out), text);
        QCOMPARE(len, std::size_t(text.size()));
    }

    void formatIgnoresLocale() {
        // A user locale with a decimal comma must not change the file's numbers.
        const char* previous = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
        if (previous == nullptr || std::localeconv()->decimal_point[0] != ',') {
            std::setlocale(LC_NUMERIC, "C");
            QSKIP("the de_DE.UTF-8 locale (a decimal comma) is not installed here");
        }
        char16_t out[MaxRealTextLength + 1];
        FormatReal(45.45, out);
        const double parsed = ParseReal(std::u16string_view(u"45.45"));
        std::setlocale(LC_NUMERIC, "C");
        QCOMPARE(QString::fromUtf16(out), QStringLiteral("45.45"));
        QCOMPARE(parsed, 45.45);
    }

    void formatInt() {
        char16_t out[16];
        FormatInt(-2147483647 - 1, out);
        QCOMPARE(QString::fromUtf16(out), QStringLiteral("-2147483648"));
        FormatInt(42, out);
        QCOMPARE(QString::fromUtf16(out), QStringLiteral("42"));
    }

    void parseReal_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "170" << 170.0;
        QTest::newRow("white space and sign") << " \t+45.5" << 45.5;
        QTest::newRow("negative") << "-1" << -1.0;
        QTest::newRow("exponent") << "1.5e+006" << 1500000.0;
        QTest::newRow("capital exponent") << "2E3" << 2000.0;
        QTest::newRow("exponent without digits") << "12e" << 12.0;
        QTest::newRow("exponent sign only") << "12e+x" << 12.0;
        QTest::newRow("trailing garbage") << "12.5Hz" << 12.5;
        QTest::newRow("leading dot") << ".5" << 0.5;
        QTest::newRow("trailing dot") << "5." << 5.0;
        QTest::newRow("no digits") << "abc" << 0.0;
        QTest::newRow("dot only") << "." << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("inf") << "inf" << 0.0;
        QTest::newRow("infinity") << "-Infinity" << 0.0;
        QTest::newRow("nan") << "nan" << 0.0;
        QTest::newRow("hex") << "0x1A" << 0.0;
        QTest::newRow("overflow stays finite") << "1e999" << DBL_MAX;
        QTest::newRow("negative overflow") << "-1e999" << -DBL_MAX;
        QTest::newRow("underflow") << "1e-999" << 0.0;
        QTest::newRow("comma stops") << "1,5" << 1.0;
        QTest::newRow("1,100 digits then exponent") << "5." + QString(1100, '0') + "e1" << 50.0;
        QTest::newRow("2,000 leading zeros") << QString(2000, '0') + "7.25" << 7.25;
    }
    void parseReal() {
        QFETCH(QString, text);
        QFETCH(double, value);
        const std::u16string utf16 = text.toStdU16String();
        const std::string utf8 = text.toStdString();
        QCOMPARE(ParseReal(std::u16string_view(utf16)), value);
        QCOMPARE(ParseReal(std::string_view(utf8)), value);
    }

    void parseULong_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "12" << 12;
        QTest::newRow("minus one") << "-1" << -1;
        QTest::newRow("max unsigned") << "4294967295" << -1;
        QTest::newRow("beyond 32 bits") << "4294967296" << -1;
        QTest::newRow("far beyond") << "99999999999999999999999" << -1;
        QTest::newRow("negative beyond") << "-4294967296" << -1;
        QTest::newRow("minus two") << "-2" << -2;
        QTest::newRow("above int max") << "2147483648" << int(-2147483647 - 1);
        QTest::newRow("prefix") << "12abc" << 12;
        QTest::newRow("letters") << "abc" << 0;
        QTest::newRow("white space, plus") << "  +7" << 7;
        QTest::newRow("real text") << "3.9" << 3;
        QTest::newRow("empty") << "" << 0;
    }
    void parseULong() {
        QFETCH(QString, text);
        QFETCH(int, value);
        const std::u16string utf16 = text.toStdU16String();
        const std::string utf8 = text.toStdString();
        QCOMPARE(ParseULong(std::u16string_view(utf16)), value);
        QCOMPARE(ParseULong(std::string_view(utf8)), value);
    }

    void formatThenParseKeepsSixDigits() {
        char16_t out[MaxRealTextLength + 1];
        for (double v : {123.4567, 1.0 / 3.0, 7.77777777e-7, 31.25, 9.87654321e12}) {
            FormatReal(v, out);
            const double back = ParseReal(std::u16string_view(out));
            QVERIFY2(std::fabs(back - v) <= std::fabs(v) * 5e-6, qPrintable(QString::number(v)));
            char16_t again[MaxRealTextLength + 1];
            FormatReal(back, again);
            QCOMPARE(QString::fromUtf16(again), QString::fromUtf16(out));
        }
    }
};

QTEST_APPLESS_MAIN(TestNumberFormat)
#include "tst_numberformat.moc"
