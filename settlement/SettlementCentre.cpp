#include "settlement/SettlementCentre.h"

#include "app/DateTimePicker.h"
#include "app/EventBoundary.h"
#include "app/Unit1.h"
#include "app/Widgets.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

SettlementCentre::SettlementCentre(TForm1& owner) : QObject(&owner), form(owner) {
    setObjectName(QStringLiteral("SettlementCentre"));
    Panel3 = placePanel(form.clientArea(), "Panel3", QRect(280, 344, 521, 89));
    Panel3->hide();
    Label10 = place<QLabel>(Panel3, "Label10", QRect(16, 24, 36, 13), QStringLiteral("姓名："));
    ComboBox4 = place<QComboBox>(Panel3, "ComboBox4", QRect(54, 23, 81, 21));
    ComboBox4->setEditable(true);
    ComboBox4->setInsertPolicy(QComboBox::NoInsert);
    Label11 = place<QLabel>(Panel3, "Label11", QRect(152, 26, 33, 13), QStringLiteral("日期"));
    DateTimePicker4 = place<DateTimePicker>(Panel3, "DateTimePicker4", QRect(184, 24, 89, 21));
    DateTimePicker4->setValue(QDateTime(QDate(2010, 1, 1), QTime(15, 10, 42, 971)));
    Label14 = place<QLabel>(Panel3, "Label14", QRect(282, 25, 12, 13), QStringLiteral("至"));
    DateTimePicker5 = place<DateTimePicker>(Panel3, "DateTimePicker5", QRect(304, 24, 89, 21));
    DateTimePicker5->setValue(QDateTime(QDate(2020, 12, 30), QTime(15, 11, 0, 606)));
    Edit4 = place<QLineEdit>(Panel3, "Edit4", QRect(416, 24, 28, 21));
    Button18 = place<QPushButton>(Panel3, "Button18", QRect(447, 20, 67, 25),
                                  QStringLiteral("设置人数"));
    BitBtn5 = place<QPushButton>(Panel3, "BitBtn5", QRect(16, 63, 76, 20), QStringLiteral("开始查询"));
    Button4 = place<QPushButton>(Panel3, "Button4", QRect(114, 59, 49, 25), QStringLiteral("计算"));
    Button16 = place<QPushButton>(Panel3, "Button16", QRect(185, 58, 33, 25), QStringLiteral("A A"));
    Button17 = place<QPushButton>(Panel3, "Button17", QRect(239, 57, 49, 25), QStringLiteral("结算"));
    Button17->setEnabled(false);
    Button12 = place<QPushButton>(Panel3, "Button12", QRect(309, 56, 49, 25), QStringLiteral("审核"));
    Button11 = place<QPushButton>(Panel3, "Button11", QRect(375, 56, 57, 25), QStringLiteral("计算器"));
    Button5 = place<QPushButton>(Panel3, "Button5", QRect(455, 56, 49, 25), QStringLiteral("取消"));
}

void SettlementCentre::wire() {}
