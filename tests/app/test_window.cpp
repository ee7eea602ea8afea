#include "BoxAnswerer.h"
#include "TestInstall.h"
#include "Unlock.h"

#include "app/DBGrid.h"
#include "app/DateTimePicker.h"
#include "app/Dialogs.h"
#include "app/StartupError.h"
#include "app/Unit1.h"
#include "ledger/LedgerView.h"
#include "ledger/RecordEditor.h"
#include "members/MemberPanel.h"
#include "settlement/SettlementCentre.h"
#include "store/PasswordHash.h"

#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// Builds the window; returns the start-up error instead when there is one.
std::unique_ptr<TForm1> build(std::optional<StartupError>* failure = nullptr) {
    try {
        return std::make_unique<TForm1>();
    } catch (const StartupError& error) {
        if (failure)
            failure->emplace(error);
    }
    return nullptr;
}

} // namespace

class TestWindow : public QObject {
    Q_OBJECT

private slots:
    void gate_data() {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("opens");
        for (const QString& backend : TestInstall::backends()) {
            auto row = [&](const char* name) -> QTestData& {
                return QTest::newRow(
                           qPrintable(backend + QStringLiteral(": ") + QLatin1String(name)))
                       << backend;
            };
            row("empty code") << QString() << QStringLiteral("请输入授权码！") << false;
            row("wrong code") << QStringLiteral("4321") << QStringLiteral("授权码错误！") << false;
            row("code with a blank")
                << QStringLiteral("1234 ") << QStringLiteral("授权码错误！") << false;
            row("the hash itself")
                << QStringLiteral("$argon2id$") << QStringLiteral("授权码错误！") << false;
            row("right code") << QStringLiteral("1234") << QString() << true;
        }
    }
    void gate() {
        QFETCH(QString, backend);
        QFETCH(QString, typed);
        QFETCH(QString, box);
        QFETCH(bool, opens);
        TestInstall install(backend);
        install.addExpense(QStringLiteral("张三"), QStringLiteral("2026-12-01"),
                           QStringLiteral("5"));
        auto form = build();
        QVERIFY(form);
        form->show();
        QVERIFY(form->ledger->DBGrid2->isHidden());
        QVERIFY(form->ledger->Panel1->isHidden());
        BoxAnswerer answerer;
        typeCodeAndConfirm(*form, typed);
        QCOMPARE(form->isUnlocked(), opens);
        QCOMPARE(form->ledger->DBGrid2->isVisible(), opens);
        QCOMPARE(form->ledger->Panel1->isVisible(), opens);
        if (opens) {
            QVERIFY(answerer.boxes().isEmpty());
            QVERIFY(form->ledger->BitBtn8->isVisible());
            QVERIFY(form->ledger->BitBtn9->isVisible());
            QVERIFY(form->Edit6->text().isEmpty());
        } else {
            const BoxAnswerer::Box seen = answerer.only();
            QCOMPARE(seen.text, box);
            QCOMPARE(seen.title, QStringLiteral("Quillmere"));
            QCOMPARE(seen.icon, QMessageBox::NoIcon);
            QCOMPARE(form->Edit6->text(), typed); // kept for another try
        }
        // The stored code never reaches the screen.
        QVERIFY(form->memberPanel->Edit2->text().isEmpty());
    }

    void enterActsAsOk() {
        TestInstall install;
        auto form = build();
        form->show();
        BoxAnswerer answerer;
        QTest::keyClicks(form->Edit6, QStringLiteral("12"));
        QTest::keyClick(form->Edit6, Qt::Key_Return);
        QCOMPARE(answerer.only().text, QStringLiteral("授权码错误！"));
        QTest::keyClicks(form->Edit6, QStringLiteral("34"));
        QTest::keyClick(form->Edit6, Qt::Key_Enter);
        QVERIFY(form->isUnlocked());
        QCOMPARE(answerer.boxes().size(), 1);
    }

    void everyAttemptRereadsTheStoredCode_data() { TestInstall::addBackendRows(); }
    void everyAttemptRereadsTheStoredCode() {
        QFETCH(QString, backend);
        TestInstall install(backend);
        auto form = build();
        BoxAnswerer answerer;
        typeCodeAndConfirm(*form, QStringLiteral("5678"));
        QVERIFY(!form->isUnlocked());
        install.exec(QStringLiteral("update mima set mima = ?"),
                     {PasswordHash::hash(QStringLiteral("5678"))});
        QTest::mouseClick(form->Button22, Qt::LeftButton);
        QVERIFY(form->isUnlocked());
    }

