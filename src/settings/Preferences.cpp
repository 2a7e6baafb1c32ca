#include "settings/Preferences.h"

#include "platform/Numbers.h"

#include <algorithm>

namespace settings {

int Preferences::lineWidth() const {
    const auto v = platform::parseNumber(larlig);
    if (!v)
        return 1;
    return std::clamp(platform::M(*v), 1, 100);
}

} // namespace settings
