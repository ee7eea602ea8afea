#include "SettlementWindow.h"

#include "app/DateTimePicker.h"
#include "store/Dataset.h"

#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString refusal = QStringLiteral("请输入参与记账的人数：1到99之间的整数！");

// One month of expenses: 张三 paid 61 from 1 to 31 March (rows on both end
// days), 300 outside it, 李四 41; the whole ledger holds 402.
void addMonth(TestInstall& install) {
    const QString zhang = QStringLiteral("张三");
    install.addExpense(zhang, QStringLiteral("2024-02-29"), QStringLiteral("100"));
    install.addExpense(zhang, QStringLiteral("2024-03-01"), QStringLiteral("10.10"));
    install.addExpense(zhang, QStringLiteral("2024-03-15 12:00:00"), QStringLiteral("20.20"));
    install.addExpense(QStringLiteral("李四"), QStringLiteral("2024-03-10"), QStringLiteral("41"));
    install.addExpense(zhang, QStringLiteral("2024-03-31"), QStringLiteral("30.30"));
    install.addExpense(zhang, QStringLiteral("2024-03-31 23:59:59"), QStringLiteral(".40"));
    install.addExpense(zhang, QStringLiteral("2024-04-01"), QStringLiteral("200"));
}

// Opens the settlement centre from the command bar, answering any box.
void openCentre(SettlementWindow& w) {
    QTest::mouseClick(w.bar().Button6, Qt::LeftButton);
    QVERIFY(w.centre().Panel3->isVisible());
}

// Sets the centre's range to March 2024; the pickers keep their times of day.
void pickMarch(SettlementCentre& centre) {
    centre.DateTimePicker4->setDate(QDate(2024, 3, 1));
    centre.DateTimePicker5->setDate(QDate(2024, 3, 31));
}

// Types into an entry: plain keys for ASCII, an input method's commit for the
// rest (the test keyboard knows no Chinese).
void typeText(QLineEdit* entry, const QString& text) {
    bool ascii = true;
    for (const QChar c : text)
        ascii = ascii && c.unicode() < 128;
    if (ascii) {
        QTest::keyClicks(entry, text);
        return;
    }
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(entry, &commit);
}

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

} // namespace

class TestSettlementCentre : public QObject {
    Q_OBJECT

private slots:
    void openAndClose_data() { TestInstall::addBackendRows(); }
    void openAndClose() {
        QFETCH(QString, backend);
        SettlementWindow w(backend);
        w.open();
        SettlementCentre& centre = w.centre();
        QVERIFY(!centre.Panel3->isVisible());
        QVERIFY(!centre.Button17->isEnabled());
        QCOMPARE(centre.DateTimePicker4->value(),
                 QDateTime(QDate(2010, 1, 1), QTime(15, 10, 42, 971)));
        QCOMPARE(centre.DateTimePicker5->value(),
                 QDateTime(QDate::currentDate(), QTime(15, 11, 0, 606)));

        centre.ComboBox4->setCurrentText(QStringLiteral("张三"));
        centre.Edit4->setText(QStringLiteral("9"));
        BoxAnswerer answerer;
        openCentre(w);
        QCOMPARE(answerer.boxes().size(), 0);
        QCOMPARE(centre.ComboBox4->currentText(), QString());
        QCOMPARE(centre.Edit4->text(), QStringLiteral("3"));
        QCOMPARE(centre.ComboBox4->count(), 3);

        QTest::mouseClick(centre.Button16, Qt::LeftButton);
        QVERIFY(centre.Button17->isEnabled());
        QTest::mouseClick(centre.Button5, Qt::LeftButton);
        QVERIFY(!centre.Panel3->isVisible());
        QVERIFY(!centre.Button17->isEnabled());
        QCOMPARE(answerer.boxes().size(), 0);
    }

