#include "output/ScaledOutput.h"

#include "document/ObjectTable.h"
#include "output/ImageExport.h"
#include "platform/Numbers.h"
#include "platform/Product.h"
#include "platform/SafeWrite.h"
#include "platform/Surface.h"
#include "render/PlanRenderer.h"

#include <QBuffer>
#include <QFont>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace output {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kScreenDotsPerInch = 96.0;
// The overview the automatic zone is searched on is at most this many pixels a side.
constexpr double kLargestOverview = 4000.0;
const QColor kMarkGrey(150, 150, 150);

double paperPixelsPerMm() {
    return kPaperDotsPerInch / kMmPerInch;
}

// The preferences for drawing at paper resolution: line widths keep their physical
// screen size.
settings::Preferences paperPreferences(settings::Preferences prefs) {
    const double factor = kPaperDotsPerInch / kScreenDotsPerInch;
    prefs.lineWidth = QString::number(std::max(1, platform::roundToInt(prefs.penWidth() * factor)));
    return prefs;
}

// Converts millimetres on the sheet to the device's units.
class SheetUnits {
public:
    explicit SheetUnits(const QPagedPaintDevice& device)
        : x_(device.logicalDpiX() / kMmPerInch), y_(device.logicalDpiY() / kMmPerInch) {}
    QPointF point(QPointF mm) const { return {mm.x() * x_, mm.y() * y_}; }
    QRectF rect(QRectF mm) const { return {point(mm.topLeft()), point(mm.bottomRight())}; }
    double width(double mm) const { return mm * x_; }

private:
    double x_, y_;
};

QFont sheetFont(double points, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The plan's share of one sheet, drawn by the plan renderer on a white surface at
// paper resolution. Returns the picture; its size in mm is its pixels / paperPixelsPerMm.
QImage renderTile(const PlanSource& source, const ScaledPlan& plan, const PageTile& tile) {
    const document::Layout& layout = source.layout;
    // Vehicle-picture pixels per millimetre of paper.
    const double pictureMm = layout.pixelsPerCm * plan.pages.scale / 10.0;
    const double pxPerMm = paperPixelsPerMm();
    const int width = std::max(1, int(std::ceil(tile.plan.width() * pxPerMm - 1e-6)));
    const int height = std::max(1, int(std::ceil(tile.plan.height() * pxPerMm - 1e-6)));
    platform::Surface surface(width, height, platform::kWhite);
    surface.clear();
    surface.setFontSize(platform::Surface::defaultFont().pointSizeF() * kPaperDotsPerInch /
                        kScreenDotsPerInch);
    const render::View view{float(pxPerMm / pictureMm),
                            float(plan.zone.left() + tile.plan.left() * pictureMm),
                            float(plan.zone.top() + tile.plan.top() * pictureMm)};
    render::PlanRenderer renderer(source.pictures, source.libraryRoot);
    renderer.drawPlan(surface, layout, view, paperPreferences(source.prefs));
    return surface.image();
}

// Whether a sheet's share shows anything of the plan: a pixel visibly darker than the
// paper in one of its channels. A picture's white margin, with its near-white noise, is
// paper; a pale tint is not.
bool holdsPlanPixels(const QImage& share) {
    constexpr int kPaperAbove = 240;
    const QImage rgb = share.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            if (qRed(line[x]) < kPaperAbove || qGreen(line[x]) < kPaperAbove ||
                qBlue(line[x]) < kPaperAbove)
                return true;
    }
    return false;
}

// Leaves out the sheets whose share holds nothing of the plan, keeping at least the
// first, so that a blank plan still gives its sheet with the scale and the stamp.
void leaveOutBlankSheets(const PlanSource& source, ScaledPlan& plan) {
    std::vector<PageTile> kept;
    for (const PageTile& tile : plan.pages.tiles)
        if (holdsPlanPixels(renderTile(source, plan, tile)))
            kept.push_back(tile);
    if (kept.empty() && !plan.pages.tiles.empty())
        kept.push_back(plan.pages.tiles.front());
    plan.pages.tiles = std::move(kept);
}

void drawText(QPainter& painter, const QRectF& rect, int flags, const QString& text,
              const QFont& font) {
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(rect, flags, text);
}

