#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace output {

enum class Paper { A4, A3 };

// What the scale dialog and the command line choose for a true-scale output.
struct ScaleSetup {
    int scale = 20; // 1:scale; kFitScale fits the plan on one page
    Paper paper = Paper::A4;
    bool landscape = false;
    bool automaticZone = true; // the drawn zone (as the image export finds it), else the whole plan
    bool operator==(const ScaleSetup&) const = default;
};

constexpr int kFitScale = 0;
// The scales offered, in the dialog's order; kFitScale is "Ajuster à la page".
constexpr std::array<int, 6> kOfferedScales = {5, 10, 20, 25, 50, kFitScale};

// Sheet geometry, in millimetres: a margin on every side, the footer band at the
// bottom of the printable part, and the strip two neighbouring pages both show.
constexpr double kMarginMm = 10.0;
constexpr double kFooterMm = 16.0;
constexpr double kOverlapMm = 10.0;
// More pages than this is taken for a mistaken scale and refused.
constexpr int kMostPages = 100;
// Rows and columns are counted up to this many, so that any plan's page count is exact
// or at least this large, never overflowing.
constexpr int kMostPieces = 1000000;

// "1:20", or "Ajuster à la page" for kFitScale.
QString scaleCaption(int scale);
// "Échelle 1:20".
QString scaleWords(int scale);
// A scale as the command line gives it: 5, 10, 20, 25 or 50 (also as "1:20"), or "fit".
std::optional<int> parseScale(const QString& text);
// "A4" or "A3", in either case.
std::optional<Paper> parsePaper(const QString& text);

// The sheet's size in mm, turned for landscape.
QSizeF paperSize(Paper paper, bool landscape);

// One sheet's share of the plan. Plan rectangles are in millimetres on paper, from
// the plan's top-left corner.
struct PageTile {
    int row = 0, column = 0; // 0-based
    QRectF plan;             // the part of the plan this sheet shows
    QPointF at;              // where plan.topLeft() goes, mm from the sheet's corner
};

// How a plan is laid out on sheets at one scale.
struct PageLayout {
    QSizeF paper;              // mm
    QRectF drawArea;           // mm: where the plan goes on every sheet
    QRectF footer;             // mm: scale bar, scale, stamp and page mark
    int scale = 20;            // the 1:N used (the fitting one when the setup asks to fit)
    QSizeF planMm;             // the plan's size on paper
    int rows = 1, columns = 1; // at most kMostPieces each
    // The sheets that go on paper, row by row, left to right, numbered from 1 in this
    // order. A sheet left out (see prepareScaledPlan) leaves its row and column empty.
    std::vector<PageTile> tiles;

    // The sheets of every row and column, before any is left out.
    qint64 pageCount() const { return qint64(rows) * columns; }
    bool tooManyPages() const { return pageCount() > kMostPages; }
    // The number of the sheet at a 0-based row and column; 0 when it does not go on paper.
    int sheetNumber(int row, int column) const;
    // "Page 2/3 : rangée 1, colonne 3": the sheet's number among those that go on paper,
    // and its place among the rows and columns of the whole plan.
    QString pageMark(const PageTile& tile) const;
};

// The smallest whole N at which a plan of planCm (cm of the van) fits into area (mm),
// at most kMostPieces.
int fittingScale(QSizeF planCm, QSizeF areaMm);

// Lays a plan of planCm (cm of the van, each side at least 1 cm) out on sheets. A plan
// larger than the drawing area is split into rows and columns that overlap by
// kOverlapMm; the last row and column take what is left.
PageLayout layoutPages(QSizeF planCm, const ScaleSetup& setup);

// The scale bar: a round length of the van whose picture on paper is at most 60 mm.
struct ScaleBar {
    int centimetres = 0;
    double millimetres = 0.0;
};
ScaleBar scaleBar(int scale);

} // namespace output
