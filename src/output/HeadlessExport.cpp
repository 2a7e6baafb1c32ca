#include "output/HeadlessExport.h"

#include "library/LayoutOpening.h"
#include "output/ImageExport.h"
#include "output/PageLayout.h"
#include "output/PartsList.h"
#include "output/ScaledOutput.h"
#include "platform/FileSystem.h"
#include "platform/Pictures.h"
#include "render/PlanRenderer.h"
#include "settings/PreferenceStore.h"

#include <QRegularExpression>
#include <QSaveFile>
#include <QSize>

#include <algorithm>
#include <cmath>
#include <optional>

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
// argument starts with "--", and any other "--" argument is refused with the usage.
struct Option {
    QLatin1StringView name;
    bool takesValue; // also accepted as name=value
};
constexpr Option kOptions[] = {
    {QLatin1StringView("--export"), false},    {QLatin1StringView("--thumbnail"), false},
    {QLatin1StringView("--parts"), false},     {QLatin1StringView("--canvas"), true},
    {QLatin1StringView("--scale"), true},      {QLatin1StringView("--paper"), true},
    {QLatin1StringView("--landscape"), false}, {QLatin1StringView("--help"), false},
};

bool isKnownOption(const QString& arg) {
    for (const Option& option : kOptions) {
        if (arg == option.name)
            return true;
        if (option.takesValue && arg.startsWith(QString(option.name) + QLatin1Char('=')))
            return true;
    }
    return false;
}

bool isOption(const QString& arg) {
    return arg.startsWith(QLatin1String("--"));
}

// The first argument that starts with "--" but is none of kOptions; empty when none.
QString unknownOption(const QStringList& args) {
    for (const QString& arg : args)
        if (isOption(arg) && !isKnownOption(arg))
            return arg;
    return QString();
}

bool asksForHelp(const QStringList& args) {
    return args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"));
}

struct ExportRequest {
    QString layoutPath;
    QString outputPath;
    std::optional<QSize> canvas;
    // Set for --thumbnail: the longest side of the PNG, in pixels.
    std::optional<int> thumbnailSize;
    bool parts = false;        // --parts: the parts list instead of a picture
    std::optional<int> scale;  // --scale: a true-scale PDF
    Paper paper = Paper::A4;   // --paper
    bool landscape = false;    // --landscape
    bool paperOptions = false; // --paper or --landscape given
    bool pdf() const { return outputPath.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive); }
};

std::optional<int> parseThumbnailSize(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^\\d{1,5}$"));
    if (!pattern.match(text.trimmed()).hasMatch())
        return std::nullopt;
    const int size = text.trimmed().toInt();
    if (size < 1 || size > kLargestSide)
        return std::nullopt;
    return size;
}

// The value of an option given as "--name value" or "--name=value"; i is moved past it.
QString optionValue(const QStringList& args, int& i) {
    const QString& arg = args[i];
    if (arg.contains(QLatin1Char('=')))
        return arg.section(QLatin1Char('='), 1);
    return i + 1 < args.size() ? args[++i] : QString();
}