// The grey frame of the plan's share and, towards each neighbouring sheet, a dashed
// line where the strip both sheets show begins, labelled with the neighbour's page.
void drawAssemblyMarks(QPainter& painter, const SheetUnits& units, const PageLayout& pages,
                       const PageTile& tile, const QRectF& shown) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kMarkGrey, units.width(0.2)));
    painter.drawRect(units.rect(shown));
    QPen dashed(kMarkGrey, units.width(0.25), Qt::DashLine);
    const QFont small = sheetFont(6);
    // A neighbour left out is no page to assemble with.
    const auto neighbour = [&](int row, int column) {
        const int number = pages.sheetNumber(row, column);
        return number > 0 ? QStringLiteral("page %1").arg(number) : QString();
    };
    const double o = kOverlapMm;
    struct Edge {
        int row, column;
        QLineF line;
        QRectF label;
        int flags;
    };
    const Edge edges[] = {
        {tile.row, tile.column + 1,
         QLineF(shown.right() - o, shown.top(), shown.right() - o, shown.bottom()),
         QRectF(shown.right() - o + 0.5, shown.top() + 0.5, o - 1, 4), Qt::AlignLeft},
        {tile.row, tile.column - 1,
         QLineF(shown.left() + o, shown.top(), shown.left() + o, shown.bottom()),
         QRectF(shown.left() + 0.5, shown.top() + 0.5, o - 1, 4), Qt::AlignLeft},
        {tile.row + 1, tile.column,
         QLineF(shown.left(), shown.bottom() - o, shown.right(), shown.bottom() - o),
         QRectF(shown.left() + 0.5, shown.bottom() - o + 0.5, 30, 4), Qt::AlignLeft},
        {tile.row - 1, tile.column,
         QLineF(shown.left(), shown.top() + o, shown.right(), shown.top() + o),
         QRectF(shown.right() - 30.5, shown.top() + o - 4.5, 30, 4), Qt::AlignRight},
    };
    for (const Edge& edge : edges) {
        const QString page = neighbour(edge.row, edge.column);
        if (page.isEmpty())
            continue;
        painter.setPen(dashed);
        painter.drawLine(QLineF(units.point(edge.line.p1()), units.point(edge.line.p2())));
        drawText(painter, units.rect(edge.label), edge.flags | Qt::AlignTop, page, small);
    }
}

// The footer: the scale bar with its length in cm and the scale in words on the
// left, the page mark on the right, the stamp centred on the bottom line.
void drawFooter(QPainter& painter, const SheetUnits& units, const PageLayout& pages,
                const PageTile& tile, const document::Layout& layout) {
    const QRectF f = pages.footer;
    const ScaleBar bar = scaleBar(pages.scale);
    const QRectF barRect(f.left(), f.top() + 3.0, bar.millimetres, 1.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRect(units.rect(barRect));
    const QFont label = sheetFont(7);
    drawText(painter, units.rect(QRectF(barRect.left() - 5, barRect.bottom() + 0.5, 10, 4)),
             Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("0"), label);
    drawText(painter, units.rect(QRectF(barRect.right() - 15, barRect.bottom() + 0.5, 30, 4)),
             Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("%1 cm").arg(bar.centimetres), label);
    drawText(painter, units.rect(QRectF(barRect.right() + 18, f.top() + 1, 60, 6)),
             Qt::AlignLeft | Qt::AlignVCenter, scaleWords(pages.scale), sheetFont(9, true));
    drawText(painter, units.rect(QRectF(f.right() - 80, f.top() + 1, 80, 6)),
             Qt::AlignRight | Qt::AlignVCenter, pages.pageMark(tile), sheetFont(9));
    const QString stamp = layout.vehicleModel + QLatin1Char(' ') + layout.vehicleBody +
                          QStringLiteral("  -  Kestrion  -  ") + platform::kSiteHost;
    drawText(painter, units.rect(QRectF(f.left(), f.bottom() - 5, f.width(), 5)),
             Qt::AlignHCenter | Qt::AlignBottom, stamp, sheetFont(8, true));
}

// The mass budget in a small framed box at the top-left corner of the plan's share.
void drawMassBox(QPainter& painter, const SheetUnits& units, const PageTile& tile,
                 const QStringList& lines) {
    constexpr double kLine = 3.6, kPad = 1.5, kWidth = 92; // mm
    const QRectF box(tile.at + QPointF(3, 3), QSizeF(kWidth, lines.size() * kLine + 2 * kPad));
    painter.setPen(QPen(Qt::black, units.width(0.3)));
    painter.setBrush(Qt::white);
    painter.drawRect(units.rect(box));
    const QFont font = sheetFont(7);
    for (int k = 0; k < lines.size(); ++k)
        drawText(painter,
                 units.rect(QRectF(box.left() + kPad, box.top() + kPad + k * kLine,
                                   kWidth - 2 * kPad, kLine)),
                 Qt::AlignLeft | Qt::AlignVCenter, lines[k], font);
}

QPageSize::PageSizeId pageSizeOf(Paper paper) {
    return paper == Paper::A3 ? QPageSize::A3 : QPageSize::A4;
}

} // namespace

PlanBounds planBounds(const document::Layout& layout) {
    using namespace document;
    const QRectF picture(0, 0, std::max(1.0f, layout.pictureWidth),
                         std::max(1.0f, layout.pictureHeight));
    const double pixelsPerCm = layout.pixelsPerCm > 0 ? layout.pixelsPerCm : 1.0;
    const double far = kFarthestCm * pixelsPerCm;
    const QRectF allowed = picture.adjusted(-far, -far, far, far);
    PlanBounds bounds{picture, 0};
    for (const PlanObject& object : layout.objects) {
        const QRectF box(object.position.x, object.position.y,
                         std::max(1.0, std::fabs(object.widthCm * pixelsPerCm)),
                         std::max(1.0, std::fabs(object.heightCm * pixelsPerCm)));
        // Written so that NaN fails every comparison and counts as too far.
        const bool within = box.left() >= allowed.left() && box.top() >= allowed.top() &&
                            box.right() <= allowed.right() && box.bottom() <= allowed.bottom();
        if (within)
            bounds.rect = bounds.rect.united(box);
        else
            ++bounds.objectsTooFar;
    }
    return bounds;
}

