#include "members/MemberPanel.h"

#include "app/DBGrid.h"
#include "app/Dialogs.h"
#include "app/EventBoundary.h"
#include "app/Unit1.h"
#include "app/Widgets.h"
#include "ledger/LedgerView.h"
#include "members/PasswordRules.h"
#include "store/Dataset.h"
#include "store/PasswordHash.h"
#include "store/QuillError.h"
#include "store/Statements.h"

#include <QHeaderView>
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
    DBGrid1 = new DBGrid(
        *form.ADOTable1,
        {{QStringLiteral("xingming"), QStringLiteral("成员列表"), 64, Qt::AlignLeft, true}},
        Panel4);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->datasetModel()->setObjectName(QStringLiteral("DataSource4"));
    DBGrid1->setGeometry(24, 72, 89, 96);
    DBGrid1->setFrameShape(QFrame::NoFrame);
    // The title keeps its fuchsia whatever skin draws the rest of the window.
    DBGrid1->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: #FF00FF; color: #000000;"
                       " border: 1px solid #800080; padding: 0 2px; }"));
    Button9 =
        place<QPushButton>(Panel4, "Button9", QRect(120, 104, 49, 25), QStringLiteral("删除"));
    Button10 =
        place<QPushButton>(Panel4, "Button10", QRect(120, 144, 49, 25), QStringLiteral("离开"));
    Edit2 = place<QLineEdit>(Panel4, "Edit2", QRect(16, 196, 73, 21));
    Edit2->setMaxLength(10);
    Edit2->setEchoMode(QLineEdit::Password);
    Edit2->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    Button21 =
        place<QPushButton>(Panel4, "Button21", QRect(102, 192, 75, 25), QStringLiteral("修改密码"));
}

void MemberPanel::wire() {
    using EventBoundary::guard;
    connect(form.ledger->Button7, &QPushButton::clicked, this,
            guard(this, &MemberPanel::Button7Click));
    connect(Button10, &QPushButton::clicked, this, guard(this, &MemberPanel::Button10Click));
    connect(Button8, &QPushButton::clicked, this, guard(this, &MemberPanel::Button8Click));
    connect(Button9, &QPushButton::clicked, this, guard(this, &MemberPanel::Button9Click));
    connect(Button21, &QPushButton::clicked, this, guard(this, &MemberPanel::Button21Click));
    EventBoundary::onKeyPress(Edit2, [this](QChar& key) { Edit2KeyPress(key); });
}

void MemberPanel::Button7Click() {
    Panel4->show();
}

void MemberPanel::Button10Click() {
    Panel4->hide();
}

void MemberPanel::Button8Click() {
    const QString name = Edit1->text();
    if (name.trimmed().isEmpty()) {
        Dialogs::info(QStringLiteral("请输入成员姓名！"));
        return;
    }
    form.ADOTable1->appendRecord({QStringLiteral("xingming")}, {name});
    Edit1->clear();
    refreshNameBoxes();
}

void MemberPanel::Button9Click() {
    form.ADOTable1->deleteCurrent();
    refreshNameBoxes();
}

void MemberPanel::refreshNameBoxes() {
    const int mark = form.ADOTable1->currentRow();
    form.fillNameBoxes();
    form.ADOTable1->setCurrentRow(mark);
}

void MemberPanel::Button21Click() {
    const QString code = Edit2->text();
    if (code.isEmpty()) {
        Dialogs::info(QStringLiteral("请输入密码！"));
        return;
    }
    // Typing is filtered, but a pasted text is not.
    if (!PasswordRules::isValidCode(code)) {
        Dialogs::info(QStringLiteral("只能使用数字做为密码！请重新输入！"));
        return;
    }
    Dataset& query = *form.ADOQuery1;
    query.close();
    query.setStatement(Statements::setPassword(PasswordHash::hash(code)));
    if (query.execute() == 0)
        throw QuillError(QStringLiteral("%1: the password table holds no row; run quillmere-setup "
                                        "to add one")
                             .arg(query.name()));
    Edit2->clear();
    Dialogs::info(QStringLiteral("修改密码成功！"));
}

void MemberPanel::Edit2KeyPress(QChar& key) {
    if (PasswordRules::isAllowedKey(key))
        return;
    key = QChar();
    Dialogs::info(QStringLiteral("只能使用数字做为密码！请重新输入！"));
}
