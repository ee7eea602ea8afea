#include "RawBaseline.h"

#include <QElapsedTimer>
#include <cstdlib>
#include <sqlite3.h>
#include <stdexcept>

namespace {

void check(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(sqlite3_errmsg(db));
}

sqlite3_stmt* prepare(sqlite3* db, const Statement& statement) {
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = statement.text.toUtf8();
    check(sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt, nullptr), db);
    int index = 1;
    for (const QVariant& value : statement.values) {
        if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int) {
            sqlite3_bind_int64(stmt, index++, value.toLongLong());
        } else {
            const QByteArray utf8 = value.toString().toUtf8();
            sqlite3_bind_text(stmt, index++, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
    }
    return stmt;
}

} // namespace

RawBaseline::RawBaseline(const QString& file) {
    check(sqlite3_open(file.toUtf8().constData(), &db), db);
    sqlite3_busy_timeout(db, 10000);
}

RawBaseline::~RawBaseline() {
    sqlite3_close(db);
}

RawBaseline::Result RawBaseline::select(const Statement& statement, long long limit) {
    Result result;
    QElapsedTimer timer;
    timer.start();
    sqlite3_stmt* stmt = prepare(db, statement);
    const int columns = sqlite3_column_count(stmt);
    int money = -1;
    for (int c = 0; c < columns; ++c) {
        if (std::string_view(sqlite3_column_name(stmt, c)) == "money")
            money = c;
    }
    int rc;
    while ((limit < 0 || result.rows < limit) && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
            if (c == money && text)
                result.sum += std::strtod(text, nullptr);
        }
        ++result.rows;
    }
    sqlite3_finalize(stmt);
    result.ms = double(timer.nsecsElapsed()) / 1e6;
    return result;
}

RawBaseline::Result RawBaseline::execute(const QList<Statement>& statements, bool atomic) {
    Result result;
    QElapsedTimer timer;
    timer.start();
    if (atomic)
        check(sqlite3_exec(db, "begin immediate", nullptr, nullptr, nullptr), db);
    for (const Statement& statement : statements) {
        sqlite3_stmt* stmt = prepare(db, statement);
        check(sqlite3_step(stmt), db);
        result.rows += sqlite3_changes(db);
        sqlite3_finalize(stmt);
    }
    if (atomic)
        check(sqlite3_exec(db, "commit", nullptr, nullptr, nullptr), db);
    result.ms = double(timer.nsecsElapsed()) / 1e6;
    return result;
}
