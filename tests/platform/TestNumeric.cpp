// Text-to-number rules: the leading number, the locale readings, the SQL form and the total format.
#include "platform/Numeric.h"

#include <QTest>

using namespace qvtrnsfr;

static const QLocale en("en_US");
static const QLocale de("de_DE");
static const QVariant none; // the text is not a number, or the number does not fit

class TestNumeric : public QObject {
    Q_OBJECT
private slots:
    void numericValueReadsTheLeadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("digits then letters") << "12abc" << 12.0;
        QTest::newRow("blank inside the digits") << "1 2" << 12.0;
        QTest::newRow("comma stops the number") << "1,250.00" << 1.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("hexadecimal") << "&HFF" << 255.0;
        QTest::newRow("octal") << "&O17" << 15.0;
        QTest::newRow("negative exponent form") << "-1.5e2" << -150.0;
        QTest::newRow("exponent sign without digits") << "1e+" << 1.0;
        QTest::newRow("blanks around the sign") << " - 3" << -3.0;
        QTest::newRow("tabs and line feeds") << "\t1\n2 .\t5" << 12.5;
        QTest::newRow("non-ASCII digits") << QString::fromUtf8("\u0661\u0662") << 0.0;
        QTest::newRow("beyond double range") << "1e999" << 0.0;
    }
    void numericValueReadsTheLeadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(numericValue(text), expected);
    }

    // localeNumber keeps the fraction; wholeNumberValue rounds it half to even.
    void localeReadingsTakeTheWholeText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QVariant>("number");
        QTest::addColumn<QVariant>("whole");
        QTest::newRow("half down to even") << "2.5" << en << QVariant(2.5) << QVariant(2);
        QTest::newRow("half up to even") << "3.5" << en << QVariant(3.5) << QVariant(4);
        QTest::newRow("negative half to even") << "-2.5" << en << QVariant(-2.5) << QVariant(-2);
        QTest::newRow("grouped thousands") << "1,250.75" << en << QVariant(1250.75) << QVariant(1251);
        QTest::newRow("hexadecimal") << "&HFF" << en << QVariant(255.0) << QVariant(255);
        QTest::newRow("below the top")
            << "2147483647.4" << en << QVariant(2147483647.4) << QVariant(2147483647);
        QTest::newRow("overflow") << "2147483648" << en << QVariant(2147483648.0) << none;
        QTest::newRow("rounds into overflow") << "2147483647.5" << en << QVariant(2147483647.5) << none;
        QTest::newRow("the bottom") << "-2147483648" << en << QVariant(-2147483648.0)
                                    << QVariant(-2147483647 - 1);
        QTest::newRow("number then letters") << "12abc" << en << none << none;
        QTest::newRow("empty") << "" << en << none << none;
        QTest::newRow("infinity") << "inf" << en << none << none;
        QTest::newRow("German") << "1.250,5" << de << QVariant(1250.5) << QVariant(1250);
        QTest::newRow("German, C form") << "5.75" << de << QVariant(5.75) << QVariant(6);
    }
    void localeReadingsTakeTheWholeText()
    {
        QFETCH(QString, text);
        QFETCH(QLocale, locale);
        QFETCH(QVariant, number);
        QFETCH(QVariant, whole);
        const auto orNone = [](const auto &v) { return v ? QVariant::fromValue(*v) : QVariant(); };
        QCOMPARE(orNone(localeNumber(text, locale)), number);
        QCOMPARE(orNone(wholeNumberValue(text, locale)), whole);
    }

    void sqlNumberIsTheShortestDecimal_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole") << 12.0 << "12";
        QTest::newRow("fraction") << 12.5 << "12.5";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("no exponent for large") << 1e20 << "100000000000000000000";
        QTest::newRow("no exponent for small") << 0.00001 << "0.00001";
        QTest::newRow("round trip") << 0.1 + 0.2 << "0.30000000000000004";
        QTest::newRow("infinity") << qInf() << "NULL";
    }
    void sqlNumberIsTheShortestDecimal()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(sqlNumber(value), expected);
    }

    void formatTotalGroupsThousandsAndShowsNoNegativeZero_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("grouped") << 1234567.891 << en << "1,234,567.89";
        QTest::newRow("negative grouped") << -1234.5 << en << "-1,234.50";
        QTest::newRow("tiny negative") << -0.001 << en << "0.00";
        QTest::newRow("German") << 1234.5 << de << "1.234,50";
        QTest::newRow("C locale still groups") << 1234.5 << QLocale::c() << "1,234.50";
    }
    void formatTotalGroupsThousandsAndShowsNoNegativeZero()
    {
        QFETCH(double, value);
        QFETCH(QLocale, locale);
        QFETCH(QString, expected);
        QCOMPARE(formatTotal(value, locale), expected);
    }
};

QTEST_GUILESS_MAIN(TestNumeric)
#include "TestNumeric.moc"