QString ScaledPlan::refusal() const {
    if (objectsTooFar > 0)
        return QStringLiteral("%1 objet(s) du plan se trouvent à plus de %2 m de l'image du "
                              "véhicule : le plan ne peut pas être mis à l'échelle.\n\n"
                              "Rapprochez-les ou supprimez-les.")
            .arg(objectsTooFar)
            .arg(int(kFarthestCm / 100));
    if (pages.tooManyPages())
        return tooManyPagesMessage(pages);
    return {};
}

QPageLayout ScaledPlan::pageLayout() const {
    return QPageLayout(QPageSize(pageSizeOf(setup.paper)),
                       setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

ScaledPlan prepareScaledPlan(const PlanSource& source, const ScaleSetup& setup) {
    const document::Layout& layout = source.layout;
    ScaledPlan plan;
    plan.setup = setup;
    const PlanBounds extent = planBounds(layout);
    const QRectF bounds = extent.rect;
    plan.objectsTooFar = extent.objectsTooFar;
    plan.zone = bounds;
    if (plan.objectsTooFar > 0)
        return plan; // refused as it is: nothing to search or lay out
    if (setup.automaticZone) {
        const double zoom =
            std::min(1.0, kLargestOverview / std::max(bounds.width(), bounds.height()));
        platform::Surface overview(int(std::ceil(bounds.width() * zoom)),
                                   int(std::ceil(bounds.height() * zoom)),
                                   platform::kWindowBackground);
        overview.clear();
        render::PlanRenderer renderer(source.pictures, source.libraryRoot);
        renderer.drawPlan(overview, layout,
                          render::View{float(zoom), float(bounds.left()), float(bounds.top())},
                          source.prefs);
        const Zone z = findExportZone(overview, true);
        plan.zone = QRectF(bounds.left() + z.left / zoom, bounds.top() + z.top / zoom,
                           (z.right - z.left) / zoom, (z.bottom - z.top) / zoom);
    }
    const double pixelsPerCm = layout.pixelsPerCm > 0 ? layout.pixelsPerCm : 1.0;
    plan.pages = layoutPages(plan.zone.size() / pixelsPerCm, setup);
    leaveOutBlankSheets(source, plan);
    return plan;
}

bool paintScaledPages(QPagedPaintDevice& device, const PlanSource& source, const ScaledPlan& plan,
                      int copies) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const SheetUnits units(device);
    const double pxPerMm = paperPixelsPerMm();
    const std::vector<PageTile>& tiles = plan.pages.tiles;
    const std::size_t sheets = tiles.size() * std::size_t(std::max(1, copies));
    for (std::size_t sheet = 0; sheet < sheets; ++sheet) {
        const PageTile& tile = tiles[sheet % tiles.size()];
        if (sheet > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        const QImage picture = renderTile(source, plan, tile);
        // The picture's own size, so that its pixels keep exactly the paper resolution.
        const QRectF shown(tile.at, QSizeF(picture.width() / pxPerMm, picture.height() / pxPerMm));
        painter.drawImage(units.rect(shown), picture);
        drawAssemblyMarks(painter, units, plan.pages, tile, shown);
        drawFooter(painter, units, plan.pages, tile, source.layout);
        if (&tile == &plan.pages.tiles.front() && !source.massLines.isEmpty())
            drawMassBox(painter, units, tile, source.massLines);
    }
    return painter.end();
}

QString tooManyPagesMessage(const PageLayout& pages) {
    return QStringLiteral("À l'échelle 1:%1, le plan demanderait %2 pages (au plus %3).\n\n"
                          "Choisissez une échelle plus petite ou « Ajuster à la page ».")
        .arg(pages.scale)
        .arg(pages.pageCount())
        .arg(kMostPages);
}

QString writeScaledPdf(const QString& path, const PlanSource& source, const ScaledPlan& plan) {
    if (const QString refusal = plan.refusal(); !refusal.isEmpty())
        return refusal;
    const QString failed = QStringLiteral("Impossible d'exporter le plan en PDF.");
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(int(kPaperDotsPerInch));
        writer.setCreator(QStringLiteral("Kestrion"));
        writer.setTitle(source.layout.vehicleModel + QLatin1Char(' ') + source.layout.vehicleBody);
        writer.setPageLayout(plan.pageLayout());
        if (!paintScaledPages(writer, source, plan))
            return failed;
    }
    return platform::writeWholeFile(path, bytes) ? QString() : failed;
}

QString printScaled(platform::Printer& printer, const PlanSource& source, const ScaledPlan& plan) {
    if (const QString refusal = plan.refusal(); !refusal.isEmpty())
        return refusal;
    return printer.printPages(plan.pageLayout(), [&](QPagedPaintDevice& device, int copies) {
        return paintScaledPages(device, source, plan, copies);
    });
}

} // namespace output
