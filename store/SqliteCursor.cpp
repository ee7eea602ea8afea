#include "store/SqliteCursor.h"

#include "store/QuillError.h"
#include "store/RowStore.h"

#include <QSqlDriver>
#include <sqlite3.h>

sqlite3* SqliteCursor::handleOf(const QSqlDatabase& db) {
    if (db.driverName() != QLatin1String("QSQLITE") || !db.isOpen())
        return nullptr;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.data());
}

SqliteCursor::SqliteCursor(sqlite3* connection, const Statement& statement) : db(connection) {
    const QByteArray text = statement.text.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK)
        throw QuillError(QString::fromUtf8(sqlite3_errmsg(db)));
    int index = 1;
    for (const QVariant& value : statement.values) {
        int rc;
        if (value.isNull()) {
            rc = sqlite3_bind_null(stmt, index);
        } else if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int) {
            rc = sqlite3_bind_int64(stmt, index, value.toLongLong());
        } else {
            const QByteArray utf8 = value.toString().toUtf8();
            rc = sqlite3_bind_text(stmt, index, utf8.constData(), int(utf8.size()),
                                   SQLITE_TRANSIENT);
        }
        if (rc != SQLITE_OK) {
            const QString message = QString::fromUtf8(sqlite3_errmsg(db));
            sqlite3_finalize(stmt);
            throw QuillError(message);
        }
        ++index;
    }
    const int count = sqlite3_column_count(stmt);
    for (int c = 0; c < count; ++c) {
        names << QString::fromUtf8(sqlite3_column_name(stmt, c));
        const char* declared = sqlite3_column_decltype(stmt, c);
        integers.push_back(declared && QByteArray(declared).toLower().contains("int"));
    }
}

SqliteCursor::~SqliteCursor() {
    sqlite3_finalize(stmt);
}

bool SqliteCursor::fetch(RowStore& rows) {
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_DONE)
        return false;
    if (rc != SQLITE_ROW)
        throw QuillError(QString::fromUtf8(sqlite3_errmsg(db)));
    rows.beginRow();
    const int count = int(names.size());
    for (int c = 0; c < count; ++c) {
        // Every call takes the connection's mutex: ask for the type only when
        // there is no text.
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
        if (!text && sqlite3_column_type(stmt, c) == SQLITE_NULL)
            rows.addNull();
        else
            rows.addCell(text ? text : "", std::size_t(sqlite3_column_bytes(stmt, c)));
    }
    rows.endRow();
    return true;
}
