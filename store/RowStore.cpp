#include "store/RowStore.h"

#include <QString>
#include <charconv>
#include <cstring>

// Each cell is a length prefix (LEB128, length + 1; 0 for NULL) and its bytes.

void RowStore::reset(int columns, std::vector<bool> integerColumns) {
    clear();
    columnCount = columns;
    integers = std::move(integerColumns);
    integers.resize(std::size_t(columns), false);
}

void RowStore::clear() {
    blocks.clear();
    rowStart.clear();
    rowStart.shrink_to_fit();
    used = blockSize;
    pending.clear();
}

char* RowStore::reserve(std::size_t bytes) {
    if (used + bytes > blockSize || blocks.empty()) {
        const std::size_t size = std::max(blockSize, bytes);
        blocks.push_back(std::make_unique<char[]>(size));
        used = 0;
        if (size > blockSize) {
            // An oversized row gets a block of its own.
            used = size;
            return blocks.back().get();
        }
    }
    char* at = blocks.back().get() + used;
    used += bytes;
    return at;
}

void RowStore::beginRow() {
    pending.clear();
}

namespace {
void putLength(std::vector<char>& out, std::size_t value) {
    do {
        char byte = char(value & 0x7f);
        value >>= 7;
        if (value)
            byte = char(byte | 0x80);
        out.push_back(byte);
    } while (value);
}

std::size_t getLength(const char*& p) {
    std::size_t value = 0;
    int shift = 0;
    while (true) {
        const auto byte = static_cast<unsigned char>(*p++);
        value |= std::size_t(byte & 0x7f) << shift;
        if (!(byte & 0x80))
            return value;
        shift += 7;
    }
}
} // namespace

void RowStore::addCell(const char* utf8, std::size_t length) {
    putLength(pending, length + 1);
    pending.insert(pending.end(), utf8, utf8 + length);
}

void RowStore::addNull() {
    putLength(pending, 0);
}

void RowStore::endRow() {
    char* at = reserve(pending.size());
    std::memcpy(at, pending.data(), pending.size());
    rowStart.push_back(at);
}

const char* RowStore::cellStart(int row, int column, std::size_t& length, bool& isNull) const {
    const char* p = rowStart[std::size_t(row)];
    for (int c = 0;; ++c) {
        const std::size_t stored = getLength(p);
        if (c == column) {
            isNull = stored == 0;
            length = stored ? stored - 1 : 0;
            return p;
        }
        if (stored)
            p += stored - 1;
    }
}

std::string_view RowStore::text(int row, int column) const {
    if (row < 0 || row >= size() || column < 0 || column >= columnCount)
        return {};
    std::size_t length = 0;
    bool isNull = false;
    const char* p = cellStart(row, column, length, isNull);
    return {p, length};
}

QVariant RowStore::value(int row, int column) const {
    if (row < 0 || row >= size() || column < 0 || column >= columnCount)
        return {};
    std::size_t length = 0;
    bool isNull = false;
    const char* p = cellStart(row, column, length, isNull);
    if (isNull)
        return {};
    if (integers[std::size_t(column)]) {
        qlonglong number = 0;
        if (std::from_chars(p, p + length, number).ec == std::errc())
            return number;
    }
    return QString::fromUtf8(p, qsizetype(length));
}
