#include "output/PartsList.h"

#include "document/Areas.h"
#include "document/ObjectTable.h"
#include "document/Palette.h"
#include "library/LibraryNames.h"

#include <QSaveFile>

#include <cmath>
#include <utility>
#include <vector>

namespace output {

namespace {

using namespace document;

QString kindName(int kind) {
    switch (kind) {
    case Mesure:
        return QStringLiteral("Mesure");
    case Rectangle:
        return QStringLiteral("Rectangle");
    case Ellipse:
        return QStringLiteral("Ellipse / Cercle");
    case Texte:
        return QStringLiteral("Texte");
    case Ligne:
        return QStringLiteral("Ligne");
    case Triangle:
        return QStringLiteral("Triangle");
    case Accessoire:
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
QString description(const ObjectRow& row, int kind) {
    const Cell& fill = row[ColFill];
    if (kind == Accessoire) {
        if (const auto name = library::parseAccessoryName(fill.toString()))
            return name->family + QLatin1Char(' ') + name->model;
        return fill.toString();
    }
    if (kind == Texte)
        return row[ColExtra].toString();
    if (kind == Rectangle && fill.isFileName())
        return library::textureCaption(fill.toString());
    return paletteName(fill.toInt());
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
    for (int r = 1; r <= layout.objects.count(); ++r) {
        const ObjectRow& row = layout.objects.row(r);
        const int kind = row[ColKind].toInt();
        const double w = row[ColWidth].toDouble(), h = row[ColHeight].toDouble();
        const std::optional<double> area = areaM2(kind, w, h);
        const QString what = description(row, kind);
        if (area)
            (kind == Rectangle && row[ColFill].isFileName() ? textures : colours).add(what, *area);
        lines << joined(
            {QString::number(r), kindName(kind), what, decimal(w, 1, locale), decimal(h, 1, locale),
             decimal(row[ColX].toDouble() / resol, 1, locale),
             decimal(row[ColY].toDouble() / resol, 1, locale),
             area ? decimal(*area, 2, locale) : QString(),
             row[ColLock].toInt() != 0 ? QStringLiteral("oui") : QStringLiteral("non")});
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
