#include "editor/Magnetism.h"

namespace editor {

SnapTargets Magnetism::targets() const {
    const document::Layout& layout = core_.layout;
    SnapTargets targets;
    if (!layout.isOpen)
        return targets;
    const render::View& v = core_.view.view;
    const double pixelsPerCm = core_.pixelsPerCm();
    targets.objects.reserve(std::size_t(layout.objects.count()));
    for (const document::PlanObject& object : layout.objects) {
        const double scale =
            object.kind == document::ObjectKind::Text ? pixelsPerCm : pixelsPerCm * v.zoom;
        targets.objects.push_back(PlanBox{
            (object.position.x - v.originX) * v.zoom, (object.position.y - v.originY) * v.zoom,
            float(object.widthCm * scale), float(object.heightCm * scale)});
    }
    // A mirrored picture covers the same area as the picture itself.
    targets.picture = PlanBox{-v.originX * v.zoom, -v.originY * v.zoom,
                              layout.pictureWidth * v.zoom, layout.pictureHeight * v.zoom};
    return targets;
}

PlanBox Magnetism::moved(const PlanBox& box, bool snap) {
    const SnapTargets all = targets();
    Snapped result{box, {}};
    if (snap)
        result = snapMove(box, all);
    aids_.guides = std::move(result.guides);
    aids_.gaps = gapsAround(result.box, all);
    return result.box;
}

PlanBox Magnetism::resized(const PlanBox& box, Handle handle, bool snap) {
    const SnapTargets all = targets();
    Snapped result{box, {}};
    if (snap)
        result = snapResize(box, handle, all);
    aids_.guides = std::move(result.guides);
    aids_.gaps = gapsAround(result.box, all);
    return result.box;
}

} // namespace editor
