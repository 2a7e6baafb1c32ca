#include "document/ObjectTable.h"

#include <algorithm>
#include <cassert>

namespace document {

void ObjectTable::removeAt(int r) {
    assert(r >= 1 && r <= count());
    if (r < 1 || r > count())
        return;
    ++revision_;
    objects_.erase(objects_.begin() + (r - 1));
}

bool ObjectTable::append(const PlanObject& object) {
    if (isFull())
        return false;
    ++revision_;
    objects_.push_back(object);
    return true;
}

bool ObjectTable::insertAt(int r, const PlanObject& object) {
    if (isFull() || r < 1 || r > count() + 1)
        return false;
    ++revision_;
    objects_.push_back(object);
    std::rotate(objects_.begin() + (r - 1), objects_.end() - 1, objects_.end());
    return true;
}

void ObjectTable::assign(std::vector<PlanObject> objects) {
    assert(objects.size() <= std::size_t(kMaxObjects));
    if (objects.size() > std::size_t(kMaxObjects))
        objects.resize(std::size_t(kMaxObjects));
    ++revision_;
    objects_ = std::move(objects);
}

} // namespace document
