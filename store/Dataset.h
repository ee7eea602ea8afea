#pragma once

#include "store/DataSource.h"
#include "store/RowStore.h"
#include "store/SqliteCursor.h"
#include "store/Statement.h"

#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <string_view>
#include <vector>

// A named set of rows from the data source, on a connection of its own: a
// query over a statement, or a cursor over a whole table. Rows are fetched as
// they are needed, so a large result shows its first rows at once; walking to
// the end fetches the rest. Errors are thrown as QuillError.
class Dataset : public QObject {
    Q_OBJECT

public:
    Dataset(const QString& name, const DataSource& source, QObject* parent = nullptr);
    ~Dataset() override;

    const QString& name() const { return datasetName; }

    // The statement text. Changing it closes the dataset first.
    void setStatement(const Statement& statement);
    void clearStatement();
    const Statement& statement() const { return current; }
    // Makes this dataset a cursor over every row of a table.
    void setTable(const QString& table, const QStringList& columns);

    void open();
    void close();
    bool isOpen() const { return opened; }
    // Runs the statement as one that returns no rows; the dataset stays
    // closed. Returns how many rows it changed.
    int execute();
    // Runs the statements in one transaction that locks out other writers
    // while it runs; on any failure nothing of it remains. The dataset stays closed.
    void executeAtomically(const QList<Statement>& statements);

    // Walking the rows.
    void first();
    void next();
    bool eof() const { return atEnd; }
    bool isEmpty();
    int currentRow() const { return row; }
    void setCurrentRow(int newRow);

    int fetchedRowCount() const { return rows.size(); }
    bool canFetchMore() const { return opened && !exhausted; }
    void fetchMore(int count = 256);
    // Fetches every remaining row (the walk to the end does this too).
    void fetchAll();

    // Fields of the current row.
    const QStringList& fieldNames() const { return fields; }
    int fieldIndex(const QString& field) const;
    QVariant value(const QString& field) const;
    QString text(const QString& field) const;
    QVariant valueAt(int rowIndex, int column) const;
    // A cell's UTF-8 text, without building a QString (empty for NULL).
    std::string_view textAt(int rowIndex, int column) const { return rows.text(rowIndex, column); }

    // Table cursor: append a row with the given column values, delete the
    // current row.
    void appendRecord(const QStringList& columns, const QVariantList& values);
    void deleteCurrent();

signals:
    // The dataset was opened or closed: everything shown of it is stale.
    void reset();
    // Rows first..last were fetched and appended.
    void rowsFetched(int first, int last);
    void currentRowChanged(int row);

private:
    QSqlDatabase& connection();
    QSqlQuery prepared(const Statement& statement);
    [[noreturn]] void fail(const QSqlQuery& query);
    void requireOpen() const;
    void requireRow() const;
    bool ensureFetched(int rowIndex);
    void fetchFromQuery(int count);
    // Runs a statement that returns no rows on a closed dataset.
    int run(const Statement& statement);
    void moveTo(int newRow, bool end);

    QString datasetName;
    DataSource source;
    QString connectionName;
    QSqlDatabase db;
    Statement current;
    QString tableName;

    QSqlQuery query;
    std::unique_ptr<SqliteCursor> cursor; // the embedded ledger's fast path
    bool opened = false;
    bool inTransaction = false;
    bool exhausted = true;
    bool atEnd = true;
    int row = -1;
    QStringList fields;
    RowStore rows;
};
