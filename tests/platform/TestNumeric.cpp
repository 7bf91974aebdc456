// Text-to-number rules: the leading-number reading used in SQL and stock arithmetic, the locale
// reading of whole numbers, the SQL form of numbers and the total format.
#include "platform/Numeric.h"

#include <QTest>
#include <limits>

using namespace qvtrnsfr;

class TestNumeric : public QObject {
    Q_OBJECT
private slots:
    void numericValueReadsTheLeadingNumber_data();
    void numericValueReadsTheLeadingNumber();
    void wholeNumberValueReadsTheWholeTextAndRoundsHalfToEven_data();
    void wholeNumberValueReadsTheWholeTextAndRoundsHalfToEven();
    void localeNumberKeepsTheFraction();
    void sqlNumberIsTheShortestDecimal_data();
    void sqlNumberIsTheShortestDecimal();
    void formatTotalGroupsThousandsAndShowsNoNegativeZero_data();
    void formatTotalGroupsThousandsAndShowsNoNegativeZero();
};

void TestNumeric::numericValueReadsTheLeadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("digits then letters") << "12abc" << 12.0;
    QTest::newRow("blank inside the digits") << "1 2" << 12.0;
    QTest::newRow("comma stops the number") << "1,250.00" << 1.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters only") << "abc" << 0.0;
    QTest::newRow("hexadecimal") << "&HFF" << 255.0;
    QTest::newRow("hexadecimal lower case") << "&hff" << 255.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("octal stops at 8") << "&o178" << 15.0;
    QTest::newRow("prefix without digits") << "&H" << 0.0;
    QTest::newRow("negative exponent form") << "-1.5e2" << -150.0;
    QTest::newRow("capital exponent") << "2E3x" << 2000.0;
    QTest::newRow("blanks around the sign") << " - 3" << -3.0;
    QTest::newRow("exponent without digits") << "1e" << 1.0;
    QTest::newRow("exponent sign without digits") << "1e+" << 1.0;
    QTest::newRow("blanks inside the exponent") << "1 e - 2" << 0.01;
    QTest::newRow("plus and point only") << "+.5" << 0.5;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("tabs and line feeds") << "\t1\n2 .\t5" << 12.5;
    QTest::newRow("carriage return stops") << "1\r2" << 1.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("sign before hexadecimal") << "-&H10" << 0.0;
    QTest::newRow("non-ASCII digits") << QString::fromUtf8("\u0661\u0662") << 0.0;
    QTest::newRow("beyond double range") << "1e999" << 0.0;
}

void TestNumeric::numericValueReadsTheLeadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(numericValue(text), expected);
}

void TestNumeric::wholeNumberValueReadsTheWholeTextAndRoundsHalfToEven_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<bool>("converts");
    QTest::addColumn<int>("expected");
    const QLocale en("en_US");
    const QLocale de("de_DE");
    const int max = std::numeric_limits<qint32>::max();
    const int min = std::numeric_limits<qint32>::min();
    QTest::newRow("half down to even") << "2.5" << en << true << 2;
    QTest::newRow("half up to even") << "3.5" << en << true << 4;
    QTest::newRow("negative half to even") << "-2.5" << en << true << -2;
    QTest::newRow("negative half away to even") << "-3.5" << en << true << -4;
    QTest::newRow("more than half") << "2.51" << en << true << 3;
    QTest::newRow("grouped thousands") << "1,250.00" << en << true << 1250;
    QTest::newRow("point is decimal in English") << "1.250" << en << true << 1;
    QTest::newRow("trailing zero fraction") << "5.0" << en << true << 5;
    QTest::newRow("blanks around") << " 7 " << en << true << 7;
    QTest::newRow("exponent") << "1e3" << en << true << 1000;
    QTest::newRow("hexadecimal") << "&HFF" << en << true << 255;
    QTest::newRow("largest hexadecimal") << "&H7FFFFFFF" << en << true << max;
    QTest::newRow("hexadecimal too large") << "&H80000000" << en << false << 0;
    QTest::newRow("just below the top") << "2147483647.4" << en << true << max;
    QTest::newRow("over the top") << "2147483648" << en << false << 0;
    QTest::newRow("rounds over the top") << "2147483647.5" << en << false << 0;
    QTest::newRow("the bottom") << "-2147483648" << en << true << min;
    QTest::newRow("under the bottom") << "-2147483649" << en << false << 0;
    QTest::newRow("letters") << "abc" << en << false << 0;
    QTest::newRow("number then letters") << "12abc" << en << false << 0;
    QTest::newRow("empty") << "" << en << false << 0;
    QTest::newRow("blank") << "   " << en << false << 0;
    QTest::newRow("infinity") << "inf" << en << false << 0;
    QTest::newRow("not a number") << "nan" << en << false << 0;
    QTest::newRow("German grouping and comma") << "1.250,5" << de << true << 1250;
    QTest::newRow("German point groups") << "1.250" << de << true << 1250;
    QTest::newRow("German comma half") << "2,5" << de << true << 2;
    QTest::newRow("German falls back to the C form") << "5.75" << de << true << 6;
}

