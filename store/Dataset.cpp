#include "store/Dataset.h"

#include "store/QuillError.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <atomic>

namespace {
std::atomic<int> connectionCounter{0};
}

Dataset::Dataset(const QString& name, const DataSource& dataSource, QObject* parent)
    : QObject(parent), datasetName(name), source(dataSource),
      connectionName(QStringLiteral("quillmere-%1-%2").arg(name).arg(++connectionCounter)) {
    setObjectName(name);
}

Dataset::~Dataset() {
    query = QSqlQuery();
    if (db.isValid()) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
    }
}

QSqlDatabase& Dataset::connection() {
    // A server that went away since the last statement (stopped, restarted,
    // network gone) leaves the connection dead without telling it. A dead
    // one is replaced here, before the statement, so an action works as soon
    // as the server is back and a change is never sent twice. The embedded
    // file cannot go away like that, and a transaction keeps its connection.
    if (db.isValid() && db.isOpen() && !inTransaction && !DataSource::isSqlite(db)) {
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("select 1"))) {
            probe = QSqlQuery();
            close();
            db.close();
        }
    }
    if (!db.isValid() || !db.isOpen()) {
        if (db.isValid()) {
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(connectionName);
        }
        db = source.connect(connectionName);
    }
    return db;
}

void Dataset::setStatement(const Statement& statement) {
    close();
    current = statement;
    tableName.clear();
}

void Dataset::clearStatement() {
    setStatement(Statement{});
}

void Dataset::setTable(const QString& table, const QStringList& columns) {
    close();
    tableName = table;
    current = Statement{
        QStringLiteral("select %1 from %2").arg(columns.join(QStringLiteral(", ")), table), {}};
}

QSqlQuery Dataset::prepared(const Statement& statement) {
    QSqlQuery q(connection());
    q.setForwardOnly(true);
    if (!q.prepare(statement.text))
        fail(q);
    for (const QVariant& value : statement.values)
        q.addBindValue(value);
    return q;
}

void Dataset::fail(const QSqlQuery& failed) {
    const QSqlError error = failed.lastError();
    QString message = error.databaseText().trimmed();
    if (message.isEmpty())
        message = error.text().trimmed();
    if (message.isEmpty())
        message = QStringLiteral("%1: the data source rejected the statement").arg(datasetName);
    throw QuillError(message);
}

void Dataset::open() {
    close();
    if (current.isEmpty())
        throw QuillError(QStringLiteral("%1: No SQL statement available").arg(datasetName));
    if (sqlite3* handle = SqliteCursor::handleOf(connection())) {
        cursor = std::make_unique<SqliteCursor>(handle, current);
        fields = cursor->columns();
        rows.reset(int(fields.size()), cursor->integerColumns());
    } else {
        QSqlQuery q = prepared(current);
        if (!q.exec())
            fail(q);
        query = std::move(q);
        const QSqlRecord record = query.record();
        fields.clear();
        std::vector<bool> integers;
        for (int i = 0; i < record.count(); ++i) {
            fields << record.fieldName(i);
            const int type = record.field(i).metaType().id();
            integers.push_back(type == QMetaType::Int || type == QMetaType::LongLong ||
                               type == QMetaType::UInt || type == QMetaType::ULongLong);
        }
        rows.reset(int(fields.size()), std::move(integers));
    }
    opened = true;
    exhausted = false;
    fetchMore();
    atEnd = rows.empty();
    row = rows.empty() ? -1 : 0;
    emit reset();
    emit currentRowChanged(row);
}

void Dataset::close() {
    const bool wasOpen = opened;
    query = QSqlQuery();
    cursor.reset();
    opened = false;
    exhausted = true;
    atEnd = true;
    row = -1;
    rows.clear();
    if (wasOpen) {
        fields.clear();
        emit reset();
        emit currentRowChanged(row);
    }
}

int Dataset::execute() {
    return run(current);
}

int Dataset::run(const Statement& statement) {
    close();
    QSqlQuery q = prepared(statement);
    if (!q.exec())
        fail(q);
    return q.numRowsAffected();
}

void Dataset::executeAtomically(const QList<Statement>& statements) {
    close();
    QSqlDatabase& conn = connection();
    const bool sqlite = DataSource::isSqlite(conn);
    auto plain = [&](const QString& text) {
        QSqlQuery q(conn);
        if (!q.exec(text))
            fail(q);
    };
    if (sqlite) {
        // IMMEDIATE takes the write lock up front: no other client writes
        // between the statements.
        plain(QStringLiteral("begin immediate"));
    } else if (!conn.transaction()) {
        throw QuillError(conn.lastError().text().trimmed());
    }
    inTransaction = true;
    try {
        if (!sqlite) {
            // One snapshot for the whole transaction: every statement sees the
            // same rows, and a row another client adds meanwhile is left alone.
            plain(QStringLiteral("set transaction isolation level repeatable read"));
        }
        for (const Statement& statement : statements) {
            QSqlQuery q = prepared(statement);
            if (!q.exec())
                fail(q);
        }
        if (sqlite)
            plain(QStringLiteral("commit"));
        else if (!conn.commit())
            throw QuillError(conn.lastError().text().trimmed());
    } catch (...) {
        if (sqlite)
            QSqlQuery(QStringLiteral("rollback"), conn);
        else
            conn.rollback();
        inTransaction = false;
        throw;
    }
    inTransaction = false;
}

