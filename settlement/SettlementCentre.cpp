#include "settlement/SettlementCentre.h"

#include "app/DateTimePicker.h"
#include "app/Dialogs.h"
#include "app/EventBoundary.h"
#include "app/Unit1.h"
#include "app/Widgets.h"
#include "ledger/LedgerView.h"
#include "settlement/AuditPanel.h"
#include "settlement/Calculator.h"
#include "settlement/HeadCountFile.h"
#include "settlement/SettlementRules.h"
#include "store/Dataset.h"
#include "store/MoneySum.h"
#include "store/Statements.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>

SettlementCentre::SettlementCentre(TForm1& owner) : QObject(&owner), form(owner) {
    setObjectName(QStringLiteral("SettlementCentre"));
    Panel3 = placePanel(form.clientArea(), "Panel3", QRect(280, 344, 521, 89));
    Panel3->hide();
    Label10 = place<QLabel>(Panel3, "Label10", QRect(16, 24, 36, 13), QStringLiteral("姓名："));
    ComboBox4 = placeEditableBox(Panel3, "ComboBox4", QRect(54, 23, 81, 21));
    Label11 = place<QLabel>(Panel3, "Label11", QRect(152, 26, 33, 13), QStringLiteral("日期"));
    DateTimePicker4 = place<DateTimePicker>(Panel3, "DateTimePicker4", QRect(184, 24, 89, 21));
    DateTimePicker4->setValue(QDateTime(QDate(2010, 1, 1), QTime(15, 10, 42, 971)));
    Label14 = place<QLabel>(Panel3, "Label14", QRect(282, 25, 12, 13), QStringLiteral("至"));
    DateTimePicker5 = place<DateTimePicker>(Panel3, "DateTimePicker5", QRect(304, 24, 89, 21));
    DateTimePicker5->setValue(QDateTime(QDate(2020, 12, 30), QTime(15, 11, 0, 606)));
    Edit4 = place<QLineEdit>(Panel3, "Edit4", QRect(416, 24, 28, 21));
    Button18 =
        place<QPushButton>(Panel3, "Button18", QRect(447, 20, 67, 25), QStringLiteral("设置人数"));
    BitBtn5 =
        place<QPushButton>(Panel3, "BitBtn5", QRect(16, 63, 76, 20), QStringLiteral("开始查询"));
    BitBtn5->setIcon(QIcon(QStringLiteral(":/ledger/images/search.png")));
    BitBtn5->setIconSize(QSize(14, 14));
    Button4 = place<QPushButton>(Panel3, "Button4", QRect(114, 59, 49, 25), QStringLiteral("计算"));
    Button16 =
        place<QPushButton>(Panel3, "Button16", QRect(185, 58, 33, 25), QStringLiteral("A A"));
    Button17 =
        place<QPushButton>(Panel3, "Button17", QRect(239, 57, 49, 25), QStringLiteral("结算"));
    Button17->setEnabled(false);
    Button12 =
        place<QPushButton>(Panel3, "Button12", QRect(309, 56, 49, 25), QStringLiteral("审核"));
    Button11 =
        place<QPushButton>(Panel3, "Button11", QRect(375, 56, 57, 25), QStringLiteral("计算器"));
    Button5 = place<QPushButton>(Panel3, "Button5", QRect(455, 56, 49, 25), QStringLiteral("取消"));
}

void SettlementCentre::wire() {
    using EventBoundary::guard;
    connect(form.ledger->Button6, &QPushButton::clicked, this,
            guard(this, &SettlementCentre::Button6Click));
    connect(form.ledger->Button3, &QPushButton::clicked, this,
            guard(this, &SettlementCentre::Button3Click));
    connect(Button5, &QPushButton::clicked, this, guard(this, &SettlementCentre::Button5Click));
    connect(Button18, &QPushButton::clicked, this, guard(this, &SettlementCentre::Button18Click));
    connect(BitBtn5, &QPushButton::clicked, this, guard(this, &SettlementCentre::BitBtn5Click));
    connect(Button4, &QPushButton::clicked, this, guard(this, &SettlementCentre::Button4Click));
    connect(Button16, &QPushButton::clicked, this, guard(this, &SettlementCentre::Button16Click));
    connect(Button17, &QPushButton::clicked, this, guard(this, &SettlementCentre::Button17Click));
    connect(Button11, &QPushButton::clicked, this, guard(this, &SettlementCentre::Button11Click));
    connect(Button12, &QPushButton::clicked, this, guard(this, &SettlementCentre::Button12Click));
    BitBtn5->installEventFilter(this);
}

