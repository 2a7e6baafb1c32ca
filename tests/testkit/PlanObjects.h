#pragma once

#include "document/PlanObject.h"

namespace testkit {

// A plan object: its kind, top-left corner in picture pixels and size in cm, then what
// the kind uses of fill, lock, orientation and text.
inline document::PlanObject planObject(document::ObjectKind kind, float x, float y, float heightCm,
                                       float widthCm,
                                       document::Fill fill = document::Fill::colour(0),
                                       bool locked = false, int orientation = 0,
                                       const QString& text = QString()) {
    document::PlanObject object;
    object.kind = kind;
    object.position = {x, y};
    object.heightCm = heightCm;
    object.widthCm = widthCm;
    object.fill = std::move(fill);
    object.locked = locked;
    object.orientation = document::Orientation::stored(std::int16_t(orientation));
    object.text = text;
    return object;
}

} // namespace testkit
