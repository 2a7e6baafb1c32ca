#include "output/HeadlessExport.h"

#include "library/LayoutOpening.h"
#include "library/MassData.h"
#include "library/PreviewOpening.h"
#include "output/ImageExport.h"
#include "output/MassReport.h"
#include "output/OutputTarget.h"
#include "output/PageLayout.h"
#include "output/PartsList.h"
#include "output/ScaledOutput.h"
#include "output/Thumbnail.h"
#include "platform/FileSystem.h"
#include "platform/Pictures.h"
#include "platform/SafeWrite.h"
#include "render/PlanRenderer.h"
#include "settings/PreferenceStore.h"

#include <QBuffer>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSize>
#include <QStorageInfo>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <variant>

namespace output {

namespace {

// Exit codes: wrong arguments, unreadable input, failed write.
constexpr int kUsageError = 2;
constexpr int kInputError = 3;
constexpr int kWriteError = 4;
constexpr int kLargestSide = 32767;
// The largest canvas drawn, in pixels (64 MB at four bytes a pixel): the export holds
// a few copies of it (plan, stamped picture, encoder buffer).
constexpr qint64 kLargestCanvas = qint64(1) << 24;

// Every option the program knows, in one place: the window opens only when no
// argument starts with "--", and any other "--" argument is refused.
struct Option {
    QLatin1StringView name;
    bool takesValue; // also accepted as name=value
};
constexpr Option kOptions[] = {
    {QLatin1StringView("--export"), false},    {QLatin1StringView("--thumbnail"), false},
    {QLatin1StringView("--parts"), false},     {QLatin1StringView("--canvas"), true},
    {QLatin1StringView("--scale"), true},      {QLatin1StringView("--paper"), true},
    {QLatin1StringView("--landscape"), false}, {QLatin1StringView("--help"), false},
    {QLatin1StringView("--masses"), false},
};

// The option arg names (as "--name" or "--name=value"); null when it is none of kOptions.
const Option* knownOption(const QString& arg) {
    for (const Option& option : kOptions) {
        if (arg == option.name)
            return &option;
        if (option.takesValue && arg.startsWith(QString(option.name) + QLatin1Char('=')))
            return &option;
    }
    return nullptr;
}

bool isOption(const QString& arg) {
    return arg.startsWith(QLatin1String("--"));
}

// The first argument that starts with "--" but is none of kOptions; empty when none.
QString unknownOption(const QStringList& args) {
    for (const QString& arg : args)
        if (isOption(arg) && !knownOption(arg))
            return arg;
    return QString();
}

bool asksForHelp(const QStringList& args) {
    return args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"));
}

// What the command line asks for, one command at a time.
enum class Command {
    Picture,   // --export to a picture
    ScaledPdf, // --export to a .pdf, at true scale
    Thumbnail, // --thumbnail
    Parts,     // --parts
    Masses,    // --masses: the mass budget printed
};

// The picture formats --export writes, chosen by the output name's ending.
enum class PictureFormat { Jpeg, Bmp, Png };

std::optional<PictureFormat> pictureFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return PictureFormat::Jpeg;
    if (suffix == QLatin1String("bmp"))
        return PictureFormat::Bmp;
    if (suffix == QLatin1String("png"))
        return PictureFormat::Png;
    return std::nullopt;
}

bool isPdfName(const QString& path) {
    return path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
}

// The options given, each at most once, and the other arguments in their order.
struct GivenArguments {
    QHash<QString, QString> options; // by name ("--scale"), with its value ("" for a flag)
    QStringList positional;
    bool has(const char* name) const { return options.contains(QLatin1String(name)); }
    QString value(const char* name) const { return options.value(QLatin1String(name)); }
};

// A command line checked and ready to run.
struct CommandLine {
    Command command = Command::Picture;
    QString layoutPath;
    QString outputPath;
    PictureFormat format = PictureFormat::Jpeg; // Command::Picture
    std::optional<QSize> canvas;                // Command::Picture
    int thumbnailSize = 0;                      // Command::Thumbnail: the longer side, in pixels
    ScaleSetup scaleSetup;                      // Command::ScaledPdf (the zone from settings)
};

// A command line, or the one-line reason it is refused.
using Parsed = std::variant<CommandLine, QString>;

std::optional<int> parseThumbnailSize(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^\\d{1,5}$"));
    if (!pattern.match(text.trimmed()).hasMatch())
        return std::nullopt;
    const int size = text.trimmed().toInt();
    if (size < 1 || size > kLargestSide)
        return std::nullopt;
    return size;
}

std::optional<QSize> parseCanvas(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const auto match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
    if (size.width() < 1 || size.height() < 1 || size.width() > kLargestSide ||
        size.height() > kLargestSide)
        return std::nullopt;
    return size;
}

// Sorts the arguments into options and names; refuses an unknown option and an
// option given twice.
std::variant<GivenArguments, QString> sortArguments(const QStringList& args) {
    GivenArguments given;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!isOption(arg)) {
            given.positional << arg;
            continue;
        }
        const Option* option = knownOption(arg);
        if (!option)
            return QStringLiteral("Option inconnue : %1.").arg(arg);
        const QString name(option->name);
        if (given.options.contains(name))
            return QStringLiteral("L'option %1 est donnée deux fois.").arg(name);
        QString value;
        if (arg.contains(QLatin1Char('=')))
            value = arg.section(QLatin1Char('='), 1);
        else if (option->takesValue && i + 1 < args.size())
            value = args[++i];
        given.options.insert(name, value);
    }
    return given;
}

