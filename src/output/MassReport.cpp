#include "output/MassReport.h"

#include "library/LayoutOpening.h"
#include "library/MassData.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cmath>

namespace output {

namespace {

QString kg(double value, const QLocale& locale) {
    return document::massText(value, locale) + QStringLiteral(" kg");
}

// "value kg / limit kg", and the overload when there is one.
QString againstLimit(double value, double limit, double over, const QLocale& locale) {
    QString text = kg(value, locale) + QStringLiteral(" / ") + kg(limit, locale);
    if (over > 0)
        text += QStringLiteral(" (dépassement de ") + kg(over, locale) + QLatin1Char(')');
    return text;
}

} // namespace

QStringList massFigureLines(const document::MassBudget& budget, const document::Layout& layout,
                            const QLocale& locale) {
    QStringList lines;
    lines << QStringLiteral("Masse ajoutée : ") + kg(budget.addedKg, locale);
    if (!budget.vehicle || !budget.totalKg) {
        lines << QStringLiteral("Données du véhicule %1 %2 inconnues : ni total ni charge par "
                                "essieu.")
                     .arg(layout.vehicleModel, layout.vehicleBody);
        return lines;
    }
    const document::VehicleMasses& v = *budget.vehicle;
    lines << QStringLiteral("Masse totale : ") +
                 againstLimit(*budget.totalKg, v.maxTotalKg, budget.totalOverKg, locale);
    if (budget.frontKg && budget.rearKg) {
        lines << QStringLiteral("Essieu avant : ") +
                     againstLimit(*budget.frontKg, v.maxFrontKg, budget.frontOverKg, locale);
        lines << QStringLiteral("Essieu arrière : ") +
                     againstLimit(*budget.rearKg, v.maxRearKg, budget.rearOverKg, locale);
    }
    lines << QStringLiteral("Charge utile restante : ") + kg(*budget.payloadLeftKg, locale);
    if (budget.centreCm) {
        const double cm = *budget.centreCm;
        lines << QStringLiteral("Centre de gravité : %1 cm %2 de l'essieu avant")
                     .arg(document::massText(std::abs(cm), locale),
                          cm < 0 ? QStringLiteral("en avant") : QStringLiteral("en arrière"));
    }
    if (!budget.frontKg)
        lines << (document::hasLengthAxis(layout)
                      ? QStringLiteral("Centres des essieux inconnus pour cette vue : pas de "
                                       "charge par essieu.")
                      : QStringLiteral("Vue sans la longueur du véhicule : seul le total est "
                                       "calculé."));
    return lines;
}

QStringList massSummaryLines(const document::MassBudget& budget, const document::Layout& layout,
                             const QLocale& locale) {
    QStringList lines = massFigureLines(budget, layout, locale);
    if (!budget.withoutMass.isEmpty())
        lines << QStringLiteral("Sans masse connue : ") +
                     budget.withoutMass.join(QStringLiteral(", "));
    return lines;
}

QStringList sheetMassLines(const document::Layout& layout, const QString& libraryRoot,
                           const platform::FileSystem& fs, const QLocale& locale) {
    const bool weighed =
        !layout.loads.empty() ||
        std::any_of(layout.objects.begin(), layout.objects.end(),
                    [](const document::PlanObject& o) { return o.massKg.has_value(); });
    if (!weighed)
        return {};
    return massFigureLines(
        library::layoutMassBudget(layout, library::readVehicleData(libraryRoot, fs)), layout,
        locale);
}

int runMassReport(const QString& layoutPath, const QString& libraryRoot, const QLocale& locale,
                  QTextStream& out, QTextStream& err) {
    platform::FileSystem fs;
    const library::OpenedLayout opened = library::openLayout(layoutPath, libraryRoot, fs, locale);
    if (!opened.ok()) {
        err << QStringLiteral("Impossible de lire l'agencement %1 :\n%2\n")
                   .arg(layoutPath, opened.failure == library::OpenedLayout::Failure::FileRefused
                                        ? opened.refusal
                                        : opened.layout.vehicleFile);
        err.flush();
        return 3;
    }
    if (!opened.missingPictures.isEmpty())
        err << opened.missingPictures << '\n';
    const document::MassBudget budget =
        library::layoutMassBudget(opened.layout, library::readVehicleData(libraryRoot, fs));
    for (const QString& line : massSummaryLines(budget, opened.layout, locale))
        out << line << '\n';
    out.flush();
    err.flush();
    return budget.limitExceeded() ? kMassLimitExceeded : 0;
}

} // namespace output
