#include "ledger/RecordEditor.h"

#include "app/DBGrid.h"
#include "app/DateTimePicker.h"
#include "app/Dialogs.h"
#include "app/EventBoundary.h"
#include "app/Unit1.h"
#include "app/Widgets.h"
#include "ledger/LedgerView.h"
#include "store/Dataset.h"
#include "store/QuillError.h"
#include "store/Statements.h"
#include "store/TextRules.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString pickFirst = QStringLiteral("请先在列表中选择一条记录！");

} // namespace

RecordEditor::RecordEditor(TForm1& owner) : QObject(&owner), form(owner) {
    setObjectName(QStringLiteral("RecordEditor"));
    Panel2 = placePanel(form.clientArea(), "Panel2", QRect(325, 249, 364, 160));
    Panel2->hide();
    Label2 = place<QLabel>(Panel2, "Label2", QRect(12, 16, 59, 13), QStringLiteral("姓名"));
    ComboBox1 = placeEditableBox(Panel2, "ComboBox1", QRect(56, 16, 89, 21));
    Label3 = place<QLabel>(Panel2, "Label3", QRect(181, 13, 39, 13), QStringLiteral("日期"));
    DateTimePicker1 = place<DateTimePicker>(Panel2, "DateTimePicker1", QRect(224, 13, 113, 21));
    DateTimePicker1->setValue(QDateTime(QDate(2010, 9, 22), QTime(0, 0)));
    Label4 = place<QLabel>(Panel2, "Label4", QRect(14, 45, 52, 13), QStringLiteral("金额"));
    Edit3 = place<QLineEdit>(Panel2, "Edit3", QRect(57, 45, 86, 21));
    Edit3->setMaxLength(50);
    Label5 = place<QLabel>(Panel2, "Label5", QRect(180, 46, 72, 13), QStringLiteral("物品"));
    ComboBox3 = placeEditableBox(Panel2, "ComboBox3", QRect(226, 45, 113, 21));
    ComboBox3->addItems({QStringLiteral("买菜"), QStringLiteral("买米和菜"),
                         QStringLiteral("交房租"), QStringLiteral("交网费"),
                         QStringLiteral("充电话费"), QStringLiteral("买生活用品"),
                         QStringLiteral("其他")});
    ComboBox3->setCurrentIndex(-1);
    Label6 = place<QLabel>(Panel2, "Label6", QRect(13, 86, 60, 13), QStringLiteral("备注信息"));
    Edit5 = place<QLineEdit>(Panel2, "Edit5", QRect(82, 84, 255, 21));
    Edit5->setMaxLength(50);
    Button1 = place<QPushButton>(Panel2, "Button1", QRect(67, 124, 60, 20), QStringLiteral("确定"));
    Button2 =
        place<QPushButton>(Panel2, "Button2", QRect(206, 124, 61, 20), QStringLiteral("取消"));
}

void RecordEditor::wire() {
    using EventBoundary::guard;
    LedgerView& bar = *form.ledger;
    connect(bar.BitBtn7, &QPushButton::clicked, this, guard(this, &RecordEditor::BitBtn7Click));
    connect(bar.BitBtn8, &QPushButton::clicked, this, guard(this, &RecordEditor::BitBtn8Click));
    connect(bar.BitBtn9, &QPushButton::clicked, this, guard(this, &RecordEditor::BitBtn9Click));
    connect(Button1, &QPushButton::clicked, this, guard(this, &RecordEditor::Button1Click));
    connect(Button2, &QPushButton::clicked, this, guard(this, &RecordEditor::Button2Click));
    EventBoundary::onKeyPress(Edit3, [this](QChar& key) { Edit3KeyPress(key); });
}

bool RecordEditor::requireCurrentRow() {
    const Dataset& query = *form.ADOQuery1;
    if (query.isOpen() && query.currentRow() >= 0 && query.fieldIndex(QStringLiteral("idon")) >= 0)
        return true;
    Dialogs::info(pickFirst);
    return false;
}

bool RecordEditor::amountAccepted(const QString& amount) {
    if (TextRules::isNumber(amount) && TextRules::parseNumber(amount) >= 0)
        return true;
    Dialogs::info(QStringLiteral("金额“%1”不是有效的数字，请输入不小于零的金额！").arg(amount));
    return false;
}