// The layout and output names of a command taking two file names.
QString takeFileNames(const GivenArguments& given, CommandLine& line, const QString& wanted) {
    if (given.positional.size() != 2)
        return wanted;
    line.layoutPath = given.positional[0];
    line.outputPath = given.positional[1];
    if (line.layoutPath.isEmpty())
        return QStringLiteral("Le nom de l'agencement est vide.");
    if (line.outputPath.isEmpty())
        return QStringLiteral("Le nom du fichier à écrire est vide.");
    return {};
}

Parsed parsePicture(const GivenArguments& given) {
    CommandLine line;
    line.command = Command::Picture;
    if (const QString problem = takeFileNames(
            given, line,
            QStringLiteral("--export attend deux noms de fichier : l'agencement (.kla) puis "
                           "l'image à écrire."));
        !problem.isEmpty())
        return problem;
    if (given.has("--scale") || given.has("--paper") || given.has("--landscape"))
        return QStringLiteral("--scale, --paper et --landscape ne s'appliquent qu'à --export "
                              "vers un fichier .pdf.");
    const std::optional<PictureFormat> format = pictureFormatOf(line.outputPath);
    if (!format)
        return QStringLiteral("--export écrit une image .jpg, .jpeg, .bmp ou .png, ou un PDF "
                              "(.pdf) : « %1 » ne se termine par aucun de ces noms.")
            .arg(line.outputPath);
    line.format = *format;
    if (given.has("--canvas")) {
        line.canvas = parseCanvas(given.value("--canvas"));
        if (!line.canvas)
            return QStringLiteral("--canvas attend une taille LARGEURxHAUTEUR en pixels, "
                                  "de 1 à 32767 de chaque côté (reçu : « %1 »).")
                .arg(given.value("--canvas"));
    }
    return line;
}

