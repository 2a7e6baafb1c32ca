#pragma once

#include "library/MassData.h"

#include <QImage>
#include <QString>

#include <utility>
#include <vector>

namespace samplelib {

// One picture of the sample library: its folder ("vehicules", "accessoires" or
// "textures") and its file name, whose extension chooses the format.
struct SampleFile {
    QString folder;
    QString name;
    QImage picture;
};

// Drawing pens and fills shared by the pictures: dark lines on white.
namespace ink {
const QColor line(20, 20, 20);
const QColor glass(214, 228, 240);
const QColor tyre(64, 64, 64);
const QColor metal(196, 196, 200);
const QColor lamp(205, 50, 40);
} // namespace ink

// A generic van in three views for each body, at true scale.
std::vector<SampleFile> vehicleViews();
// About fifteen accessories, drawn at 3 pixels per centimetre.
std::vector<SampleFile> accessories();
// The masses of the accessories, by picture file name, in kg.
std::vector<std::pair<QString, double>> accessoryMasses();
// The vans' masses per body and axle centres per side and top view.
library::VehicleData vehicleData();
// Tileable textures.
std::vector<SampleFile> textures();

// Writes the picture under root/folder/name (GIF, JPEG at quality 90, or BMP by the
// name's extension). Only that file is touched.
bool writeSample(const QString& root, const SampleFile& file);

} // namespace samplelib
