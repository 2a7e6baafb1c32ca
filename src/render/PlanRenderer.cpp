#include "render/PlanRenderer.h"

#include "document/Numbers.h"
#include "document/Palette.h"
#include "render/ScaleModel.h"

#include <algorithm>
#include <cmath>

namespace render {

namespace {

using platform::Colour;
using platform::Surface;

// Whole number nearest to a single-precision value, halves to even.
int CInt(float v) {
    return document::M(double(v));
}

// Columns a vertical-line fill can touch on this surface: drawing outside them
// paints nothing, so the loops skip them (a zoomed-in shape may span thousands).
int firstVisibleColumn(int from) {
    return std::max(from, -1);
}
int lastVisibleColumn(const Surface& s, int to) {
    return std::min(to, s.width());
}

void drawMeasure(Surface& s, float X, float Y, float H, float W, Colour colour,
                 const DrawContext& context) {
    QString label;
    float textX = 0, textY = 0;
    if (W > H) {
        s.line(X, Y + 4, X + W, Y + 4, colour);
        s.line(X, Y + 5, X + W, Y + 5, colour);
        for (int k = 1; k <= 5; ++k) {
            s.line(X + k - 1, Y + 5 - k, X + k - 1, Y + 5 + k, colour);
            s.line(X + W - k, Y + 5 - k, X + W - k, Y + 5 + k, colour);
        }
        label = QString::number(longueurCm(W, context.zoom, context.vehicule_resol));
        const QSize size = s.TailleTexte(label);
        textX = float(document::roundHalfEven(X + W / 2 - float(size.width()) / 2));
        textY = Y + 5;
    } else {
        // A square box counts as vertical: the arrow runs along the box's right edge.
        s.line(X + W - 5, Y, X + W - 5, Y + H, colour);
        s.line(X + W - 6, Y, X + W - 6, Y + H, colour);
        for (int k = 1; k <= 5; ++k) {
            s.line(X + W - 5 - k, Y + k - 1, X + W - 5 + k, Y + k - 1, colour);
            s.line(X + W - 5 - k, Y + H - k, X + W - 5 + k, Y + H - k, colour);
        }
        label = QString::number(longueurCm(H, context.zoom, context.vehicule_resol));
        const QSize size = s.TailleTexte(label);
        textX = X + W - 6 - float(size.width()) - 1;
        textY = float(document::roundHalfEven(Y + H / 2 - float(size.height()) / 2));
    }
    s.CurrentX = textX;
    s.CurrentY = textY;
    s.ForeColor = colour;
    s.Print(label);
}

void drawEllipse(Surface& s, float X, float Y, float H, float W, Colour colour) {
    const float cx = X + W / 2, cy = Y + H / 2;
    const int last = lastVisibleColumn(s, CInt(X + W));
    for (int i = firstVisibleColumn(CInt(X)); i <= last; ++i) {
        const float t = (float(i) - cx) / (W / 2);
        // The root is taken in double precision and the half-height stored back in single.
        const float d = float(double(H / 2) * std::sqrt(double(std::fabs(1.0f - t * t))));
        s.line(float(i), cy - d, float(i), cy + d, colour);
    }
}

void drawTriangle(Surface& s, float X, float Y, float H, float W, Colour colour, int extra) {
    if (extra < 0 || extra > 3)
        return;
    const int last = lastVisibleColumn(s, CInt(X + W - 1));
    for (int i = firstVisibleColumn(CInt(X)); i <= last; ++i) {
        const float col = float(i);
        const float sv = (col - X) * H / W;
        switch (extra) {
        case 0: // right angle at the top-right corner
            s.line(col, Y, col, Y + sv, colour);
            break;
        case 1: // top-left
            s.line(col, Y, col, Y + H - sv, colour);
            break;
        case 2: // bottom-left
            s.line(col, Y + H - 1, col, Y + sv, colour);
            break;
        case 3: // bottom-right
            s.line(col, Y + H - 1, col, Y + H - 1 - sv, colour);
            break;
        }
    }
}

void drawText(Surface& s, float X, float Y, const QString& text, Colour colour, bool fondblanc) {
    s.CurrentX = X;
    s.CurrentY = Y;
    s.FontTransparent = !fondblanc;
    s.ForeColor = colour;
    s.Print(text);
    s.FontTransparent = true;
}

void drawLine(Surface& s, float X, float Y, float H, float W, Colour colour, int diagonal,
              int width) {
    s.DrawWidth = width;
    if (diagonal == 0)
        s.line(X, Y, X + W - 1, Y + H - 1, colour);
    else if (diagonal == 1)
        s.line(X + W, Y, X, Y + H - 1, colour);
    s.DrawWidth = 1;
}

// A work surface's whole-pixel size for a fractional box side: at least one pixel and at
// most kLargestWork. A larger box gets the turned work surface stretched over it, so a
// box of any size never asks for more than a 4096 x 4096 work picture.
constexpr int kLargestWork = 4096;
int workSize(float v) {
    return std::clamp(CInt(v), 1, kLargestWork);
}

// Texture tiles start at multiples of the tile side from the box's edge. A box may reach
// far past the surface; only the tiles near the surface are worth painting. These give,
// on one axis, the first tile offset that can reach the surface (the box starting at
// start; never past the box's end) and the last offset that still lies on it.
qint64 firstTileOffset(float start, int tile, qint64 end) {
    const double hiddenTiles = std::floor(-double(start) / tile) - 1;
    if (!(hiddenTiles > 0))
        return 0;
    return qint64(std::min(hiddenTiles, double(end / tile + 1))) * tile;
}
qint64 lastVisibleOffset(float start, int visible) {
    const double last = std::ceil(double(visible) - double(start));
    return std::isnan(last) ? -1 : qint64(std::clamp(last, -1.0, 1e15));
}

} // namespace

PlanRenderer::PlanRenderer(platform::PictureCache& pictures, QString apath)
    : pictures_(pictures), apath_(std::move(apath)) {}

const QImage* PlanRenderer::libraryPicture(const QString& folder, const QString& file) {
    if (file.isEmpty())
        return nullptr;
    const QImage* picture = pictures_.get(apath_ + QLatin1Char('/') + folder, file);
    return picture && !picture->isNull() ? picture : nullptr;
}

void PlanRenderer::Affiche(Surface& picture1, const document::Layout& layout, const View& view,
                           const settings::Preferences& prefs) {
    const PicturePlacement placement =
        placeVehicle(layout.image_largeur, layout.image_hauteur, view.zoom, view.origine_x,
                     view.origine_y, layout.inv_g_d, layout.inv_h_b);
    if (!prefs.carross)
        picture1.PaintPicture(layout.image_vehicule, placement.left, placement.top, placement.width,
                              placement.height);

    const int count = layout.objets.nb_objets();
    for (int i = 1; i <= count; ++i) {
        // Read the view afresh for every row: queued events may have scrolled or zoomed.
        const document::ObjectRow& row = layout.objets.row(i);
        ScreenBox box = screenBox(row, view, layout.vehicule_resol);
        DrawContext context{view.zoom, layout.vehicule_resol, prefs};
        DessinerObjet(picture1, box.x, box.y, box.h, box.w, row[document::ColKind],
                      row[document::ColFill], row[document::ColExtra], context);
        if (processEvents)
            processEvents();
    }

    if (prefs.carross)
        picture1.PaintPicture(layout.image_vehicule, placement.left, placement.top, placement.width,
                              placement.height, platform::RasterOp::And);
}

void PlanRenderer::DessinerObjet(Surface& surface, float& x, float& y, float& h, float& w,
                                 const document::Cell& kind, const document::Cell& fill,
                                 const document::Cell& extra, const DrawContext& context) {
    if (h == 0)
        h = 1;
    if (w == 0)
        w = 1;
    // A box out of float range (from extreme values in a file) has no place on the plan.
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(h) || !std::isfinite(w))
        return;
    const Colour colour = document::paletteColour(fill.toInt());
    switch (kind.toInt()) {
    case document::Mesure:
        surface.DrawWidth = 1;
        drawMeasure(surface, x, y, h, w, colour, context);
        break;
    case document::Rectangle:
        if (fill.isFileName())
            RemplirTexture(surface, x, y, h, w, fill.toString());
        else
            surface.fillBox(x, y, x + w - 1, y + h - 1, colour);
        break;
    case document::Ellipse:
        surface.DrawWidth = 1;
        drawEllipse(surface, x, y, h, w, colour);
        break;
    case document::Texte:
        drawText(surface, x, y, extra.toString(), colour, context.prefs.fondblanc);
        break;
    case document::Ligne:
        drawLine(surface, x, y, h, w, colour, extra.toInt(), context.prefs.lineWidth());
        break;
    case document::Triangle:
        surface.DrawWidth = 1;
        drawTriangle(surface, x, y, h, w, colour, extra.toInt());
        break;
    case document::Accessoire:
        drawAccessory(surface, x, y, h, w, fill.toString(), extra.toInt());
        break;
    default:
        break;
    }
}