Parsed parseScaledPdf(const GivenArguments& given) {
    CommandLine line;
    line.command = Command::ScaledPdf;
    if (const QString problem = takeFileNames(
            given, line,
            QStringLiteral("--export attend deux noms de fichier : l'agencement (.kla) puis "
                           "le PDF à écrire."));
        !problem.isEmpty())
        return problem;
    if (given.has("--canvas"))
        return QStringLiteral("--canvas ne s'applique pas au PDF à l'échelle.");
    if (!given.has("--scale"))
        return QStringLiteral("Un PDF à l'échelle demande --scale (5, 10, 20, 25, 50 ou fit).");
    const std::optional<int> scale = parseScale(given.value("--scale"));
    if (!scale)
        return QStringLiteral("--scale attend 5, 10, 20, 25, 50 ou fit (reçu : « %1 »).")
            .arg(given.value("--scale"));
    line.scaleSetup.scale = *scale;
    if (given.has("--paper")) {
        const std::optional<Paper> paper = parsePaper(given.value("--paper"));
        if (!paper)
            return QStringLiteral("--paper attend A4 ou A3 (reçu : « %1 »).")
                .arg(given.value("--paper"));
        line.scaleSetup.paper = *paper;
    }
    line.scaleSetup.landscape = given.has("--landscape");
    return line;
}

Parsed parseThumbnail(const GivenArguments& given) {
    CommandLine line;
    line.command = Command::Thumbnail;
    if (given.has("--canvas"))
        return QStringLiteral("--canvas ne s'emploie pas avec --thumbnail.");
    if (given.has("--scale") || given.has("--paper") || given.has("--landscape"))
        return QStringLiteral("--scale, --paper et --landscape ne s'appliquent qu'à --export "
                              "vers un fichier .pdf.");
    if (given.positional.size() != 3)
        return QStringLiteral("--thumbnail attend l'agencement (.kla), l'image PNG à écrire "
                              "et la taille en pixels.");
    GivenArguments names = given;
    const QString sizeText = names.positional.takeLast();
    const std::optional<int> size = parseThumbnailSize(sizeText);
    if (!size)
        return QStringLiteral("--thumbnail attend une taille en pixels de 1 à 32767 "
                              "(reçu : « %1 »).")
            .arg(sizeText);
    line.thumbnailSize = *size;
    if (const QString problem = takeFileNames(names, line, {}); !problem.isEmpty())
        return problem;
    return line;
}

Parsed parseParts(const GivenArguments& given) {
    CommandLine line;
    line.command = Command::Parts;
    if (given.has("--scale") || given.has("--paper") || given.has("--landscape") ||
        given.has("--canvas"))
        return QStringLiteral("--parts ne prend ni --scale, ni --paper, ni --landscape, "
                              "ni --canvas.");
    if (const QString problem = takeFileNames(
            given, line,
            QStringLiteral("--parts attend deux noms de fichier : l'agencement (.kla) puis "
                           "la liste à écrire."));
        !problem.isEmpty())
        return problem;
    return line;
}

Parsed parseMasses(const GivenArguments& given) {
    CommandLine line;
    line.command = Command::Masses;
    if (given.options.size() != 1 || given.positional.size() != 1 || given.positional[0].isEmpty())
        return QStringLiteral("--masses attend un seul agencement (.kla), sans autre option.");
    line.layoutPath = given.positional[0];
    return line;
}

// Decides the command and checks its arguments.
Parsed parseArguments(const QStringList& args) {
    const auto sorted = sortArguments(args);
    if (const QString* problem = std::get_if<QString>(&sorted))
        return *problem;
    const GivenArguments& given = std::get<GivenArguments>(sorted);
    const int commands = int(given.has("--export")) + int(given.has("--thumbnail")) +
                         int(given.has("--parts")) + int(given.has("--masses"));
    if (commands != 1)
        return QStringLiteral("Sans fenêtre, donnez une seule commande : --export, --thumbnail, "
                              "--parts ou --masses.");
    if (given.has("--masses"))
        return parseMasses(given);
    if (given.has("--thumbnail"))
        return parseThumbnail(given);
    if (given.has("--parts"))
        return parseParts(given);
    const bool pdf = given.positional.size() == 2 && isPdfName(given.positional[1]);
    return pdf ? parseScaledPdf(given) : parsePicture(given);
}

