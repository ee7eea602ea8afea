#include "TestInstall.h"

#include "setup/Installer.h"
#include "store/DataSource.h"
#include "store/QuillError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <atomic>

#include <odbcinst.h>

namespace {

std::atomic<int> installCounter{0};

QString env(const char* name, const char* fallback = "") {
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? QString::fromLatin1(fallback) : value;
}

QString psqlodbcDriver() {
    return env("QUILLMERE_TEST_PGDRIVER", "/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so");
}

QString serverOptions(const QString& database) {
    return QStringLiteral("Driver=%1;Servername=%2;Port=%3;Database=%4;Username=%5;Password=%6")
        .arg(psqlodbcDriver(), env("QUILLMERE_TEST_PGHOST", "127.0.0.1"),
             env("QUILLMERE_TEST_PGPORT", "5432"), database, env("QUILLMERE_TEST_PGUSER"),
             env("QUILLMERE_TEST_PGPASSWORD"));
}

// unixODBC reads ODBCSYSINI once per process, at its first use, and keeps
// it. So the system-wide data sources and drivers are hidden here, before
// main(), behind one empty folder that stays put for the whole run: no test
// may reach a "dateinfo" registered on the machine it runs on.
QString hiddenSystemOdbcFolder() {
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/quillmere-odbc-XXXXXX"));
    return folder.path();
}

void hideSystemOdbc() {
    const QString dir = hiddenSystemOdbcFolder();
    QFile(dir + QStringLiteral("/odbcinst.ini")).open(QIODevice::WriteOnly);
    QFile(dir + QStringLiteral("/odbc.ini")).open(QIODevice::WriteOnly);
    QFile(dir + QStringLiteral("/odbc-user.ini")).open(QIODevice::WriteOnly);
    qputenv("ODBCSYSINI", dir.toUtf8());
    qputenv("ODBCINI", (dir + QStringLiteral("/odbc-user.ini")).toUtf8());
}
Q_CONSTRUCTOR_FUNCTION(hideSystemOdbc)

// Writes one entry of the user's odbc.ini through the driver manager, which
// also drops its cache of odbc.ini lookups (kept for 20 seconds otherwise, so
// a later install would still see the previous one's data source).
// A null entry removes the whole data source.
void writeUserDsnEntry(const QString& entry, const QString& value) {
    const QByteArray key = entry.toUtf8();
    const QByteArray text = value.toUtf8();
    SQLSetConfigMode(ODBC_USER_DSN);
    const bool written =
        SQLWritePrivateProfileString("dateinfo", entry.isNull() ? nullptr : key.constData(),
                                     entry.isNull() ? nullptr : text.constData(), "odbc.ini");
    SQLSetConfigMode(ODBC_BOTH_DSN);
    if (!written)
        qFatal("cannot register the test data source (%s)", qPrintable(entry));
}

} // namespace

QStringList TestInstall::backends() {
    QStringList result{QStringLiteral("sqlite")};
    if (!qEnvironmentVariable("QUILLMERE_TEST_PGPORT").isEmpty())
        result << QStringLiteral("postgres");
    return result;
}

void TestInstall::addBackendRows() {
    QTest::addColumn<QString>("backend");
    for (const QString& backend : backends())
        QTest::newRow(qPrintable(backend)) << backend;
}

TestInstall::TestInstall(const QString& backend, const QStringList& members, const QString& code)
    : kind(backend) {
    const int number = ++installCounter;
    folder = tmp.path() + QStringLiteral("/ferncask");
    qputenv("FERNCASK_HOME", folder.toUtf8());
    connectionName = QStringLiteral("test-install-%1").arg(number);
    if (kind == QLatin1String("postgres")) {
        pgDatabase = QStringLiteral("qm_%1_%2").arg(QCoreApplication::applicationPid()).arg(number);
        createPostgresDatabase();
        prepareOdbc(true);
    } else {
        prepareOdbc(false);
    }
    Installer::Options options;
    options.code = code;
    options.members = members;
    try {
        Installer::run(options);
    } catch (const QuillError& error) {
        qFatal("test install failed: %s", qPrintable(error.message()));
    }
}

