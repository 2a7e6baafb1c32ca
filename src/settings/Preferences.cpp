#include "settings/Preferences.h"

#include "document/Cell.h"
#include "document/Numbers.h"

#include <algorithm>

namespace settings {

int Preferences::lineWidth() const {
    const auto v = document::Cell::parseNumber(larlig);
    if (!v)
        return 1;
    return std::clamp(document::M(*v), 1, 100);
}

} // namespace settings
