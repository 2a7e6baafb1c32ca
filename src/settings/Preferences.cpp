#include "settings/Preferences.h"

#include "platform/Numbers.h"

#include <algorithm>

namespace settings {

int Preferences::penWidth() const {
    const auto v = platform::parseNumber(lineWidth);
    if (!v)
        return 1;
    return std::clamp(platform::roundToInt(*v), 1, 100);
}

} // namespace settings
