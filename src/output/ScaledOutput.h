#pragma once

#include "document/Layout.h"
#include "output/PageLayout.h"
#include "platform/Pictures.h"
#include "platform/Printer.h"
#include "settings/Preferences.h"

#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;

namespace output {

// The plan is drawn for paper at this resolution, whatever the scale.
constexpr double kPaperDotsPerInch = 300.0;

// How far from the vehicle picture an object may lie and still go on paper: 100 m.
constexpr double kFarthestCm = 10000.0;

// The plan's extent in unzoomed vehicle-picture pixels: the picture and the box of
// every object (texts and measures by their stored size) that lies wholly within
// kFarthestCm of it; the others are counted, not included.
struct PlanBounds {
    QRectF rect;
    int objectsTooFar = 0;
};
PlanBounds planBounds(const document::Layout& layout);

// What goes on paper: the layout (with its vehicle picture read), the preferences it
// is drawn with, and where library pictures come from.
struct PlanSource {
    const document::Layout& layout;
    settings::Preferences prefs;
    platform::PictureCache& pictures;
    QString libraryRoot;
    // The mass budget's lines (massFigureLines), boxed on the first sheet; none: no box.
    QStringList massLines = {};
};

// A layout ready to go on paper at true scale: the part of the plan to show, in
// unzoomed vehicle-picture pixels, and its sheets (those that show something of it).
struct ScaledPlan {
    ScaleSetup setup;
    QRectF zone;
    PageLayout pages;
    int objectsTooFar = 0; // objects beyond kFarthestCm: such a plan is refused
    // The French reason the plan cannot go on paper (objects too far, too many
    // sheets); empty when it can.
    QString refusal() const;
    // The sheets' paper and orientation, without margins.
    QPageLayout pageLayout() const;
};

// The part of the plan that goes on paper: planBounds, or with setup.automaticZone
// the drawn zone found as the image export finds it on the plan drawn at 100 % (less
// for a plan larger than 4000 pixels), then laid out on sheets. A sheet whose share of
// the plan, drawn as it goes on paper, holds no pixel visibly darker than white (a
// corner beyond the van's outline, a strip of the picture's white margin) is left out;
// the others keep their rows and columns. When every sheet is blank, the first stays.
ScaledPlan prepareScaledPlan(const PlanSource& source, const ScaleSetup& setup);

// Draws every sheet on the device, which is set to the sheets' paper without
// margins: the plan's share drawn by the plan renderer at kPaperDotsPerInch, so that
// 1 m of the van measures 1000 / scale mm, the overlap and assembly marks, and the
// footer (scale bar in cm, "Échelle 1:N", stamp, page mark). Texts and line widths
// keep the physical size they have on a screen at 96 dots per inch. False when the
// device cannot be drawn on. The sheets are drawn `copies` times in a row.
bool paintScaledPages(QPagedPaintDevice& device, const PlanSource& source, const ScaledPlan& plan,
                      int copies = 1);

// The French message for a plan that needs more than kMostPages sheets.
QString tooManyPagesMessage(const PageLayout& pages);

// Writes the sheets as a PDF file; an earlier file stays whole when writing fails.
// Returns an empty text, or the French reason (also for a plan refused as it is).
QString writeScaledPdf(const QString& path, const PlanSource& source, const ScaledPlan& plan);

// Sends the sheets to the printer. Returns an empty text, or the French reason (also
// for a plan refused as it is).
QString printScaled(platform::Printer& printer, const PlanSource& source, const ScaledPlan& plan);

} // namespace output