settings::Preferences preferencesFrom(platform::SettingsStore& store) {
    settings::PreferenceStore preferences(store);
    settings::Preferences prefs =
        preferences.readPreferences().value_or(settings::Preferences::defaults());
    const auto automaticZone =
        preferences.readValue(settings::PreferenceStore::key(QStringLiteral("autozone")));
    prefs.automaticZone = automaticZone ? automaticZone->trimmed() == QLatin1String("1") : true;
    return prefs;
}

// Writes a picture as PNG through the safe write, so that a failure leaves no output.
bool writePng(const QImage& picture, const QString& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return !picture.isNull() && picture.save(&buffer, "PNG") &&
           platform::writeWholeFile(path, bytes);
}

// Why a file could not be written at path, as far as the folder tells: missing,
// closed to the user, or full. Empty when none of these explains it.
QString writeFailureReason(const QString& path) {
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.exists() || !folder.isDir())
        return QStringLiteral("le dossier %1 n'existe pas").arg(folder.absoluteFilePath());
    if (!folder.isWritable() || (QFileInfo::exists(path) && !QFileInfo(path).isWritable()))
        return QStringLiteral("vous n'avez pas le droit d'écrire dans %1")
            .arg(QFileInfo::exists(path) ? path : folder.absoluteFilePath());
    const QStorageInfo storage(folder.absoluteFilePath());
    if (storage.isValid() && storage.bytesAvailable() == 0)
        return QStringLiteral("le disque est plein");
    return {};
}

// "message path", followed by the reason when the folder tells it.
QString writeFailure(const QString& message, const QString& path) {
    const QString reason = writeFailureReason(path);
    const QString failure = message + QLatin1Char(' ') + path;
    return reason.isEmpty() ? failure : failure + QStringLiteral(" : ") + reason + QLatin1Char('.');
}

// What every command runs with: where the library is, the preferences' store, and
// where to say what went wrong.
struct Context {
    const QString& libraryRoot;
    platform::SettingsStore& settings;
    QTextStream& out; // what a command prints (the mass budget)
    QTextStream& err;

    int fail(const QString& message, int code) {
        err << message << '\n';
        err.flush();
        return code;
    }
    int succeed() {
        err.flush();
        return 0;
    }
};

// Opens the command's layout against the library; on failure says why and gives the
// exit code. Missing pictures are listed but do not stop the command.
std::variant<library::OpenedLayout, int> openCommandLayout(const CommandLine& line,
                                                           Context& context) {
    if (const QString refusal = refusalToOverwriteLayout(line.layoutPath, line.outputPath);
        !refusal.isEmpty())
        return context.fail(refusal, kUsageError);
    platform::FileSystem fs;
    library::OpenedLayout opened =
        library::openLayout(line.layoutPath, context.libraryRoot, fs, QLocale());
    if (opened.failure == library::OpenedLayout::Failure::FileRefused)
        return context.fail(QStringLiteral("Impossible de lire l'agencement %1 :\n%2")
                                .arg(line.layoutPath, opened.refusal),
                            kInputError);
    if (!opened.missingPictures.isEmpty())
        context.err << opened.missingPictures << '\n';
    if (opened.failure == library::OpenedLayout::Failure::VehicleUnreadable)
        return context.fail(QStringLiteral("Impossible de lire l'image du véhicule %1")
                                .arg(opened.layout.vehicleFile),
                            kInputError);
    return opened;
}

// The canvas of canvasSize with the plan drawn at zoom from the picture's corner, or
// the exit code when that canvas is too large.
bool fitsCanvas(QSize size) {
    return size.width() <= kLargestSide && size.height() <= kLargestSide &&
           qint64(size.width()) * size.height() <= kLargestCanvas;
}

