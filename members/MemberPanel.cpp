#include "members/MemberPanel.h"

#include "app/DBGrid.h"
#include "app/EventBoundary.h"
#include "app/Unit1.h"
#include "app/Widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

MemberPanel::MemberPanel(TForm1& owner) : QObject(&owner), form(owner) {
    setObjectName(QStringLiteral("MemberPanel"));
    Panel4 = placePanel(form.clientArea(), "Panel4", QRect(761, 104, 187, 241));
    QPalette light = Panel4->palette();
    light.setColor(QPalette::Window, light.color(QPalette::Light));
    Panel4->setPalette(light);
    Panel4->hide();
    Label15 = place<QLabel>(Panel4, "Label15", QRect(48, 13, 81, 13), QStringLiteral("增加新成员"));
    Label15->setStyleSheet(QStringLiteral("color: red;"));
    Label16 = place<QLabel>(Panel4, "Label16", QRect(8, 43, 41, 13), QStringLiteral("姓名"));
    Edit1 = place<QLineEdit>(Panel4, "Edit1", QRect(40, 40, 73, 21));
    Edit1->setMaxLength(50);
    Button8 = place<QPushButton>(Panel4, "Button8", QRect(120, 39, 49, 25), QStringLiteral("确定"));
    DBGrid1 = new DBGrid(*form.ADOTable1,
                         {{QStringLiteral("xingming"), QStringLiteral("成员列表"), 64,
                           Qt::AlignLeft, true}},
                         Panel4);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->datasetModel()->setObjectName(QStringLiteral("DataSource4"));
    DBGrid1->setGeometry(24, 72, 89, 96);
    DBGrid1->setFrameShape(QFrame::NoFrame);
    Button9 = place<QPushButton>(Panel4, "Button9", QRect(120, 104, 49, 25), QStringLiteral("删除"));
    Button10 = place<QPushButton>(Panel4, "Button10", QRect(120, 144, 49, 25), QStringLiteral("离开"));
    Edit2 = place<QLineEdit>(Panel4, "Edit2", QRect(16, 196, 73, 21));
    Edit2->setMaxLength(10);
    Edit2->setEchoMode(QLineEdit::Password);
    Button21 = place<QPushButton>(Panel4, "Button21", QRect(102, 192, 75, 25),
                                  QStringLiteral("修改密码"));
}

void MemberPanel::wire() {}