void RecordEditor::BitBtn7Click() {
    editorMode = Adding;
    Panel2->show();
    Panel2->raise();
    ComboBox1->setEnabled(true);
    // "修改" disables the amount box; a new expense needs it.
    Edit3->setEnabled(true);
    Edit3->clear();
    ComboBox3->setCurrentText(QString());
    Edit5->clear();
    ComboBox1->setCurrentText(QString());
}

void RecordEditor::BitBtn8Click() {
    if (!requireCurrentRow())
        return;
    const Dataset& query = *form.ADOQuery1;
    Panel2->show();
    Panel2->raise();
    ComboBox1->setEnabled(false);
    Edit3->setEnabled(false);
    editorMode = Changing;
    changingId = query.value(QStringLiteral("idon")).toLongLong();
    ComboBox1->setCurrentText(query.text(QStringLiteral("name")));
    Edit3->setText(query.text(QStringLiteral("money")));
    ComboBox3->setCurrentText(query.text(QStringLiteral("something")));
    Edit5->setText(query.text(QStringLiteral("info")));
    // The row keeps its date unless the user picks another.
    if (const auto stored = TextRules::parseDateTimeText(query.text(QStringLiteral("datetime"))))
        DateTimePicker1->setValue(*stored);
}

void RecordEditor::Button2Click() {
    Panel2->hide();
    Edit3->setEnabled(true);
}

void RecordEditor::Button1Click() {
    Edit3->setEnabled(true);
    if (editorMode == Changing)
        confirmChange();
    else
        confirmAdd();
}

void RecordEditor::confirmChange() {
    if (!amountAccepted(Edit3->text()))
        return;
    Dataset& query = *form.ADOQuery1;
    query.close();
    query.setStatement(Statements::changeExpense(
        changingId, ComboBox1->currentText(), TextRules::dateTimeText(DateTimePicker1->value()),
        Edit3->text(), ComboBox3->currentText(), Edit5->text()));
    const int changed = query.execute();
    form.ledger->showInLedger(Statements::ledgerInStoredOrder());
    Panel2->hide();
    // Another computer may have deleted or audited the row meanwhile.
    Dialogs::info(changed > 0 ? QStringLiteral("修改成功！")
                              : QStringLiteral("修改失败！这条记录已被删除或已审核。"));
}

void RecordEditor::confirmAdd() {
    if (Edit3->text().isEmpty() || ComboBox3->currentText().isEmpty()) {
        Dialogs::info(QStringLiteral("sorry ~ you must be  input the name and money!"));
        return;
    }
    if (!amountAccepted(Edit3->text()))
        return;
    Dataset& query = *form.ADOQuery1;
    query.close();
    query.clearStatement();
    query.setStatement(Statements::addExpense(
        ComboBox1->currentText(), TextRules::dateTimeText(DateTimePicker1->value()), Edit3->text(),
        ComboBox3->currentText(), Edit5->text()));
    query.execute();
    form.ledger->DBGrid2->viewport()->update();
    form.ledger->showInLedger(Statements::ledgerInStoredOrder());
    Panel2->hide();
    Dialogs::info(QStringLiteral("新增成功！"));
}

void RecordEditor::Edit3KeyPress(QChar& key) {
    if (key.unicode() == 8 || key == QLatin1Char(' ') || key == QLatin1Char('.') ||
        (key >= QLatin1Char('0') && key <= QLatin1Char('9')))
        return;
    Dialogs::info(QStringLiteral("非法输入！ 只能输入数字！请重新输入！"));
    key = QChar();
}

void RecordEditor::BitBtn9Click() {
    if (!requireCurrentRow())
        return;
    Dataset& query = *form.ADOQuery1;
    const QString name = query.text(QStringLiteral("name"));
    const qlonglong id = query.value(QStringLiteral("idon")).toLongLong();
    if (!Dialogs::confirm(QStringLiteral("你确定要删除") + name + QStringLiteral("的记录吗？")))
        return;
    try {
        query.close();
        query.setStatement(Statements::deleteExpense(name, id));
        if (query.execute() == 0)
            throw QuillError(QStringLiteral("no row was deleted"));
        Dialogs::titled(nullptr, QStringLiteral("删除"), QStringLiteral("删除记录成功!"));
    } catch (const QuillError&) {
        Dialogs::info(QStringLiteral("删除失败！"));
        return;
    }
    form.ledger->showInLedger(Statements::ledgerInStoredOrder());
}
