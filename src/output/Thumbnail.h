#pragma once

#include "document/Layout.h"
#include "platform/Pictures.h"
#include "settings/Preferences.h"

#include <QImage>
#include <QRectF>
#include <QString>

namespace output {

// The drawn part of the plan, in unzoomed vehicle-picture pixels: the zone search of the
// image export run on the part of the plan given, drawn at most a few thousand pixels on
// its longer side, so that its cost does not grow with the picture's size. It is widened
// by the coarser search's uncertainty, so that a search of the plan drawn at full size
// finds all of its own zone inside this one.
QRectF findDrawnZone(const document::Layout& layout, const settings::Preferences& prefs,
                     const QRectF& part, platform::PictureCache& pictures,
                     const QString& libraryRoot);

// A preview of the plan at most size pixels on its longer side, never enlarged: the
// vehicle picture's extent (without a picture, the objects' extent on a white plan),
// cropped to the drawn zone when prefs.automaticZone, drawn directly at the zoom that fits
// it, whatever the picture's size. Pictures the library lacks show as grey boxes.
QImage drawThumbnail(const document::Layout& layout, const settings::Preferences& prefs, int size,
                     platform::PictureCache& pictures, const QString& libraryRoot);

} // namespace output
