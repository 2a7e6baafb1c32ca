#include "output/PartsList.h"

#include "document/Areas.h"
#include "document/ObjectTable.h"
#include "document/Palette.h"
#include "library/LibraryNames.h"
#include "platform/NumberText.h"
#include "platform/Numbers.h"

#include <QSaveFile>

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

// A field quoted when it holds the separator, a quote or a line break.
QString field(const QString& text) {
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString joined(const QStringList& fields) {
    QStringList out;
    for (const QString& f : fields)
        out << field(f);
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

QStringList partsListLines(const Layout& layout, const QLocale& locale) {
    QStringList lines;
    lines << joined({QStringLiteral("N°"), QStringLiteral("Type"), QStringLiteral("Description"),
                     QStringLiteral("Largeur (cm)"), QStringLiteral("Hauteur (cm)"),
                     QStringLiteral("X (cm)"), QStringLiteral("Y (cm)"),
                     QStringLiteral("Surface (m²)"), QStringLiteral("Figé")});
    const double resol = layout.pixelsPerCm > 0 ? layout.pixelsPerCm : 1.0;
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
        lines << joined({QString::number(number), kindName(object.kind), what,
                         platform::shortestText(object.widthCm, locale),
                         platform::shortestText(object.heightCm, locale),
                         decimal(object.position.x / resol, 1, locale),
                         decimal(object.position.y / resol, 1, locale),
                         area ? decimal(*area, 2, locale) : QString(),
                         object.locked ? QStringLiteral("oui") : QStringLiteral("non")});
    }
    const auto totalLines = [&](const Totals& totals, const QString& title) {
        for (const auto& [name, total] : totals.items()) {
            const QString value = decimal(total, 2, locale);
            lines << joined({QString(), title,
                             name + QStringLiteral(" : ") + value + QStringLiteral(" m²"),
                             QString(), QString(), QString(), QString(), value, QString()});
        }
    };
    totalLines(textures, QStringLiteral("Total texture"));
    totalLines(colours, QStringLiteral("Total couleur"));
    return lines;
}

bool writePartsList(const QString& path, const QStringList& lines) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes("\xEF\xBB\xBF");
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString partsListFailedMessage() {
    return QStringLiteral("Impossible d'écrire la liste des objets.");
}

} // namespace output
