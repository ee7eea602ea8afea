#include "SettlementWindow.h"

#include "store/Dataset.h"

#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

namespace {

// Adds a ledger row with a record id of the test's choosing.
void addExpenseWithId(TestInstall& install, qlonglong id, const QString& name, const QString& date,
                      const QString& money) {
    install.exec(QStringLiteral("insert into db (idon, name, datetime, money, something, info) "
                                "values (?, ?, ?, ?, ?, ?)"),
                 {id, name, date, money, QStringLiteral("买菜"), QStringLiteral("备注")});
}

void addArchived(TestInstall& install, qlonglong id, const QString& money) {
    install.exec(QStringLiteral("insert into shenhe (idon, name, datetime, money, something, info) "
                                "values (?, ?, ?, ?, ?, ?)"),
                 {id, QStringLiteral("王五"), QStringLiteral("2023-12-01"), money,
                  QStringLiteral("电费"), QString()});
}

// Opens the audit panel the way a person does: "结算中心", then "审核".
void openAuditPanel(SettlementWindow& w) {
    QTest::mouseClick(w.bar().Button6, Qt::LeftButton);
    QTest::mouseClick(w.centre().Button12, Qt::LeftButton);
    QVERIFY(w.audit().Panel5->isVisible());
}

// Makes the audit fail part-way, in one of two places.
void injectFailure(TestInstall& install, const QString& where) {
    const bool sqlite = install.backend() == QLatin1String("sqlite");
    if (where == QLatin1String("archive refuses a row")) {
        install.exec(QStringLiteral("drop table shenhe"));
        install.exec(QStringLiteral(
            "create table shenhe (idon integer, name varchar(50), datetime varchar(50), "
            "money varchar(50) check (money <> '13.13'), something varchar(50), "
            "info varchar(50))"));
    } else if (sqlite) {
        install.exec(QStringLiteral("create trigger keep_ledger before delete on db "
                                    "begin select raise(abort, 'the ledger is kept'); end"));
    } else {
        install.exec(QStringLiteral("create function keep_ledger() returns trigger language "
                                    "plpgsql as $$ begin raise exception 'the ledger is kept'; "
                                    "end $$"));
        install.exec(QStringLiteral("create trigger keep_ledger before delete on db for each "
                                    "statement execute function keep_ledger()"));
    }
}

void removeFailure(TestInstall& install, const QString& where) {
    if (where == QLatin1String("archive refuses a row"))
        install.exec(QStringLiteral("update db set money = '13.14' where money = '13.13'"));
    else
        install.exec(
            QStringLiteral("drop trigger keep_ledger") +
            (install.backend() == QLatin1String("sqlite") ? QString() : QStringLiteral(" on db")));
}

// Rows as tableRows gives them, ordered by record id.
QStringList byId(QStringList rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const QString& a, const QString& b) {
        return a.section(QLatin1Char('|'), 0, 0).toLongLong() <
               b.section(QLatin1Char('|'), 0, 0).toLongLong();
    });
    return rows;
}

} // namespace

class TestAudit : public QObject {
    Q_OBJECT

private slots:
    void auditMovesEveryRowInOneStep_data() {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<int>("expenses");
        for (const QString& backend : TestInstall::backends()) {
            QTest::addRow("%s/empty ledger", qPrintable(backend)) << backend << 0;
            QTest::addRow("%s/one expense", qPrintable(backend)) << backend << 1;
            // More rows than the grid fetches at once, so the grid is mid-read.
            QTest::addRow("%s/a long period", qPrintable(backend)) << backend << 300;
        }
    }
    void auditMovesEveryRowInOneStep() {
        QFETCH(QString, backend);
        QFETCH(int, expenses);
        SettlementWindow w(backend);
        // Last period's rows, stored out of id order.
        addArchived(w.install, 5, QStringLiteral("50"));
        addArchived(w.install, 3, QStringLiteral("30"));
        for (int i = 0; i < expenses; ++i) {
            addExpenseWithId(w.install, 10 + i,
                             i % 2 ? QStringLiteral("张三") : QStringLiteral("李四"),
                             QStringLiteral("2024-03-%1").arg(1 + i % 28, 2, 10, QLatin1Char('0')),
                             QString::number(i + 1));
        }
        if (expenses > 1)
            addExpenseWithId(w.install, 6000000, QStringLiteral("王五"),
                             QStringLiteral("2024-03-31 20:00:00"), QStringLiteral("12.5"));
        const QStringList ledgerBefore = w.tableRows(QStringLiteral("db"));
        const QStringList archiveBefore = w.tableRows(QStringLiteral("shenhe"));
        w.open();
        QCOMPARE(w.form->ADOQuery1->isOpen(), true);
        QVERIFY(!w.form->ADOQuery2->isOpen());
        QCOMPARE(w.audit().DBGrid4->model()->rowCount(), 0);
        openAuditPanel(w);

        BoxAnswerer answerer;
        QTest::mouseClick(w.audit().Button14, Qt::LeftButton);
        const BoxAnswerer::Box box = answerer.only();
        QCOMPARE(box.title, QStringLiteral("审核"));
        QCOMPARE(box.text, QStringLiteral("审核成功!"));
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QVERIFY(!w.audit().Button14->isEnabled());

        QCOMPARE(w.tableRows(QStringLiteral("db")), QStringList());
        const QStringList expected = byId(archiveBefore + ledgerBefore);
        QCOMPARE(w.tableRows(QStringLiteral("shenhe")), expected);

        // Neither grid shows rows until something reopens its query.
        QVERIFY(!w.form->ADOQuery1->isOpen());
        QCOMPARE(w.bar().DBGrid2->model()->rowCount(), 0);
        QCOMPARE(w.audit().DBGrid4->model()->rowCount(), 0);

        // "已审核" lists the archive oldest first: last period, then this one.
        QTest::mouseClick(w.audit().Button15, Qt::LeftButton);
        QStringList ids;
        for (const QString& row : expected)
            ids << row.section(QLatin1Char('|'), 0, 0);
        QCOMPARE(gridColumn(w.audit().DBGrid4, QStringLiteral("idon")), ids);
        QVERIFY(w.audit().DBGrid4->isColumnHidden(0));
        QCOMPARE(answerer.boxes().size(), 1);

        // The audit runs once per run; "关闭" hides the panel.
        QTest::mouseClick(w.audit().Button13, Qt::LeftButton);
        QVERIFY(!w.audit().Panel5->isVisible());
        openAuditPanel(w);
        QVERIFY(!w.audit().Button14->isEnabled());
    }

