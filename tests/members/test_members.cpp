#include "BoxAnswerer.h"
#include "TestInstall.h"
#include "Unlock.h"

#include "app/DBGrid.h"
#include "app/Unit1.h"
#include "ledger/LedgerView.h"
#include "ledger/RecordEditor.h"
#include "members/MemberPanel.h"
#include "members/PasswordRules.h"
#include "settlement/SettlementCentre.h"
#include "store/Dataset.h"
#include "store/PasswordHash.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

namespace {

// Types text one character at a time, as a keyboard (or an input method) would.
void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QStringList memberTable(TestInstall& install) {
    QStringList names;
    QSqlQuery q(install.db());
    q.exec(QStringLiteral("select xingming from xmb"));
    while (q.next())
        names << q.value(0).toString();
    return names;
}

QStringList items(const QComboBox* box) {
    QStringList result;
    for (int i = 0; i < box->count(); ++i)
        result << box->itemText(i);
    return result;
}

QStringList gridNames(const DBGrid* grid) {
    QStringList result;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        result << grid->model()->index(row, 0).data().toString();
    return result;
}

// The window, shown and unlocked, with the member panel open.
std::unique_ptr<TForm1> openMemberPanel() {
    auto form = std::make_unique<TForm1>();
    form->show();
    unlock(*form);
    QTest::mouseClick(form->ledger->Button7, Qt::LeftButton);
    return form;
}

void clickRow(DBGrid* grid, int row) {
    const QRect cell = grid->visualRect(grid->model()->index(row, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

} // namespace

class TestMembers : public QObject {
    Q_OBJECT

private slots:
    void passwordRules_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("valid");
        QTest::newRow("digits") << QStringLiteral("0123456789") << true;
        QTest::newRow("one digit") << QStringLiteral("7") << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("blank inside") << QStringLiteral("12 34") << false;
        QTest::newRow("statement text") << QStringLiteral("1) or (1=1") << false;
        QTest::newRow("sign") << QStringLiteral("-1234") << false;
        QTest::newRow("full-width digits") << QStringLiteral("１２３") << false;
        QTest::newRow("Arabic-Indic digits") << QStringLiteral("١٢٣") << false;
    }
    void passwordRules() {
        QFETCH(QString, code);
        QFETCH(bool, valid);
        QCOMPARE(PasswordRules::isValidCode(code), valid);
        // A code is valid exactly when each of its characters may be typed.
        if (!code.isEmpty()) {
            const bool everyKey =
                std::all_of(code.begin(), code.end(), PasswordRules::isAllowedKey);
            QCOMPARE(everyKey, valid);
        }
        QVERIFY(PasswordRules::isAllowedKey(QChar(8)));
    }

    void addAndRemoveMembers_data() { TestInstall::addBackendRows(); }
    void addAndRemoveMembers() {
        QFETCH(QString, backend);
        TestInstall install(backend);
        auto form = openMemberPanel();
        MemberPanel& panel = *form->memberPanel;
        QVERIFY(panel.Panel4->isVisible());
        QAbstractItemModelTester tester(panel.DBGrid1->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        const QList<QComboBox*> nameBoxes{form->ledger->ComboBox2, form->recordEditor->ComboBox1,
                                          form->settlement->ComboBox4};
        auto boxesOfferTheTable = [&] {
            const QStringList table = memberTable(install);
            for (const QComboBox* box : nameBoxes) {
                if (items(box) != table)
                    return false;
            }
            return gridNames(panel.DBGrid1) == table;
        };
        QCOMPARE(
            gridNames(panel.DBGrid1),
            QStringList({QStringLiteral("张三"), QStringLiteral("李四"), QStringLiteral("王五")}));
        BoxAnswerer answerer;

        // A name with a quote goes in as it is, and every name box offers it at once.
        typeText(panel.Edit1, QStringLiteral("赵六'"));
        QTest::mouseClick(panel.Button8, Qt::LeftButton);
        QVERIFY(answerer.boxes().isEmpty());
        QVERIFY(panel.Edit1->text().isEmpty());
        QCOMPARE(memberTable(install).size(), 4);
        QVERIFY(memberTable(install).contains(QStringLiteral("赵六'")));
        QVERIFY(boxesOfferTheTable());
        // The grid's mark catches up when control returns to the event loop.
        QTRY_COMPARE(panel.DBGrid1->currentIndex().row(), 3);

        // "删除" removes the row marked in the grid, and only that one.
        clickRow(panel.DBGrid1, 1);
        QCOMPARE(form->ADOTable1->currentRow(), 1);
        QTest::mouseClick(panel.Button9, Qt::LeftButton);
        QVERIFY(answerer.boxes().isEmpty());
        QCOMPARE(memberTable(install), QStringList({QStringLiteral("张三"), QStringLiteral("王五"),
                                                    QStringLiteral("赵六'")}));
        QVERIFY(boxesOfferTheTable());
        QTRY_COMPARE(panel.DBGrid1->currentIndex().row(), 1);

        // The member's expenses stay in the ledger.
        install.addExpense(QStringLiteral("张三"), QStringLiteral("2026-01-02"),
                           QStringLiteral("3"));
        while (!memberTable(install).isEmpty())
            QTest::mouseClick(panel.Button9, Qt::LeftButton);
        QVERIFY(answerer.boxes().isEmpty());
        QCOMPARE(install.ledgerCount(), 1);
        QCOMPARE(panel.DBGrid1->model()->rowCount(), 0);
        QVERIFY(boxesOfferTheTable());

        QTest::mouseClick(panel.Button9, Qt::LeftButton);
        const BoxAnswerer::Box box = answerer.only();
        QCOMPARE(box.text,
                 QStringLiteral("ADOTable1: Cannot perform this operation on an empty dataset."));
        QCOMPARE(box.icon, QMessageBox::Critical);
        QVERIFY(panel.Panel4->isVisible());

        QTest::mouseClick(panel.Button10, Qt::LeftButton);
        QVERIFY(panel.Panel4->isHidden());
    }

    void emptyNameRefused_data() {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("typed");
        for (const QString& backend : TestInstall::backends()) {
            QTest::newRow(qPrintable(backend + QStringLiteral(": nothing")))
                << backend << QString();
            QTest::newRow(qPrintable(backend + QStringLiteral(": blanks")))
                << backend << QStringLiteral("   ");
        }
    }
    void emptyNameRefused() {
        QFETCH(QString, backend);
        QFETCH(QString, typed);
        TestInstall install(backend);
        auto form = openMemberPanel();
        MemberPanel& panel = *form->memberPanel;
        BoxAnswerer answerer;
        typeText(panel.Edit1, typed);
        QTest::mouseClick(panel.Button8, Qt::LeftButton);
        QCOMPARE(answerer.only().text, QStringLiteral("请输入成员姓名！"));
        QCOMPARE(memberTable(install).size(), 3);
        QCOMPARE(form->ledger->ComboBox2->count(), 3);
    }

    void passwordChange_data() { TestInstall::addBackendRows(); }
    void passwordChange() {
        QFETCH(QString, backend);
        TestInstall install(backend);
        install.addExpense(QStringLiteral("张三"), QStringLiteral("2026-01-02"),
                           QStringLiteral("3"));
        {
            auto form = openMemberPanel();
            MemberPanel& panel = *form->memberPanel;
            // The box shows no secret: the gate left nothing in it, and it is masked.
            QVERIFY(panel.Edit2->text().isEmpty());
            QCOMPARE(panel.Edit2->echoMode(), QLineEdit::Password);
            QCOMPARE(panel.Edit2->maxLength(), 10);
            BoxAnswerer answerer;
            QTest::keyClicks(panel.Edit2, QStringLiteral("8642"));
            QCOMPARE(panel.Edit2->text(), QStringLiteral("8642"));
            QTest::mouseClick(panel.Button21, Qt::LeftButton);
            QCOMPARE(answerer.only().text, QStringLiteral("修改密码成功！"));
            QVERIFY(panel.Edit2->text().isEmpty());
            // The ledger query stays closed until a later action reopens it.
            QVERIFY(!form->ADOQuery1->isOpen());
            QCOMPARE(form->ledger->DBGrid2->model()->rowCount(), 0);
        }
        const QString stored = install.scalar(QStringLiteral("select mima from mima")).toString();
        QVERIFY(PasswordHash::isHash(stored));
        QVERIFY(!stored.contains(QStringLiteral("8642")));
        QCOMPARE(install.scalar(QStringLiteral("select count(*) from mima")).toInt(), 1);

        TForm1 again;
        again.show();
        BoxAnswerer answerer;
        typeCodeAndConfirm(again, QStringLiteral("1234"));
        QCOMPARE(answerer.only().text, QStringLiteral("授权码错误！"));
        QVERIFY(!again.isUnlocked());
        typeCodeAndConfirm(again, QStringLiteral("8642"));
        QVERIFY(again.isUnlocked());
        QCOMPARE(answerer.boxes().size(), 1);
    }

    void passwordRefused_data() {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("box");
        for (const QString& backend : TestInstall::backends()) {
            auto row = [&](const char* name) -> QTestData& {
                return QTest::newRow(
                           qPrintable(backend + QStringLiteral(": ") + QLatin1String(name)))
                       << backend;
            };
            row("empty") << QString() << QStringLiteral("请输入密码！");
            row("statement text") << QStringLiteral("1) or (1=1")
                                  << QStringLiteral("只能使用数字做为密码！请重新输入！");
            row("full-width digits") << QStringLiteral("１２３４")
                                     << QStringLiteral("只能使用数字做为密码！请重新输入！");
            row("blank") << QStringLiteral(" ")
                         << QStringLiteral("只能使用数字做为密码！请重新输入！");
        }
    }
    void passwordRefused() {
        QFETCH(QString, backend);
        QFETCH(QString, pasted);
        QFETCH(QString, box);
        TestInstall install(backend);
        const QString before = install.scalar(QStringLiteral("select mima from mima")).toString();
        auto form = openMemberPanel();
        MemberPanel& panel = *form->memberPanel;
        // A paste goes round the key filter.
        panel.Edit2->setText(pasted);
        BoxAnswerer answerer;
        QTest::mouseClick(panel.Button21, Qt::LeftButton);
        QCOMPARE(answerer.only().text, box);
        QCOMPARE(install.scalar(QStringLiteral("select mima from mima")).toString(), before);
        QCOMPARE(panel.Edit2->text(), pasted);
        QVERIFY(form->ADOQuery1->isOpen());
    }

    void passwordWithoutRow_data() { TestInstall::addBackendRows(); }
    void passwordWithoutRow() {
        QFETCH(QString, backend);
        TestInstall install(backend);
        auto form = openMemberPanel();
        install.exec(QStringLiteral("delete from mima"));
        MemberPanel& panel = *form->memberPanel;
        QTest::keyClicks(panel.Edit2, QStringLiteral("5555"));
        BoxAnswerer answerer;
        QTest::mouseClick(panel.Button21, Qt::LeftButton);
        const BoxAnswerer::Box box = answerer.only();
        QCOMPARE(box.icon, QMessageBox::Critical);
        QVERIFY2(box.text.startsWith(QStringLiteral("ADOQuery1: the password table holds no row")),
                 qPrintable(box.text));
        QCOMPARE(panel.Edit2->text(), QStringLiteral("5555"));
        QCOMPARE(install.scalar(QStringLiteral("select count(*) from mima")).toInt(), 0);
    }

    void passwordKeys_data() {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("refused");
        for (const QString& backend : TestInstall::backends()) {
            auto row = [&](const char* name) -> QTestData& {
                return QTest::newRow(
                           qPrintable(backend + QStringLiteral(": ") + QLatin1String(name)))
                       << backend;
            };
            row("digit") << QStringLiteral("7") << false;
            row("letter") << QStringLiteral("a") << true;
            row("blank") << QStringLiteral(" ") << true;
            row("minus") << QStringLiteral("-") << true;
            row("point") << QStringLiteral(".") << true;
            row("quote") << QStringLiteral("'") << true;
            row("full-width digit") << QStringLiteral("５") << true;
            row("Chinese") << QStringLiteral("密") << true;
        }
    }
    void passwordKeys() {
        QFETCH(QString, backend);
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        TestInstall install(backend);
        auto form = openMemberPanel();
        QLineEdit* box = form->memberPanel->Edit2;
        QTest::keyClicks(box, QStringLiteral("12"));
        BoxAnswerer answerer;
        typeText(box, typed);
        if (refused) {
            QCOMPARE(answerer.only().text, QStringLiteral("只能使用数字做为密码！请重新输入！"));
            QCOMPARE(box->text(), QStringLiteral("12"));
        } else {
            QVERIFY(answerer.boxes().isEmpty());
            QCOMPARE(box->text(), QStringLiteral("12") + typed);
        }
        answerer.clear();
        QTest::keyClick(box, Qt::Key_Backspace);
        QVERIFY(answerer.boxes().isEmpty());
        QCOMPARE(box->text(), refused ? QStringLiteral("1") : QStringLiteral("12"));
    }
};

QTEST_MAIN(TestMembers)
#include "test_members.moc"
