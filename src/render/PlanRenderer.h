#pragma once

#include "document/Layout.h"
#include "platform/Pictures.h"
#include "platform/Surface.h"
#include "render/CoverMask.h"
#include "render/ScaleModel.h"
#include "settings/Preferences.h"

#include <QString>

#include <functional>
#include <vector>

namespace render {

// The view onto the plan: zoom factor (1.0 = 100 %) and the unzoomed vehicle-picture
// pixel shown at the surface's top-left corner.
struct View {
    float zoom = 1.0f;
    float originX = 0.0f;
    float originY = 0.0f;
    bool operator==(const View&) const = default;
};

// An object's box on a surface, in surface pixels (single precision).
struct ScreenBox {
    float x = 0, y = 0, w = 0, h = 0;
};

// Screen mapping of one object: x = Round(left * zoom) - Round(originX * zoom) (each
// product rounded half to even before the difference), y likewise; w = width * zoom *
// pixelsPerCm, h = height * zoom * pixelsPerCm, not rounded.
ScreenBox screenBox(const document::PlanObject& object, const View& view, double pixelsPerCm);

// What drawing one object needs besides the object itself.
struct DrawContext {
    float zoom = 1.0f;
    double pixelsPerCm = 1.0;
    settings::Preferences prefs;
};

// Draws the plan and its objects. Accessory and texture pictures are read from the
// library folders under libraryRoot at draw time (through the picture cache, which also
// keeps each accessory's turned versions). Every drawing step visits only the part of
// an object that lies on the surface, so a redraw costs the same at any zoom.
class PlanRenderer {
public:
    PlanRenderer(platform::PictureCache& pictures, QString libraryRoot);

    // Lets queued window events run between objects of a redraw.
    std::function<void()> processEvents;

    // Redraws the plan on canvas without clearing it first: the vehicle picture
    // (mirrored by the layout's flags), every object in order, and with bodyLinesInFront the
    // picture again ANDed over the objects. Pixels of the picture and of the objects that
    // a later colour rectangle, texture or accessory surely paints over are left out
    // (they could not show).
    void drawPlan(platform::Surface& canvas, const document::Layout& layout, const View& view,
                  const settings::Preferences& prefs);

    // Draws one object in its box in surface pixels and returns the box it drew: a side of
    // exactly 0 is drawn as 1. A box out of float range draws nothing and comes back as it
    // was. The object's own position and size are not read.
    ScreenBox drawObject(platform::Surface& surface, ScreenBox box,
                         const document::PlanObject& object, const DrawContext& context);

    // Tiles the texture file (in the textures folder) over the box from its top-left
    // corner; h and w below 1 become 1. Only the part of the box on the surface is drawn.
    void fillWithTexture(platform::Surface& surface, float x, float y, float& h, float& w,
                         const QString& file);

    const QString& libraryRoot() const { return libraryRoot_; }

private:
    // Where an object (or the vehicle picture) can show once the later objects are drawn.
    struct Showing {
        enum class Extent {
            Anywhere, // drawn whole
            Within,   // drawn only inside its bands: the rest is painted over later
            Nowhere   // painted over entirely
        };
        Extent extent = Extent::Anywhere;
        // Within: the rectangles over separate rows it is drawn in, in bands_.
        std::size_t firstBand = 0, bandCount = 0;
    };
    // Works out each object's box into boxes_, and where each object and the vehicle
    // picture can show into showing_ and vehicleShowing_.
    void findShowing(const platform::Surface& canvas, const document::Layout& layout,
                     const View& view, const settings::Preferences& prefs,
                     const PicturePlacement& vehicle);
    // The pixels that drawing the object in its box surely paints, in one go and whatever
    // was under them: a colour or texture rectangle or an accessory, less margins that no
    // rounding of the drawing routines can take back. Empty for other objects.
    QRect surelyPainted(const platform::Surface& surface, ScreenBox box,
                        const document::PlanObject& object);
    // The picture of the library folder (a full path), or nullptr when it cannot be read.
    const QImage* libraryPicture(const QString& folder, const QString& file);
    void drawAccessory(platform::Surface& surface, float x, float y, float h, float w,
                       const QString& file, document::AccessoryTurn turn);

    platform::PictureCache& pictures_;
    QString libraryRoot_;
    // The library's texture and accessory folders, made once rather than per object.
    QString textureFolder_, accessoryFolder_;
    // The column ends of the last ellipse or triangle, kept to spare an allocation each.
    std::vector<platform::Surface::ColumnSpan> spans_;
    // Worked out afresh for every redraw, kept to spare allocations.
    CoverMask covered_;
    std::vector<ScreenBox> boxes_;
    std::vector<Showing> showing_;
    std::vector<QRect> bands_;
    Showing vehicleShowing_;
};

} // namespace render