    void failingAuditChangesNothing_data() {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("where");
        for (const QString& backend : TestInstall::backends()) {
            for (const char* where : {"archive refuses a row", "ledger refuses the delete"})
                QTest::addRow("%s/%s", qPrintable(backend), where)
                    << backend << QString::fromLatin1(where);
        }
    }
    void failingAuditChangesNothing() {
        QFETCH(QString, backend);
        QFETCH(QString, where);
        SettlementWindow w(backend);
        injectFailure(w.install, where);
        addArchived(w.install, 900, QStringLiteral("20"));
        w.install.addExpense(QStringLiteral("张三"), QStringLiteral("2024-03-01"),
                             QStringLiteral("1"));
        w.install.addExpense(QStringLiteral("李四"), QStringLiteral("2024-03-02"),
                             QStringLiteral("13.13"));
        w.install.addExpense(QStringLiteral("王五"), QStringLiteral("2024-03-03"),
                             QStringLiteral("3"));
        const QStringList ledgerBefore = w.tableRows(QStringLiteral("db"));
        const QStringList archiveBefore = w.tableRows(QStringLiteral("shenhe"));
        w.open();
        openAuditPanel(w);

        BoxAnswerer answerer;
        QTest::mouseClick(w.audit().Button14, Qt::LeftButton);
        const BoxAnswerer::Box box = answerer.only();
        QCOMPARE(box.title, QStringLiteral("Quillmere"));
        QCOMPARE(box.icon, QMessageBox::Critical);
        QVERIFY(!box.text.isEmpty());
        QVERIFY(w.audit().Button14->isEnabled());
        QCOMPARE(w.tableRows(QStringLiteral("db")), ledgerBefore);
        QCOMPARE(w.tableRows(QStringLiteral("shenhe")), archiveBefore);

        // Nothing is left half-done: once the cause is gone the audit goes through.
        removeFailure(w.install, where);
        const QStringList ledgerNow = w.tableRows(QStringLiteral("db"));
        answerer.clear();
        QTest::mouseClick(w.audit().Button14, Qt::LeftButton);
        QCOMPARE(answerer.only().text, QStringLiteral("审核成功!"));
        QCOMPARE(w.tableRows(QStringLiteral("db")), QStringList());
        QCOMPARE(w.tableRows(QStringLiteral("shenhe")), byId(archiveBefore + ledgerNow));
    }

    void rowAddedDuringTheAuditStaysInTheLedger_data() { TestInstall::addBackendRows(); }
    void rowAddedDuringTheAuditStaysInTheLedger() {
        QFETCH(QString, backend);
        if (backend == QLatin1String("sqlite"))
            QSKIP("the embedded ledger takes its write lock first: no other writer gets in");
        SettlementWindow w(backend);
        w.install.addExpense(QStringLiteral("张三"), QStringLiteral("2024-03-01"),
                             QStringLiteral("1"));
        w.install.addExpense(QStringLiteral("李四"), QStringLiteral("2024-03-02"),
                             QStringLiteral("2"));
        const QStringList period = w.tableRows(QStringLiteral("db"));
        // Another client adds a row and commits it while the audit is between
        // its copy and its delete.
        const QString otherClient =
            QStringLiteral("host=%1 port=%2 user=%3 password=%4 dbname=%5")
                .arg(qEnvironmentVariable("QUILLMERE_TEST_PGHOST"),
                     qEnvironmentVariable("QUILLMERE_TEST_PGPORT"),
                     qEnvironmentVariable("QUILLMERE_TEST_PGUSER"),
                     qEnvironmentVariable("QUILLMERE_TEST_PGPASSWORD"),
                     w.install.scalar(QStringLiteral("select current_database()")).toString());
        w.install.exec(QStringLiteral("create extension if not exists dblink"));
        w.install.exec(
            QStringLiteral("create function add_meanwhile() returns trigger language plpgsql as "
                           "$$ begin perform dblink_exec('%1', 'insert into db (name, datetime, "
                           "money, something, info) values (''王五'', ''2024-03-31'', ''9'', "
                           "''水费'', '''')'); return null; end $$")
                .arg(otherClient));
        w.install.exec(QStringLiteral("create trigger add_meanwhile after insert on shenhe for "
                                      "each statement execute function add_meanwhile()"));
        w.open();
        openAuditPanel(w);

        BoxAnswerer answerer;
        QTest::mouseClick(w.audit().Button14, Qt::LeftButton);
        QCOMPARE(answerer.only().text, QStringLiteral("审核成功!"));
        QCOMPARE(w.tableRows(QStringLiteral("shenhe")), period);
        const QStringList ledger = w.tableRows(QStringLiteral("db"));
        QCOMPARE(ledger.size(), 1);
        QVERIFY(ledger.front().contains(QStringLiteral("|王五|2024-03-31|9|水费|")));
    }
};

QTEST_MAIN(TestAudit)
#include "test_audit.moc"