std::variant<platform::Surface, int> drawnCanvas(const document::Layout& layout,
                                                 const settings::Preferences& prefs,
                                                 const render::View& view, QSize canvasSize,
                                                 Context& context) {
    if (canvasSize.width() > kLargestSide || canvasSize.height() > kLargestSide)
        return context.fail(QStringLiteral("Le plan dessiné dépasserait 32767 pixels ; "
                                           "choisissez une taille avec --canvas."),
                            kUsageError);
    if (qint64(canvasSize.width()) * canvasSize.height() > kLargestCanvas)
        return context.fail(
            QStringLiteral("Le plan dessiné (%1 × %2 pixels) dépasserait %3 pixels en "
                           "tout ; choisissez une taille plus petite avec --canvas.")
                .arg(canvasSize.width())
                .arg(canvasSize.height())
                .arg(kLargestCanvas),
            kUsageError);
    platform::Surface canvas(canvasSize.width(), canvasSize.height(), platform::kWindowBackground);
    canvas.clear();
    platform::PictureCache pictures;
    render::PlanRenderer renderer(pictures, context.libraryRoot);
    renderer.drawPlan(canvas, layout, view, prefs);
    return canvas;
}

QSize zoomedPictureSize(const document::Layout& layout, float zoom) {
    return QSize(std::max(1, int(std::nearbyint(layout.pictureWidth * zoom))),
                 std::max(1, int(std::nearbyint(layout.pictureHeight * zoom))));
}

// --export to a picture: the zoom the window would open the layout at, stamped.
int runPicture(const CommandLine& line, Context& context) {
    auto opened = openCommandLayout(line, context);
    if (const int* code = std::get_if<int>(&opened))
        return *code;
    const library::OpenedLayout& open = std::get<library::OpenedLayout>(opened);
    const document::Layout& layout = open.layout;
    const settings::Preferences prefs = preferencesFrom(context.settings);
    const float zoom = float(open.zoomPercent / 100.0);
    QSize canvasSize = line.canvas.value_or(zoomedPictureSize(layout, zoom));
    QPointF origin;
    // A plan too large to draw whole is drawn from its drawn zone alone, when that is
    // what would be exported anyway.
    if (!line.canvas && prefs.automaticZone && !fitsCanvas(canvasSize)) {
        platform::PictureCache pictures;
        const QRectF zone =
            findDrawnZone(layout, prefs, QRectF(0, 0, layout.pictureWidth, layout.pictureHeight),
                          pictures, context.libraryRoot);
        // Cut on the zone search's 5-pixel grid, ending where the whole canvas ends on
        // it, so that the search on the part looks at the pixels it would look at on
        // the whole canvas and finds the same zone.
        const auto cut = [](double from, double to, int whole) {
            const int first = std::max(0, int(std::floor(from / 5.0)) * 5);
            int last = std::min(whole, int(std::ceil(to)));
            last = std::min(whole, last + ((whole - last) % 5 + 5) % 5);
            return std::pair{first, std::max(first + 1, last)};
        };
        const auto [left, right] = cut(zone.left() * zoom, zone.right() * zoom, canvasSize.width());
        const auto [top, bottom] =
            cut(zone.top() * zoom, zone.bottom() * zoom, canvasSize.height());
        origin = QPointF(left / zoom, top / zoom);
        canvasSize = QSize(right - left, bottom - top);
    }
    auto drawn =
        drawnCanvas(layout, prefs, render::View{zoom, float(origin.x()), float(origin.y())},
                    canvasSize, context);
    if (const int* code = std::get_if<int>(&drawn))
        return *code;
    const platform::Surface& canvas = std::get<platform::Surface>(drawn);
    const QImage stamped =
        outputPicture(canvas, layout.vehicleModel, layout.vehicleBody, prefs.automaticZone);
    const bool written =
        line.format == PictureFormat::Png
            ? writePng(stamped, line.outputPath)
            : writePicture(stamped, line.outputPath, line.format == PictureFormat::Bmp);
    if (!written)
        return context.fail(
            writeFailure(QStringLiteral("Impossible d'écrire l'image"), line.outputPath),
            kWriteError);
    return context.succeed();
}

