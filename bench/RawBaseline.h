#pragma once

#include "store/Statement.h"

#include <QString>

struct sqlite3;

// The same statements run straight through the SQLite C API: prepare, bind,
// step reading every column as text, strtod and add for sums.
class RawBaseline {
public:
    explicit RawBaseline(const QString& file);
    ~RawBaseline();

    struct Result {
        double ms = 0;
        long long rows = 0;
        double sum = 0;
    };

    // Steps through at most `limit` rows (all when negative), reading every
    // column as text and summing the money column.
    Result select(const Statement& statement, long long limit = -1);
    // Runs statements that return no rows, in one immediate transaction when
    // `atomic` is set.
    Result execute(const QList<Statement>& statements, bool atomic = false);

private:
    sqlite3* db = nullptr;
};
