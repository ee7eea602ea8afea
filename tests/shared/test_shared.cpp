// One ledger, several clients: two windows on one ledger, a second client
// adding while the first audits, a server that goes away under an open
// window, a data source that cannot be reached at start, and the setup
// program on a registered data source.
#include "BoxAnswerer.h"
#include "TestInstall.h"
#include "Unlock.h"

#include "app/DBGrid.h"
#include "app/StartupError.h"
#include "app/Unit1.h"
#include "ledger/LedgerView.h"
#include "ledger/RecordEditor.h"
#include "settlement/AuditPanel.h"
#include "store/DataSource.h"
#include "store/Dataset.h"
#include "store/QuillError.h"
#include "store/Statements.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <atomic>
#include <memory>

namespace {

// An unlocked window on the current install, its ledger grid watched by the
// model tester.
struct Client {
    Client() : form(std::make_unique<TForm1>()) {
        form->show();
        unlock(*form);
        tester = std::make_unique<QAbstractItemModelTester>(
            form->ledger->DBGrid2->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }

    // The "info" column of every row the ledger grid shows, in grid order.
    QStringList shownRemarks() const {
        QAbstractItemModel* model = form->ledger->DBGrid2->model();
        QStringList remarks;
        for (int r = 0; r < model->rowCount(); ++r)
            remarks << model->data(model->index(r, 5)).toString();
        return remarks;
    }

    // "增加", fill in the editor, "确定".
    void add(const QString& name, const QString& money, const QString& item,
             const QString& remark) {
        QTest::mouseClick(form->ledger->BitBtn7, Qt::LeftButton);
        RecordEditor& editor = *form->recordEditor;
        editor.ComboBox1->setCurrentText(name);
        QTest::keyClicks(editor.Edit3, money);
        editor.ComboBox3->setCurrentText(item);
        editor.Edit5->setText(remark);
        QTest::mouseClick(editor.Button1, Qt::LeftButton);
    }

    // Picks the grid row showing the remark, "修改", a new item, "确定".
    void changeItem(const QString& remark, const QString& item) {
        const int row = shownRemarks().indexOf(remark);
        QVERIFY(row >= 0);
        DBGrid* grid = form->ledger->DBGrid2;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, 1)).center());
        QTest::mouseClick(form->ledger->BitBtn8, Qt::LeftButton);
        form->recordEditor->ComboBox3->setCurrentText(item);
        QTest::mouseClick(form->recordEditor->Button1, Qt::LeftButton);
    }

    void refresh() { form->ledger->N1->trigger(); }

    std::unique_ptr<TForm1> form;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

QStringList errorBoxes(const BoxAnswerer& boxes) {
    QStringList errors;
    for (const BoxAnswerer::Box& box : boxes.boxes()) {
        if (box.icon == QMessageBox::Critical)
            errors << box.text;
    }
    return errors;
}

// A second client on a thread of its own: its own ledger query on its own
// connection, adding expenses one after another with the editor's statement.
class AddingClient : public QThread {
public:
    explicit AddingClient(int count) : count(count) {}

    std::atomic<int> added{0};
    QStringList errors;

    static QString remark(int i) { return QStringLiteral("client2 #%1").arg(i); }

protected:
    void run() override {
        Dataset query(QStringLiteral("ADOQuery1"), DataSource::resolve());
        for (int i = 0; i < count; ++i) {
            query.close();
            query.setStatement(Statements::addExpense(
                QStringLiteral("李四"), QStringLiteral("2026-05-01 12:00:00"),
                QStringLiteral("1.5"), QStringLiteral("买菜"), remark(i)));
            try {
                query.execute();
                ++added;
            } catch (const QuillError& error) {
                errors << error.message();
            }
            msleep(2); // a few hundred adds a second: many audits fall among them
        }
    }

private:
    int count;
};