// --export to a .pdf: the true-scale sheets, the zone following the preference.
int runScaledPdf(const CommandLine& line, Context& context) {
    auto opened = openCommandLayout(line, context);
    if (const int* code = std::get_if<int>(&opened))
        return *code;
    const document::Layout& layout = std::get<library::OpenedLayout>(opened).layout;
    const settings::Preferences prefs = preferencesFrom(context.settings);
    ScaleSetup setup = line.scaleSetup;
    setup.automaticZone = prefs.automaticZone;
    platform::PictureCache pictures;
    const PlanSource source{
        layout, prefs, pictures, context.libraryRoot,
        sheetMassLines(layout, context.libraryRoot, platform::FileSystem(), QLocale())};
    const ScaledPlan plan = prepareScaledPlan(source, setup);
    if (plan.objectsTooFar > 0)
        return context.fail(plan.refusal(), kInputError);
    if (plan.pages.tooManyPages())
        return context.fail(tooManyPagesMessage(plan.pages), kUsageError);
    if (const QString problem = writeScaledPdf(line.outputPath, source, plan); !problem.isEmpty())
        return context.fail(writeFailure(problem, line.outputPath), kWriteError);
    return context.succeed();
}

// --thumbnail: a small PNG of the drawn zone, without the stamp band. A thumbnail is a
// preview: pictures out of the library's reach are stood in for, never a failure.
int runThumbnail(const CommandLine& line, Context& context) {
    if (const QString refusal = refusalToOverwriteLayout(line.layoutPath, line.outputPath);
        !refusal.isEmpty())
        return context.fail(refusal, kUsageError);
    platform::FileSystem fs;
    const library::OpenedLayout opened =
        library::openLayoutForPreview(line.layoutPath, context.libraryRoot, fs, QLocale());
    if (opened.failure == library::OpenedLayout::Failure::FileRefused)
        return context.fail(QStringLiteral("Impossible de lire l'agencement %1 :\n%2")
                                .arg(line.layoutPath, opened.refusal),
                            kInputError);
    const settings::Preferences prefs = preferencesFrom(context.settings);
    platform::PictureCache pictures;
    const QImage thumbnail =
        drawThumbnail(opened.layout, prefs, line.thumbnailSize, pictures, context.libraryRoot);
    if (!writePng(thumbnail, line.outputPath))
        return context.fail(
            writeFailure(QStringLiteral("Impossible d'écrire l'image"), line.outputPath),
            kWriteError);
    return context.succeed();
}

// --parts: the parts list needs no picture, but refuses the same layouts as the export.
int runParts(const CommandLine& line, Context& context) {
    auto opened = openCommandLayout(line, context);
    if (const int* code = std::get_if<int>(&opened))
        return *code;
    const document::Layout& layout = std::get<library::OpenedLayout>(opened).layout;
    const document::MassBudget masses = library::layoutMassBudget(
        layout, library::readVehicleData(context.libraryRoot, platform::FileSystem()));
    if (!writePartsList(line.outputPath, partsListLines(layout, QLocale(), masses)))
        return context.fail(
            writeFailure(QStringLiteral("Impossible d'écrire la liste"), line.outputPath),
            kWriteError);
    return context.succeed();
}

// --masses: the budget on the standard output; exit 5 when a limit is passed.
int runMasses(const CommandLine& line, Context& context) {
    return runMassReport(line.layoutPath, context.libraryRoot, QLocale(), context.out, context.err);
}

} // namespace

bool isHeadlessCommand(const QStringList& args) {
    return asksForHelp(args) || std::any_of(args.begin(), args.end(), isOption);
}

bool isHelpRequest(const QStringList& args) {
    return asksForHelp(args) && unknownOption(args).isEmpty();
}