bool isOptionNamed(const QString& arg, const char* name) {
    const QLatin1String n(name);
    return arg == n || arg.startsWith(n + QLatin1Char('='));
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

// Fills request from the arguments; returns an explanation when they are wrong.
QString parseArguments(const QStringList& args, ExportRequest& request) {
    if (const QString unknown = unknownOption(args); !unknown.isEmpty())
        return QStringLiteral("Option inconnue : %1").arg(unknown);
    QStringList positional;
    bool exportSeen = false;
    bool thumbnailSeen = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--export")) {
            exportSeen = true;
        } else if (arg == QLatin1String("--thumbnail")) {
            thumbnailSeen = true;
        } else if (arg == QLatin1String("--parts")) {
            request.parts = true;
        } else if (isOptionNamed(arg, "--scale")) {
            const QString value = optionValue(args, i);
            request.scale = parseScale(value);
            if (!request.scale)
                return QStringLiteral("--scale attend 5, 10, 20, 25, 50 ou fit (reçu : « %1 »).")
                    .arg(value);
        } else if (isOptionNamed(arg, "--paper")) {
            const QString value = optionValue(args, i);
            const std::optional<Paper> paper = parsePaper(value);
            if (!paper)
                return QStringLiteral("--paper attend A4 ou A3 (reçu : « %1 »).").arg(value);
            request.paper = *paper;
            request.paperOptions = true;
        } else if (arg == QLatin1String("--landscape")) {
            request.landscape = true;
            request.paperOptions = true;
        } else if (arg == QLatin1String("--canvas") || arg.startsWith(QLatin1String("--canvas="))) {
            QString value;
            if (arg.contains(QLatin1Char('=')))
                value = arg.section(QLatin1Char('='), 1);
            else if (i + 1 < args.size())
                value = args[++i];
            request.canvas = parseCanvas(value);
            if (!request.canvas)
                return QStringLiteral("--canvas attend une taille LARGEURxHAUTEUR en pixels, "
                                      "de 1 à 32767 de chaque côté (reçu : « %1 »).")
                    .arg(value);
        } else {
            positional << arg;
        }
    }
    if (int(exportSeen) + int(thumbnailSeen) + int(request.parts) != 1)
        return QStringLiteral("Sans fenêtre, donnez une seule commande : --export, --thumbnail "
                              "ou --parts.");
    if (thumbnailSeen) {
        if (request.canvas)
            return QStringLiteral("--canvas ne s'emploie pas avec --thumbnail.");
        if (positional.size() != 3)
            return QStringLiteral("--thumbnail attend l'agencement (.kla), l'image PNG à écrire "
                                  "et la taille en pixels.");
        request.thumbnailSize = parseThumbnailSize(positional[2]);
        if (!request.thumbnailSize)
            return QStringLiteral("--thumbnail attend une taille en pixels de 1 à 32767 "
                                  "(reçu : « %1 »).")
                .arg(positional[2]);
        positional.removeLast();
    }
    if (positional.size() != 2)
        return request.parts ? QStringLiteral("--parts attend deux noms de fichier : "
                                              "l'agencement (.kla) puis la liste à écrire.")
                             : QStringLiteral("--export attend deux noms de fichier : "
                                              "l'agencement (.kla) puis l'image à écrire.");
    request.layoutPath = positional[0];
    request.outputPath = positional[1];
    const bool scaleOptions = request.scale || request.paperOptions;
    const bool scaledPdf = exportSeen && request.pdf();
    if (request.parts && (scaleOptions || request.canvas))
        return QStringLiteral("--parts ne prend ni --scale, ni --paper, ni --landscape, "
                              "ni --canvas.");
    if (scaledPdf && !request.scale)
        return QStringLiteral("Un PDF à l'échelle demande --scale (5, 10, 20, 25, 50 ou fit).");
    if (scaledPdf && request.canvas)
        return QStringLiteral("--canvas ne s'applique pas au PDF à l'échelle.");
    if (!scaledPdf && scaleOptions)
        return QStringLiteral("--scale, --paper et --landscape ne s'appliquent qu'à --export "
                              "vers un fichier .pdf.");
    return {};
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

// The drawn zone scaled to fit size x size, keeping its proportions and never enlarged,
// written as PNG through a temporary file so that a failure leaves no output behind.
bool writeThumbnail(const platform::Surface& canvas, bool automaticZone, int size,
                    const QString& path) {
    const Zone zone = findExportZone(canvas, automaticZone);
    const QRect rect(zone.left, zone.top, zone.right - zone.left, zone.bottom - zone.top);
    QImage picture = canvas.image().copy(rect);
    if (picture.isNull())
        return false;
    if (picture.width() > size || picture.height() > size)
        picture = picture.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && picture.save(&file, "PNG") && file.commit();
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
        "      fichier, et l'écrit dans IMAGE avec le bandeau du bas : au format BMP si\n"
        "      le nom se termine par .bmp, sinon au format JPEG (qualité 90).\n"
        "      La zone exportée suit la préférence « Déterminer automatiquement la zone\n"
        "      à exporter » (activée quand elle n'est pas enregistrée).\n"
        "  kestrion --thumbnail AGENCEMENT.kla IMAGE.png TAILLE\n"
        "      Écrit une vignette PNG du plan, sans bandeau, dont le plus grand côté\n"
        "      mesure au plus TAILLE pixels ; la zone suit la même préférence.\n"
        "  kestrion --export AGENCEMENT.kla PLAN.pdf --scale N [--paper A4|A3] [--landscape]\n"
        "      Écrit le plan à l'échelle 1:N (N = 5, 10, 20, 25 ou 50 ; fit l'ajuste à\n"
        "      une page) sur des feuilles A4 (par défaut) ou A3, en portrait ou en\n"
        "      paysage, avec la barre d'échelle et les repères d'assemblage.\n"
        "  kestrion --parts AGENCEMENT.kla LISTE.csv\n"
        "      Écrit la liste des objets et les totaux de surface par texture et par\n"
        "      couleur (CSV en UTF-8, séparateur « ; »).\n"
        "  --canvas LARGEURxHAUTEUR\n"
        "      Taille en pixels du plan dessiné (par défaut : celle de l'image du\n"
        "      véhicule au zoom de l'agencement), par exemple --canvas 1024x768 ;\n"
        "      au plus 16777216 pixels en tout.\n"
        "  --help\n"
        "      Affiche ce texte.\n"
        "Code de sortie : 0 en cas de réussite, 2 pour des arguments incorrects,\n"
        "3 pour un agencement illisible, 4 quand le fichier ne peut pas être écrit.\n");
}

