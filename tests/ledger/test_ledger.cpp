#include "BoxAnswerer.h"
#include "TestInstall.h"
#include "Unlock.h"

#include "app/DBGrid.h"
#include "app/DateTimePicker.h"
#include "app/Unit1.h"
#include "ledger/LedgerView.h"
#include "ledger/RecordEditor.h"
#include "store/Dataset.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

// The rows the ledger grid shows, as "name|date|money|item|remark".
QStringList gridRows(TForm1& form) {
    QAbstractItemModel* model = form.ledger->DBGrid2->model();
    QStringList rows;
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 1; c < model->columnCount(); ++c)
            cells << model->data(model->index(r, c)).toString();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

QList<qlonglong> gridIds(TForm1& form) {
    QAbstractItemModel* model = form.ledger->DBGrid2->model();
    QList<qlonglong> ids;
    for (int r = 0; r < model->rowCount(); ++r)
        ids << model->data(model->index(r, 0)).toLongLong();
    return ids;
}

// Picks a row of the ledger grid with the mouse.
void clickRow(TForm1& form, int row, int column = 1) {
    DBGrid* grid = form.ledger->DBGrid2;
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

// Types text the way an input method commits it (the test keyboard knows no Chinese).
void typeText(QComboBox* box, const QString& text) {
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(box->lineEdit(), &commit);
}

// Presses one key that types the character.
void typeCharacter(QWidget* widget, QChar c) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Chooses a name from the command bar's list with the keyboard, as a person would.
void chooseName(QComboBox* box, const QString& name) {
    box->setFocus();
    box->setCurrentIndex(-1);
    const int wanted = box->findText(name);
    QVERIFY(wanted >= 0);
    for (int i = 0; i <= wanted; ++i)
        QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(box->currentText(), name);
}

struct Window {
    explicit Window(const QString& backend) : install(backend) {}
    void open() {
        form = std::make_unique<TForm1>();
        form->show();
        unlock(*form);
        tester = std::make_unique<QAbstractItemModelTester>(
            form->ledger->DBGrid2->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }
    TestInstall install;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

void fillEditor(RecordEditor& editor, const QString& name, const QString& money,
                const QString& item, const QString& remark) {
    editor.ComboBox1->setCurrentText(name);
    editor.Edit3->clear();
    QTest::keyClicks(editor.Edit3, money);
    editor.ComboBox3->setCurrentText(item);
    editor.Edit5->setText(remark);
}

} // namespace

class TestLedger : public QObject {
    Q_OBJECT

private slots:
    void nameFilter_data() { TestInstall::addBackendRows(); }
    void nameFilter() {
        QFETCH(QString, backend);
        Window w(backend);
        w.install.addExpense(QStringLiteral("张三"), QStringLiteral("2026-12-01"),
                             QStringLiteral("5"));
        w.install.addExpense(QStringLiteral("李四"), QStringLiteral("2026-12-02"),
                             QStringLiteral("6"));
        w.install.addExpense(QStringLiteral("张三"), QStringLiteral("2026-12-03"),
                             QStringLiteral("7"));
        w.open();
        LedgerView& bar = *w.form->ledger;

        // Typing alone runs nothing.
        typeText(bar.ComboBox2, QStringLiteral("李四"));
        QCOMPARE(bar.ComboBox2->currentText(), QStringLiteral("李四"));
        QCOMPARE(gridRows(*w.form).size(), 3);

        chooseName(bar.ComboBox2, QStringLiteral("张三"));
        QStringList rows = gridRows(*w.form);
        QCOMPARE(rows.size(), 2);
        for (const QString& row : rows)
            QVERIFY(row.startsWith(QStringLiteral("张三|")));

        // A member without rows gives an empty grid.
        chooseName(bar.ComboBox2, QStringLiteral("王五"));
        QCOMPARE(gridRows(*w.form).size(), 0);
        QVERIFY(w.form->ADOQuery1->isOpen());
    }

    void dateFilterIncludesBothEndDays_data() { TestInstall::addBackendRows(); }
    void dateFilterIncludesBothEndDays() {
        QFETCH(QString, backend);
        Window w(backend);
        for (const char* date : {"2026-02-28 23:59:59", "2026-03-01", "2026-03-01 08:00:00",
                                 "2026-03-15", "2026-03-31 23:59:59", "2026-04-01"})
            w.install.addExpense(QStringLiteral("张三"), QString::fromLatin1(date),
                                 QStringLiteral("1"));
        w.open();
        LedgerView& bar = *w.form->ledger;
        bar.DateTimePicker2->setDate(QDate(2026, 3, 1));
        bar.DateTimePicker3->setDate(QDate(2026, 3, 31));
        QTest::mouseClick(bar.BitBtn4, Qt::LeftButton);
        QStringList dates;
        for (const QString& row : gridRows(*w.form))
            dates << row.section(QLatin1Char('|'), 1, 1);
        dates.sort();
        QCOMPARE(dates, (QStringList{"2026-03-01", "2026-03-01 08:00:00", "2026-03-15",
                                     "2026-03-31 23:59:59"}));
    }

    void refreshListsOldestFirst_data() { TestInstall::addBackendRows(); }
    void refreshListsOldestFirst() {
        QFETCH(QString, backend);
        Window w(backend);
        QList<qlonglong> ids;
        for (int i = 0; i < 4; ++i)
            ids << w.install.addExpense(QStringLiteral("李四"), QStringLiteral("2026-12-01"),
                                        QString::number(i));
        w.open();
        QCOMPARE(gridIds(*w.form), (QList<qlonglong>{ids[3], ids[2], ids[1], ids[0]}));
        w.form->ledger->N1->trigger();
        QCOMPARE(gridIds(*w.form), ids);
        QCOMPARE(w.form->ADOQuery1->currentRow(), 0);
    }

    void copyPutsTheSelectedCellOnTheClipboard() {
        Window w(QStringLiteral("sqlite"));
        w.install.addExpense(QStringLiteral("张三"), QStringLiteral("2026-12-01"),
                             QStringLiteral("5"), QStringLiteral("交房租"),
                             QStringLiteral("十二月 房租"));
        w.install.addExpense(QStringLiteral("李四"), QStringLiteral("2026-12-02"),
                             QStringLiteral("6.5"));
        w.open();
        QClipboard* clipboard = QGuiApplication::clipboard();
        clickRow(*w.form, 1, 5);
        w.form->ledger->N3->trigger();
        QCOMPARE(clipboard->text(), QStringLiteral("十二月 房租"));
        clickRow(*w.form, 0, 3);
        w.form->ledger->N3->trigger();
        QCOMPARE(clipboard->text(), QStringLiteral("6.5"));
        // With the ledger query closed there is nothing to copy.
        w.form->ADOQuery1->close();
        w.form->ledger->N3->trigger();
        QCOMPARE(clipboard->text(), QStringLiteral("6.5"));
    }

    void addAnExpense_data() { TestInstall::addBackendRows(); }
    void addAnExpense() {
        QFETCH(QString, backend);
        Window w(backend);
        w.install.addExpense(QStringLiteral("李四"), QStringLiteral("2026-12-01"),
                             QStringLiteral("6"));
        w.open();
        RecordEditor& editor = *w.form->recordEditor;
        QTest::mouseClick(w.form->ledger->BitBtn7, Qt::LeftButton);
        QVERIFY(editor.Panel2->isVisible());
        QCOMPARE(editor.mode(), RecordEditor::Adding);
        editor.DateTimePicker1->setDate(QDate(2026, 12, 9));
        fillEditor(editor, QStringLiteral("张三"), QStringLiteral("12.50"), QStringLiteral("买菜"),
                   QStringLiteral("O'Neil's \"veg\""));
        BoxAnswerer answerer;
        QTest::mouseClick(editor.Button1, Qt::LeftButton);
        QCOMPARE(answerer.only().text, QStringLiteral("新增成功！"));
        QVERIFY(editor.Panel2->isHidden());
        QCOMPARE(w.install.ledgerCount(), 2);
        QCOMPARE(w.install
                     .scalar(QStringLiteral("select datetime from db where name = ?"),
                             {QStringLiteral("张三")})
                     .toString(),
                 QStringLiteral("2026-12-09"));
        QVERIFY(gridRows(*w.form).contains(
            QStringLiteral("张三|2026-12-09|12.50|买菜|O'Neil's \"veg\"")));
        // An empty name is allowed.
        QTest::mouseClick(w.form->ledger->BitBtn7, Qt::LeftButton);
        QVERIFY(editor.ComboBox1->currentText().isEmpty());
        QVERIFY(editor.Edit3->text().isEmpty());
        fillEditor(editor, QString(), QStringLiteral("3"), QStringLiteral("其他"), QString());
        QTest::mouseClick(editor.Button1, Qt::LeftButton);
        QCOMPARE(w.install.ledgerCount(), 3);
        QCOMPARE(
            w.install.scalar(QStringLiteral("select count(*) from db where name = ''")).toInt(), 1);
        // ... and can be deleted like any other.
        w.form->ledger->N1->trigger();
        clickRow(*w.form, 2);
        answerer.answerNext(QStringLiteral("&Yes"));
        QTest::mouseClick(w.form->ledger->BitBtn9, Qt::LeftButton);
        QCOMPARE(answerer.texts().last(), QStringLiteral("删除记录成功!"));
        QCOMPARE(w.install.ledgerCount(), 2);
    }

    void refusedAdds_data() {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("money");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("message");
        const QString missing = QStringLiteral("sorry ~ you must be  input the name and money!");
        for (const QString& backend : TestInstall::backends()) {
            auto row = [&](const char* name) -> QTestData& {
                return QTest::newRow(
                           qPrintable(backend + QStringLiteral(": ") + QLatin1String(name)))
                       << backend;
            };
            row("no amount") << QString() << QStringLiteral("买菜") << missing;
            row("no item") << QStringLiteral("5") << QString() << missing;
            row("two points") << QStringLiteral("1.2.3") << QStringLiteral("买菜")
                              << QStringLiteral(
                                     "金额“1.2.3”不是有效的数字，请输入不小于零的金额！");
            row("blank between digits")
                << QStringLiteral("1 2") << QStringLiteral("买菜")
                << QStringLiteral("金额“1 2”不是有效的数字，请输入不小于零的金额！");
            row("negative") << QStringLiteral("-5") << QStringLiteral("买菜")
                            << QStringLiteral("金额“-5”不是有效的数字，请输入不小于零的金额！");
        }
    }
    void refusedAdds() {
        QFETCH(QString, backend);
        QFETCH(QString, money);
        QFETCH(QString, item);
        QFETCH(QString, message);
        Window w(backend);
        w.open();
        RecordEditor& editor = *w.form->recordEditor;
        QTest::mouseClick(w.form->ledger->BitBtn7, Qt::LeftButton);
        editor.ComboBox1->setCurrentText(QStringLiteral("张三"));
        editor.Edit3->setText(money); // pasted, so the key filter is not asked
        editor.ComboBox3->setCurrentText(item);
        BoxAnswerer answerer;
        QTest::mouseClick(editor.Button1, Qt::LeftButton);
        QCOMPARE(answerer.only().text, message);
        QCOMPARE(w.install.ledgerCount(), 0);
        QVERIFY(editor.Panel2->isVisible());
        QCOMPARE(editor.Edit3->text(), money);
        QCOMPARE(editor.ComboBox3->currentText(), item);
    }

    void amountKeys_data() {
        QTest::addColumn<QChar>("key");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("digit") << QChar('7') << true;
        QTest::newRow("point") << QChar('.') << true;
        QTest::newRow("blank") << QChar(' ') << true;
        QTest::newRow("letter") << QChar('a') << false;
        QTest::newRow("minus") << QChar('-') << false;
        QTest::newRow("comma") << QChar(',') << false;
        QTest::newRow("full-width digit") << QChar(0xFF11) << false;
    }
    void amountKeys() {
        QFETCH(QChar, key);
        QFETCH(bool, accepted);
        Window w(QStringLiteral("sqlite"));
        w.open();
        RecordEditor& editor = *w.form->recordEditor;
        QTest::mouseClick(w.form->ledger->BitBtn7, Qt::LeftButton);
        QTest::keyClicks(editor.Edit3, QStringLiteral("1"));
        BoxAnswerer answerer;
        typeCharacter(editor.Edit3, key);
        QTest::qWait(50);
        if (accepted) {
            QVERIFY(answerer.boxes().isEmpty());
            QCOMPARE(editor.Edit3->text(), QStringLiteral("1") + key);
        } else {
            QCOMPARE(answerer.only().text, QStringLiteral("非法输入！ 只能输入数字！请重新输入！"));
            QCOMPARE(editor.Edit3->text(), QStringLiteral("1"));
        }
        QTest::keyClick(editor.Edit3, Qt::Key_Backspace);
        QVERIFY(answerer.boxes().size() <= 1);
        QCOMPARE(editor.Edit3->text(), accepted ? QStringLiteral("1") : QString());
    }

    void changeAnExpense_data() { TestInstall::addBackendRows(); }
    void changeAnExpense() {
        QFETCH(QString, backend);
        Window w(backend);
        const qlonglong other = w.install.addExpense(
            QStringLiteral("李四"), QStringLiteral("2026-11-02"), QStringLiteral("6"));
        const qlonglong id = w.install.addExpense(
            QStringLiteral("张三"), QStringLiteral("2026-11-20 18:30:00"), QStringLiteral("25"),
            QStringLiteral("买菜"), QStringLiteral("old"));
        w.open();
        RecordEditor& editor = *w.form->recordEditor;
        clickRow(*w.form, 0); // newest first: the 张三 row
        QTest::mouseClick(w.form->ledger->BitBtn8, Qt::LeftButton);
        QCOMPARE(editor.mode(), RecordEditor::Changing);
        QVERIFY(!editor.ComboBox1->isEnabled());
        QVERIFY(!editor.Edit3->isEnabled());
        QCOMPARE(editor.ComboBox1->currentText(), QStringLiteral("张三"));
        QCOMPARE(editor.Edit3->text(), QStringLiteral("25"));
        QCOMPARE(editor.Edit5->text(), QStringLiteral("old"));
        QCOMPARE(editor.DateTimePicker1->value(), QDateTime(QDate(2026, 11, 20), QTime(18, 30)));
        editor.ComboBox3->setCurrentText(QStringLiteral("买生活用品"));
        editor.Edit5->setText(QStringLiteral("new"));
        // Picking another row meanwhile does not redirect the change.
        clickRow(*w.form, 1);
        BoxAnswerer answerer;
        QTest::mouseClick(editor.Button1, Qt::LeftButton);
        QCOMPARE(answerer.only().text, QStringLiteral("修改成功！"));
        QVERIFY(editor.Panel2->isHidden());
        QVERIFY(editor.Edit3->isEnabled());
        auto field = [&](const char* column, qlonglong row) {
            return w.install
                .scalar(
                    QStringLiteral("select %1 from db where idon = ?").arg(QLatin1String(column)),
                    {row})
                .toString();
        };
        QCOMPARE(field("something", id), QStringLiteral("买生活用品"));
        QCOMPARE(field("info", id), QStringLiteral("new"));
        QCOMPARE(field("datetime", id), QStringLiteral("2026-11-20 18:30:00"));
        QCOMPARE(field("money", id), QStringLiteral("25"));
        QCOMPARE(field("name", other), QStringLiteral("李四"));
        QCOMPARE(field("something", other), QStringLiteral("买菜"));
        QCOMPARE(gridRows(*w.form).size(), 2);

        // A new date, picked by the user, is stored.
        clickRow(*w.form, gridIds(*w.form).indexOf(id));
        QTest::mouseClick(w.form->ledger->BitBtn8, Qt::LeftButton);
        editor.DateTimePicker1->setDate(QDate(2026, 11, 21));
        QTest::mouseClick(editor.Button1, Qt::LeftButton);
        QCOMPARE(field("datetime", id), QStringLiteral("2026-11-21 18:30:00"));
    }

    void changingAVanishedRowSaysSo() {
        Window w(QStringLiteral("sqlite"));
        w.install.addExpense(QStringLiteral("张三"), QStringLiteral("2026-11-02"),
                             QStringLiteral("6"));
        w.open();
        QTest::mouseClick(w.form->ledger->BitBtn8, Qt::LeftButton);
        w.install.exec(QStringLiteral("delete from db")); // another flatmate audited meanwhile
        BoxAnswerer answerer;
        QTest::mouseClick(w.form->recordEditor->Button1, Qt::LeftButton);
        QCOMPARE(answerer.only().text, QStringLiteral("修改失败！这条记录已被删除或已审核。"));
        QCOMPARE(w.install.ledgerCount(), 0);
        QVERIFY(w.form->ADOQuery1->isOpen());
    }

    void addAfterChangeGivesAUsableEditor() {
        Window w(QStringLiteral("sqlite"));
        w.install.addExpense(QStringLiteral("张三"), QStringLiteral("2026-11-02"),
                             QStringLiteral("6"));
        w.open();
        RecordEditor& editor = *w.form->recordEditor;
        QTest::mouseClick(w.form->ledger->BitBtn8, Qt::LeftButton);
        QVERIFY(!editor.Edit3->isEnabled());
        QTest::mouseClick(w.form->ledger->BitBtn7, Qt::LeftButton);
        QVERIFY(editor.Edit3->isEnabled());
        QVERIFY(editor.ComboBox1->isEnabled());
        QVERIFY(editor.Edit3->text().isEmpty());
        fillEditor(editor, QStringLiteral("李四"), QStringLiteral("8"), QStringLiteral("交网费"),
                   QString());
        BoxAnswerer answerer;
        QTest::mouseClick(editor.Button1, Qt::LeftButton);
        QCOMPARE(answerer.only().text, QStringLiteral("新增成功！"));
        QCOMPARE(w.install.ledgerCount(), 2);
    }

    void cancelHidesTheEditor() {
        Window w(QStringLiteral("sqlite"));
        w.install.addExpense(QStringLiteral("张三"), QStringLiteral("2026-11-02"),
                             QStringLiteral("6"));
        w.open();
        RecordEditor& editor = *w.form->recordEditor;
        QTest::mouseClick(w.form->ledger->BitBtn8, Qt::LeftButton);
        QTest::mouseClick(editor.Button2, Qt::LeftButton);
        QVERIFY(editor.Panel2->isHidden());
        QVERIFY(editor.Edit3->isEnabled());
        QCOMPARE(w.install.scalar(QStringLiteral("select money from db")).toString(),
                 QStringLiteral("6"));
    }

    void noCurrentRow_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("emptyLedger");
        QTest::newRow("change, query closed") << "BitBtn8" << false;
        QTest::newRow("delete, query closed") << "BitBtn9" << false;
        QTest::newRow("change, empty ledger") << "BitBtn8" << true;
        QTest::newRow("delete, empty ledger") << "BitBtn9" << true;
    }
    void noCurrentRow() {
        QFETCH(QString, button);
        QFETCH(bool, emptyLedger);
        Window w(QStringLiteral("sqlite"));
        if (!emptyLedger)
            w.install.addExpense(QStringLiteral("张三"), QStringLiteral("2026-11-02"),
                                 QStringLiteral("6"));
        w.open();
        if (!emptyLedger)
            w.form->ADOQuery1->close(); // as after a password change or an audit
        BoxAnswerer answerer;
        QTest::mouseClick(w.form->findChild<QPushButton*>(button), Qt::LeftButton);
        QCOMPARE(answerer.only().text, QStringLiteral("请先在列表中选择一条记录！"));
        QVERIFY(w.form->recordEditor->Panel2->isHidden());
        QCOMPARE(w.install.ledgerCount(), emptyLedger ? 0 : 1);
    }

    void deleteAfterConfirming_data() { TestInstall::addBackendRows(); }
    void deleteAfterConfirming() {
        QFETCH(QString, backend);
        Window w(backend);
        const qlonglong kept = w.install.addExpense(
            QStringLiteral("张三"), QStringLiteral("2026-11-02"), QStringLiteral("6"));
        w.install.addExpense(QStringLiteral("O'Brien"), QStringLiteral("2026-11-03"),
                             QStringLiteral("7"));
        w.open();
        clickRow(*w.form, 0);
        BoxAnswerer answerer;
        answerer.answerNext(QStringLiteral("&Yes"));
        QTest::mouseClick(w.form->ledger->BitBtn9, Qt::LeftButton);
        QCOMPARE(answerer.boxes().size(), 2);
        const BoxAnswerer::Box ask = answerer.boxes()[0];
        QCOMPARE(ask.title, QStringLiteral("Confirm"));
        QCOMPARE(ask.text, QStringLiteral("你确定要删除O'Brien的记录吗？"));
        QCOMPARE(ask.icon, QMessageBox::Question);
        QCOMPARE(ask.buttons, (QStringList{"&Yes", "&No"}));
        const BoxAnswerer::Box done = answerer.boxes()[1];
        QCOMPARE(done.title, QStringLiteral("删除"));
        QCOMPARE(done.text, QStringLiteral("删除记录成功!"));
        QCOMPARE(w.install.ledgerCount(), 1);
        QCOMPARE(gridIds(*w.form), QList<qlonglong>{kept});
    }

    void declinedDeleteLeavesTheLedgerAlone() {
        Window w(QStringLiteral("sqlite"));
        w.install.addExpense(QStringLiteral("张三"), QStringLiteral("2026-11-02"),
                             QStringLiteral("6"));
        w.open();
        BoxAnswerer answerer;
        answerer.answerNext(QStringLiteral("&No"));
        QTest::mouseClick(w.form->ledger->BitBtn9, Qt::LeftButton);
        QCOMPARE(answerer.only().title, QStringLiteral("Confirm"));
        QCOMPARE(w.install.ledgerCount(), 1);
        QVERIFY(w.form->ADOQuery1->isOpen());
        QCOMPARE(gridRows(*w.form).size(), 1);
    }

    void deletingAVanishedRowFails() {
        Window w(QStringLiteral("sqlite"));
        w.install.addExpense(QStringLiteral("张三"), QStringLiteral("2026-11-02"),
                             QStringLiteral("6"));
        w.open();
        w.install.exec(QStringLiteral("delete from db")); // another flatmate was quicker
        BoxAnswerer answerer;
        answerer.answerNext(QStringLiteral("&Yes"));
        QTest::mouseClick(w.form->ledger->BitBtn9, Qt::LeftButton);
        QCOMPARE(answerer.texts(), (QStringList{"你确定要删除张三的记录吗？", "删除失败！"}));
        QVERIFY(!w.form->ADOQuery1->isOpen());
        QCOMPARE(gridRows(*w.form).size(), 0);
    }

    void failedStatementKeepsTheEditorOpen() {
        Window w(QStringLiteral("sqlite"));
        w.open();
        w.install.exec(QStringLiteral("drop table db"));
        RecordEditor& editor = *w.form->recordEditor;
        QTest::mouseClick(w.form->ledger->BitBtn7, Qt::LeftButton);
        fillEditor(editor, QStringLiteral("张三"), QStringLiteral("5"), QStringLiteral("买菜"),
                   QString());
        BoxAnswerer answerer;
        QTest::mouseClick(editor.Button1, Qt::LeftButton);
        const BoxAnswerer::Box box = answerer.only();
        QCOMPARE(box.icon, QMessageBox::Critical);
        QVERIFY(box.text.contains(QStringLiteral("db")));
        QVERIFY(editor.Panel2->isVisible());
        QCOMPARE(editor.Edit3->text(), QStringLiteral("5"));
    }

    void componentsAndTexts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::newRow("add") << "BitBtn7" << QRect(16, 12, 65, 20) << "增加";
        QTest::newRow("change") << "BitBtn8" << QRect(98, 12, 63, 20) << "修改";
        QTest::newRow("delete") << "BitBtn9" << QRect(180, 12, 61, 20) << "删除";
        QTest::newRow("name label") << "Label12" << QRect(295, 16, 59, 13) << "姓名";
        QTest::newRow("name box") << "ComboBox2" << QRect(336, 14, 65, 21) << "";
        QTest::newRow("hidden search") << "BitBtn6" << QRect(408, 14, 65, 20) << "sarch";
        QTest::newRow("amount line") << "Button3" << QRect(408, 11, 73, 25) << "计算金额";
        QTest::newRow("settlement") << "Button6" << QRect(494, 11, 69, 25) << "结算中心";
        QTest::newRow("members") << "Button7" << QRect(573, 10, 71, 25) << "设置成员";
        QTest::newRow("date label") << "Label13" << QRect(649, 16, 60, 13) << "日期查询";
        QTest::newRow("from") << "DateTimePicker2" << QRect(712, 13, 89, 21) << "2010-01-01";
        QTest::newRow("to label") << "Label7" << QRect(808, 15, 17, 13) << "到";
        QTest::newRow("to") << "DateTimePicker3" << QRect(832, 13, 97, 21) << "";
        QTest::newRow("query") << "BitBtn4" << QRect(942, 11, 57, 20) << "查询";
        QTest::newRow("result line") << "Label9" << QRect(208, 40, 1608, 17) << "";
        QTest::newRow("editor name label") << "Label2" << QRect(12, 16, 59, 13) << "姓名";
        QTest::newRow("editor name") << "ComboBox1" << QRect(56, 16, 89, 21) << "";
        QTest::newRow("editor date label") << "Label3" << QRect(181, 13, 39, 13) << "日期";
        QTest::newRow("editor date") << "DateTimePicker1" << QRect(224, 13, 113, 21) << "";
        QTest::newRow("amount label") << "Label4" << QRect(14, 45, 52, 13) << "金额";
        QTest::newRow("amount") << "Edit3" << QRect(57, 45, 86, 21) << "";
        QTest::newRow("item label") << "Label5" << QRect(180, 46, 72, 13) << "物品";
        QTest::newRow("item") << "ComboBox3" << QRect(226, 45, 113, 21) << "";
        QTest::newRow("remark label") << "Label6" << QRect(13, 86, 60, 13) << "备注信息";
        QTest::newRow("remark") << "Edit5" << QRect(82, 84, 255, 21) << "";
        QTest::newRow("confirm") << "Button1" << QRect(67, 124, 60, 20) << "确定";
        QTest::newRow("cancel") << "Button2" << QRect(206, 124, 61, 20) << "取消";
    }
    void componentsAndTexts() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        Window w(QStringLiteral("sqlite"));
        w.open();
        auto* widget = w.form->findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(widget->isVisibleTo(widget->parentWidget()), name != QLatin1String("BitBtn6"));
        if (auto* button = qobject_cast<QPushButton*>(widget))
            QCOMPARE(button->text(), text);
        else if (auto* label = qobject_cast<QLabel*>(widget))
            QCOMPARE(label->text(), text);
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            QCOMPARE(edit->text(), text);
        else if (auto* picker = qobject_cast<DateTimePicker*>(widget); picker && !text.isEmpty())
            QCOMPARE(picker->text(), text);
    }

    void gridColumnsMenuAndLists() {
        Window w(QStringLiteral("sqlite"));
        w.open();
        DBGrid* grid = w.form->ledger->DBGrid2;
        const QStringList titles{"序号", "姓名", "日期", "金额", "购买物品", "备注信息"};
        const QList<int> widths{41, 95, 145, 70, 128, 485};
        for (int c = 0; c < titles.size(); ++c) {
            QCOMPARE(grid->model()->headerData(c, Qt::Horizontal).toString(), titles[c]);
            QCOMPARE(grid->columnWidth(c), widths[c]);
        }
        QStringList entries;
        for (QAction* action : w.form->ledger->PopupMenu1->actions()) {
            if (!action->isSeparator())
                entries << action->objectName() + QLatin1Char('=') + action->text();
        }
        QCOMPARE(entries.mid(0, 7), (QStringList{"N3=复制", "N1=刷新", "N11=风格1", "N21=风格2",
                                                 "N31=风格3", "N41=风格4", "N2=关于"}));
        QComboBox* items = w.form->recordEditor->ComboBox3;
        QStringList list;
        for (int i = 0; i < items->count(); ++i)
            list << items->itemText(i);
        QCOMPARE(list, (QStringList{"买菜", "买米和菜", "交房租", "交网费", "充电话费",
                                    "买生活用品", "其他"}));
        for (QLineEdit* edit :
             {w.form->recordEditor->ComboBox1->lineEdit(),
              w.form->recordEditor->ComboBox3->lineEdit(), w.form->recordEditor->Edit5})
            QCOMPARE(edit->maxLength(), 50);
        QVERIFY(grid->editTriggers() == QAbstractItemView::NoEditTriggers);
    }
};

QTEST_MAIN(TestLedger)
#include "test_ledger.moc"