    void missingHeadCountFile_data() { TestInstall::addBackendRows(); }
    void missingHeadCountFile() {
        QFETCH(QString, backend);
        SettlementWindow w(backend);
        w.open();
        QVERIFY(QFile::remove(w.headCountPath()));
        w.centre().Edit4->setText(QStringLiteral("7"));
        w.centre().ComboBox4->setCurrentText(QStringLiteral("李四"));

        BoxAnswerer answerer;
        openCentre(w);
        const BoxAnswerer::Box box = answerer.only();
        QCOMPARE(box.text, QStringLiteral("File not found."));
        QCOMPARE(box.title, QStringLiteral("Quillmere"));
        QCOMPARE(box.icon, QMessageBox::Critical);
        // The panel is shown and the name emptied before the read fails.
        QVERIFY(w.centre().Panel3->isVisible());
        QCOMPARE(w.centre().ComboBox4->currentText(), QString());
        QCOMPARE(w.centre().Edit4->text(), QStringLiteral("7"));

        // "A A" stops with the same report and leaves "结算" disabled.
        answerer.clear();
        QTest::mouseClick(w.centre().Button16, Qt::LeftButton);
        QCOMPARE(answerer.only().text, QStringLiteral("File not found."));
        QVERIFY(!w.centre().Button17->isEnabled());
    }

    void setHeadCount_data() {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written"); // empty: refused
        const QList<std::pair<const char*, QString>> cases{
            {"3", QStringLiteral("3")},
            {"4", QStringLiteral("4")},
            {"99", QStringLiteral("99")},
            {"07", QStringLiteral("7")},
            {"", QString()},
            {"0", QString()},
            {"100", QString()},
            {"2.5", QString()},
            {"-2", QString()},
            {" 4", QString()},
            {"three", QString()},
            {"三", QString()},
        };
        for (const QString& backend : TestInstall::backends()) {
            for (const auto& [typed, written] : cases) {
                QTest::addRow("%s/'%s'", qPrintable(backend), typed)
                    << backend << QString::fromUtf8(typed) << written;
            }
        }
    }
    void setHeadCount() {
        QFETCH(QString, backend);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        SettlementWindow w(backend);
        w.open();
        w.writeHeadCount("5\r\n");
        openCentre(w);
        SettlementCentre& centre = w.centre();
        QCOMPARE(centre.Edit4->text(), QStringLiteral("5"));

        centre.Edit4->clear();
        typeText(centre.Edit4, typed);
        QCOMPARE(centre.Edit4->text(), typed);
        BoxAnswerer answerer;
        QTest::mouseClick(centre.Button18, Qt::LeftButton);
        if (written.isEmpty()) {
            QCOMPARE(answerer.only().text, refusal);
            QCOMPARE(w.headCountBytes(), QByteArray("5\r\n"));
            QCOMPARE(centre.Edit4->text(), typed);
        } else {
            const BoxAnswerer::Box box = answerer.only();
            QCOMPARE(box.text, QStringLiteral("您当前已经设置成%1个人参与记账！").arg(written));
            QCOMPARE(box.title, QStringLiteral("Quillmere"));
            QCOMPARE(box.icon, QMessageBox::NoIcon);
            QCOMPARE(w.headCountBytes(), written.toUtf8() + "\r\n");
            QCOMPARE(centre.Edit4->text(), written);
        }
    }