void PlanRenderer::drawAccessory(Surface& surface, float x, float y, float h, float w,
                                 const QString& file, int orientation) {
    const QImage* picture = libraryPicture(QStringLiteral("accessoires"), file);
    if (!picture)
        return;
    switch (orientation) {
    case 0:
        surface.PaintPicture(*picture, x, y, w, h);
        break;
    case 2:
        // Negative sizes mirror the picture over the area from (x + w, y + h) back to
        // (x, y): the same pixels as the unturned picture covers.
        surface.PaintPicture(*picture, x + w, y + h, -w, -h);
        break;
    case 1:
    case 3: {
        // The unturned shape is h wide and w high; turned, it fills the w x h box.
        Surface work(workSize(h), workSize(w));
        work.PaintPicture(*picture, 0, 0, float(work.width()), float(work.height()));
        PivoterImage(orientation, work);
        surface.PaintPicture(work.Image(), x, y, w, h);
        break;
    }
    default:
        break;
    }
}

void PlanRenderer::RemplirTexture(Surface& surface, float x, float y, float& h, float& w,
                                  const QString& file) {
    if (w < 1)
        w = 1;
    if (h < 1)
        h = 1;
    const QImage* texture = libraryPicture(QStringLiteral("textures"), file);
    if (!texture)
        return;
    const int tw = texture->width(), th = texture->height();
    const qint64 rowsEnd = CInt(h), columnsEnd = CInt(w);
    const qint64 lastRow = std::min(rowsEnd, lastVisibleOffset(y, surface.height()));
    const qint64 lastColumn = std::min(columnsEnd, lastVisibleOffset(x, surface.width()));
    // Every tile starts at the texture's own top-left corner, so the pattern is anchored
    // at the box's top-left; the last row and column are cut to the box.
    for (qint64 i = firstTileOffset(y, th, rowsEnd); i <= lastRow; i += th) {
        const int tileH = h - float(i) < float(th) ? CInt(h - float(i)) : th;
        for (qint64 j = firstTileOffset(x, tw, columnsEnd); j <= lastColumn; j += tw) {
            const int tileW = w - float(j) < float(tw) ? CInt(w - float(j)) : tw;
            if (tileW > 0 && tileH > 0)
                surface.PaintPicture(*texture, x + float(j), y + float(i), float(tileW),
                                     float(tileH), 0, 0, float(tileW), float(tileH));
        }
    }
}

