#include "ErrorOf.h"
#include "settlement/Calculator.h"
#include "settlement/HeadCountFile.h"
#include "settlement/SettlementRules.h"
#include "store/QuillError.h"
#include "store/TextRules.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

void makeExecutable(const QString& path) {
    writeBytes(path, "#!/bin/sh\n");
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeUser);
}

const QDateTime from(QDate(2024, 3, 1), QTime(15, 10, 42, 971));
const QDateTime to(QDate(2024, 3, 31), QTime(15, 11, 0, 606));

} // namespace

class TestSettlementRules : public QObject {
    Q_OBJECT

private slots:
    void headCountWrittenWithCrLfAndReadBack_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("one digit") << QStringLiteral("3");
        QTest::newRow("two digits") << QStringLiteral("12");
        QTest::newRow("empty") << QString();
    }
    void headCountWrittenWithCrLfAndReadBack() {
        QFETCH(QString, text);
        QTemporaryDir dir;
        const HeadCountFile file(dir.filePath(QStringLiteral("number.ini")));
        writeBytes(file.path(), "7\r\nold second line\r\n");
        file.write(text);
        QCOMPARE(bytesOf(file.path()), text.toUtf8() + "\r\n");
        QCOMPARE(file.read(), text);
    }

    void headCountReadsTheFirstLineWhole_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("crlf and more lines") << QByteArray("4\r\n9\r\n") << QStringLiteral("4");
        QTest::newRow("lf") << QByteArray("5\n") << QStringLiteral("5");
        QTest::newRow("no line end") << QByteArray("6") << QStringLiteral("6");
        QTest::newRow("blanks kept") << QByteArray(" 3 \r\n") << QStringLiteral(" 3 ");
        QTest::newRow("not a number")
            << QByteArray("2.5 people\r\n") << QStringLiteral("2.5 people");
        QTest::newRow("chinese") << QByteArray("三\r\n") << QStringLiteral("三");
        QTest::newRow("empty line") << QByteArray("\r\n8\r\n") << QString();
        QTest::newRow("empty file") << QByteArray() << QString();
    }
    void headCountReadsTheFirstLineWhole() {
        QFETCH(QByteArray, content);
        QFETCH(QString, firstLine);
        QTemporaryDir dir;
        const HeadCountFile file(dir.filePath(QStringLiteral("number.ini")));
        writeBytes(file.path(), content);
        QCOMPARE(file.read(), firstLine);
    }

    void missingHeadCountFile() {
        QTemporaryDir dir;
        const HeadCountFile file(dir.filePath(QStringLiteral("number.ini")));
        QCOMPARE(errorOf([&] { file.read(); }), QStringLiteral("File not found"));
    }

    void acceptableHeadCounts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count"); // 0: refused
        QTest::newRow("1") << QStringLiteral("1") << 1;
        QTest::newRow("3") << QStringLiteral("3") << 3;
        QTest::newRow("99") << QStringLiteral("99") << 99;
        QTest::newRow("leading zero") << QStringLiteral("07") << 7;
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("0") << QStringLiteral("0") << 0;
        QTest::newRow("00") << QStringLiteral("00") << 0;
        QTest::newRow("100") << QStringLiteral("100") << 0;
        QTest::newRow("fraction") << QStringLiteral("2.5") << 0;
        QTest::newRow("negative") << QStringLiteral("-1") << 0;
        QTest::newRow("plus sign") << QStringLiteral("+3") << 0;
        QTest::newRow("blank before") << QStringLiteral(" 3") << 0;
        QTest::newRow("blank after") << QStringLiteral("3 ") << 0;
        QTest::newRow("exponent") << QStringLiteral("1e1") << 0;
        QTest::newRow("letters") << QStringLiteral("abc") << 0;
        QTest::newRow("full-width digit") << QStringLiteral("３") << 0;
        QTest::newRow("chinese numeral") << QStringLiteral("三") << 0;
    }
    void acceptableHeadCounts() {
        QFETCH(QString, text);
        QFETCH(int, count);
        QCOMPARE(HeadCountFile::acceptable(text).value_or(0), count);
    }

    void equalShare_data() {
        QTest::addColumn<double>("total");
        QTest::addColumn<QString>("headCount");
        QTest::addColumn<QString>("result"); // number text of the share, or the error
        QTest::newRow("even") << 402.0 << QStringLiteral("3") << QStringLiteral("134");
        QTest::newRow("thirds") << 100.0 << QStringLiteral("3")
                                << QStringLiteral("33.3333333333333");
        QTest::newRow("cents") << 100.01 << QStringLiteral("1") << QStringLiteral("100.01");
        QTest::newRow("nothing spent") << 0.0 << QStringLiteral("3") << QStringLiteral("0");
        QTest::newRow("hand-written fraction")
            << 300.0 << QStringLiteral("2.5") << QStringLiteral("120");
        QTest::newRow("zero") << 300.0 << QStringLiteral("0")
                              << QStringLiteral("Floating point division by zero");
        QTest::newRow("zero over zero")
            << 0.0 << QStringLiteral("0") << QStringLiteral("Invalid floating point operation");
        QTest::newRow("not a number")
            << 300.0 << QStringLiteral("three")
            << QStringLiteral("'three' is not a valid floating point value");
        QTest::newRow("empty") << 300.0 << QString()
                               << QStringLiteral("'' is not a valid floating point value");
    }
    void equalShare() {
        QFETCH(double, total);
        QFETCH(QString, headCount);
        QFETCH(QString, result);
        QString got;
        try {
            got = TextRules::numberText(SettlementRules::equalShare(total, headCount));
        } catch (const QuillError& error) {
            got = error.message();
        }
        QCOMPARE(got, result);
    }

    void texts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        using namespace SettlementRules;
        const QString name = QStringLiteral("张三");
        QTest::newRow("head count set") << headCountSet(QStringLiteral("3"))
                                        << QStringLiteral("您当前已经设置成3个人参与记账！");
        QTest::newRow("member total")
            << memberTotal(name, from, to, 61.5)
            << QStringLiteral(
                   "张三  在  2024-03-01 15:10:42  至   2024-03-31 15:11:00  的总金额为: 61.5 元 ");
        QTest::newRow("member total at midnight")
            << memberTotal(name, QDateTime(QDate(2024, 3, 1), QTime(0, 0)), to, 0)
            << QStringLiteral("张三  在  2024-03-01  至   2024-03-31 15:11:00  的总金额为: 0 元 ");
        QTest::newRow("split") << splitLine(from, to, 402, 134)
                               << QStringLiteral(" 在  2024-03-01 15:10:42  至   2024-03-31 "
                                                 "15:11:00  的总金额为: 402 元 ，平均每人付134元");
        QTest::newRow("balance owed")
            << balanceLine(name, from, to, 61, -73)
            << QStringLiteral("张三 在 2024-03-01 15:10:42  至   2024-03-31 15:11:00 的总金额为: "
                              "61 元 ，张三 应得到  -73元");
        QTest::newRow("balance due back")
            << balanceLine(QStringLiteral("李四"), from, to, 200.5, 66.5)
            << QStringLiteral("李四 在 2024-03-01 15:10:42  至   2024-03-31 15:11:00 的总金额为: "
                              "200.5 元 ，李四 应得到  66.5元");
        QTest::newRow("amount, no name")
            << amountLine(QString(), from, to, 0.1)
            << QStringLiteral(
                   "  在  2024-03-01 15:10:42  至   2024-03-31 15:11:00  的总金额为: 0.1 元 ");
    }
    void texts() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    void calculatorFoundOnPath() {
        const QByteArray savedPath = qgetenv("PATH");
        QTemporaryDir first;
        QTemporaryDir second;
        makeExecutable(first.filePath(QStringLiteral("xcalc")));
        makeExecutable(second.filePath(QStringLiteral("galculator")));
        // A file that is not executable is no calculator.
        writeBytes(first.filePath(QStringLiteral("gnome-calculator")), "not a program");

        qputenv("PATH", (first.path() + QLatin1Char(':') + second.path()).toUtf8());
        const QString preferred = Calculator::find();
        qputenv("PATH", first.path().toUtf8());
        const QString only = Calculator::find();
        qputenv("PATH", QTemporaryDir().path().toUtf8());
        const QString none = Calculator::find();
        qputenv("PATH", savedPath);

        QCOMPARE(preferred, second.filePath(QStringLiteral("galculator")));
        QCOMPARE(only, first.filePath(QStringLiteral("xcalc")));
        QCOMPARE(none, QString());
    }
};

QTEST_GUILESS_MAIN(TestSettlementRules)
#include "test_settlement_rules.moc"
