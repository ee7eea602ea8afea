#include "ledger/LedgerView.h"

#include "app/DBGrid.h"
#include "app/DateTimePicker.h"
#include "app/EventBoundary.h"
#include "app/Unit1.h"
#include "app/Widgets.h"
#include "store/Dataset.h"
#include "store/Statements.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

// The button images are compiled into this static library; register them
// before the first button asks for one.
static void loadLedgerImages() {
    Q_INIT_RESOURCE(ledger);
}

namespace {

QPushButton* imageButton(QWidget* parent, const char* name, QRect geometry, const QString& text,
                         const char* image) {
    auto* button = place<QPushButton>(parent, name, geometry, text);
    button->setIcon(QIcon(QString::fromLatin1(image)));
    button->setIconSize(QSize(14, 14));
    return button;
}

DateTimePicker* picker(QWidget* parent, const char* name, QRect geometry, QDate date) {
    auto* p = place<DateTimePicker>(parent, name, geometry);
    p->setValue(QDateTime(date, QTime(0, 0)));
    return p;
}

} // namespace

LedgerView::LedgerView(TForm1& owner) : QObject(&owner), form(owner) {
    setObjectName(QStringLiteral("LedgerView"));
    loadLedgerImages();
    buildCommandBar();
    buildGrid();
    buildMenu();
}

void LedgerView::buildGrid() {
    const QList<GridColumn> columns{
        {QStringLiteral("idon"), QStringLiteral("序号"), 41, Qt::AlignCenter, true},
        {QStringLiteral("name"), QStringLiteral("姓名"), 95, Qt::AlignCenter, true},
        {QStringLiteral("datetime"), QStringLiteral("日期"), 145, Qt::AlignCenter, true},
        {QStringLiteral("money"), QStringLiteral("金额"), 70, Qt::AlignCenter, true},
        {QStringLiteral("something"), QStringLiteral("购买物品"), 128, Qt::AlignCenter, true},
        {QStringLiteral("info"), QStringLiteral("备注信息"), 485, Qt::AlignLeft, true},
    };
    DBGrid2 = new DBGrid(*form.ADOQuery1, columns, form.clientArea());
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->datasetModel()->setObjectName(QStringLiteral("DataSource1"));
    DBGrid2->setGeometry(0, 0, 1018, 449);
}

void LedgerView::buildCommandBar() {
    Panel1 = placePanel(form.clientArea(), "Panel1", QRect(0, 449, 1018, 68));
    BitBtn7 = imageButton(Panel1, "BitBtn7", QRect(16, 12, 65, 20), QStringLiteral("增加"),
                          ":/ledger/images/add.png");
    BitBtn8 = imageButton(Panel1, "BitBtn8", QRect(98, 12, 63, 20), QStringLiteral("修改"),
                          ":/ledger/images/edit.png");
    BitBtn9 = imageButton(Panel1, "BitBtn9", QRect(180, 12, 61, 20), QStringLiteral("删除"),
                          ":/ledger/images/delete.png");
    Label12 = place<QLabel>(Panel1, "Label12", QRect(295, 16, 59, 13), QStringLiteral("姓名"));
    ComboBox2 = placeEditableBox(Panel1, "ComboBox2", QRect(336, 14, 65, 21));
    BitBtn6 = imageButton(Panel1, "BitBtn6", QRect(408, 14, 65, 20), QStringLiteral("sarch"),
                          ":/ledger/images/search.png");
    BitBtn6->hide();
    Button3 =
        place<QPushButton>(Panel1, "Button3", QRect(408, 11, 73, 25), QStringLiteral("计算金额"));
    Button6 =
        place<QPushButton>(Panel1, "Button6", QRect(494, 11, 69, 25), QStringLiteral("结算中心"));
    Button7 =
        place<QPushButton>(Panel1, "Button7", QRect(573, 10, 71, 25), QStringLiteral("设置成员"));
    Label13 = place<QLabel>(Panel1, "Label13", QRect(649, 16, 60, 13), QStringLiteral("日期查询"));
    DateTimePicker2 = picker(Panel1, "DateTimePicker2", QRect(712, 13, 89, 21), QDate(2010, 1, 1));
    Label7 = place<QLabel>(Panel1, "Label7", QRect(808, 15, 17, 13), QStringLiteral("到"));
    DateTimePicker3 =
        picker(Panel1, "DateTimePicker3", QRect(832, 13, 97, 21), QDate(2020, 12, 30));
    BitBtn4 = imageButton(Panel1, "BitBtn4", QRect(942, 11, 57, 20), QStringLiteral("查询"),
                          ":/ledger/images/query.png");
    // The result line keeps its width whatever its text; longer results run on
    // past the bar's edge rather than wrapping. It is 17 pixels high, not 13:
    // Chinese glyphs at the window's font size need that much.
    Label9 = place<QLabel>(Panel1, "Label9", QRect(208, 40, 745, 17));
    Label9->setWordWrap(false);
    Label9->setTextInteractionFlags(Qt::TextSelectableByMouse);
}

void LedgerView::buildMenu() {
    PopupMenu1 = new QMenu(DBGrid2);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto entry = [this](const char* name, const QString& text) {
        QAction* action = PopupMenu1->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    N3 = entry("N3", QStringLiteral("复制"));
    N1 = entry("N1", QStringLiteral("刷新"));
    N11 = entry("N11", QStringLiteral("风格1"));
    N21 = entry("N21", QStringLiteral("风格2"));
    N31 = entry("N31", QStringLiteral("风格3"));
    N41 = entry("N41", QStringLiteral("风格4"));
    N2 = entry("N2", QStringLiteral("关于"));
    DBGrid2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid2, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        // A right click picks the cell under the pointer first, as a left click would.
        const QModelIndex index = DBGrid2->indexAt(at);
        if (index.isValid())
            DBGrid2->setCurrentIndex(index);
        PopupMenu1->popup(DBGrid2->viewport()->mapToGlobal(at));
    });
}

void LedgerView::wire() {
    using EventBoundary::guard;
    connect(ComboBox2, &QComboBox::activated, this, guard(this, &LedgerView::BitBtn6Click));
    connect(BitBtn6, &QPushButton::clicked, this, guard(this, &LedgerView::BitBtn6Click));
    connect(BitBtn4, &QPushButton::clicked, this, guard(this, &LedgerView::BitBtn4Click));
    connect(N1, &QAction::triggered, this, guard(this, &LedgerView::N1Click));
    connect(N3, &QAction::triggered, this, guard(this, &LedgerView::N3Click));
}

void LedgerView::layout(int width, int height) {
    DBGrid2->setGeometry(0, 0, width, 449);
    Panel1->setGeometry(0, 449, width, std::max(0, height - 449));
}

void LedgerView::showInLedger(const Statement& statement) {
    Dataset& query = *form.ADOQuery1;
    query.close();
    query.clearStatement();
    query.setStatement(statement);
    query.open();
}

void LedgerView::BitBtn6Click() {
    showInLedger(Statements::ledgerOfMember(ComboBox2->currentText()));
}

void LedgerView::BitBtn4Click() {
    showInLedger(Statements::ledgerBetweenDays(DateTimePicker2->date(), DateTimePicker3->date()));
}

void LedgerView::N1Click() {
    showInLedger(Statements::ledgerOldestFirst());
}

void LedgerView::N3Click() {
    if (!form.ADOQuery1->isOpen() || form.ADOQuery1->currentRow() < 0 ||
        DBGrid2->selectedField().isEmpty())
        return;
    QGuiApplication::clipboard()->setText(DBGrid2->selectedText());
}