    void storedCodes_data() {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QVariant>("stored"); // null: no password row at all
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("opens");
        for (const QString& backend : TestInstall::backends()) {
            QTest::newRow(qPrintable(backend + QStringLiteral(": plain code of an older ledger")))
                << backend << QVariant(QStringLiteral("2468")) << QStringLiteral("2468") << true;
            QTest::newRow(qPrintable(backend + QStringLiteral(": plain code, wrong")))
                << backend << QVariant(QStringLiteral("2468")) << QStringLiteral("246") << false;
            QTest::newRow(qPrintable(backend + QStringLiteral(": no password row")))
                << backend << QVariant() << QStringLiteral("1234") << false;
        }
    }
    void storedCodes() {
        QFETCH(QString, backend);
        QFETCH(QVariant, stored);
        QFETCH(QString, typed);
        QFETCH(bool, opens);
        TestInstall install(backend);
        // A new ledger keeps a hash, never the code itself.
        QVERIFY(PasswordHash::isHash(
            install.scalar(QStringLiteral("select mima from mima")).toString()));
        if (stored.isNull())
            install.exec(QStringLiteral("delete from mima"));
        else
            install.exec(QStringLiteral("update mima set mima = ?"), {stored});
        auto form = build();
        BoxAnswerer answerer;
        typeCodeAndConfirm(*form, typed);
        QCOMPARE(form->isUnlocked(), opens);
        if (!opens)
            QCOMPARE(answerer.only().text, QStringLiteral("授权码错误！"));
    }