int runHeadlessExport(const QStringList& args, const QString& libraryRoot,
                      platform::SettingsStore& settings, QTextStream& err) {
    if (isHelpRequest(args)) {
        err << headlessHelpText();
        err.flush();
        return 0;
    }
    ExportRequest request;
    if (const QString problem = parseArguments(args, request); !problem.isEmpty()) {
        err << problem << '\n' << headlessHelpText();
        err.flush();
        return kUsageError;
    }
    auto fail = [&err](const QString& message, int code) {
        err << message << '\n';
        err.flush();
        return code;
    };

    platform::FileSystem fs;
    const library::OpenedLayout opened =
        library::openLayout(request.layoutPath, libraryRoot, fs, QLocale());
    if (opened.failure == library::OpenedLayout::Failure::FileRefused)
        return fail(QStringLiteral("Impossible de lire l'agencement %1 :\n%2")
                        .arg(request.layoutPath, opened.refusal),
                    kInputError);
    if (!opened.missingPictures.isEmpty())
        err << opened.missingPictures << '\n';
    if (opened.failure == library::OpenedLayout::Failure::VehicleUnreadable)
        return fail(QStringLiteral("Impossible de lire l'image du véhicule %1")
                        .arg(opened.layout.vehicleFile),
                    kInputError);
    const document::Layout& layout = opened.layout;

    // The parts list needs no picture, but refuses the same layouts as the export.
    if (request.parts) {
        if (!writePartsList(request.outputPath, partsListLines(layout, QLocale())))
            return fail(QStringLiteral("Impossible d'écrire la liste %1").arg(request.outputPath),
                        kWriteError);
        err.flush();
        return 0;
    }

    if (request.scale) {
        const settings::Preferences prefs = preferencesFrom(settings);
        const ScaleSetup setup{*request.scale, request.paper, request.landscape,
                               prefs.automaticZone};
        platform::PictureCache pictures;
        const PlanSource source{layout, prefs, pictures, libraryRoot};
        const ScaledPlan plan = prepareScaledPlan(source, setup);
        if (plan.pages.tooManyPages())
            return fail(tooManyPagesMessage(plan.pages), kUsageError);
        if (const QString problem = writeScaledPdf(request.outputPath, source, plan);
            !problem.isEmpty())
            return fail(problem + QLatin1Char(' ') + request.outputPath, kWriteError);
        err.flush();
        return 0;
    }

    // A thumbnail is drawn at 100 %, one canvas pixel per vehicle picture pixel, and
    // only then scaled down: at a small zoom the vehicle's thin lines fade below the
    // zone search's threshold and the zone would lose them. Otherwise the zoom the
    // window would open the layout at.
    const float zoom = request.thumbnailSize ? 1.0f : float(opened.zoomPercent / 100.0);
    const render::View view{zoom, 0.0f, 0.0f};
    const QSize canvasSize = request.canvas.value_or(
        QSize(std::max(1, int(std::nearbyint(layout.pictureWidth * view.zoom))),
              std::max(1, int(std::nearbyint(layout.pictureHeight * view.zoom)))));
    if (canvasSize.width() > kLargestSide || canvasSize.height() > kLargestSide)
        return fail(QStringLiteral("Le plan dessiné dépasserait 32767 pixels ; choisissez une "
                                   "taille avec --canvas."),
                    kUsageError);
    if (qint64(canvasSize.width()) * canvasSize.height() > kLargestCanvas)
        return fail(QStringLiteral("Le plan dessiné (%1 × %2 pixels) dépasserait %3 pixels en "
                                   "tout ; choisissez une taille plus petite avec --canvas.")
                        .arg(canvasSize.width())
                        .arg(canvasSize.height())
                        .arg(kLargestCanvas),
                    kUsageError);

    const settings::Preferences prefs = preferencesFrom(settings);
    platform::Surface canvas(canvasSize.width(), canvasSize.height(), platform::kWindowBackground);
    canvas.clear();
    platform::PictureCache pictures;
    render::PlanRenderer renderer(pictures, libraryRoot);
    renderer.drawPlan(canvas, layout, view, prefs);

    if (request.thumbnailSize) {
        if (!writeThumbnail(canvas, prefs.automaticZone, *request.thumbnailSize,
                            request.outputPath))
            return fail(QStringLiteral("Impossible d'écrire l'image %1").arg(request.outputPath),
                        kWriteError);
        err.flush();
        return 0;
    }

    const QImage stamped =
        outputPicture(canvas, layout.vehicleModel, layout.vehicleBody, prefs.automaticZone);
    const bool bmp = request.outputPath.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive);
    if (!writePicture(stamped, request.outputPath, bmp))
        return fail(QStringLiteral("Impossible d'écrire l'image %1").arg(request.outputPath),
                    kWriteError);
    err.flush();
    return 0;
}

} // namespace output
