#include "store/MoneySum.h"
#include "store/QuillError.h"
#include "store/TextRules.h"

#include <QTest>

class TestTextRules : public QObject {
    Q_OBJECT

private slots:
    void parsesNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("whole") << "12" << 12.0;
        QTest::newRow("decimals") << "999.95" << 999.95;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("trailing point") << "5." << 5.0;
        QTest::newRow("blanks around") << "  7.25  " << 7.25;
        QTest::newRow("plus") << "+3" << 3.0;
        QTest::newRow("minus") << "-3.5" << -3.5;
        QTest::newRow("exponent") << "1.5E3" << 1500.0;
        QTest::newRow("small exponent") << "25e-2" << 0.25;
        QTest::newRow("signed exponent") << "2e+2" << 200.0;
        QTest::newRow("zero") << "0" << 0.0;
    }
    void parsesNumbers() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QVERIFY(TextRules::isNumber(text));
        QCOMPARE(TextRules::parseNumber(text), value);
    }

    void refusesNonNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks only") << "   ";
        QTest::newRow("two points") << "1.2.3";
        QTest::newRow("blank inside") << "1 2";
        QTest::newRow("sign only") << "-";
        QTest::newRow("point only") << ".";
        QTest::newRow("exponent without digits") << "1e";
        QTest::newRow("exponent first") << "e5";
        QTest::newRow("comma decimal") << "1,5";
        QTest::newRow("letters") << "abc";
        QTest::newRow("two signs") << "+-1";
        QTest::newRow("tab") << "\t1";
        QTest::newRow("full-width digit") << "１２";
    }
    void refusesNonNumbers() {
        QFETCH(QString, text);
        QVERIFY(!TextRules::isNumber(text));
        try {
            TextRules::parseNumber(text);
            QFAIL("no error");
        } catch (const QuillError& error) {
            QCOMPARE(error.message(),
                     QStringLiteral("'%1' is not a valid floating point value").arg(text));
        }
    }

    void writesNumbers_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 12.0 << "12";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("trailing zeros dropped") << 2.50 << "2.5";
        QTest::newRow("a third") << 1.0 / 3.0 << "0.333333333333333";
        QTest::newRow("15 significant digits") << 123456.789012345678 << "123456.789012346";
        QTest::newRow("cents") << 0.1 + 0.2 << "0.3";
        QTest::newRow("negative") << -16.6666666666667 << "-16.6666666666667";
        QTest::newRow("large") << 1e20 << "1E20";
        QTest::newRow("small") << 1.5e-7 << "1.5E-7";
        QTest::newRow("no thousands separator") << 1234567.0 << "1234567";
    }
    void writesNumbers() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(TextRules::numberText(value), text);
    }

    void writesDateTimes_data() {
        QTest::addColumn<QDateTime>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("midnight") << QDateTime(QDate(2010, 1, 1), QTime(0, 0)) << "2010-01-01";
        QTest::newRow("with time")
            << QDateTime(QDate(2010, 1, 1), QTime(15, 10, 42, 971)) << "2010-01-01 15:10:42";
        QTest::newRow("milliseconds only")
            << QDateTime(QDate(2026, 12, 11), QTime(0, 0, 0, 500)) << "2026-12-11";
        QTest::newRow("one second")
            << QDateTime(QDate(2020, 2, 29), QTime(0, 0, 1)) << "2020-02-29 00:00:01";
    }
    void writesDateTimes() {
        QFETCH(QDateTime, value);
        QFETCH(QString, text);
        QCOMPARE(TextRules::dateTimeText(value), text);
        const auto back = TextRules::parseDateTimeText(text);
        QVERIFY(back.has_value());
        QCOMPARE(TextRules::dateTimeText(*back), text);
    }

    void dateTextsSortAsDates() {
        const QDate first(2026, 9, 30);
        const QDate second(2026, 10, 1);
        QVERIFY(TextRules::dateText(first) < TextRules::dateText(second));
        QVERIFY(TextRules::dateTimeText(QDateTime(first, QTime(23, 59, 59))) <
                TextRules::dateText(second));
    }

    void readsNoDateFromJunk() {
        QVERIFY(!TextRules::parseDateTimeText(QStringLiteral("yesterday")).has_value());
        QVERIFY(!TextRules::parseDateTimeText(QString()).has_value());
    }

    void compensatedSumIsExactToTheCent() {
        CompensatedSum sum;
        for (int i = 0; i < 1000000; ++i)
            sum.add(TextRules::parseNumber(QStringLiteral("999.95")));
        QCOMPARE(TextRules::numberText(sum.result()), QStringLiteral("999950000"));
        CompensatedSum cents;
        for (int i = 0; i < 10; ++i)
            cents.add(0.1);
        QCOMPARE(TextRules::numberText(cents.result()), QStringLiteral("1"));
    }
};

QTEST_GUILESS_MAIN(TestTextRules)
#include "test_text_rules.moc"
