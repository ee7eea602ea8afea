#include "store/DataSource.h"

#include "store/InstallFolder.h"
#include "store/QuillError.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <sql.h>
#include <sqlext.h>

DataSource DataSource::resolve() {
    DataSource source;
    if (odbcSourceRegistered(QString::fromLatin1(odbcName))) {
        source.sourceKind = Kind::Odbc;
    } else {
        source.sourceKind = Kind::Embedded;
        source.file = InstallFolder::ledgerFile();
    }
    return source;
}

bool DataSource::odbcSourceRegistered(const QString& name) {
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        return false;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    bool found = false;
    SQLCHAR dsn[SQL_MAX_DSN_LENGTH + 1];
    SQLCHAR description[512];
    SQLSMALLINT dsnLength = 0;
    SQLSMALLINT descriptionLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (SQL_SUCCEEDED(SQLDataSources(env, direction, dsn, sizeof dsn, &dsnLength, description,
                                        sizeof description, &descriptionLength))) {
        direction = SQL_FETCH_NEXT;
        if (QString::fromUtf8(reinterpret_cast<const char*>(dsn))
                .compare(name, Qt::CaseInsensitive) == 0) {
            found = true;
            break;
        }
    }
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    return found;
}

QString DataSource::describe() const {
    if (sourceKind == Kind::Odbc)
        return QStringLiteral("ODBC data source \"%1\"").arg(QString::fromLatin1(odbcName));
    return QStringLiteral("embedded ledger file %1").arg(file);
}

QSqlDatabase DataSource::connect(const QString& connectionName) const {
    QSqlDatabase db;
    if (sourceKind == Kind::Odbc) {
        db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), connectionName);
        // The bare name: QODBC puts "DSN=" in front itself.
        db.setDatabaseName(QString::fromLatin1(odbcName));
        // A server that accepts the connection but never answers would
        // otherwise freeze the window for good.
        db.setConnectOptions(
            QStringLiteral("SQL_ATTR_ODBC_VERSION=SQL_OV_ODBC3;SQL_ATTR_LOGIN_TIMEOUT=10"));
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        // mode=rw: a missing ledger file is an error, not a new empty ledger.
        db.setDatabaseName(QStringLiteral("file:%1?mode=rw").arg(file));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=10000"));
    }
    if (!db.open()) {
        QString message = db.lastError().text().trimmed();
        if (sourceKind == Kind::Embedded)
            message = QStringLiteral("%1: %2").arg(file, message);
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        throw QuillError(message);
    }
    if (sourceKind == Kind::Embedded) {
        // Readers never block the writer of another window on the same file.
        QSqlQuery(QStringLiteral("pragma journal_mode=wal"), db);
    }
    return db;
}

bool DataSource::isSqlite(const QSqlDatabase& db) {
    if (db.driverName() == QLatin1String("QSQLITE"))
        return true;
    return db.driver() && db.driver()->dbmsType() == QSqlDriver::SQLite;
}
