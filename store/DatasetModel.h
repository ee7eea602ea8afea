#pragma once

#include <QAbstractTableModel>
#include <QList>

class Dataset;

// One column of a grid over a dataset.
struct GridColumn {
    QString field;
    QString title;
    int width = 64;
    Qt::Alignment alignment = Qt::AlignCenter;
    bool visible = true;
};

// Shows a dataset's rows in a grid: the configured columns, read-only, rows
// appearing as the dataset fetches them. A closed dataset shows no rows.
class DatasetModel : public QAbstractTableModel {
    Q_OBJECT

public:
    DatasetModel(Dataset& dataset, QList<GridColumn> columns, QObject* parent = nullptr);

    Dataset& dataset() const { return source; }
    const QList<GridColumn>& columns() const { return gridColumns; }
    // The field a column shows, or empty when that field is not in the dataset.
    QString boundField(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // Announces the rows the dataset fetched since the grid last heard.
    void showFetchedRows();

private:
    void rebind();

    Dataset& source;
    QList<GridColumn> gridColumns;
    QList<int> fieldOfColumn; // dataset field index per grid column, -1 when unbound
    int shownRows = 0;
    bool syncQueued = false;
    bool inserting = false;
    bool announcingReset = false;
};
