#include "app/DBGrid.h"

#include "store/Dataset.h"

#include <QHeaderView>

DBGrid::DBGrid(Dataset& dataset, QList<GridColumn> columns, QWidget* parent)
    : QTableView(parent), gridModel(new DatasetModel(dataset, std::move(columns), this)) {
    setModel(gridModel);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(true);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(18);
    verticalHeader()->setMinimumWidth(14);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    applyColumns();

    connect(gridModel, &QAbstractItemModel::modelReset, this, [this] {
        applyColumns();
        followDataset(gridModel->dataset().currentRow());
    });
    // Walking a dataset moves its current row many times in one handler; the
    // grid's mark moves once, to where the walk ended.
    connect(&dataset, &Dataset::currentRowChanged, this, [this] {
        if (followQueued)
            return;
        followQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                followQueued = false;
                followDataset(gridModel->dataset().currentRow());
            },
            Qt::QueuedConnection);
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                Dataset& ds = gridModel->dataset();
                if (following || !current.isValid() || !ds.isOpen())
                    return;
                ds.setCurrentRow(current.row());
            });
}

void DBGrid::applyColumns() {
    const QList<GridColumn>& columns = gridModel->columns();
    for (int i = 0; i < columns.size(); ++i) {
        setColumnWidth(i, columns[i].width);
        setColumnHidden(i, !columns[i].visible);
    }
}

void DBGrid::followDataset(int row) {
    gridModel->showFetchedRows();
    following = true;
    const int previous = currentIndex().isValid() ? currentIndex().row() : -1;
    if (row >= 0 && row < gridModel->rowCount()) {
        int column = currentIndex().isValid() ? currentIndex().column() : 0;
        while (column < gridModel->columnCount() - 1 && isColumnHidden(column))
            ++column;
        const QModelIndex index = gridModel->index(row, column);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        scrollTo(index);
    }
    // Repaint the row indicator of the old and the new current row.
    if (previous >= 0)
        emit gridModel->headerDataChanged(Qt::Vertical, previous, previous);
    if (row >= 0 && row < gridModel->rowCount())
        emit gridModel->headerDataChanged(Qt::Vertical, row, row);
    following = false;
}

QString DBGrid::selectedField() const {
    const QModelIndex index = currentIndex();
    return index.isValid() ? gridModel->boundField(index.column()) : QString();
}

QString DBGrid::selectedText() const {
    const QModelIndex index = currentIndex();
    if (!index.isValid() || selectedField().isEmpty())
        return {};
    const int row = gridModel->dataset().currentRow();
    return gridModel->data(gridModel->index(row, index.column())).toString();
}