QString headlessHelpText() {
    return QStringLiteral(
        "Utilisation :\n"
        "  kestrion [\"AGENCEMENT.kla\"]\n"
        "      Ouvre le programme, et l'agencement s'il est donné.\n"
        "  kestrion --export AGENCEMENT.kla IMAGE [--canvas LARGEURxHAUTEUR]\n"
        "      Dessine l'agencement sans ouvrir de fenêtre, au zoom enregistré dans le\n"
        "      fichier, et l'écrit dans IMAGE avec le bandeau du bas, au format que\n"
        "      donne la fin du nom : .jpg ou .jpeg (JPEG, qualité 90), .bmp ou .png ;\n"
        "      tout autre nom est refusé.\n"
        "      La zone exportée suit la préférence « Déterminer automatiquement la zone\n"
        "      à exporter » (activée quand elle n'est pas enregistrée).\n"
        "  kestrion --thumbnail AGENCEMENT.kla IMAGE.png TAILLE\n"
        "      Écrit une vignette PNG du plan, sans bandeau, dont le plus grand côté\n"
        "      mesure au plus TAILLE pixels ; la zone suit la même préférence. Hors\n"
        "      d'atteinte de la bibliothèque, les images manquantes sont grises.\n"
        "  kestrion --export AGENCEMENT.kla PLAN.pdf --scale N [--paper A4|A3] [--landscape]\n"
        "      Écrit le plan à l'échelle 1:N (N = 5, 10, 20, 25 ou 50 ; fit l'ajuste à\n"
        "      une page) sur des feuilles A4 (par défaut) ou A3, en portrait ou en\n"
        "      paysage, avec la barre d'échelle et les repères d'assemblage.\n"
        "  kestrion --parts AGENCEMENT.kla LISTE.csv\n"
        "      Écrit la liste des objets et les totaux de surface par texture et par\n"
        "      couleur (CSV en UTF-8, séparateur « ; »).\n"
        "  kestrion --masses AGENCEMENT.kla\n"
        "      Affiche le bilan des masses : masse totale, charge sur chaque essieu\n"
        "      face à son maximum, charge utile restante et centre de gravité en cm\n"
        "      depuis l'essieu avant (code de sortie 5 quand une limite est dépassée).\n"
        "  --canvas LARGEURxHAUTEUR\n"
        "      Taille en pixels du plan dessiné (par défaut : celle de l'image du\n"
        "      véhicule au zoom de l'agencement), par exemple --canvas 1024x768 ;\n"
        "      au plus 16777216 pixels en tout.\n"
        "  --help\n"
        "      Affiche ce texte.\n"
        "Chaque option se donne une seule fois.\n"
        "Code de sortie : 0 en cas de réussite, 2 pour des arguments incorrects,\n"
        "3 pour un agencement illisible, 4 quand le fichier ne peut pas être écrit,\n"
        "5 quand le bilan des masses dépasse une limite.\n");
}

int runHeadlessExport(const QStringList& args, const QString& libraryRoot,
                      platform::SettingsStore& settings, QTextStream& err) {
    QTextStream out(stdout);
    return runHeadlessExport(args, libraryRoot, settings, out, err);
}

int runHeadlessExport(const QStringList& args, const QString& libraryRoot,
                      platform::SettingsStore& settings, QTextStream& out, QTextStream& err) {
    if (isHelpRequest(args)) {
        err << headlessHelpText();
        err.flush();
        return 0;
    }
    Context context{libraryRoot, settings, out, err};
    const Parsed parsed = parseArguments(args);
    if (const QString* problem = std::get_if<QString>(&parsed))
        return context.fail(
            QStringLiteral("kestrion : %1 « kestrion --help » affiche l'utilisation.")
                .arg(*problem),
            kUsageError);
    const CommandLine& line = std::get<CommandLine>(parsed);
    switch (line.command) {
    case Command::Picture:
        return runPicture(line, context);
    case Command::ScaledPdf:
        return runScaledPdf(line, context);
    case Command::Thumbnail:
        return runThumbnail(line, context);
    case Command::Parts:
        return runParts(line, context);
    case Command::Masses:
        return runMasses(line, context);
    }
    return kUsageError;
}

} // namespace output