    void memberTotalAndSettlement_data() { TestInstall::addBackendRows(); }
    void memberTotalAndSettlement() {
        QFETCH(QString, backend);
        SettlementWindow w(backend);
        addMonth(w.install);
        w.open();
        openCentre(w);
        SettlementCentre& centre = w.centre();
        pickMarch(centre);
        centre.ComboBox4->setCurrentText(QStringLiteral("张三"));
        const QString label9Before = QStringLiteral("earlier result");
        w.bar().Label9->setText(label9Before);

        // The member's rows from the from-day through the to-day, whatever the
        // pickers' times of day.
        QTest::mouseClick(centre.BitBtn5, Qt::LeftButton);
        QCOMPARE(sorted(gridColumn(w.bar().DBGrid2, QStringLiteral("money"))),
                 sorted({QStringLiteral("10.10"), QStringLiteral("20.20"), QStringLiteral("30.30"),
                         QStringLiteral(".40")}));

        BoxAnswerer answerer;
        QTest::mouseClick(centre.Button4, Qt::LeftButton);
        QCOMPARE(answerer.only().text,
                 QStringLiteral("张三  在  2024-03-01 15:10:42  至   2024-03-31 15:11:00  "
                                "的总金额为: 61 元 "));
        QCOMPARE(w.bar().Label9->text(), label9Before);
        // After a sum the ledger's current row is its last.
        QCOMPARE(w.form->ADOQuery1->currentRow(), 3);

        // "A A" splits the whole ledger, whatever the range and the name, by the
        // count in the file: typing into the box alone sets nothing.
        centre.Edit4->setText(QStringLiteral("6"));
        answerer.clear();
        QTest::mouseClick(centre.Button16, Qt::LeftButton);
        QCOMPARE(answerer.boxes().size(), 0);
        QCOMPARE(centre.Edit4->text(), QStringLiteral("3"));
        QCOMPARE(w.bar().Label9->text(),
                 QStringLiteral(" 在  2024-03-01 15:10:42  至   2024-03-31 15:11:00  的总金额为: "
                                "402 元 ，平均每人付134元"));
        QCOMPARE(gridColumn(w.bar().DBGrid2, QStringLiteral("money")).size(), 7);
        QVERIFY(centre.Button17->isEnabled());

        // "计算" shows a total but leaves the share alone, so "结算" still settles
        // against the split.
        QTest::mouseClick(centre.Button4, Qt::LeftButton);
        QCOMPARE(answerer.only().text,
                 QStringLiteral("张三  在  2024-03-01 15:10:42  至   2024-03-31 15:11:00  "
                                "的总金额为: 61 元 "));
        QTest::mouseClick(centre.Button17, Qt::LeftButton);
        QCOMPARE(w.bar().Label9->text(),
                 QStringLiteral("张三 在 2024-03-01 15:10:42  至   2024-03-31 15:11:00 的总金额为: "
                                "61 元 ，张三 应得到  -73元"));

        centre.ComboBox4->setCurrentText(QStringLiteral("李四"));
        QTest::mouseClick(centre.Button17, Qt::LeftButton);
        QCOMPARE(w.bar().Label9->text(),
                 QStringLiteral("李四 在 2024-03-01 15:10:42  至   2024-03-31 15:11:00 的总金额为: "
                                "41 元 ，李四 应得到  -93元"));

        // A member without rows in the range paid nothing.
        centre.ComboBox4->setCurrentText(QStringLiteral("王五"));
        QTest::mouseClick(centre.Button17, Qt::LeftButton);
        QCOMPARE(w.bar().Label9->text(),
                 QStringLiteral("王五 在 2024-03-01 15:10:42  至   2024-03-31 15:11:00 的总金额为: "
                                "0 元 ，王五 应得到  -134元"));
        QCOMPARE(answerer.boxes().size(), 1);
        // The share never reaches the member panel's password box.
        QCOMPARE(centre.share().value_or(-1), 134.0);
    }

    void equalSplitStopsOnABadHeadCount_data() {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<bool>("withExpenses");
        QTest::addColumn<QByteArray>("headCount");
        QTest::addColumn<QString>("report");
        struct Case {
            const char* name;
            bool withExpenses;
            QByteArray headCount;
            QString report;
        };
        const QList<Case> cases{
            {"zero", true, "0\r\n", QStringLiteral("Floating point division by zero.")},
            {"zero over nothing", false, "0\r\n",
             QStringLiteral("Invalid floating point operation.")},
            {"not a number", true, "three\r\n",
             QStringLiteral("'three' is not a valid floating point value.")},
            {"empty line", true, "\r\n", QStringLiteral("'' is not a valid floating point value.")},
        };
        for (const QString& backend : TestInstall::backends()) {
            for (const Case& c : cases) {
                QTest::addRow("%s/%s", qPrintable(backend), c.name)
                    << backend << c.withExpenses << c.headCount << c.report;
            }
        }
    }
    void equalSplitStopsOnABadHeadCount() {
        QFETCH(QString, backend);
        QFETCH(bool, withExpenses);
        QFETCH(QByteArray, headCount);
        QFETCH(QString, report);
        SettlementWindow w(backend);
        if (withExpenses)
            addMonth(w.install);
        w.open();
        openCentre(w);
        SettlementCentre& centre = w.centre();
        pickMarch(centre);

        // A first split works, then the file is changed by hand.
        QTest::mouseClick(centre.Button16, Qt::LeftButton);
        const QString line = w.bar().Label9->text();
        const double share = centre.share().value_or(-1);
        QCOMPARE(share, withExpenses ? 134.0 : 0.0);
        QTest::mouseClick(centre.Button5, Qt::LeftButton);
        w.writeHeadCount(headCount);
        openCentre(w);

        BoxAnswerer answerer;
        QTest::mouseClick(centre.Button16, Qt::LeftButton);
        const BoxAnswerer::Box box = answerer.only();
        QCOMPARE(box.text, report);
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(w.bar().Label9->text(), line);
        QCOMPARE(centre.share().value_or(-1), share);
        // The earlier share is still there to settle against.
        QVERIFY(centre.Button17->isEnabled());
    }