    void unlockedLedgerListsNewestFirst_data() { TestInstall::addBackendRows(); }
    void unlockedLedgerListsNewestFirst() {
        QFETCH(QString, backend);
        TestInstall install(backend);
        const qlonglong first = install.addExpense(
            QStringLiteral("张三"), QStringLiteral("2026-12-01"), QStringLiteral("5"));
        install.addExpense(QStringLiteral("李四"), QStringLiteral("2026-12-02"),
                           QStringLiteral("6"));
        const qlonglong last = install.addExpense(
            QStringLiteral("王五"), QStringLiteral("2026-12-03"), QStringLiteral("7"));
        auto form = build();
        form->show();
        unlock(*form);
        QVERIFY(form->Panel6->isHidden());
        QAbstractItemModel* model = form->ledger->DBGrid2->model();
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->data(model->index(0, 0)).toLongLong(), last);
        QCOMPARE(model->data(model->index(2, 0)).toLongLong(), first);
        QCOMPARE(model->data(model->index(0, 1)).toString(), QStringLiteral("王五"));
        QCOMPARE(form->ledger->DBGrid2->currentIndex().row(), 0);
    }

    void nameBoxesAreFilledAtStart() {
        TestInstall install;
        auto form = build();
        for (QComboBox* box : {form->ledger->ComboBox2, form->recordEditor->ComboBox1,
                               form->settlement->ComboBox4}) {
            QCOMPARE(box->count(), 3);
            QCOMPARE(box->itemText(0), QStringLiteral("张三"));
            QCOMPARE(box->itemText(2), QStringLiteral("王五"));
            QVERIFY(box->currentText().isEmpty());
        }
    }

    void firstShowSetsPickersToTodayKeepingTheirTime() {
        TestInstall install;
        auto form = build();
        QCOMPARE(form->settlement->DateTimePicker5->value().date(), QDate(2020, 12, 30));
        form->show();
        const QDate today = QDate::currentDate();
        QCOMPARE(form->recordEditor->DateTimePicker1->value(), QDateTime(today, QTime(0, 0)));
        QCOMPARE(form->ledger->DateTimePicker3->value(), QDateTime(today, QTime(0, 0)));
        QCOMPARE(form->settlement->DateTimePicker5->value(),
                 QDateTime(today, QTime(15, 11, 0, 606)));
        QCOMPARE(form->ledger->DateTimePicker2->value(), QDateTime(QDate(2010, 1, 1), QTime(0, 0)));
    }

    void missingInstallFolderStopsBeforeAnythingOpens() {
        TestInstall install;
        qputenv("FERNCASK_HOME", QByteArray("/nonexistent/ferncask-for-test"));
        BoxAnswerer answerer;
        std::optional<StartupError> failure;
        auto form = build(&failure);
        QVERIFY(!form);
        QVERIFY(failure.has_value());
        QVERIFY(failure->alreadyShown());
        const BoxAnswerer::Box box = answerer.only();
        QCOMPARE(box.title, QStringLiteral("警告!!!"));
        QCOMPARE(box.text,
                 QStringLiteral("警告:本软件安装目录必须是c:"
                                "\\ferncask\\目录下，否则不能正常运行！请重新安装本软件！"));
        QCOMPARE(box.icon, QMessageBox::Warning);
    }

    void missingLedgerTableEndsStartUp_data() { TestInstall::addBackendRows(); }
    void missingLedgerTableEndsStartUp() {
        QFETCH(QString, backend);
        TestInstall install(backend);
        install.exec(QStringLiteral("drop table db"));
        BoxAnswerer answerer;
        std::optional<StartupError> failure;
        QVERIFY(!build(&failure));
        QVERIFY(failure.has_value());
        QVERIFY(!failure->alreadyShown());
        QVERIFY2(failure->message().contains(QStringLiteral("db")), qPrintable(failure->message()));
        QVERIFY(answerer.boxes().isEmpty()); // the program entry shows it
    }

    void failingMemberTableLeavesTheWindowLocked_data() { TestInstall::addBackendRows(); }
    void failingMemberTableLeavesTheWindowLocked() {
        QFETCH(QString, backend);
        TestInstall install(backend);
        install.exec(QStringLiteral("drop table xmb"));
        BoxAnswerer answerer;
        auto form = build();
        QVERIFY(form);
        const BoxAnswerer::Box box = answerer.only();
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.title, QStringLiteral("Quillmere"));
        QVERIFY(box.text.contains(QStringLiteral("xmb")));
        QVERIFY(!form->isUnlocked());
        QVERIFY(form->ledger->DBGrid2->isHidden());
    }

    void windowLayout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<bool>("shown");
        QTest::newRow("command bar") << "Panel1" << QRect(0, 449, 1018, 68) << false;
        QTest::newRow("ledger grid") << "DBGrid2" << QRect(0, 0, 1018, 449) << false;
        QTest::newRow("record editor") << "Panel2" << QRect(325, 249, 364, 160) << false;
        QTest::newRow("settlement centre") << "Panel3" << QRect(280, 344, 521, 89) << false;
        QTest::newRow("music player") << "MediaPlayer1" << QRect(16, 392, 253, 30) << false;
        QTest::newRow("member panel") << "Panel4" << QRect(761, 104, 187, 241) << false;
        QTest::newRow("audit panel") << "Panel5" << QRect(192, 56, 681, 289) << false;
        QTest::newRow("authorisation panel") << "Panel6" << QRect(368, 152, 241, 113) << true;
        QTest::newRow("code label") << "Label17" << QRect(16, 32, 65, 17) << true;
        QTest::newRow("code box") << "Edit6" << QRect(80, 29, 122, 21) << true;
        QTest::newRow("OK") << "Button22" << QRect(40, 72, 75, 25) << true;
        QTest::newRow("Cancel") << "Button20" << QRect(136, 72, 75, 25) << true;
    }
    void windowLayout() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(bool, shown);
        TestInstall install;
        auto form = build();
        form->show();
        QCOMPARE(form->windowTitle().left(11), QStringLiteral("Quillmere ["));
        QVERIFY(form->windowTitle().contains(QStringLiteral("ver: 1.5")));
        QCOMPARE(form->centralWidget()->size(), QSize(1018, 517));
        auto* widget = form->findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(widget->isVisible(), shown);
    }

    void creationOrderStacksLaterPanelsOnTop() {
        TestInstall install;
        auto form = build();
        QStringList order;
        for (QObject* child : form->centralWidget()->children()) {
            if (child->isWidgetType())
                order << child->objectName();
        }
        QCOMPARE(order, (QStringList{"Panel1", "DBGrid2", "Panel2", "Panel3", "MediaPlayer1",
                                     "Panel4", "Panel5", "Panel6"}));
        QCOMPARE(form->Edit6->echoMode(), QLineEdit::Password);
    }

    void cancelClosesTheWindow() {
        TestInstall install;
        auto form = build();
        form->show();
        QTest::mouseClick(form->Button20, Qt::LeftButton);
        QVERIFY(!form->isVisible());
    }

    void errorReportText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "File not found"
                                << "File not found.";
        QTest::newRow("full stop") << "Done."
                                   << "Done.";
        QTest::newRow("bang sorts before the stop") << "Oops!"
                                                    << "Oops!";
        QTest::newRow("Chinese") << "失败"
                                 << "失败.";
        QTest::newRow("empty") << ""
                               << "";
    }
    void errorReportText() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(Dialogs::reportText(text), shown);
    }
};

QTEST_MAIN(TestWindow)
#include "test_window.moc"
