#pragma once

#include "document/LooseLoad.h"
#include "document/ObjectTable.h"

#include <QImage>
#include <QString>

#include <vector>

namespace document {

// The one open layout: header, object table and the fields derived from the
// vehicle file name when the layout is created or opened.
struct Layout {
    // Stored in the file.
    QString vehicleFile;          // relative to the "vehicules" folder; empty while none is open
    bool mirrorLeftRight = false; // vehicle picture mirrored left-right
    bool mirrorTopBottom = false; // vehicle picture mirrored top-bottom
    QString zoomText = QStringLiteral("100"); // the zoom box's text as it stood
    ObjectTable objects;
    LooseLoads loads; // written only when there is one

    // Derived from vehicleFile, never stored.
    QString vehicleModel;
    QString vehicleBody;
    QString vehicleView;
    QString vehicleAxes;
    double pixelsPerCm = 1.0; // vehicle-picture pixels per centimetre
    QImage vehiclePicture;
    float pictureWidth = 0; // whole pixels
    float pictureHeight = 0;

    // The file the layout was read from or last written to; empty for a new layout.
    QString filePath;

    bool isOpen = false;
};

} // namespace document
