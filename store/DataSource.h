#pragma once

#include <QSqlDatabase>
#include <QString>

// Where the ledger lives. A registered ODBC data source "dateinfo" wins; without
// one, the embedded SQLite file in the install folder. A registered source that
// cannot be reached is an error, never a reason to switch to the file.
class DataSource {
public:
    enum class Kind { Embedded, Odbc };

    static constexpr auto odbcName = "dateinfo";

    static DataSource resolve();
    static bool odbcSourceRegistered(const QString& name);

    Kind kind() const { return sourceKind; }
    QString describe() const;

    // A new, open connection of its own; throws QuillError with the driver's text.
    QSqlDatabase connect(const QString& connectionName) const;
    // Whether the connected engine is PostgreSQL / SQLite (for the few
    // statements that cannot be written portably).
    static bool isSqlite(const QSqlDatabase& db);

private:
    Kind sourceKind = Kind::Embedded;
    QString file;
};
