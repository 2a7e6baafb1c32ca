#include "output/PartsList.h"

#include "document/Areas.h"
#include "document/ObjectTable.h"
#include "document/Palette.h"
#include "library/LibraryNames.h"
#include "output/MassReport.h"
#include "platform/NumberText.h"
#include "platform/Numbers.h"
#include "platform/SafeWrite.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace output {

namespace {

using namespace document;

QString kindName(ObjectKind kind) {
    switch (kind) {
    case ObjectKind::Measure:
        return QStringLiteral("Mesure");
    case ObjectKind::Rectangle:
        return QStringLiteral("Rectangle");
    case ObjectKind::Ellipse:
        return QStringLiteral("Ellipse / Cercle");
    case ObjectKind::Text:
        return QStringLiteral("Texte");
    case ObjectKind::Line:
        return QStringLiteral("Ligne");
    case ObjectKind::Triangle:
        return QStringLiteral("Triangle");
    case ObjectKind::Accessory:
        return QStringLiteral("Accessoire");
    default:
        return QStringLiteral("Inconnu");
    }
}

// A number rounded to the given decimals (halves to even), without trailing zeros.
QString decimal(double value, int decimals, const QLocale& locale) {
    const double factor = std::pow(10.0, decimals);
    double rounded = std::nearbyint(value * factor) / factor;
    if (rounded == 0)
        rounded = 0; // no "-0"
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = l.toString(rounded, 'f', decimals);
    if (decimals > 0) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(l.decimalPoint()))
            text.chop(l.decimalPoint().size());
    }
    return text;
}

// Areas carry enough decimals that no part with an area reads 0.
constexpr int kAreaDecimals = 4;

// A field a spreadsheet would run as a formula: it starts with one of these.
bool readsAsFormula(const QString& text) {
    static const QString starts = QStringLiteral("=+-@\t\r");
    return !text.isEmpty() && starts.contains(text.front());
}

// A field quoted when it holds the separator, a quote or a line break, or when it
// would read as a formula: then a leading apostrophe inside the quotes keeps it text.
QString field(const QString& text) {
    const bool formula = readsAsFormula(text);
    if (!formula && !text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = formula ? QLatin1Char('\'') + text : text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// The fields written as they are: numbers we made, which may start with "-".
QString joined(const QStringList& fields, const QList<int>& numbers = {}) {
    QStringList out;
    for (int i = 0; i < fields.size(); ++i)
        out << (numbers.contains(i) ? fields[i] : field(fields[i]));
    return out.join(QLatin1Char(';'));
}

// What the object is: the accessory's family and model, the text, the texture's
// caption, or the colour's name.
QString description(const PlanObject& object) {
    const Fill& fill = object.fill;
    if (object.kind == ObjectKind::Accessory) {
        if (const auto name = library::parseAccessoryName(fill.fileName()))
            return name->family + QLatin1Char(' ') + name->model;
        return fill.fileName();
    }
    if (object.kind == ObjectKind::Text)
        return object.text;
    if (object.kind == ObjectKind::Rectangle && fill.isFile())
        return library::textureCaption(fill.fileName());
    return paletteName(fill.colourIndex());
}

// Totals in the order their names first appear.
class Totals {
public:
    void add(const QString& name, double area) {
        for (auto& [n, total] : totals_)
            if (n == name) {
                total += area;
                return;
            }
        totals_.emplace_back(name, area);
    }
    const std::vector<std::pair<QString, double>>& items() const { return totals_; }

private:
    std::vector<std::pair<QString, double>> totals_;
};

} // namespace

QStringList partsListLines(const Layout& layout, const QLocale& locale, const MassBudget& masses) {
    const bool weighed =
        !layout.loads.empty() || std::any_of(layout.objects.begin(), layout.objects.end(),
                                             [](const PlanObject& o) { return o.massKg; });
    // The mass column, when the layout has one.
    const auto withMass = [weighed](QStringList fields, const QString& mass) {
        if (weighed)
            fields << mass;
        return fields;
    };
    QStringList lines;
    lines << joined(withMass(
        {QStringLiteral("N°"), QStringLiteral("Type"), QStringLiteral("Description"),
         QStringLiteral("Largeur (cm)"), QStringLiteral("Hauteur (cm)"), QStringLiteral("X (cm)"),
         QStringLiteral("Y (cm)"), QStringLiteral("Surface (m²)"), QStringLiteral("Figé")},
        QStringLiteral("Masse (kg)")));
    const double pixelsPerCm = layout.pixelsPerCm > 0 ? layout.pixelsPerCm : 1.0;
    Totals textures, colours;
    int number = 0;
    for (const PlanObject& object : layout.objects) {
        ++number;
        const double w = object.widthCm, h = object.heightCm;
        const std::optional<double> area = areaM2(object.kind, w, h);
        const QString what = description(object);
        if (area)
            (object.kind == ObjectKind::Rectangle && object.fill.isFile() ? textures : colours)
                .add(what, *area);
        lines << joined(
            withMass({QString::number(number), kindName(object.kind), what,
                      platform::shortestText(w, locale), platform::shortestText(h, locale),
                      decimal(object.position.x / pixelsPerCm, 1, locale),
                      decimal(object.position.y / pixelsPerCm, 1, locale),
                      area ? decimal(*area, kAreaDecimals, locale) : QString(),
                      object.locked ? QStringLiteral("oui") : QStringLiteral("non")},
                     object.massKg ? decimal(*object.massKg, 1, locale) : QString()),
            {3, 4, 5, 6, 7, 9});
    }
    const auto totalLines = [&](const Totals& totals, const QString& title) {
        for (const auto& [name, total] : totals.items()) {
            const QString value = decimal(total, kAreaDecimals, locale);
            lines << joined({QString(), title,
                             name + QStringLiteral(" : ") + value + QStringLiteral(" m²"),
                             QString(), QString(), QString(), QString(), value, QString()},
                            {7});
        }
    };
    totalLines(textures, QStringLiteral("Total texture"));
    totalLines(colours, QStringLiteral("Total couleur"));
    if (!weighed)
        return lines;
    for (const LooseLoad& load : layout.loads)
        lines << joined({QString(), QStringLiteral("Charge"), load.label, QString(), QString(),
                         QString(), QString(), QString(), QString(),
                         decimal(load.massKg, 1, locale)},
                        {9});
    for (const QString& line : massFigureLines(masses, layout, locale))
        lines << joined({QString(), QStringLiteral("Bilan des masses"), line, QString(), QString(),
                         QString(), QString(), QString(), QString(), QString()});
    return lines;
}

bool writePartsList(const QString& path, const QStringList& lines) {
    QByteArray bytes("\xEF\xBB\xBF");
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bool(platform::writeWholeFile(path, bytes));
}

QString partsListFailedMessage() {
    return QStringLiteral("Impossible d'écrire la liste des objets.");
}

} // namespace output
