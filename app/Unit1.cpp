#include "app/Unit1.h"

#include "app/Branding.h"
#include "app/DBGrid.h"
#include "app/DateTimePicker.h"
#include "app/Dialogs.h"
#include "app/EventBoundary.h"
#include "app/StartupError.h"
#include "app/Widgets.h"
#include "ledger/LedgerView.h"
#include "ledger/RecordEditor.h"
#include "members/MemberPanel.h"
#include "presentation/PresentationExtras.h"
#include "presentation/TunePlayer.h"
#include "settlement/AuditPanel.h"
#include "settlement/SettlementCentre.h"
#include "store/Dataset.h"
#include "store/InstallFolder.h"
#include "store/PasswordHash.h"
#include "store/Statements.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString folderWarning = QStringLiteral(
    "警告:本软件安装目录必须是c:\\ferncask\\目录下，否则不能正常运行！请重新安装本软件！");

bool isInside(const QWidget* widget, const QWidget* container) {
    return widget && (widget == container || container->isAncestorOf(widget));
}

} // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(Branding::windowCaption);

    // The install folder comes first: without it nothing is opened, and the
    // ledger never shows without the code.
    if (!InstallFolder::exists()) {
        Dialogs::titled(this, QStringLiteral("警告!!!"), folderWarning, QMessageBox::Warning);
        throw StartupError(folderWarning, true);
    }

    source = DataSource::resolve();
    ADOQuery1 = new Dataset(QStringLiteral("ADOQuery1"), source, this);
    ADOQuery2 = new Dataset(QStringLiteral("ADOQuery2"), source, this);
    ADOQuery3 = new Dataset(QStringLiteral("ADOQuery3"), source, this);
    ADOTable1 = new Dataset(QStringLiteral("ADOTable1"), source, this);
    ADOTable1->setTable(QStringLiteral("xmb"), {QStringLiteral("xingming")});
    ADOQuery2->setStatement(Statements::archiveInStoredOrder());

    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Noto Sans")});
    font.setPixelSize(12);
    setFont(font);

    client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client);
    client->installEventFilter(this);

    // Children in creation order: a later one lies above an earlier one.
    ledger = new LedgerView(*this);
    recordEditor = new RecordEditor(*this);
    settlement = new SettlementCentre(*this);
    tunePlayer = new TunePlayer(*this);
    memberPanel = new MemberPanel(*this);
    auditPanel = new AuditPanel(*this);
    presentation = new PresentationExtras(*this);
    buildGate();

    ledger->wire();
    recordEditor->wire();
    settlement->wire();
    memberPanel->wire();
    auditPanel->wire();
    presentation->wire();

    move(179, 93);
    resize(1018, 517);
    layoutClient();

    try {
        ADOQuery1->setStatement(Statements::ledgerNewestFirst());
        ADOQuery1->open();
        tunePlayer->openTune();
    } catch (const StartupError&) {
        throw;
    } catch (const QuillError& error) {
        throw StartupError(error.message());
    }

    EventBoundary::run([this] { FormCreate(); });
}

TForm1::~TForm1() = default;

void TForm1::buildGate() {
    Panel6 = placePanel(client, "Panel6", QRect(368, 152, 241, 113));
    QPalette teal = Panel6->palette();
    teal.setColor(QPalette::Window, QColor(0x00, 0x80, 0x80));
    Panel6->setPalette(teal);
    Label17 = place<QLabel>(Panel6, "Label17", QRect(16, 32, 65, 17), QStringLiteral("授权密码"));
    Edit6 = place<QLineEdit>(Panel6, "Edit6", QRect(80, 29, 122, 21));
    Edit6->setEchoMode(QLineEdit::Password);
    Edit6->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    Button22 = place<QPushButton>(Panel6, "Button22", QRect(40, 72, 75, 25), QStringLiteral("OK"));
    Button20 =
        place<QPushButton>(Panel6, "Button20", QRect(136, 72, 75, 25), QStringLiteral("Cancel"));

    connect(Button22, &QPushButton::clicked, this,
            EventBoundary::guard(this, &TForm1::Button22Click));
    connect(Button20, &QPushButton::clicked, this,
            EventBoundary::guard(this, &TForm1::Button20Click));
    EventBoundary::onKeyDown(Edit6, [this](int key) { Edit6KeyDown(key); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (isInside(now, Panel6) && !isInside(old, Panel6))
            EventBoundary::run([this] { Panel6Enter(); });
    });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client && event->type() == QEvent::Resize)
        layoutClient();
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::layoutClient() {
    if (!ledger)
        return;
    ledger->layout(client->width(), client->height());
}

bool TForm1::isUnlocked() const {
    return Panel6 && Panel6->isHidden();
}

void TForm1::fillNameBoxes() {
    QList<QComboBox*> boxes{ledger->ComboBox2, recordEditor->ComboBox1, settlement->ComboBox4};
    QStringList typed;
    for (QComboBox* box : boxes) {
        typed << box->currentText();
        box->clear();
    }
    ADOTable1->open();
    ADOTable1->first();
    while (!ADOTable1->eof()) {
        const QString name = ADOTable1->text(QStringLiteral("xingming"));
        for (QComboBox* box : boxes)
            box->addItem(name);
        ADOTable1->next();
    }
    // Refilling the lists keeps whatever the user had typed or picked.
    for (int i = 0; i < boxes.size(); ++i)
        boxes[i]->setCurrentText(typed[i]);
}

void TForm1::FormCreate() {
    ledger->DBGrid2->hide();
    ledger->Panel1->hide();
    ledger->BitBtn8->hide();
    ledger->BitBtn9->hide();
    tunePlayer->startLooping();
    ledger->Label9->resize(1608, ledger->Label9->height());
    fillNameBoxes();
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownBefore)
        return;
    shownBefore = true;
    EventBoundary::run([this] { FormShow(); });
}

void TForm1::FormShow() {
    const QDate today = QDate::currentDate();
    recordEditor->DateTimePicker1->setDate(today);
    ledger->DateTimePicker3->setDate(today);
    settlement->DateTimePicker5->setDate(today);
    if (!isUnlocked())
        Edit6->setFocus();
}

void TForm1::Panel6Enter() {
    Edit6->setFocus();
}

void TForm1::Edit6KeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        Button22->click();
}

void TForm1::Button22Click() {
    ADOQuery3->setStatement(Statements::storedPassword());
    ADOQuery3->open();
    const bool hasCode = !ADOQuery3->isEmpty();
    const QString stored =
        hasCode ? ADOQuery3->value(QStringLiteral("data")).toString() : QString();

    if (Edit6->text().isEmpty()) {
        Dialogs::info(QStringLiteral("请输入授权码！"));
        return;
    }
    if (!hasCode || !PasswordHash::matches(stored, Edit6->text())) {
        Dialogs::info(QStringLiteral("授权码错误！"));
        return;
    }
    ledger->DBGrid2->show();
    ledger->Panel1->show();
    ledger->BitBtn8->show();
    ledger->BitBtn9->show();
    Panel6->hide();
    Edit6->clear();
    ledger->DBGrid2->setFocus();
}

void TForm1::Button20Click() {
    close();
}
