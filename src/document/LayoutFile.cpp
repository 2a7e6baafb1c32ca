#include "document/LayoutFile.h"

#include "document/StoredNumbers.h"
#include "platform/Numbers.h"

#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>
#include <functional>

namespace document {

namespace {

const QString kVersion3 = QStringLiteral("Kestrion 3");
const QString kVersion2 = QStringLiteral("Kestrion 2");
const QString kVersion1 = QStringLiteral("Kestrion 1");
const QString kLineEnd = QStringLiteral("\r\n");

const QString kIncompatible = QStringLiteral(
    "Ce fichier n'est pas compatible avec la version de Kestrion que vous utilisez!");

// ---------------------------------------------------------------------------------------
// Reading

// A refusal raised anywhere in the read; carries the message shown to the user.
struct Refusal {
    QString message;
};

// A layout file holds at most 6 + 8 * 1000 lines; even with long texts it stays far
// below this. Anything larger is refused before it is decoded.
constexpr qsizetype kMaxFileBytes = 8 * 1024 * 1024;

// The file's text: UTF-8 when the bytes are valid UTF-8, otherwise the Western Windows
// code page, in which older versions wrote their files (it gives œ, ’, € and … bytes of
// their own where Latin-1 has control codes).
QString decodeFileText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        QStringDecoder windows1252("windows-1252", QStringDecoder::Flag::Stateless);
        text =
            windows1252.isValid() ? QString(windows1252.decode(bytes)) : QString::fromLatin1(bytes);
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

// The first delimited field of a line: blanks around it dropped, a comma ends it, and a
// field that opens with a double quote runs to the next lone double quote, a doubled
// one standing for the character itself.
QString delimitedField(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('"'))) {
        const qsizetype comma = t.indexOf(QLatin1Char(','));
        return comma < 0 ? t : t.left(comma).trimmed();
    }
    QString field;
    for (qsizetype k = 1; k < t.size(); ++k) {
        if (t[k] != QLatin1Char('"')) {
            field += t[k];
        } else if (k + 1 < t.size() && t[k + 1] == QLatin1Char('"')) {
            field += QLatin1Char('"');
            ++k;
        } else {
            break;
        }
    }
    return field;
}

// Walks the lines of a file, refusing when it ends early or a value is malformed. Lines
// end with CR LF, LF or a lone CR; they are cut out one at a time, so nothing past the
// last object is ever split.
class LineReader {
public:
    explicit LineReader(QString text) : text_(std::move(text)) {}

    bool atEnd() const { return at_ >= text_.size(); }
    int lineNumber() const { return number_; } // 1-based number of the last line read

    QString line() {
        if (atEnd())
            throw Refusal{QStringLiteral("Ce fichier est incomplet : il se termine avant la "
                                         "fin de l'agencement (ligne %1 manquante).")
                              .arg(number_ + 1)};
        qsizetype end = at_;
        while (end < text_.size() && text_[end] != QLatin1Char('\r') &&
               text_[end] != QLatin1Char('\n'))
            ++end;
        QString result = text_.mid(at_, end - at_);
        at_ = end;
        if (at_ < text_.size()) {
            const bool cr = text_[at_] == QLatin1Char('\r');
            ++at_;
            if (cr && at_ < text_.size() && text_[at_] == QLatin1Char('\n'))
                ++at_;
        }
        ++number_;
        return result;
    }

    // A line that must hold a number.
    double number() {
        const QString text = line();
        const std::optional<double> v = platform::parseNumber(text);
        if (!v || !storedReal(*v))
            throw Refusal{QStringLiteral("Ce fichier est endommagé : la ligne %1 (« %2 ») "
                                         "devrait contenir un nombre.")
                              .arg(QString::number(lineNumber()), text.left(40))};
        return *v;
    }
    float real() { return *storedReal(number()); }
    std::int16_t integer() { return storedInteger(number()); }

private:
    QString text_;
    qsizetype at_ = 0;
    int number_ = 0;
};

// A line holding a whole number from low to high; what names it in the refusal.
int readWholeNumber(LineReader& in, int low, int high, const QString& what) {
    const QString text = in.line().trimmed();
    bool ok = false;
    const int n = text.toInt(&ok, 10);
    if (!ok || n < low || n > high)
        throw Refusal{QStringLiteral("Ce fichier est endommagé : %1 (« %2 ») "
                                     "doit être un nombre entier de %3 à %4.")
                          .arg(what, text.left(40), QString::number(low), QString::number(high))};
    return n;
}

int readObjectCount(LineReader& in) {
    return readWholeNumber(in, 0, kMaxObjects, QStringLiteral("le nombre d'objets"));
}