void PlanRenderer::PivoterImage(int direction, Surface& surface) {
    if (direction != 1 && direction != 3)
        return;
    const QImage source = surface.Image().convertToFormat(QImage::Format_RGB32);
    const int Hs = surface.height(), Ws = surface.width();
    QImage turned(Hs, Ws, QImage::Format_RGB32);
    QString shown;
    for (int a = 0; a < Hs; ++a) {
        const QString progress =
            QStringLiteral("Patientez... %1%").arg(document::M(double(a) * 10 / Hs) * 10);
        if (status && progress != shown)
            status(progress);
        shown = progress;
        // Destination column a is one source row: row a read from right to left when
        // turning counter-clockwise, row Hs - 1 - a read from left to right when clockwise.
        if (direction == 1) {
            const auto* src = reinterpret_cast<const QRgb*>(source.constScanLine(a));
            for (int b = 0; b < Ws; ++b)
                reinterpret_cast<QRgb*>(turned.scanLine(b))[a] = src[Ws - 1 - b];
        } else {
            const auto* src = reinterpret_cast<const QRgb*>(source.constScanLine(Hs - 1 - a));
            for (int b = 0; b < Ws; ++b)
                reinterpret_cast<QRgb*>(turned.scanLine(b))[a] = src[b];
        }
    }
    if (status)
        status(QString());
    surface.resize(Hs, Ws);
    surface.Cls();
    surface.PaintPictureAt(turned, 0, 0);
}

} // namespace render
