#include "document/MassBudget.h"

#include <algorithm>
#include <cmath>

namespace document {

MassBudget computeMassBudget(const std::optional<VehicleMasses>& vehicle,
                             std::optional<double> wheelbaseCm,
                             const std::vector<PlacedMass>& masses) {
    MassBudget budget;
    for (const PlacedMass& m : masses)
        budget.addedKg += m.massKg;
    if (!vehicle)
        return budget;
    budget.vehicle = vehicle;

    const double total = vehicle->kerbFrontKg + vehicle->kerbRearKg + budget.addedKg;
    budget.totalKg = total;
    budget.payloadLeftKg = vehicle->maxTotalKg - total;
    budget.totalOverKg = std::max(0.0, total - vehicle->maxTotalKg);

    // Every mass must have a place along the length for the axle loads to mean anything.
    const bool placed = std::all_of(masses.begin(), masses.end(),
                                    [](const PlacedMass& m) { return m.alongCm.has_value(); });
    if (!wheelbaseCm || !(*wheelbaseCm > 0) || !placed)
        return budget;

    // Moments about the front axle: the rear axle carries moment / wheelbase.
    double rear = vehicle->kerbRearKg;
    for (const PlacedMass& m : masses)
        rear += m.massKg * *m.alongCm / *wheelbaseCm;
    const double front = total - rear;
    budget.frontKg = front;
    budget.rearKg = rear;
    if (total != 0)
        budget.centreCm = rear * *wheelbaseCm / total;
    budget.frontOverKg = std::max(0.0, front - vehicle->maxFrontKg);
    budget.rearOverKg = std::max(0.0, rear - vehicle->maxRearKg);
    return budget;
}

bool hasLengthAxis(const Layout& layout) {
    const QString axes = layout.vehicleAxes.toUpper();
    return axes == QStringLiteral("XY") || axes == QStringLiteral("XZ");
}

bool carriesMass(ObjectKind kind) {
    return kind == ObjectKind::Rectangle || kind == ObjectKind::Ellipse ||
           kind == ObjectKind::Triangle || kind == ObjectKind::Accessory;
}

std::optional<PlanAxles> planAxles(const Layout& layout,
                                   const std::optional<AxleCentres>& centres) {
    if (!centres || centres->frontCm == centres->rearCm || !(layout.pixelsPerCm > 0))
        return std::nullopt;
    if (!hasLengthAxis(layout))
        return std::nullopt;
    PlanAxles axles{centres->frontCm, centres->rearCm};
    if (layout.mirrorLeftRight) {
        const double widthCm = layout.pictureWidth / layout.pixelsPerCm;
        axles.frontCm = widthCm - axles.frontCm;
        axles.rearCm = widthCm - axles.rearCm;
    }
    return axles;
}

namespace {

QString objectLabel(int row, const PlanObject& object) {
    QString what;
    switch (object.kind) {
    case ObjectKind::Rectangle:
        what = QStringLiteral("rectangle");
        break;
    case ObjectKind::Ellipse:
        what = QStringLiteral("ellipse");
        break;
    case ObjectKind::Triangle:
        what = QStringLiteral("triangle");
        break;
    default:
        what = object.fill.fileName();
        break;
    }
    return QStringLiteral("Objet %1 (%2)").arg(row).arg(what);
}

} // namespace

std::vector<PlacedMass> layoutMasses(const Layout& layout, const std::optional<PlanAxles>& axles) {
    std::vector<PlacedMass> masses;
    const double pixelsPerCm = layout.pixelsPerCm > 0 ? layout.pixelsPerCm : 1.0;
    int row = 0;
    for (const PlanObject& object : layout.objects) {
        ++row;
        if (!carriesMass(object.kind) || !object.massKg)
            continue;
        PlacedMass m{objectLabel(row, object), *object.massKg, std::nullopt};
        if (axles)
            m.alongCm = axles->along(object.position.x / pixelsPerCm + object.widthCm / 2.0);
        masses.push_back(m);
    }
    for (const LooseLoad& load : layout.loads) {
        PlacedMass m{load.label, load.massKg, std::nullopt};
        if (axles)
            m.alongCm = load.alongCm;
        masses.push_back(m);
    }
    return masses;
}

MassBudget layoutMassBudget(const Layout& layout, const std::optional<VehicleMasses>& vehicle,
                            const std::optional<AxleCentres>& centres) {
    const std::optional<PlanAxles> axles = planAxles(layout, centres);
    MassBudget budget =
        computeMassBudget(vehicle, axles ? std::optional(axles->wheelbaseCm()) : std::nullopt,
                          layoutMasses(layout, axles));
    int row = 0;
    for (const PlanObject& object : layout.objects) {
        ++row;
        if (carriesMass(object.kind) && !object.massKg)
            budget.withoutMass << objectLabel(row, object);
    }
    return budget;
}

QString massText(double kg, const QLocale& locale) {
    double tenths = std::nearbyint(kg * 10) / 10;
    if (tenths == 0)
        tenths = 0; // no "-0"
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = l.toString(tenths, 'f', 1);
    if (text.endsWith(l.zeroDigit()))
        text.chop(1 + l.decimalPoint().size());
    return text;
}

} // namespace document
