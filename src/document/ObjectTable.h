#pragma once

#include "document/Cell.h"

#include <array>
#include <cstdint>

namespace document {

constexpr int kMaxObjects = 1000;
constexpr int kColumns = 8;

// Kind codes of column 1; a kind is also the index of the tool button that creates it.
enum Kind : int {
    Mesure = 0,
    Rectangle = 1,
    Ellipse = 2,
    Texte = 3,
    Ligne = 4,
    Triangle = 5,
    Accessoire = 9,
};

// Columns, 1-based as everywhere in the program.
enum Column : int {
    ColKind = 1,
    ColX = 2,      // left, in unzoomed vehicle-picture pixels
    ColY = 3,      // top, same unit
    ColHeight = 4, // vertical extent, cm
    ColWidth = 5,  // horizontal extent, cm
    ColFill = 6,   // palette index, or texture / accessory file name
    ColLock = 7,   // 1 = not resizable with the mouse
    ColExtra = 8,  // text, diagonal or orientation
};

// One object: its eight cells, column 1 to 8.
struct ObjectRow {
    std::array<Cell, kColumns> cells;
    Cell& operator[](int column) { return cells[std::size_t(column - 1)]; }
    const Cell& operator[](int column) const { return cells[std::size_t(column - 1)]; }
    bool operator==(const ObjectRow&) const = default;
};

// The object table: 1000 rows of 8 cells; rows 1 to count are the objects,
// in stacking order (row 1 at the back, drawn first).
class ObjectTable {
public:
    ObjectTable() = default;

    int count() const { return count_; }
    bool isFull() const { return count_ >= kMaxObjects; }

    // Rows and columns are 1-based.
    const ObjectRow& row(int r) const { return rows_[std::size_t(r - 1)]; }
    ObjectRow& row(int r) { return rows_[std::size_t(r - 1)]; }
    const Cell& cell(int r, int c) const { return row(r)[c]; }
    Cell& cell(int r, int c) { return row(r)[c]; }

    // count 0 and every cell of rows 1 to 1000 the integer 0.
    void clear();
    // Rows k+1..1000 move up by one (row 1000 keeps its cells); count - 1.
    void removeAt(int k);
    // The object becomes the new last row. Returns false when the table is full.
    bool append(const ObjectRow& object);
    // The rows from k move down by one and the object takes row k (1 <= k <=
    // count + 1). Returns false when the table is full or k is out of range.
    bool insertAt(int k, const ObjectRow& object);
    // Sets the number of rows in use (file reading); 0 to 1000.
    void setCount(int n);

    bool operator==(const ObjectTable& other) const;

private:
    std::array<ObjectRow, kMaxObjects> rows_{};
    int count_ = 0;
};

} // namespace document