// A PostgreSQL server of the test's own, from the test server's script, so
// that it can be stopped under a window without disturbing other suites.
class OwnServer {
public:
    OwnServer()
        : dir(qEnvironmentVariable("QUILLMERE_TEST_PGSERVERS") + QStringLiteral("/qm-XXXXXX")) {
        started = dir.isValid() && control(QStringLiteral("start"));
        if (!started)
            return;
        port = readFile(QStringLiteral("port"));
        password = readFile(QStringLiteral("pwfile"));
    }
    ~OwnServer() {
        if (started)
            control(QStringLiteral("stop"));
    }

    bool control(const QString& action) {
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(QStringLiteral("bash"),
                      {QStringLiteral("-c"),
                       QStringLiteral("source \"$0\" && qm_pg_server \"$1\" \"$2\""),
                       qEnvironmentVariable("QUILLMERE_TEST_PGSCRIPT"), action, dir.path()});
        return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }

    bool started = false;
    QString port;
    QString password;

private:
    QString readFile(const QString& name) const {
        QFile file(dir.path() + QLatin1Char('/') + name);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed()
                                              : QString();
    }

    QTemporaryDir dir;
};

// Points the test installs at another server for as long as it lives.
class ServerEnvironment {
public:
    ServerEnvironment(const QString& port, const QString& password)
        : oldPort(qgetenv("QUILLMERE_TEST_PGPORT")),
          oldPassword(qgetenv("QUILLMERE_TEST_PGPASSWORD")) {
        qputenv("QUILLMERE_TEST_PGPORT", port.toUtf8());
        qputenv("QUILLMERE_TEST_PGPASSWORD", password.toUtf8());
    }
    ~ServerEnvironment() {
        qputenv("QUILLMERE_TEST_PGPORT", oldPort);
        qputenv("QUILLMERE_TEST_PGPASSWORD", oldPassword);
    }

private:
    QByteArray oldPort;
    QByteArray oldPassword;
};

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run runSetup(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(QUILLMERE_SETUP_PROGRAM), arguments);
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

bool postgresConfigured() {
    return TestInstall::backends().contains(QStringLiteral("postgres"));
}

} // namespace

class TestShared : public QObject {
    Q_OBJECT

private slots:
    void twoWindowsShareOneLedger_data() { TestInstall::addBackendRows(); }
    void twoWindowsShareOneLedger() {
        QFETCH(QString, backend);
        TestInstall install(backend);
        BoxAnswerer boxes;
        Client first;
        Client second;

        first.add(QStringLiteral("张三"), QStringLiteral("12.5"), QStringLiteral("买菜"),
                  QStringLiteral("from the first"));
        second.add(QStringLiteral("李四"), QStringLiteral("30"), QStringLiteral("交网费"),
                   QStringLiteral("from the second"));
        first.add(QStringLiteral("王五"), QStringLiteral("7"), QStringLiteral("其他"),
                  QStringLiteral("first again"));
        QCOMPARE(install.ledgerCount(), 3);
        QCOMPARE(first.shownRemarks().size(), 3); // its own add reopened the ledger

        // The second window sees the first one's row after a refresh.
        QCOMPARE(second.shownRemarks().size(), 2);
        second.refresh();
        QCOMPARE(second.shownRemarks(),
                 (QStringList{QStringLiteral("from the first"), QStringLiteral("from the second"),
                              QStringLiteral("first again")}));

        // A change made in one window shows in the other after a refresh.
        second.changeItem(QStringLiteral("from the first"), QStringLiteral("交房租"));
        QCOMPARE(install
                     .scalar(QStringLiteral("select something from db where info = ?"),
                             {QStringLiteral("from the first")})
                     .toString(),
                 QStringLiteral("交房租"));
        first.refresh();
        const int row = first.shownRemarks().indexOf(QStringLiteral("from the first"));
        QAbstractItemModel* grid = first.form->ledger->DBGrid2->model();
        QCOMPARE(grid->data(grid->index(row, 4)).toString(), QStringLiteral("交房租"));

        QCOMPARE(errorBoxes(boxes), QStringList());
        QCOMPARE(boxes.texts(),
                 (QStringList{QStringLiteral("新增成功！"), QStringLiteral("新增成功！"),
                              QStringLiteral("新增成功！"), QStringLiteral("修改成功！")}));
    }