    void settlingNeedsASplitFirst_data() { TestInstall::addBackendRows(); }
    void settlingNeedsASplitFirst() {
        QFETCH(QString, backend);
        SettlementWindow w(backend);
        addMonth(w.install);
        w.writeHeadCount("0\r\n");
        w.open();
        openCentre(w);
        SettlementCentre& centre = w.centre();
        QVERIFY(!centre.Button17->isEnabled());

        BoxAnswerer answerer;
        QTest::mouseClick(centre.Button16, Qt::LeftButton);
        QCOMPARE(answerer.only().text, QStringLiteral("Floating point division by zero."));
        // No share yet: nothing to settle against.
        QVERIFY(!centre.Button17->isEnabled());
        QVERIFY(!centre.share());
        centre.ComboBox4->setCurrentText(QStringLiteral("张三"));
        centre.Button17Click();
        QCOMPARE(w.bar().Label9->text(), QString());
    }

    void amountLine_data() {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("line");
        const QString range = QStringLiteral("  在  2024-03-01 15:10:42  至   2024-03-31 15:11:00  "
                                             "的总金额为: %1 元 ");
        const QList<std::pair<const char*, QString>> cases{
            {"start", range.arg(QStringLiteral("402"))},
            {"name", QStringLiteral("李四") + range.arg(QStringLiteral("41"))},
            {"name without rows", QStringLiteral("王五") + range.arg(QStringLiteral("0"))},
            {"dates", range.arg(QStringLiteral("91.9"))},
            {"refresh", range.arg(QStringLiteral("402"))},
            {"member query", range.arg(QStringLiteral("61"))},
        };
        for (const QString& backend : TestInstall::backends()) {
            for (const auto& [filter, line] : cases) {
                QTest::addRow("%s/%s", qPrintable(backend), filter)
                    << backend << QString::fromLatin1(filter) << line;
            }
        }
    }
    void amountLine() {
        QFETCH(QString, backend);
        QFETCH(QString, filter);
        QFETCH(QString, line);
        SettlementWindow w(backend);
        addMonth(w.install);
        w.open();
        LedgerView& bar = w.bar();
        pickMarch(w.centre());
        // The command bar's own range differs: the line still quotes the centre's.
        bar.DateTimePicker2->setDate(QDate(2024, 3, 10));
        bar.DateTimePicker3->setDate(QDate(2024, 3, 31));

        if (filter == QLatin1String("name")) {
            bar.ComboBox2->setCurrentText(QStringLiteral("李四"));
            bar.BitBtn6Click();
        } else if (filter == QLatin1String("name without rows")) {
            bar.ComboBox2->setCurrentText(QStringLiteral("王五"));
            bar.BitBtn6Click();
        } else if (filter == QLatin1String("dates")) {
            QTest::mouseClick(bar.BitBtn4, Qt::LeftButton);
        } else if (filter == QLatin1String("refresh")) {
            bar.N1->trigger();
        } else if (filter == QLatin1String("member query")) {
            openCentre(w);
            w.centre().ComboBox4->setCurrentText(QStringLiteral("张三"));
            QTest::mouseClick(w.centre().BitBtn5, Qt::LeftButton);
        }
        const int rows = gridColumn(bar.DBGrid2, QStringLiteral("money")).size();

        BoxAnswerer answerer;
        QTest::mouseClick(bar.Button3, Qt::LeftButton);
        QCOMPARE(answerer.boxes().size(), 0);
        QCOMPARE(bar.Label9->text(), line);
        QCOMPARE(w.form->ADOQuery1->currentRow(), rows - 1);
    }

    void amountLineOverAClosedLedger_data() { TestInstall::addBackendRows(); }
    void amountLineOverAClosedLedger() {
        QFETCH(QString, backend);
        SettlementWindow w(backend);
        w.open();
        w.form->ADOQuery1->close();
        w.bar().Label9->setText(QStringLiteral("kept"));
        BoxAnswerer answerer;
        QTest::mouseClick(w.bar().Button3, Qt::LeftButton);
        QCOMPARE(answerer.only().text,
                 QStringLiteral("ADOQuery1: Cannot perform this operation on a closed dataset."));
        QCOMPARE(w.bar().Label9->text(), QStringLiteral("kept"));
    }

