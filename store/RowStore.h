#pragma once

#include <QVariant>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

// The rows a dataset has fetched, packed as UTF-8 text in large blocks: a
// million ledger rows take about as much memory as their text, not a
// QVariant per cell.
class RowStore {
public:
    explicit RowStore(int columns = 0) : columnCount(columns) {}

    void reset(int columns, std::vector<bool> integerColumns);
    void clear();
    int size() const { return int(rowStart.size()); }
    bool empty() const { return rowStart.empty(); }

    // Appends one row, cell by cell; a null pointer is a NULL cell.
    void beginRow();
    void addCell(const char* utf8, std::size_t length);
    void addNull();
    void endRow();

    // A cell as the data source gave it: integer columns as qlonglong,
    // the others as QString; NULL as an invalid QVariant.
    QVariant value(int row, int column) const;
    // The cell's UTF-8 text without decoding it (empty for NULL).
    std::string_view text(int row, int column) const;

private:
    static constexpr std::size_t blockSize = 1 << 20;

    char* reserve(std::size_t bytes);
    const char* cellStart(int row, int column, std::size_t& length, bool& isNull) const;

    int columnCount;
    std::vector<bool> integers;
    std::vector<std::unique_ptr<char[]>> blocks;
    std::size_t used = blockSize; // bytes used in the last block
    std::vector<const char*> rowStart;
    std::vector<char> pending;
};