    void auditWhileAnotherClientAdds_data() { TestInstall::addBackendRows(); }
    void auditWhileAnotherClientAdds() {
        QFETCH(QString, backend);
        TestInstall install(backend);
        // More rows than a window fetches at first, so the windows keep their cursors open.
        const int before = 10000;
        install.exec(
            QStringLiteral("insert into db (name, datetime, money, something, info) "
                           "with recursive n(i) as (select 1 union all select i + 1 from n "
                           "where i < ?) select '张三', '2026-04-01', '2', '买菜', "
                           "'before #' || i from n"),
            {before});
        BoxAnswerer boxes;
        Client viewer;
        QVERIFY(viewer.form->ADOQuery1->canFetchMore());
        Client auditor;
        AuditPanel& audit = *auditor.form->auditPanel;
        audit.Panel5->show();

        const int toAdd = 400;
        AddingClient other(toAdd);
        other.start();
        int audits = 0;
        int auditsWhileAdding = 0;
        while (!other.isFinished() || audits == 0) {
            const bool adding = other.isRunning() && other.added > 0;
            audit.Button14->setEnabled(true); // as a new run of the program would
            QTest::mouseClick(audit.Button14, Qt::LeftButton);
            ++audits;
            if (adding && other.isRunning())
                ++auditsWhileAdding;
        }
        QVERIFY(other.wait(120000));
        // The window that watched it all still adds without trouble.
        viewer.add(QStringLiteral("王五"), QStringLiteral("3"), QStringLiteral("其他"),
                   QStringLiteral("from the viewer"));
        QTest::mouseClick(audit.Button14, Qt::LeftButton); // disabled: nothing happens
        audit.Button14->setEnabled(true);
        QTest::mouseClick(audit.Button14, Qt::LeftButton); // the rest of the ledger

        QCOMPARE(other.errors, QStringList());
        QCOMPARE(errorBoxes(boxes), QStringList());
        QCOMPARE(boxes.texts().count(QStringLiteral("新增成功！")), 1);
        QCOMPARE(int(other.added), toAdd);
        QVERIFY2(auditsWhileAdding >= 2,
                 qPrintable(
                     QStringLiteral("only %1 audits overlapped the adds").arg(auditsWhileAdding)));

        // Every row is in exactly one of the two tables, once.
        const int expected = before + toAdd + 1;
        const QString everyRow =
            QStringLiteral("(select info from db union all select info from shenhe) rows_of_both");
        const int total =
            install.scalar(QStringLiteral("select count(*) from ") + everyRow).toInt();
        const int distinct =
            install.scalar(QStringLiteral("select count(distinct info) from ") + everyRow).toInt();
        const int inLedger = install.ledgerCount();
        qInfo("%s: %d rows added by the second client during %d audits (%d while it was adding); "
              "archived %d, left in the ledger %d, lost %d, duplicated %d",
              qPrintable(backend), int(other.added), audits, auditsWhileAdding,
              install.archiveCount(), inLedger, expected - distinct, total - distinct);
        QCOMPARE(distinct, expected);
        QCOMPARE(total, distinct);
        QCOMPARE(inLedger, 0);
        for (int i = 0; i < toAdd; i += 37) {
            QCOMPARE(install
                         .scalar(QStringLiteral("select count(*) from shenhe where info = ?"),
                                 {AddingClient::remark(i)})
                         .toInt(),
                     1);
        }
    }

