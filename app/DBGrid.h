#pragma once

#include "store/DatasetModel.h"

#include <QTableView>

class Dataset;

// A read-only grid over a dataset: titles, a row indicator, column and row
// lines. Its mark follows the dataset's current row, and clicking a row makes
// it the dataset's current row.
class DBGrid : public QTableView {
    Q_OBJECT

public:
    DBGrid(Dataset& dataset, QList<GridColumn> columns, QWidget* parent = nullptr);

    DatasetModel* datasetModel() const { return gridModel; }
    // The field of the selected column, or empty when none is bound.
    QString selectedField() const;
    // The display text of the selected column in the current row.
    QString selectedText() const;

private:
    void applyColumns();
    void followDataset(int row);

    DatasetModel* gridModel;
    bool following = false;
    bool followQueued = false;
};
