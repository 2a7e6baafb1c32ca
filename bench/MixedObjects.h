#pragma once

// The full table the redraw and editor benchmarks share: 1000 objects of every kind,
// spread over a 1100 x 540 pixel van at 2 pixels per cm, some of them textured
// ("Planches.bmp") and one in eight an accessory ("Cuisine_Bloc_75_50_XY_.jpg").
#include "document/ObjectTable.h"

#include <QString>

namespace bench {

inline document::ObjectTable mixedObjects() {
    using document::Fill;
    using document::ObjectKind;
    const ObjectKind kinds[] = {ObjectKind::Measure,  ObjectKind::Rectangle, ObjectKind::Rectangle,
                                ObjectKind::Ellipse,  ObjectKind::Text,      ObjectKind::Line,
                                ObjectKind::Triangle, ObjectKind::Accessory};
    document::ObjectTable table;
    for (int i = 0; i < document::kMaxObjects; ++i) {
        document::PlanObject object;
        object.kind = kinds[i % 8];
        object.position = {float((i * 37) % 1000), float((i * 53) % 480)};
        object.heightCm = float(15 + (i * 7) % 60);
        object.widthCm = float(20 + (i * 11) % 90);
        const bool textured = object.kind == ObjectKind::Rectangle && i % 16 == 2;
        object.fill = object.kind == ObjectKind::Accessory
                          ? Fill::file(QStringLiteral("Cuisine_Bloc_75_50_XY_.jpg"))
                      : textured ? Fill::file(QStringLiteral("Planches.bmp"))
                                 : Fill::colour(i % 16);
        if (object.kind == ObjectKind::Text)
            object.text = QStringLiteral("Rangement");
        else
            object.orientation = document::Orientation::stored(
                std::int16_t(object.kind == ObjectKind::Line ? i % 2 : (i / 8) % 4));
        table.append(object);
    }
    return table;
}

} // namespace bench
