#pragma once

#include "document/PlanObject.h"

#include <cstdint>
#include <vector>

namespace document {

constexpr int kMaxObjects = 1000;

// The objects of a layout in stacking order: row 1 at the back, drawn first. Row
// numbers are 1-based, as the user sees them in the parts list and the editor keeps
// them for a selection; iteration runs from the back to the front.
class ObjectTable {
public:
    ObjectTable() = default;

    int count() const { return int(objects_.size()); }
    bool isFull() const { return count() >= kMaxObjects; }

    // 1 <= r <= count().
    const PlanObject& row(int r) const { return objects_[std::size_t(r - 1)]; }
    PlanObject& row(int r) {
        ++revision_;
        return objects_[std::size_t(r - 1)];
    }

    auto begin() const { return objects_.begin(); }
    auto end() const { return objects_.end(); }

    void clear() {
        ++revision_;
        objects_.clear();
    }
    // The objects become these, at most kMaxObjects of them.
    void assign(std::vector<PlanObject> objects);
    // The rows after r move back by one. Nothing when r is out of range.
    void removeAt(int r);
    // The object becomes the new last row. Returns false when the table is full.
    bool append(const PlanObject& object);
    // The rows from r move up by one and the object takes row r (1 <= r <= count + 1).
    // Returns false when the table is full or r is out of range.
    bool insertAt(int r, const PlanObject& object);

    // Counts the calls that could have changed the table, so that a caller can tell
    // without comparing the rows that nothing changed since it last looked.
    std::uint64_t revision() const { return revision_; }

    bool operator==(const ObjectTable& other) const { return objects_ == other.objects_; }

private:
    std::vector<PlanObject> objects_;
    std::uint64_t revision_ = 0;
};

} // namespace document