// The masses after the objects of a "Kestrion 3" file: the number of objects with a
// mass, then each one's row and mass in kg; the number of loads not drawn, then each
// one's name, mass in kg and place in cm from the front axle. A row named twice is
// refused, so a file reads back exactly as it was written.
void readMasses(LineReader& in, LayoutFileContents& out) {
    const int count = out.objects.count();
    const int weighed = readWholeNumber(in, 0, count, QStringLiteral("le nombre d'objets pesés"));
    for (int k = 0; k < weighed; ++k) {
        const int row = readWholeNumber(in, 1, count, QStringLiteral("le numéro d'un objet pesé"));
        PlanObject& object = out.objects.row(row);
        if (object.massKg)
            throw Refusal{QStringLiteral("Ce fichier est endommagé : l'objet %1 est pesé deux "
                                         "fois (ligne %2).")
                              .arg(QString::number(row), QString::number(in.lineNumber()))};
        object.massKg = in.real();
    }
    const int loads = readWholeNumber(in, 0, kMaxObjects, QStringLiteral("le nombre de charges"));
    for (int k = 0; k < loads; ++k) {
        LooseLoad load;
        load.label = in.line();
        load.massKg = in.real();
        load.alongCm = in.real();
        out.loads.push_back(load);
    }
}

// Reads the eight lines of one object, replacing pictures that cannot be shown. The
// kind is taken as the drawing takes it (to the nearest whole number), so every fill
// that will be drawn as a texture or an accessory passes the same check.
PlanObject readObject(LineReader& in, PictureCheck& pictures, LayoutFileContents& out) {
    PlanObject object;
    object.kind = ObjectKind(in.integer());
    object.position.x = in.real();
    object.position.y = in.real();
    object.heightCm = in.real();
    object.widthCm = in.real();
    const QString fill = in.line();
    object.fill = storedFill(fill);
    bool accessoryMissing = false;
    if (object.fill.isFile() && object.kind == ObjectKind::Rectangle &&
        !pictures.textureUsable(fill)) {
        object.fill = Fill::colour(0);
        out.missingTextures.append(fill);
    } else if (object.fill.isFile() && object.kind == ObjectKind::Accessory &&
               !pictures.accessoryUsable(fill)) {
        object.fill = Fill::colour(0);
        object.kind = ObjectKind::Rectangle;
        accessoryMissing = true;
        out.missingAccessories.append(fill);
    }
    object.locked = in.integer() != 0;
    if (accessoryMissing)
        in.line();
    else if (object.kind == ObjectKind::Text)
        object.text = in.line();
    else
        object.orientation = Orientation::stored(in.integer());
    return object;
}

LayoutFileContents readContents(const QString& text, PictureCheck& pictures) {
    LineReader in(text);
    LayoutFileContents out;

    const QString version = in.atEnd() ? QString() : delimitedField(in.line());
    if (version == kVersion3)
        out.version = 3;
    else if (version == kVersion2)
        out.version = 2;
    else if (version == kVersion1)
        out.version = 1;
    else
        throw Refusal{kIncompatible};

    out.vehicleFile = delimitedField(in.line());
    if (const QString refusal = pictures.vehicleRefusal(out.vehicleFile); !refusal.isEmpty())
        throw Refusal{refusal};

    if (out.version >= 2) {
        out.mirrorLeftRight = delimitedField(in.line()) == QStringLiteral("1");
        out.mirrorTopBottom = delimitedField(in.line()) == QStringLiteral("1");
    }
    const int count = readObjectCount(in);
    out.zoomText = delimitedField(in.line());

    for (int r = 1; r <= count; ++r)
        out.objects.append(readObject(in, pictures, out));
    if (out.version == 3)
        readMasses(in, out);
    return out;
}

// ---------------------------------------------------------------------------------------
// Writing

// A text line holds everything but surrounding blanks and line breaks, which would
// split it over two lines.
QString lineText(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String(" "));
    t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return t.trimmed();
}

// The eight lines of one object.
void writeObject(const PlanObject& object, const QLocale& locale,
                 const std::function<void(const QString&)>& writeLine) {
    writeLine(QString::number(int(object.kind)));
    writeLine(realText(object.position.x, locale));
    writeLine(realText(object.position.y, locale));
    writeLine(realText(object.heightCm, locale));
    writeLine(realText(object.widthCm, locale));
    writeLine(object.fill.isFile() ? lineText(object.fill.fileName())
                                   : QString::number(object.fill.colourIndex()));
    writeLine(object.locked ? QStringLiteral("1") : QStringLiteral("0"));
    writeLine(object.kind == ObjectKind::Text ? lineText(object.text)
                                              : QString::number(object.orientation.number()));
}

// A header field as the reader's delimited fields take it back unchanged: bare when it
// holds no comma, no double quote and no surrounding blanks, otherwise between double
// quotes with each double quote inside doubled.
QString delimitedText(const QString& field) {
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) &&
        field == field.trimmed())
        return field;
    QString quoted = field;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

