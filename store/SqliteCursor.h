#pragma once

#include "store/Statement.h"

#include <QSqlDatabase>
#include <QStringList>
#include <vector>

class RowStore;
struct sqlite3;
struct sqlite3_stmt;

// Reads a select straight from the SQLite handle behind a QSQLITE connection,
// text into the row store with no conversion on the way. A large ledger is
// read about as fast as SQLite can step through it.
class SqliteCursor {
public:
    // The SQLite handle of an open QSQLITE connection, or null for any other.
    static sqlite3* handleOf(const QSqlDatabase& db);

    // Prepares and binds; throws QuillError with SQLite's message.
    SqliteCursor(sqlite3* db, const Statement& statement);
    ~SqliteCursor();
    SqliteCursor(const SqliteCursor&) = delete;
    SqliteCursor& operator=(const SqliteCursor&) = delete;

    const QStringList& columns() const { return names; }
    const std::vector<bool>& integerColumns() const { return integers; }
    // Appends the next row to `rows`; false at the end. Throws on an error.
    bool fetch(RowStore& rows);

private:
    sqlite3* db;
    sqlite3_stmt* stmt = nullptr;
    QStringList names;
    std::vector<bool> integers;
};
