#pragma once

#include "library/LayoutOpening.h"

namespace library {

// A layout for a preview (a thumbnail) when the library may be out of reach, as in a
// file manager's sandbox: every texture and accessory the file names is kept for the
// drawing to stand in for, and a vehicle picture that cannot be read leaves the layout
// without one (pictureWidth and pictureHeight 0, the fields its name gives still set).
// Refused (FileRefused) only when the file itself is, or its vehicle name gives no
// resolution.
OpenedLayout openLayoutForPreview(const QString& path, const QString& libraryRoot,
                                  const platform::FileSystem& fs, const QLocale& locale);

} // namespace library
