#include "settlement/AuditPanel.h"

#include "app/DBGrid.h"
#include "app/Dialogs.h"
#include "app/EventBoundary.h"
#include "app/Unit1.h"
#include "app/Widgets.h"
#include "store/Dataset.h"
#include "store/Statements.h"

#include <QPushButton>

AuditPanel::AuditPanel(TForm1& owner) : QObject(&owner), form(owner) {
    setObjectName(QStringLiteral("AuditPanel"));
    Panel5 = placePanel(form.clientArea(), "Panel5", QRect(192, 56, 681, 289));
    Panel5->hide();
    const QList<GridColumn> columns{
        {QStringLiteral("idon"), QStringLiteral("编号"), 64, Qt::AlignCenter, false},
        {QStringLiteral("name"), QStringLiteral("姓名"), 61, Qt::AlignCenter, true},
        {QStringLiteral("datetime"), QStringLiteral("日期"), 144, Qt::AlignCenter, true},
        {QStringLiteral("money"), QStringLiteral("金额"), 83, Qt::AlignCenter, true},
        {QStringLiteral("something"), QStringLiteral("物品"), 139, Qt::AlignCenter, true},
        {QStringLiteral("info"), QStringLiteral("备注"), 224, Qt::AlignLeft, true},
    };
    DBGrid4 = new DBGrid(*form.ADOQuery2, columns, Panel5);
    DBGrid4->setObjectName(QStringLiteral("DBGrid4"));
    DBGrid4->datasetModel()->setObjectName(QStringLiteral("DataSource5"));
    DBGrid4->setGeometry(7, 4, 668, 243);
    Button14 =
        place<QPushButton>(Panel5, "Button14", QRect(464, 256, 49, 25), QStringLiteral("审核"));
    Button15 =
        place<QPushButton>(Panel5, "Button15", QRect(528, 256, 65, 25), QStringLiteral("已审核"));
    Button13 =
        place<QPushButton>(Panel5, "Button13", QRect(616, 256, 45, 25), QStringLiteral("关闭"));
    Button13->setCursor(Qt::PointingHandCursor);
}

void AuditPanel::wire() {
    using EventBoundary::guard;
    connect(Button14, &QPushButton::clicked, this, guard(this, &AuditPanel::Button14Click));
    connect(Button15, &QPushButton::clicked, this, guard(this, &AuditPanel::Button15Click));
    connect(Button13, &QPushButton::clicked, this, guard(this, &AuditPanel::Button13Click));
}

void AuditPanel::Button14Click() {
    // Copy and empty in one transaction: each row ends up in exactly one of
    // the two tables, and a row another client adds meanwhile stays in the ledger.
    form.ADOQuery1->close();
    form.ADOQuery2->close();
    form.ADOQuery2->executeAtomically({Statements::archiveLedger(), Statements::emptyLedger()});
    Button14->setEnabled(false);
    Dialogs::titled(nullptr, QStringLiteral("审核"), QStringLiteral("审核成功!"));
}

void AuditPanel::Button15Click() {
    Dataset& archive = *form.ADOQuery2;
    archive.close();
    archive.clearStatement();
    archive.setStatement(Statements::archiveOldestFirst());
    archive.open();
}

void AuditPanel::Button13Click() {
    Panel5->hide();
}
