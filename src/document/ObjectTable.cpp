#include "document/ObjectTable.h"

#include <algorithm>
#include <cassert>

namespace document {

void ObjectTable::clear() {
    count_ = 0;
    for (ObjectRow& r : rows_)
        r.cells.fill(Cell::integer(0));
}

void ObjectTable::removeAt(int k) {
    assert(k >= 1 && k <= kMaxObjects);
    if (k < 1 || k > kMaxObjects)
        return;
    std::copy(rows_.begin() + k, rows_.end(), rows_.begin() + (k - 1));
    if (count_ > 0)
        --count_;
}

bool ObjectTable::append(const ObjectRow& object) {
    if (isFull())
        return false;
    rows_[std::size_t(count_)] = object;
    ++count_;
    return true;
}

bool ObjectTable::insertAt(int k, const ObjectRow& object) {
    if (isFull() || k < 1 || k > count_ + 1)
        return false;
    std::move_backward(rows_.begin() + (k - 1), rows_.begin() + count_, rows_.begin() + count_ + 1);
    rows_[std::size_t(k - 1)] = object;
    ++count_;
    return true;
}

void ObjectTable::setCount(int n) {
    count_ = std::clamp(n, 0, kMaxObjects);
}

bool ObjectTable::operator==(const ObjectTable& other) const {
    if (count_ != other.count_)
        return false;
    return std::equal(rows_.begin(), rows_.begin() + count_, other.rows_.begin());
}

} // namespace document
