#pragma once

#include "document/Layout.h"

#include <QLocale>
#include <QString>

#include <optional>
#include <vector>

namespace document {

// What the fitted-out vehicle weighs and how it shares on its two axles. Masses in kg,
// lengths in cm. Along the length, positions are measured from the front axle centre,
// positive towards the rear: the lever rule needs nothing else.

// The masses of one vehicle model and body, as the vehicle library gives them.
struct VehicleMasses {
    double kerbFrontKg = 0; // the empty vehicle on its front axle
    double kerbRearKg = 0;
    double maxFrontKg = 0; // what each axle may carry
    double maxRearKg = 0;
    double maxTotalKg = 0; // maximum authorised mass
    bool operator==(const VehicleMasses&) const = default;
};

// Where a side or top view picture has its axle centres: cm from the picture's left edge,
// the picture as the library holds it (not mirrored).
struct AxleCentres {
    double frontCm = 0;
    double rearCm = 0;
    bool operator==(const AxleCentres&) const = default;
};

// One mass the budget counts: its name as the mass window lists it, and where it sits
// along the length (nothing on a view without a length axis).
struct PlacedMass {
    QString label;
    double massKg = 0;
    std::optional<double> alongCm;
};

// The budget of a layout.
struct MassBudget {
    double addedKg = 0;                   // everything placed or loaded
    std::optional<VehicleMasses> vehicle; // the limits the figures are held against
    // Known with the vehicle's masses.
    std::optional<double> totalKg;
    std::optional<double> payloadLeftKg; // negative when over the maximum authorised mass
    // Known with the vehicle's masses and its axle centres on a view along the length.
    std::optional<double> frontKg;
    std::optional<double> rearKg;
    std::optional<double> centreCm; // centre of mass from the front axle
    // How far each limit is passed; 0 when it holds or is unknown.
    double totalOverKg = 0;
    double frontOverKg = 0;
    double rearOverKg = 0;
    // The placed objects that may carry a mass but have none, as "row: kind" labels.
    QStringList withoutMass;

    bool limitExceeded() const { return totalOverKg > 0 || frontOverKg > 0 || rearOverKg > 0; }
};

// The lever rule: the kerb masses plus each mass shared between the axles by its place
// between them (ahead of the front axle or behind the rear one, the far axle's share is
// negative). wheelbaseCm is the distance between the axle centres; without it (or
// without the vehicle's masses) only the totals that do not need it are given.
MassBudget computeMassBudget(const std::optional<VehicleMasses>& vehicle,
                             std::optional<double> wheelbaseCm,
                             const std::vector<PlacedMass>& masses);

// Whether the layout's view runs along the vehicle's length (top or side view), so that
// its masses have a place between the axles.
bool hasLengthAxis(const Layout& layout);

// Whether an object of this kind can carry a mass: rectangles, ellipses, triangles and
// accessories.
bool carriesMass(ObjectKind kind);

// The axle centres of a layout's view on its plan: cm from the plan's left edge, so
// mirrored when its picture is. Nothing on a view without a length axis (back, front).
struct PlanAxles {
    double frontCm = 0;
    double rearCm = 0;
    double wheelbaseCm() const { return rearCm > frontCm ? rearCm - frontCm : frontCm - rearCm; }
    // cm from the front axle, positive towards the rear, of a point xCm from the plan's
    // left edge.
    double along(double xCm) const { return rearCm >= frontCm ? xCm - frontCm : frontCm - xCm; }
    // The inverse: cm from the plan's left edge of a point alongCm behind the front axle.
    double planX(double alongCm) const {
        return rearCm >= frontCm ? frontCm + alongCm : frontCm - alongCm;
    }
};
std::optional<PlanAxles> planAxles(const Layout& layout, const std::optional<AxleCentres>& centres);

// Every mass of a layout: its placed objects with a mass (at the middle of their box) and
// its loads not drawn, each with its place along the length when axles are known.
std::vector<PlacedMass> layoutMasses(const Layout& layout, const std::optional<PlanAxles>& axles);

// The budget of a layout against its vehicle's data.
MassBudget layoutMassBudget(const Layout& layout, const std::optional<VehicleMasses>& vehicle,
                            const std::optional<AxleCentres>& centres);

// A mass as the program shows it: to the tenth of a kg, without trailing zero, with the
// locale's decimal separator ("1150", "12,5").
QString massText(double kg, const QLocale& locale);

} // namespace document
