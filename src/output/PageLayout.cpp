#include "output/PageLayout.h"

#include <algorithm>
#include <cmath>

namespace output {

namespace {

constexpr double kLongestBarMm = 60.0;

// A count computed in floating point, made whole and kept within 1..kMostPieces before
// it becomes an int (NaN counts as the most).
int wholeCount(double count) {
    if (!(count < kMostPieces))
        return kMostPieces;
    return std::max(1, int(std::ceil(count - 1e-9)));
}

// Pieces of length `area` overlapping by kOverlapMm that cover `length`.
int piecesFor(double length, double area) {
    if (length <= area)
        return 1;
    return wholeCount((length - kOverlapMm) / (area - kOverlapMm));
}

} // namespace

QString scaleCaption(int scale) {
    return scale == kFitScale ? QStringLiteral("Ajuster à la page")
                              : QStringLiteral("1:%1").arg(scale);
}

QString scaleWords(int scale) {
    return QStringLiteral("Échelle 1:%1").arg(scale);
}

std::optional<int> parseScale(const QString& text) {
    QString t = text.trimmed().toLower();
    if (t == QLatin1String("fit"))
        return kFitScale;
    if (t.startsWith(QLatin1String("1:")))
        t = t.mid(2);
    bool ok = false;
    const int n = t.toInt(&ok);
    if (!ok || n == kFitScale ||
        std::find(kOfferedScales.begin(), kOfferedScales.end(), n) == kOfferedScales.end())
        return std::nullopt;
    return n;
}

std::optional<Paper> parsePaper(const QString& text) {
    const QString t = text.trimmed().toUpper();
    if (t == QLatin1String("A4"))
        return Paper::A4;
    if (t == QLatin1String("A3"))
        return Paper::A3;
    return std::nullopt;
}

QSizeF paperSize(Paper paper, bool landscape) {
    const QSizeF portrait = paper == Paper::A3 ? QSizeF(297, 420) : QSizeF(210, 297);
    return landscape ? portrait.transposed() : portrait;
}

int fittingScale(QSizeF planCm, QSizeF areaMm) {
    // 1 cm of the van is 10 / N mm on paper.
    const double needed =
        std::max(planCm.width() * 10.0 / areaMm.width(), planCm.height() * 10.0 / areaMm.height());
    return wholeCount(needed);
}

int PageLayout::sheetNumber(int row, int column) const {
    const auto found = std::find_if(tiles.begin(), tiles.end(), [&](const PageTile& tile) {
        return tile.row == row && tile.column == column;
    });
    return found == tiles.end() ? 0 : int(found - tiles.begin()) + 1;
}

QString PageLayout::pageMark(const PageTile& tile) const {
    return QStringLiteral("Page %1/%2 : rangée %3, colonne %4")
        .arg(sheetNumber(tile.row, tile.column))
        .arg(tiles.size())
        .arg(tile.row + 1)
        .arg(tile.column + 1);
}

PageLayout layoutPages(QSizeF planCm, const ScaleSetup& setup) {
    PageLayout pages;
    pages.paper = paperSize(setup.paper, setup.landscape);
    pages.drawArea = QRectF(kMarginMm, kMarginMm, pages.paper.width() - 2 * kMarginMm,
                            pages.paper.height() - 2 * kMarginMm - kFooterMm);
    pages.footer = QRectF(kMarginMm, pages.drawArea.bottom(), pages.drawArea.width(), kFooterMm);
    planCm = planCm.expandedTo(QSizeF(1, 1));
    pages.scale = setup.scale == kFitScale ? fittingScale(planCm, pages.drawArea.size())
                                           : std::max(1, setup.scale);
    pages.planMm = planCm * 10.0 / pages.scale;

    const QSizeF area = pages.drawArea.size();
    pages.columns = piecesFor(pages.planMm.width(), area.width());
    pages.rows = piecesFor(pages.planMm.height(), area.height());
    if (pages.tooManyPages())
        return pages;
    const double stepX = area.width() - kOverlapMm, stepY = area.height() - kOverlapMm;
    for (int r = 0; r < pages.rows; ++r) {
        for (int c = 0; c < pages.columns; ++c) {
            PageTile tile;
            tile.row = r;
            tile.column = c;
            const double x = c * stepX, y = r * stepY;
            tile.plan = QRectF(x, y, std::min(area.width(), pages.planMm.width() - x),
                               std::min(area.height(), pages.planMm.height() - y));
            tile.at = pages.drawArea.topLeft();
            pages.tiles.push_back(tile);
        }
    }
    return pages;
}

ScaleBar scaleBar(int scale) {
    // 1, 2 and 5 times a power of ten, the longest that fits.
    ScaleBar bar{1, 10.0 / std::max(1, scale)};
    for (int decade = 1; decade <= 100000; decade *= 10) {
        for (int step : {1, 2, 5}) {
            const double mm = double(step * decade) * 10.0 / std::max(1, scale);
            if (mm <= kLongestBarMm)
                bar = {step * decade, mm};
        }
    }
    return bar;
}

} // namespace output