void TestNumeric::wholeNumberValueReadsTheWholeTextAndRoundsHalfToEven()
{
    QFETCH(QString, text);
    QFETCH(QLocale, locale);
    QFETCH(bool, converts);
    QFETCH(int, expected);
    const std::optional<qint32> value = wholeNumberValue(text, locale);
    QCOMPARE(value.has_value(), converts);
    if (converts)
        QCOMPARE(*value, expected);
}

void TestNumeric::localeNumberKeepsTheFraction()
{
    QCOMPARE(localeNumber("1,250.75", QLocale("en_US")).value_or(-1), 1250.75);
    QCOMPARE(localeNumber("1.250,75", QLocale("de_DE")).value_or(-1), 1250.75);
    QCOMPARE(localeNumber("&O17", QLocale("en_US")).value_or(-1), 15.0);
    QVERIFY(!localeNumber("1,250.75 kg", QLocale("en_US")));
    QCOMPARE(roundToInt32(-0.5).value_or(99), 0);
    QCOMPARE(roundToInt32(1.5).value_or(99), 2);
    QVERIFY(!roundToInt32(std::numeric_limits<double>::quiet_NaN()));
}

void TestNumeric::sqlNumberIsTheShortestDecimal_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << 12.0 << "12";
    QTest::newRow("fraction") << 12.5 << "12.5";
    QTest::newRow("negative") << -150.0 << "-150";
    QTest::newRow("tenth") << 0.1 << "0.1";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("no exponent for large") << 1e20 << "100000000000000000000";
    QTest::newRow("no exponent for a document number") << 100000.0 << "100000";
    QTest::newRow("no exponent for small") << 0.00001 << "0.00001";
    QTest::newRow("round trip") << 0.1 + 0.2 << "0.30000000000000004";
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << "NULL";
}

void TestNumeric::sqlNumberIsTheShortestDecimal()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(sqlNumber(value), expected);
}

void TestNumeric::formatTotalGroupsThousandsAndShowsNoNegativeZero_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");
    const QLocale en("en_US");
    const QLocale de("de_DE");
    QTest::newRow("grouped") << 1234.5 << en << "1,234.50";
    QTest::newRow("millions") << 1234567.891 << en << "1,234,567.89";
    QTest::newRow("zero") << 0.0 << en << "0.00";
    QTest::newRow("negative") << -3.0 << en << "-3.00";
    QTest::newRow("negative grouped") << -1234.5 << en << "-1,234.50";
    QTest::newRow("tiny negative") << -0.001 << en << "0.00";
    QTest::newRow("negative zero") << -0.0 << en << "0.00";
    QTest::newRow("German") << 1234.5 << de << "1.234,50";
    QTest::newRow("German tiny negative") << -0.004 << de << "0,00";
    QTest::newRow("C locale still groups") << 1234.5 << QLocale::c() << "1,234.50";
}

void TestNumeric::formatTotalGroupsThousandsAndShowsNoNegativeZero()
{
    QFETCH(double, value);
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    QCOMPARE(formatTotal(value, locale), expected);
}

QTEST_GUILESS_MAIN(TestNumeric)
#include "TestNumeric.moc"
