#include "output/ImageExport.h"

#include "output/Bgr24Raster.h"
#include "output/JpegWriter.h"
#include "output/OutputTarget.h"
#include "platform/Pictures.h"
#include "platform/Product.h"

#include <QFont>

#include <algorithm>
#include <exception>

namespace output {

namespace {

// Zone coordinates and buffer sizes are 16-bit signed integers.
constexpr int kLargestSide = 32767;
constexpr int kBandHeight = 20;
constexpr platform::Colour kDrawnBelow = 0xF0F0F0;
constexpr int kJpegQuality = 90;

const QString kExportFilter = QStringLiteral("Format JPEG|*.jpg;*.jpe;*.jpeg|Format BMP|*.bmp");
const QString kExportFailed = QStringLiteral("Impossible d'exporter l'image");
const QString kPrintFailed = QStringLiteral("Impossible d'imprimer le plan.");
const QString kErrorTitle = QStringLiteral("Erreur :");

bool drawn(const platform::Surface& canvas, int x, int y) {
    return canvas.colourAt(x, y) < kDrawnBelow;
}

bool fitsSixteenBits(const platform::Surface& canvas) {
    return canvas.width() <= kLargestSide && canvas.height() <= kLargestSide;
}

// The stamp's font, bold at the given size in points (96 dots per inch).
void useStampFont(platform::Surface& surface, int points) {
    surface.setFont(QFont(QStringLiteral("DejaVu Sans")));
    surface.setFontBold(true);
    surface.setFontSize(points);
}

// The four edge searches sample every fifth column and row, bounds inclusive,
// and each stops at the first drawn sample met from its side.

int searchRight(const platform::Surface& canvas, int sw, int sh) {
    for (int x = sw - 2; x >= 100; x -= 5)
        for (int y = 10; y <= sh - 10; y += 5)
            if (drawn(canvas, x, y))
                return x + 10;
    return 0;
}

int searchLeft(const platform::Surface& canvas, int sw, int sh) {
    for (int x = 0; x <= sw - 100; x += 5)
        for (int y = 10; y <= sh - 10; y += 5)
            if (drawn(canvas, x, y))
                return x - 10;
    return sw;
}

int searchBottom(const platform::Surface& canvas, int sh, int left, int right) {
    for (int y = sh - 2; y >= 0; y -= 5)
        for (int x = left; x <= right; x += 5)
            if (drawn(canvas, x, y))
                return y + 10;
    return 0;
}

int searchTop(const platform::Surface& canvas, int sh, int left, int right) {
    for (int y = 0; y <= sh - 1; y += 5)
        for (int x = left; x <= right; x += 5)
            if (drawn(canvas, x, y))
                return y - 10;
    return sh;
}

} // namespace

Zone findExportZone(const platform::Surface& canvas, bool automatic) {
    const int sw = canvas.width(), sh = canvas.height();
    if (!automatic)
        return {0, 0, sw, sh};

    Zone zone;
    zone.right = std::min(searchRight(canvas, sw, sh), sw - 1);
    zone.left = std::max(searchLeft(canvas, sw, sh), 0);
    zone.bottom = std::min(searchBottom(canvas, sh, zone.left, zone.right), sh - 1);
    zone.top = std::max(searchTop(canvas, sh, zone.left, zone.right), 0);

    if (zone.right - zone.left < 20) {
        zone.left = 0;
        zone.right = sw;
    }
    if (zone.bottom - zone.top < 20) {
        zone.top = 0;
        zone.bottom = sh;
    }
    return zone;
}

Stamp chooseStamp(int width, const QString& vehicleModel, const QString& vehicleBody) {
    platform::Surface measure(1, 1);
    QString text = vehicleModel + QLatin1Char(' ') + vehicleBody +
                   QStringLiteral("  -  Kestrion  -  ") + platform::kSiteHost;
    // A text exactly as wide as the picture is too wide for the size but not for
    // the shortening below.
    int points = 10;
    for (; points >= 8; --points) {
        useStampFont(measure, points);
        if (width > measure.textSize(text).width())
            break;
    }
    if (points < 8) {
        points = 8;
        useStampFont(measure, points);
    }
    const QString shorter[] = {QStringLiteral("Kestrion  -  ") + platform::kSiteHost,
                               QStringLiteral("KT - ") + platform::kSiteHost,
                               QStringLiteral("Kestrion")};
    for (const QString& candidate : shorter)
        if (width < measure.textSize(text).width())
            text = candidate;
    return {text, points};
}

QImage prepareOutputPicture(const platform::Surface& canvas, const Zone& zone,
                            const QString& vehicleModel, const QString& vehicleBody) {
    const int w = zone.right - zone.left;
    const int h = zone.bottom - zone.top + kBandHeight;
    if (w <= 0 || h <= kBandHeight || w > kLargestSide || h > kLargestSide)
        return {};

    platform::Surface buffer(w, h, platform::kWindowBackground);
    buffer.clear();
    buffer.drawPictureAt(canvas.image().copy(zone.left, zone.top, w, h - kBandHeight), 0, 0);
    buffer.fillBox(0, float(h - kBandHeight), float(w), float(h), platform::kWhite);

    const Stamp stamp = chooseStamp(w, vehicleModel, vehicleBody);
    useStampFont(buffer, stamp.points);
    buffer.penColour = platform::kBlack;
    buffer.transparentText = true;
    buffer.textX = float(w - buffer.textSize(stamp.text).width()) / 2.0f;
    buffer.textY = float(h - 19);
    buffer.drawText(stamp.text);
    return buffer.image();
}

QImage outputPicture(const platform::Surface& canvas, const QString& vehicleModel,
                     const QString& vehicleBody, bool automaticZone) {
    if (!fitsSixteenBits(canvas))
        return {};
    return prepareOutputPicture(canvas, findExportZone(canvas, automaticZone), vehicleModel,
                                vehicleBody);
}

bool writePicture(const QImage& picture, const QString& path, bool bmp) {
    if (picture.isNull() || path.isEmpty())
        return false;
    if (bmp)
        return platform::SavePicture(picture, path);
    try {
        Bgr24Raster dib;
        dib.createFromPicture(picture);
        return JpegWriter::writeJpeg(dib, path, kJpegQuality);
    } catch (const std::exception&) {
        return false;
    }
}

void exportImage(const platform::Surface& canvas, const QString& vehicleModel,
                 const QString& vehicleBody, bool automaticZone, const QString& layoutPath,
                 platform::DialogService& dialogs,
                 const std::function<void()>& fileChosen) {
    platform::FileDialogRequest request;
    request.filter = kExportFilter;
    request.filterIndex = 1;
    request.fileName = QString();
    request.overwritePrompt = true;
    const platform::FileDialogResult chosen = dialogs.saveFile(request);
    if (chosen.cancelled())
        return;
    if (const QString refusal = refusalToOverwriteLayout(layoutPath, chosen.fileName);
        !refusal.isEmpty()) {
        dialogs.messageBox(refusal, kErrorTitle, platform::MsgIcon::Critical,
                           platform::MsgButtons::Ok);
        return;
    }
    if (fileChosen)
        fileChosen();

    // The format follows the filter alone, whatever extension the name carries.
    const bool bmp = chosen.filterIndex == 2;
    const QImage picture = outputPicture(canvas, vehicleModel, vehicleBody, automaticZone);
    if (!writePicture(picture, chosen.fileName, bmp))
        dialogs.messageBox(kExportFailed, kErrorTitle, platform::MsgIcon::Critical,
                           platform::MsgButtons::Ok);
}

void printPlan(const platform::Surface& canvas, const QString& vehicleModel,
               const QString& vehicleBody, bool automaticZone, platform::Printer& printer,
               platform::DialogService& dialogs, const std::function<void()>& printingStarts) {
    QString problem = printer.findPrinter();
    if (problem.isEmpty()) {
        if (printingStarts)
            printingStarts();
        const QImage picture = outputPicture(canvas, vehicleModel, vehicleBody, automaticZone);
        problem = picture.isNull() ? kPrintFailed : printer.printPicture(picture);
    }
    if (!problem.isEmpty())
        dialogs.messageBox(problem, kErrorTitle, platform::MsgIcon::Critical,
                           platform::MsgButtons::Ok);
}

} // namespace output