    void focusLeavingTheQueryRunsTheDateFilter_data() { TestInstall::addBackendRows(); }
    void focusLeavingTheQueryRunsTheDateFilter() {
        QFETCH(QString, backend);
        SettlementWindow w(backend);
        addMonth(w.install);
        w.open();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        openCentre(w);
        SettlementCentre& centre = w.centre();
        pickMarch(centre);
        centre.ComboBox4->setCurrentText(QStringLiteral("张三"));
        w.bar().DateTimePicker2->setDate(QDate(2024, 3, 10));
        w.bar().DateTimePicker3->setDate(QDate(2024, 3, 31));
        const QStringList memberRows = sorted({QStringLiteral("10.10"), QStringLiteral("20.20"),
                                               QStringLiteral("30.30"), QStringLiteral(".40")});
        const QStringList dateRows = sorted({QStringLiteral("20.20"), QStringLiteral("41"),
                                             QStringLiteral("30.30"), QStringLiteral(".40")});
        auto money = [&] { return sorted(gridColumn(w.bar().DBGrid2, QStringLiteral("money"))); };

        QTest::mouseClick(centre.BitBtn5, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), centre.BitBtn5);
        QCOMPARE(money(), memberRows);

        // A box taking the focus is not the focus leaving for another control.
        BoxAnswerer answerer;
        centre.Button4Click();
        QCOMPARE(answerer.boxes().size(), 1);
        QCOMPARE(money(), memberRows);
        // The window manager gives the window back its activation and its focus.
        w.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        QCOMPARE(QApplication::focusWidget(), centre.BitBtn5);
        QCOMPARE(money(), memberRows);

        // Moving on to another control runs the command bar's date filter.
        QTest::mouseClick(centre.Edit4, Qt::LeftButton);
        QCOMPARE(money(), dateRows);

        // "计算" takes the focus first, then runs the member query itself.
        QTest::mouseClick(centre.BitBtn5, Qt::LeftButton);
        answerer.clear();
        QTest::mouseClick(centre.Button4, Qt::LeftButton);
        QCOMPARE(answerer.boxes().size(), 1);
        QCOMPARE(money(), memberRows);
    }

    void calculator_data() { TestInstall::addBackendRows(); }
    void calculator() {
        QFETCH(QString, backend);
        SettlementWindow w(backend);
        w.open();
        openCentre(w);
        const QByteArray savedPath = qgetenv("PATH");
        QTemporaryDir bin;
        const QString marker = bin.filePath(QStringLiteral("started"));
        const QString program = bin.filePath(QStringLiteral("mate-calc"));
        {
            QFile script(program);
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write("#!/bin/sh\necho started > '" + marker.toUtf8() + "'\n");
        }
        QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner);

        BoxAnswerer answerer;
        qputenv("PATH", bin.path().toUtf8());
        QTest::mouseClick(w.centre().Button11, Qt::LeftButton);
        qputenv("PATH", savedPath);
        QTRY_VERIFY(QFile::exists(marker));
        QCOMPARE(answerer.boxes().size(), 0);

        qputenv("PATH", (bin.path() + QStringLiteral("/nothing-here")).toUtf8());
        QTest::mouseClick(w.centre().Button11, Qt::LeftButton);
        qputenv("PATH", savedPath);
        const BoxAnswerer::Box box = answerer.only();
        QCOMPARE(box.text, QStringLiteral("没有找到计算器程序。请安装 gnome-calculator、kcalc、"
                                          "galculator、mate-calc 或 xcalc 中的一个。"));
        QCOMPARE(box.title, QStringLiteral("Quillmere"));
    }

    void auditButtonOpensTheAuditPanel_data() { TestInstall::addBackendRows(); }
    void auditButtonOpensTheAuditPanel() {
        QFETCH(QString, backend);
        SettlementWindow w(backend);
        w.open();
        openCentre(w);
        QTest::mouseClick(w.centre().Button12, Qt::LeftButton);
        QVERIFY(!w.centre().Panel3->isVisible());
        QVERIFY(w.audit().Panel5->isVisible());
    }
};

QTEST_MAIN(TestSettlementCentre)
#include "test_settlement_centre.moc"