void Dataset::requireOpen() const {
    if (!opened)
        throw QuillError(QStringLiteral("%1: Cannot perform this operation on a closed dataset")
                             .arg(datasetName));
}

void Dataset::requireRow() const {
    requireOpen();
    if (rows.empty())
        throw QuillError(QStringLiteral("%1: Cannot perform this operation on an empty dataset")
                             .arg(datasetName));
}

void Dataset::fetchMore(int count) {
    if (!opened || exhausted)
        return;
    const int firstNew = rows.size();
    if (cursor) {
        for (int i = 0; i < count; ++i) {
            if (!cursor->fetch(rows)) {
                exhausted = true;
                cursor.reset();
                break;
            }
        }
    } else {
        fetchFromQuery(count);
    }
    if (rows.size() > firstNew)
        emit rowsFetched(firstNew, rows.size() - 1);
}

void Dataset::fetchFromQuery(int count) {
    const int columns = int(fields.size());
    for (int i = 0; i < count; ++i) {
        if (!query.next()) {
            if (query.lastError().isValid())
                fail(query);
            exhausted = true;
            query.finish();
            return;
        }
        rows.beginRow();
        for (int c = 0; c < columns; ++c) {
            const QVariant value = query.value(c);
            if (value.isNull()) {
                rows.addNull();
            } else {
                const QByteArray text = value.toString().toUtf8();
                rows.addCell(text.constData(), std::size_t(text.size()));
            }
        }
        rows.endRow();
    }
}

void Dataset::fetchAll() {
    while (canFetchMore())
        fetchMore(4096);
}

bool Dataset::ensureFetched(int rowIndex) {
    while (rowIndex >= rows.size() && canFetchMore())
        fetchMore(std::max(4096, rowIndex + 1 - rows.size()));
    return rowIndex < rows.size();
}

void Dataset::moveTo(int newRow, bool end) {
    atEnd = end;
    if (newRow != row) {
        row = newRow;
        emit currentRowChanged(row);
    }
}

void Dataset::first() {
    requireOpen();
    moveTo(rows.empty() ? -1 : 0, rows.empty());
}

void Dataset::next() {
    requireOpen();
    if (atEnd)
        return;
    if (ensureFetched(row + 1))
        moveTo(row + 1, false);
    else
        atEnd = true; // past the last row; the last row stays current
}

bool Dataset::isEmpty() {
    requireOpen();
    return rows.empty();
}

void Dataset::setCurrentRow(int newRow) {
    requireOpen();
    if (newRow < 0 || !ensureFetched(newRow))
        return;
    moveTo(newRow, false);
}

int Dataset::fieldIndex(const QString& field) const {
    for (int i = 0; i < fields.size(); ++i) {
        if (fields[i].compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant Dataset::value(const QString& field) const {
    requireOpen();
    const int column = fieldIndex(field);
    if (column < 0)
        throw QuillError(QStringLiteral("%1: Field '%2' not found").arg(datasetName, field));
    if (row < 0)
        return {};
    return rows.value(row, column);
}

QString Dataset::text(const QString& field) const {
    return value(field).toString();
}

QVariant Dataset::valueAt(int rowIndex, int column) const {
    return rows.value(rowIndex, column);
}

void Dataset::appendRecord(const QStringList& columns, const QVariantList& values) {
    if (tableName.isEmpty())
        throw QuillError(QStringLiteral("%1: Dataset is not a table").arg(datasetName));
    QStringList markers;
    for (int i = 0; i < columns.size(); ++i)
        markers << QStringLiteral("?");
    const Statement insert{
        QStringLiteral("insert into %1 (%2) values (%3)")
            .arg(tableName, columns.join(QStringLiteral(", ")), markers.join(QStringLiteral(", "))),
        values};
    run(insert);
    open();
    fetchAll();
    moveTo(rows.size() - 1, false);
}

void Dataset::deleteCurrent() {
    requireRow();
    if (tableName.isEmpty())
        throw QuillError(QStringLiteral("%1: Dataset is not a table").arg(datasetName));
    const int keep = row;
    // Remove exactly one row, even where several hold the same values.
    QStringList conditions;
    QVariantList values;
    for (int c = 0; c < fields.size(); ++c) {
        const QVariant v = rows.value(row, c);
        if (v.isNull()) {
            conditions << QStringLiteral("%1 is null").arg(fields[c]);
        } else {
            conditions << QStringLiteral("%1 = ?").arg(fields[c]);
            values << v;
        }
    }
    const QString where = conditions.join(QStringLiteral(" and "));
    const QString rowKey =
        DataSource::isSqlite(connection()) ? QStringLiteral("rowid") : QStringLiteral("ctid");
    const Statement remove{
        QStringLiteral("delete from %1 where %2 = (select %2 from %1 where %3 limit 1)")
            .arg(tableName, rowKey, where),
        values};
    run(remove);
    open();
    fetchAll();
    if (!rows.empty())
        moveTo(std::min(keep, rows.size() - 1), false);
}