bool SettlementCentre::eventFilter(QObject* watched, QEvent* event) {
    // Focus moving from the query button to another control runs the command
    // bar's date filter. A box or another window taking the focus does not.
    if (watched == BitBtn5 && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            EventBoundary::run([this] { form.ledger->BitBtn4Click(); });
    }
    return QObject::eventFilter(watched, event);
}

void SettlementCentre::readHeadCount() {
    Edit4->setText(HeadCountFile().read());
}

double SettlementCentre::memberSum() {
    form.ledger->showInLedger(Statements::ledgerOfMemberBetweenDays(
        ComboBox4->currentText(), DateTimePicker4->date(), DateTimePicker5->date()));
    return moneySum(*form.ADOQuery1);
}

void SettlementCentre::Button6Click() {
    Panel3->show();
    ComboBox4->setCurrentIndex(-1);
    ComboBox4->clearEditText();
    readHeadCount();
}

void SettlementCentre::Button5Click() {
    Panel3->hide();
    Button17->setEnabled(false);
}

void SettlementCentre::Button18Click() {
    const std::optional<int> count = HeadCountFile::acceptable(Edit4->text());
    if (!count) {
        Dialogs::info(QStringLiteral("请输入参与记账的人数：1到99之间的整数！"));
        return;
    }
    const QString text = QString::number(*count);
    HeadCountFile().write(text);
    Dialogs::info(SettlementRules::headCountSet(text));
    readHeadCount();
}

void SettlementCentre::BitBtn5Click() {
    memberSum();
}

void SettlementCentre::Button4Click() {
    const double sum = memberSum();
    Dialogs::info(SettlementRules::memberTotal(ComboBox4->currentText(), DateTimePicker4->value(),
                                               DateTimePicker5->value(), sum));
}

void SettlementCentre::Button16Click() {
    // Settling needs a share: a first split that fails leaves "结算" disabled.
    if (perHead)
        Button17->setEnabled(true);
    form.ledger->showInLedger(Statements::ledgerOldestFirst());
    const double total = moneySum(*form.ADOQuery1);
    readHeadCount();
    perHead = SettlementRules::equalShare(total, Edit4->text());
    Button17->setEnabled(true);
    form.ledger->Label9->setText(SettlementRules::splitLine(
        DateTimePicker4->value(), DateTimePicker5->value(), total, *perHead));
}

void SettlementCentre::Button17Click() {
    if (!perHead) // disabled until a split has given a share
        return;
    const double sum = memberSum();
    const QString name = ComboBox4->currentText();
    form.ledger->Label9->setText(SettlementRules::balanceLine(
        name, DateTimePicker4->value(), DateTimePicker5->value(), sum, sum - *perHead));
}

void SettlementCentre::Button3Click() {
    const double sum = moneySum(*form.ADOQuery1);
    form.ledger->Label9->setText(SettlementRules::amountLine(form.ledger->ComboBox2->currentText(),
                                                             DateTimePicker4->value(),
                                                             DateTimePicker5->value(), sum));
}

void SettlementCentre::Button11Click() {
    const QString calculator = Calculator::find();
    if (calculator.isEmpty()) {
        Dialogs::info(QStringLiteral("没有找到计算器程序。请安装 gnome-calculator、kcalc、"
                                     "galculator、mate-calc 或 xcalc 中的一个。"));
        return;
    }
    if (!QProcess::startDetached(calculator, {}))
        Dialogs::info(QStringLiteral("无法启动计算器：") + calculator);
}

void SettlementCentre::Button12Click() {
    form.auditPanel->Panel5->show();
    Panel3->hide();
}
