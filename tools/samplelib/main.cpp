// Lays the sample library (vehicle views, accessories, textures, the masses and vehicle
// data beside them) into a program folder.
#include "SampleLibrary.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: make_sample_library <program folder>\n";
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    int failures = 0;
    for (const auto& group :
         {samplelib::vehicleViews(), samplelib::accessories(), samplelib::textures()})
        for (const samplelib::SampleFile& file : group)
            if (!samplelib::writeSample(root, file)) {
                err << "cannot write " << file.folder << '/' << file.name << '\n';
                ++failures;
            }
    library::AccessoryMasses masses;
    for (const auto& [picture, kg] : samplelib::accessoryMasses())
        masses.setMass(picture, kg);
    platform::FileSystem fs;
    if (!library::writeAccessoryMasses(root, masses, fs)) {
        err << "cannot write accessoires/" << library::kAccessoryMassFile << '\n';
        ++failures;
    }
    if (!library::writeVehicleData(root, samplelib::vehicleData(), fs)) {
        err << "cannot write vehicules/" << library::kVehicleDataFile << '\n';
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}
