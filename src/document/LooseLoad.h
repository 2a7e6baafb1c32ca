#pragma once

#include <QString>

#include <vector>

namespace document {

// A load the plan does not draw (passengers, water, fuel, luggage): its name, its mass
// in kg and where it sits, in cm from the front axle centre, positive towards the rear.
struct LooseLoad {
    QString label;
    float massKg = 0;
    float alongCm = 0;
    bool operator==(const LooseLoad&) const = default;
};

using LooseLoads = std::vector<LooseLoad>;

} // namespace document