TestInstall::~TestInstall() {
    if (conn.isValid()) {
        conn.close();
        conn = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
    }
    if (!pgDatabase.isEmpty()) {
        const QString admin = connectionName + QStringLiteral("-drop");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), admin);
            db.setDatabaseName(serverOptions(QStringLiteral("postgres")));
            if (db.open())
                QSqlQuery(QStringLiteral("drop database if exists %1 with (force)").arg(pgDatabase),
                          db);
        }
        QSqlDatabase::removeDatabase(admin);
    }
}

void TestInstall::prepareOdbc(bool registerDateinfo) {
    // The install's own user odbc.ini decides whether "dateinfo" exists.
    const QString userIni = tmp.path() + QStringLiteral("/odbc-user.ini");
    QFile(userIni).open(QIODevice::WriteOnly);
    qputenv("ODBCINI", userIni.toUtf8());
    writeUserDsnEntry(QString(), QString()); // no "dateinfo" yet, and no cached one
    if (!registerDateinfo)
        return;
    const QList<std::pair<QString, QString>> entries{
        {QStringLiteral("Description"), QStringLiteral("Quillmere test ledger")},
        {QStringLiteral("Driver"), psqlodbcDriver()},
        {QStringLiteral("Servername"), env("QUILLMERE_TEST_PGHOST", "127.0.0.1")},
        {QStringLiteral("Port"), env("QUILLMERE_TEST_PGPORT", "5432")},
        {QStringLiteral("Database"), pgDatabase},
        {QStringLiteral("Username"), env("QUILLMERE_TEST_PGUSER")},
        {QStringLiteral("Password"), env("QUILLMERE_TEST_PGPASSWORD")},
    };
    for (const auto& [entry, value] : entries)
        writeUserDsnEntry(entry, value);
}

void TestInstall::setDataSourceEntry(const QString& entry, const QString& value) {
    if (kind != QLatin1String("postgres"))
        qFatal("only a postgres install has a data source to change");
    writeUserDsnEntry(entry, value);
}

void TestInstall::createPostgresDatabase() {
    const QString admin = connectionName + QStringLiteral("-create");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), admin);
        db.setDatabaseName(serverOptions(QStringLiteral("postgres")));
        if (!db.open())
            qFatal("cannot reach the test server: %s", qPrintable(db.lastError().text()));
        QSqlQuery create(db);
        if (!create.exec(QStringLiteral("create database %1 encoding 'UTF8' template template0")
                             .arg(pgDatabase)))
            qFatal("cannot create the test database: %s", qPrintable(create.lastError().text()));
    }
    QSqlDatabase::removeDatabase(admin);
}

QSqlDatabase& TestInstall::db() {
    if (!conn.isValid()) {
        try {
            conn = DataSource::resolve().connect(connectionName);
        } catch (const QuillError& error) {
            qFatal("test connection failed: %s", qPrintable(error.message()));
        }
    }
    return conn;
}

void TestInstall::reconnect() {
    if (!conn.isValid())
        return;
    conn.close();
    conn = QSqlDatabase();
    QSqlDatabase::removeDatabase(connectionName);
}

void TestInstall::exec(const QString& sql, const QVariantList& values) {
    QSqlQuery q(db());
    if (!q.prepare(sql))
        qFatal("prepare failed: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    for (const QVariant& value : values)
        q.addBindValue(value);
    if (!q.exec())
        qFatal("exec failed: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
}

QVariant TestInstall::scalar(const QString& sql, const QVariantList& values) {
    QSqlQuery q(db());
    q.prepare(sql);
    for (const QVariant& value : values)
        q.addBindValue(value);
    if (!q.exec() || !q.next())
        qFatal("scalar failed: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    return q.value(0);
}

qlonglong TestInstall::addExpense(const QString& name, const QString& date, const QString& money,
                                  const QString& item, const QString& remark) {
    exec(QStringLiteral(
             "insert into db (name, datetime, money, something, info) values (?, ?, ?, ?, ?)"),
         {name, date, money, item, remark});
    return scalar(QStringLiteral("select max(idon) from db")).toLongLong();
}
