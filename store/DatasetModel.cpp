#include "store/DatasetModel.h"

#include "store/Dataset.h"

DatasetModel::DatasetModel(Dataset& dataset, QList<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), source(dataset), gridColumns(std::move(columns)) {
    rebind();
    connect(&source, &Dataset::reset, this, [this] {
        beginResetModel();
        rebind();
        // Listeners that fetch while they hear of the reset get their rows
        // announced afterwards, never while others still wait to hear of it.
        announcingReset = true;
        endResetModel();
        announcingReset = false;
    });
    // A walk through a large result fetches thousands of batches; the grid
    // learns of the new rows once, when control returns to the event loop,
    // not once per batch.
    connect(&source, &Dataset::rowsFetched, this, [this] {
        if (syncQueued)
            return;
        syncQueued = true;
        QMetaObject::invokeMethod(this, &DatasetModel::showFetchedRows, Qt::QueuedConnection);
    });
}

void DatasetModel::showFetchedRows() {
    syncQueued = false;
    const int fetched = source.isOpen() ? source.fetchedRowCount() : 0;
    // A view may ask for more rows while it hears of these; it gets them next time.
    if (inserting || announcingReset || fetched <= shownRows)
        return;
    inserting = true;
    beginInsertRows({}, shownRows, fetched - 1);
    shownRows = fetched;
    endInsertRows();
    inserting = false;
}

void DatasetModel::rebind() {
    fieldOfColumn.clear();
    for (const GridColumn& column : gridColumns)
        fieldOfColumn << (source.isOpen() ? source.fieldIndex(column.field) : -1);
    shownRows = source.isOpen() ? source.fetchedRowCount() : 0;
}

QString DatasetModel::boundField(int column) const {
    if (column < 0 || column >= gridColumns.size() || fieldOfColumn[column] < 0)
        return {};
    return gridColumns[column].field;
}

int DatasetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows;
}

int DatasetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(gridColumns.size());
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(gridColumns[index.column()].alignment | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole)
        return {};
    const int field = fieldOfColumn[index.column()];
    if (field < 0)
        return {};
    const QVariant value = source.valueAt(index.row(), field);
    if (value.isNull())
        return QString();
    return value.toString();
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= gridColumns.size())
            return {};
        if (role == Qt::DisplayRole)
            return gridColumns[section].title;
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        return {};
    }
    if (section < 0 || section >= shownRows)
        return {};
    // The row indicator marks the dataset's current row.
    if (role == Qt::DisplayRole)
        return section == source.currentRow() ? QStringLiteral("▶") : QString();
    return {};
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

bool DatasetModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && (source.canFetchMore() || shownRows < source.fetchedRowCount());
}

void DatasetModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid())
        return;
    source.fetchMore();
    showFetchedRows();
}
