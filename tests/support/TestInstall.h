#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

// A fresh install folder in a temporary directory, with its ledger on the
// chosen backend: "sqlite" (the embedded file) or "postgres" (a database of
// its own on the test server, reached through the ODBC data source
// "dateinfo"). It sets FERNCASK_HOME and the ODBC environment for the test.
class TestInstall {
public:
    explicit TestInstall(const QString& backend = QStringLiteral("sqlite"),
                         const QStringList& members = {QStringLiteral("张三"),
                                                       QStringLiteral("李四"),
                                                       QStringLiteral("王五")},
                         const QString& code = QStringLiteral("1234"));
    ~TestInstall();
    TestInstall(const TestInstall&) = delete;
    TestInstall& operator=(const TestInstall&) = delete;

    // The backends this run tests: sqlite always, postgres where the test
    // server is configured (QUILLMERE_TEST_PG* variables).
    static QStringList backends();
    // Adds a "backend" column and one row per backend to a _data() function.
    static void addBackendRows();

    const QString& path() const { return folder; }
    const QString& backend() const { return kind; }
    // A connection of the test's own, for fixtures and checks.
    QSqlDatabase& db();
    // Drops that connection (after the test stopped its server); the next use connects anew.
    void reconnect();
    QVariant scalar(const QString& sql, const QVariantList& values = {});
    void exec(const QString& sql, const QVariantList& values = {});
    // Adds a ledger row directly; returns its record id.
    qlonglong addExpense(const QString& name, const QString& date, const QString& money,
                         const QString& item = QStringLiteral("买菜"),
                         const QString& remark = QString());
    int ledgerCount() { return scalar(QStringLiteral("select count(*) from db")).toInt(); }
    int archiveCount() { return scalar(QStringLiteral("select count(*) from shenhe")).toInt(); }
    // Changes one entry of the registered "dateinfo" (postgres only), as a
    // user editing odbc.ini would: "Password", "Database", "Port", ...
    void setDataSourceEntry(const QString& entry, const QString& value);

private:
    void prepareOdbc(bool registerDateinfo);
    void createPostgresDatabase();

    QTemporaryDir tmp;
    QString folder;
    QString kind;
    QString pgDatabase;
    QString connectionName;
    QSqlDatabase conn;
};
