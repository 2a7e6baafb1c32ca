#pragma once

#include "platform/DialogService.h"
#include "platform/Printer.h"
#include "platform/Surface.h"

#include <QImage>
#include <QString>

#include <functional>

namespace output {

// The part of the canvas to export, in canvas pixels: columns left..right-1, rows top..bottom-1.
struct Zone {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const Zone&) const = default;
};

// The zone search: the whole canvas, or with automatic the drawn part found on a
// 5-pixel grid (a pixel is drawn when its colour number is below &HF0F0F0).
Zone findExportZone(const platform::Surface& canvas, bool automatic);

// The stamped picture: the zone of the canvas with a white 20-pixel band below it
// carrying "model body  -  Kestrion  -  site", shortened when too wide.
QImage prepareOutputPicture(const platform::Surface& canvas, const Zone& zone,
                            const QString& vehicleModel, const QString& vehicleBody);

// "Exporter l'image": asks for the file, finds the zone, stamps and writes JPEG
// (quality 90) or BMP by the filter index. Failures show "Impossible d'exporter l'image".
// fileChosen runs once the user has chosen a name, before the canvas is read (the
// editor puts its selection back there); a cancelled dialog runs nothing. A file that
// is the open layout's own (layoutPath) is refused with a message, and nothing is written.
void exportImage(const platform::Surface& canvas, const QString& vehicleModel,
                 const QString& vehicleBody, bool automaticZone, const QString& layoutPath,
                 platform::DialogService& dialogs,
                 const std::function<void()>& fileChosen = {});

// The zone search and the stamp in one: the picture that export and printing produce
// for this canvas. A null picture when the canvas or the buffer exceeds 32767 pixels.
QImage outputPicture(const platform::Surface& canvas, const QString& vehicleModel,
                     const QString& vehicleBody, bool automaticZone);

// The stamp's text and its size in points as chosen for a buffer W pixels wide.
struct Stamp {
    QString text;
    int points = 10;
};
Stamp chooseStamp(int width, const QString& vehicleModel, const QString& vehicleBody);

// Writes the stamped picture: BMP when bmp, else JPEG at quality 90. False on failure.
bool writePicture(const QImage& picture, const QString& path, bool bmp);

// "Imprimer": the same stamped picture on one page of the printer. A failure shows a
// French message. printingStarts runs once a printer was found, before the canvas is
// read; without a printer it does not run and nothing changes.
void printPlan(const platform::Surface& canvas, const QString& vehicleModel,
               const QString& vehicleBody, bool automaticZone, platform::Printer& printer,
               platform::DialogService& dialogs, const std::function<void()>& printingStarts = {});

} // namespace output