LoadOutcome readLayoutFile(const QString& path, PictureCheck& pictures,
                           const platform::FileSystem& fs) {
    LoadOutcome outcome;
    const std::optional<QByteArray> bytes = fs.readFile(path);
    if (!bytes) {
        outcome.errorMessage = QStringLiteral("Impossible de lire le fichier suivant :\n\n") + path;
        return outcome;
    }
    try {
        if (bytes->size() > kMaxFileBytes)
            throw Refusal{QStringLiteral("Ce fichier est endommagé : il est bien trop volumineux "
                                         "pour un agencement (%1 octets).")
                              .arg(bytes->size())};
        outcome.contents.emplace(readContents(decodeFileText(*bytes), pictures));
    } catch (const Refusal& refusal) {
        outcome.errorMessage = refusal.message;
    }
    return outcome;
}

QString missingPicturesMessage(const QStringList& textures, const QStringList& accessories) {
    const auto listed = [](const QStringList& names) {
        QString s;
        for (const QString& n : names)
            s += n + QLatin1Char('\n');
        return s;
    };
    const QString texturesOpening =
        QStringLiteral("L'agencement original comprend les textures suivantes :\n\n");
    if (!textures.isEmpty() && !accessories.isEmpty())
        return texturesOpening + listed(textures) +
               QStringLiteral("\nAinsi que les accessoires suivants :\n\n") + listed(accessories) +
               QStringLiteral("\nCes images ne faisant pas partie de la bibliothèque, elles "
                              "ont été remplacées par des rectangles noirs.");
    if (!textures.isEmpty())
        return texturesOpening + listed(textures) +
               QStringLiteral("\nCes textures ne faisant pas partie de la bibliothèque, elles "
                              "ont été remplacées par des rectangles noirs.");
    if (!accessories.isEmpty())
        return QStringLiteral("L'agencement original comprend les accessoires suivants :\n\n") +
               listed(accessories) +
               QStringLiteral("\nCes accessoires ne faisant pas partie de la bibliothèque, ils "
                              "ont été remplacés par des rectangles noirs.");
    return {};
}

QByteArray layoutFileText(const Layout& layout, const QLocale& locale) {
    QString text;
    const auto writeLine = [&text](const QString& line) { text += line + kLineEnd; };
    int weighed = 0;
    for (const PlanObject& object : layout.objects)
        weighed += object.massKg ? 1 : 0;
    const bool withMasses = weighed > 0 || !layout.loads.empty();
    writeLine(withMasses ? kVersion3 : kVersion2);
    writeLine(delimitedText(layout.vehicleFile));
    writeLine(layout.mirrorLeftRight ? QStringLiteral("1") : QStringLiteral("0"));
    writeLine(layout.mirrorTopBottom ? QStringLiteral("1") : QStringLiteral("0"));
    writeLine(QString::number(layout.objects.count()));
    writeLine(delimitedText(layout.zoomText));
    for (const PlanObject& object : layout.objects)
        writeObject(object, locale, writeLine);
    if (withMasses) {
        writeLine(QString::number(weighed));
        int row = 0;
        for (const PlanObject& object : layout.objects) {
            ++row;
            if (object.massKg) {
                writeLine(QString::number(row));
                writeLine(exactRealText(*object.massKg, locale));
            }
        }
        const auto loads = std::min(layout.loads.size(), std::size_t(kMaxObjects));
        writeLine(QString::number(loads));
        for (std::size_t k = 0; k < loads; ++k) {
            writeLine(lineText(layout.loads[k].label));
            writeLine(exactRealText(layout.loads[k].massKg, locale));
            writeLine(exactRealText(layout.loads[k].alongCm, locale));
        }
    }
    return text.toUtf8();
}

bool writeLayoutFile(const QString& path, const Layout& layout, const QLocale& locale,
                     platform::FileSystem& fs) {
    return fs.writeFileSafely(path, layoutFileText(layout, locale));
}

int zoomPercent(const QString& zoomText, const QLocale& locale) {
    const QString t = zoomText.trimmed();
    bool ok = false;
    double v = locale.toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        v = platform::parseNumber(t).value_or(std::nan(""));
    if (!std::isfinite(v))
        return 100;
    return clampZoomPercent(v);
}

int clampZoomPercent(double percent) {
    return int(std::clamp(platform::roundHalfEven(percent), double(kMinZoomPercent),
                          double(kMaxZoomPercent)));
}

QString proposedFileName(const QString& vehicleModel, const QString& viewName,
                         bool mirrorLeftRight) {
    QString name = vehicleModel + QStringLiteral(" - ") + viewName + QStringLiteral(".kla");
    if (mirrorLeftRight) {
        name.replace(QStringLiteral("gauche"), QStringLiteral("gggggg"), Qt::CaseSensitive);
        name.replace(QStringLiteral("droit"), QStringLiteral("gauche"), Qt::CaseSensitive);
        name.replace(QStringLiteral("gggggg"), QStringLiteral("droit"), Qt::CaseSensitive);
    }
    return name;
}

} // namespace document