    void serverStoppedUnderAnOpenWindow() {
        if (!postgresConfigured())
            QSKIP("needs the test PostgreSQL server (run ./test.sh)");
        OwnServer server;
        QVERIFY(server.started);
        ServerEnvironment environment(server.port, server.password);
        TestInstall install(QStringLiteral("postgres"));
        install.addExpense(QStringLiteral("张三"), QStringLiteral("2026-06-01"),
                           QStringLiteral("5"), QStringLiteral("买菜"),
                           QStringLiteral("stored before"));
        BoxAnswerer boxes;
        Client client;
        QCOMPARE(client.shownRemarks(), QStringList{QStringLiteral("stored before")});

        QVERIFY(server.control(QStringLiteral("stop")));
        // Every action while the server is away ends in an error box saying
        // why, and leaves the window usable.
        client.refresh();
        client.add(QStringLiteral("李四"), QStringLiteral("8"), QStringLiteral("买菜"),
                   QStringLiteral("while stopped"));
        client.form->recordEditor->Button2->click();
        const QStringList errors = errorBoxes(boxes);
        QCOMPARE(errors.size(), 2);
        for (const QString& error : errors) {
            QVERIFY2(error.contains(QStringLiteral("server")) ||
                         error.contains(QStringLiteral("connect")),
                     qPrintable(error));
        }
        QCOMPARE(boxes.boxes().size(), 2); // no success box for the add

        // Once the server is back, the next action reconnects.
        QVERIFY(server.control(QStringLiteral("restart")));
        boxes.clear();
        client.refresh();
        QCOMPARE(client.shownRemarks(), QStringList{QStringLiteral("stored before")});
        client.add(QStringLiteral("李四"), QStringLiteral("9"), QStringLiteral("买菜"),
                   QStringLiteral("after the restart"));
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("新增成功！")});
        QCOMPARE(client.shownRemarks(), (QStringList{QStringLiteral("stored before"),
                                                     QStringLiteral("after the restart")}));
        install.reconnect(); // the test's own connection died with the server
        QCOMPARE(install.ledgerCount(), 2);
    }

    void serverRestartedWhileIdle() {
        if (!postgresConfigured())
            QSKIP("needs the test PostgreSQL server (run ./test.sh)");
        OwnServer server;
        QVERIFY(server.started);
        ServerEnvironment environment(server.port, server.password);
        TestInstall install(QStringLiteral("postgres"));
        install.addExpense(QStringLiteral("张三"), QStringLiteral("2026-06-01"),
                           QStringLiteral("5"), QStringLiteral("买菜"),
                           QStringLiteral("stored before"));
        BoxAnswerer boxes;
        Client client;

        // The server went away and came back while nobody used the window:
        // its connections are dead, yet the next action simply works.
        QVERIFY(server.control(QStringLiteral("stop")));
        QVERIFY(server.control(QStringLiteral("restart")));
        client.refresh();
        QCOMPARE(client.shownRemarks(), QStringList{QStringLiteral("stored before")});
        QCOMPARE(errorBoxes(boxes), QStringList());
    }

    void unreachableDataSourceEndsStartUp_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("wrong password") << "Password"
                                        << "not-the-password"
                                        << "password authentication failed";
        QTest::newRow("missing database") << "Database"
                                          << "qm_nowhere"
                                          << "database \"qm_nowhere\" does not exist";
        QTest::newRow("no server on the port") << "Port"
                                               << "1"
                                               << "Connection refused";
        QTest::newRow("a server that never answers") << "Port"
                                                     << "<silent>"
                                                     << "timeout expired";
    }
    void unreachableDataSourceEndsStartUp() {
        if (!postgresConfigured())
            QSKIP("needs the test PostgreSQL server (run ./test.sh)");
        QFETCH(QString, entry);
        QFETCH(QString, value);
        QFETCH(QString, message);
        TestInstall install(QStringLiteral("postgres"));
        install.addExpense(QStringLiteral("张三"), QStringLiteral("2026-06-01"),
                           QStringLiteral("5"));
        // The kernel takes the connection; nobody ever answers on it.
        QTcpServer silent;
        if (value == QLatin1String("<silent>")) {
            QVERIFY(silent.listen(QHostAddress::LocalHost));
            value = QString::number(silent.serverPort());
        }
        install.setDataSourceEntry(entry, value);
        BoxAnswerer boxes;

        QString thrown;
        try {
            TForm1 form;
        } catch (const StartupError& error) {
            thrown = error.message();
        }
        QVERIFY2(thrown.contains(message), qPrintable(thrown));
        QCOMPARE(boxes.boxes().size(), 0); // the program entry reports it, then ends

        // The setup program says the same and changes nothing.
        const Run setup = runSetup({QStringLiteral("--dsn")});
        QCOMPARE(setup.exitCode, 1);
        QVERIFY2(setup.err.contains(message), qPrintable(setup.err));
        QCOMPARE(install.ledgerCount(), 1); // through the test's own, earlier connection
    }

    void setupMakesTheLedgerOnce_data() { TestInstall::addBackendRows(); }
    void setupMakesTheLedgerOnce() {
        QFETCH(QString, backend);
        TestInstall install(backend);
        for (const QString& table : {"db", "shenhe", "xmb", "mima"})
            install.exec(QStringLiteral("drop table ") + table);
        const QStringList options = backend == QLatin1String("postgres")
                                        ? QStringList{QStringLiteral("--dsn")}
                                        : QStringList{};

        const Run first =
            runSetup(options + QStringList{QStringLiteral("--code"), QStringLiteral("2468"),
                                           QStringLiteral("--member"), QStringLiteral("张三")});
        QCOMPARE(first.exitCode, 0);
        const QString where = backend == QLatin1String("postgres")
                                  ? QStringLiteral(" in the ODBC data source \"dateinfo\"")
                                  : QStringLiteral(" in the embedded ledger file");
        for (const QString& made : {"db", "shenhe", "xmb", "mima", "password row"})
            QVERIFY2(first.out.contains(QStringLiteral("created: ") + made + where),
                     qPrintable(first.out));

        const qlonglong firstId = install.addExpense(
            QStringLiteral("张三"), QStringLiteral("2026-07-01"), QStringLiteral("3"));
        install.addExpense(QStringLiteral("张三"), QStringLiteral("2026-07-02"),
                           QStringLiteral("4"));
        install.exec(QStringLiteral("delete from db"));

        const Run again =
            runSetup(options + QStringList{QStringLiteral("--code"), QStringLiteral("1111")});
        QCOMPARE(again.exitCode, 0);
        QVERIFY2(!again.out.contains(QStringLiteral("created:")), qPrintable(again.out));
        QCOMPARE(install.scalar(QStringLiteral("select count(*) from xmb")).toInt(), 1);
        QCOMPARE(install.scalar(QStringLiteral("select count(*) from mima")).toInt(), 1);

        // Record ids are never handed out twice, even after the ledger was emptied.
        const qlonglong next = install.addExpense(
            QStringLiteral("张三"), QStringLiteral("2026-07-03"), QStringLiteral("5"));
        QCOMPARE(next, firstId + 2);

        // The ledger it made opens with the code it was given.
        BoxAnswerer boxes;
        TForm1 form;
        unlock(form, QStringLiteral("2468"));
    }

    void dsnOptionNeedsARegisteredDataSource() {
        TestInstall install; // no data source registered
        QTemporaryDir tmp;
        const QString home = tmp.path() + QStringLiteral("/ferncask");
        qputenv("FERNCASK_HOME", home.toUtf8());
        const Run run = runSetup({QStringLiteral("--dsn")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("no ODBC data source \"dateinfo\" is registered")),
                 qPrintable(run.err));
        QVERIFY(!QFile::exists(home)); // no embedded ledger made in its place
    }
};

QTEST_MAIN(TestShared)
#include "test_shared.moc"
