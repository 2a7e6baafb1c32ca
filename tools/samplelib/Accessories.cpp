// The sample accessories: simple line drawings of fittings at 3 pixels per centimetre,
// each picture exactly as wide and high as the accessory's size in its views.
#include "SampleLibrary.h"

#include <QPainter>

#include <cmath>
#include <functional>

namespace samplelib {

namespace {

constexpr double kScale = 3; // pixels per centimetre

const QColor kWood(222, 184, 135);
const QColor kFabric(150, 170, 200);
const QColor kLinen(245, 240, 228);
const QColor kWater(170, 205, 235);
const QColor kSolar(40, 60, 120);

// A white picture of w x h cm on which shapes are given in centimetres.
class Sketch {
public:
    Sketch(int w, int h) : image_(int(w * kScale), int(h * kScale), QImage::Format_RGB32) {
        image_.fill(Qt::white);
        p.begin(&image_);
        p.setRenderHint(QPainter::Antialiasing, false);
        pen(2);
    }
    QRectF r(double x, double y, double w, double h) const {
        return {x * kScale, y * kScale, w * kScale, h * kScale};
    }
    QPointF at(double x, double y) const { return {x * kScale, y * kScale}; }
    void pen(int width, Qt::PenStyle style = Qt::SolidLine) {
        p.setPen(QPen(ink::line, width, style, Qt::SquareCap, Qt::MiterJoin));
    }
    void box(double x, double y, double w, double h, const QBrush& fill = Qt::NoBrush) {
        p.setBrush(fill);
        p.drawRect(r(x, y, w, h));
    }
    void rounded(double x, double y, double w, double h, double radius, const QBrush& fill) {
        p.setBrush(fill);
        p.drawRoundedRect(r(x, y, w, h), radius * kScale, radius * kScale);
    }
    void ellipse(double x, double y, double w, double h, const QBrush& fill) {
        p.setBrush(fill);
        p.drawEllipse(r(x, y, w, h));
    }
    void line(double x1, double y1, double x2, double y2) { p.drawLine(at(x1, y1), at(x2, y2)); }
    // The outline of the whole picture, one pixel inside its edges.
    void frame(const QBrush& fill = Qt::NoBrush) {
        p.setBrush(fill);
        p.drawRect(QRectF(1, 1, image_.width() - 3, image_.height() - 3));
    }
    QImage finish() {
        p.end();
        return image_;
    }

    QPainter p;

private:
    QImage image_;
};

struct Accessory {
    QString famille, modele;
    int largeur, hauteur; // cm
    QString vues, format;
    std::function<void(Sketch&, int w, int h)> draw;
    double masseKg; // as fitted: a water tank full, a battery with its case
};

void bed(Sketch& s, int w, int h) { // seen from above, head at the left
    s.frame(kWood);
    s.rounded(4, 4, w - 8, h - 8, 4, kLinen);
    s.rounded(8, 10, 32, h / 2 - 14, 6, Qt::white);
    s.rounded(8, h / 2 + 4, 32, h / 2 - 14, 6, Qt::white);
    s.box(w * 0.55, 4, w * 0.45 - 4, h - 8, kFabric);
    s.line(w * 0.55, 4, w * 0.62, h - 4);
}

void seat(Sketch& s, int w, int h) { // from above, facing right
    s.rounded(2, 2, 14, h - 4, 4, kFabric);
    s.rounded(16, 6, w - 20, h - 12, 5, kFabric);
    s.box(16, 1, w - 20, 5, Qt::darkGray);
    s.box(16, h - 6, w - 20, 5, Qt::darkGray);
}

void bench(Sketch& s, int w, int h) { // from above: a two-seat bench with its belts
    s.rounded(1, 1, w - 2, 14, 3, kFabric);
    s.rounded(1, 15, w - 2, h - 16, 4, kFabric);
    s.line(w / 2.0, 15, w / 2.0, h - 2);
    s.pen(1, Qt::DashLine);
    s.line(4, 18, w / 2.0 - 4, h - 6);
    s.line(w / 2.0 + 4, 18, w - 4, h - 6);
}

void kitchenTop(Sketch& s, int w, int h) { // worktop with sink and two burners
    s.frame(kWood);
    s.rounded(6, 8, 36, h - 18, 4, kWater);
    s.ellipse(22, h / 2.0 - 4, 4, 4, Qt::white);
    for (const double cx : {w - 48.0, w - 22.0}) {
        s.ellipse(cx - 10, h / 2.0 - 10, 20, 20, Qt::darkGray);
        s.ellipse(cx - 4, h / 2.0 - 4, 8, 8, Qt::black);
    }
}

void kitchenFront(Sketch& s, int w, int h) { // seen from the side: drawers and doors
    s.frame();
    s.box(0.5, 0.5, w - 1, 5, kWood);
    const double doorTop = 20;
    for (double x = 2; x + 38 <= w; x += 40) {
        s.box(x, 7, 38, 11);
        s.box(x + 15, 11, 8, 2, Qt::darkGray);
        s.box(x, doorTop, 38, h - doorTop - 10);
        s.box(x + 30, doorTop + 6, 2, 12, Qt::darkGray);
    }
    s.box(0.5, h - 9, w - 1, 8, Qt::darkGray);
}

void sink(Sketch& s, int w, int h) {
    s.rounded(1, 1, w - 2, h - 2, 5, ink::metal);
    s.rounded(5, 9, w - 10, h - 13, 4, kWater);
    s.ellipse(w / 2.0 - 2.5, h / 2.0 + 2, 5, 5, Qt::white);
    s.box(w / 2.0 - 2, 1, 4, 9, Qt::darkGray); // tap
}

void fridge(Sketch& s, int w, int h) { // front: freezer door on top
    s.rounded(1, 1, w - 2, h - 2, 2, Qt::white);
    s.line(1, h * 0.28, w - 1, h * 0.28);
    s.box(w - 8, 6, 3, h * 0.28 - 12, Qt::darkGray);
    s.box(w - 8, h * 0.28 + 6, 3, 22, Qt::darkGray);
    s.box(6, h - 10, w - 12, 5);
}

void table(Sketch& s, int w, int h) { // from above, on a central leg
    s.rounded(1, 1, w - 2, h - 2, 8, kWood);
    s.pen(1, Qt::DashLine);
    s.ellipse(w / 2.0 - 8, h / 2.0 - 8, 16, 16, Qt::NoBrush);
}

void wardrobe(Sketch& s, int w, int h) { // front: door with a hanging rail behind
    s.frame(kWood);
    s.box(3, 3, w - 6, h - 14);
    s.box(w - 10, h * 0.45, 2, 16, Qt::darkGray);
    s.pen(1, Qt::DashLine);
    s.line(6, 20, w - 6, 20);
    s.pen(2);
    s.box(3, h - 10, w - 6, 8, kWood);
}

void toilet(Sketch& s, int w, int h) { // cassette toilet, front
    s.rounded(2, h * 0.35, w - 4, h * 0.65 - 2, 3, Qt::white);
    s.rounded(4, 2, w - 8, h * 0.35, 3, Qt::white);
    s.ellipse(6, h * 0.28, w - 12, 9, ink::metal);
    s.box(w / 2.0 - 5, h * 0.65, 10, 4, Qt::darkGray);
}

void shower(Sketch& s, int w, int h) { // tray from above with its drain
    s.frame(Qt::white);
    s.rounded(4, 4, w - 8, h - 8, 6, kWater);
    s.pen(1);
    for (double x = 14; x < w - 6; x += 10)
        s.line(x, 6, x, h - 6);
    s.pen(2);
    s.ellipse(w / 2.0 - 5, h / 2.0 - 5, 10, 10, ink::metal);
}

void waterTank(Sketch& s, int w, int h) {
    s.rounded(1, 1, w - 2, h - 2, 5, kWater);
    s.ellipse(6, 4, 8, 8, Qt::white); // filler cap
    s.pen(1);
    for (double y = h * 0.55; y < h - 3; y += 4)
        s.line(18, y, w - 6, y);
}

void battery(Sketch& s, int w, int h) {
    s.box(1, 3, w - 2, h - 4, Qt::darkGray);
    s.box(4, 0.5, 5, 3, ink::lamp);
    s.box(w - 9, 0.5, 5, 3, Qt::black);
    s.pen(2);
    s.p.setPen(QPen(Qt::white, 2));
    s.line(5, h / 2.0, 9, h / 2.0);
    s.line(7, h / 2.0 - 2, 7, h / 2.0 + 2);
    s.line(w - 9, h / 2.0, w - 5, h / 2.0);
}

void heater(Sketch& s, int w, int h) { // air heater with its two ducts
    s.rounded(6, 1, w - 12, h - 2, 3, ink::metal);
    s.ellipse(0.5, h / 2.0 - 4, 7, 8, Qt::darkGray);
    s.ellipse(w - 7.5, h / 2.0 - 4, 7, 8, Qt::darkGray);
    s.pen(1);
    for (double x = 12; x < w - 12; x += 3)
        s.line(x, 3, x, h - 3);
}

void solarPanel(Sketch& s, int w, int h) {
    s.frame(ink::metal);
    s.box(3, 3, w - 6, h - 6, kSolar);
    s.p.setPen(QPen(ink::metal, 1));
    const int columns = 9, rows = 4;
    for (int c = 1; c < columns; ++c)
        s.line(3 + (w - 6) * c / double(columns), 3, 3 + (w - 6) * c / double(columns), h - 3);
    for (int r = 1; r < rows; ++r)
        s.line(3, 3 + (h - 6) * r / double(rows), w - 3, 3 + (h - 6) * r / double(rows));
}

void wallCupboard(Sketch& s, int w, int h) { // overhead locker from the side
    s.frame(kWood);
    s.box(3, 3, w / 2.0 - 4, h - 6);
    s.box(w / 2.0 + 1, 3, w / 2.0 - 4, h - 6);
    s.box(w / 2.0 - 9, h - 10, 6, 2, Qt::darkGray);
    s.box(w / 2.0 + 4, h - 10, 6, 2, Qt::darkGray);
}

const QList<Accessory>& catalogue() {
    static const QList<Accessory> list = {
        {"Couchage", "Lit double", 190, 140, "XY", "jpg", bed, 45},
        {"Couchage", "Banquette lit", 120, 60, "XY", "bmp", bench, 35},
        {"Assise", "Siege pivotant", 60, 55, "XY", "gif", seat, 25},
        {"Cuisine", "Meuble cuisine", 120, 60, "XY", "jpg", kitchenTop, 40},
        {"Cuisine", "Meuble cuisine", 120, 90, "XZ", "gif", kitchenFront, 40},
        {"Cuisine", "Evier", 40, 35, "XY", "bmp", sink, 6},
        {"Cuisine", "Refrigerateur", 50, 85, "XZ-YZ", "gif", fridge, 28},
        {"Rangement", "Table", 80, 60, "XY", "jpg", table, 12},
        {"Rangement", "Penderie", 50, 180, "XZ-YZ", "bmp", wardrobe, 22},
        {"Rangement", "Placard haut", 100, 35, "XZ-YZ", "jpg", wallCupboard, 11},
        {"Sanitaire", "WC cassette", 40, 45, "XY-XZ-YZ", "gif", toilet, 13},
        {"Sanitaire", "Receveur douche", 80, 80, "XY", "bmp", shower, 12},
        {"Sanitaire", "Reservoir eau", 60, 30, "XY-XZ", "jpg", waterTank, 95},
        {"Energie", "Batterie", 35, 20, "XY-XZ", "bmp", battery, 30},
        {"Energie", "Chauffage air", 32, 14, "XY-XZ", "gif", heater, 8},
        {"Energie", "Panneau solaire", 150, 67, "XY", "jpg", solarPanel, 12},
    };
    return list;
}

QString fileName(const Accessory& a) {
    return QStringLiteral("%1_%2_%3_%4_%5_.%6")
        .arg(a.famille, a.modele, QString::number(a.largeur), QString::number(a.hauteur), a.vues,
             a.format);
}

} // namespace

std::vector<SampleFile> accessories() {
    std::vector<SampleFile> files;
    for (const Accessory& a : catalogue()) {
        Sketch sketch(a.largeur, a.hauteur);
        a.draw(sketch, a.largeur, a.hauteur);
        files.push_back({QStringLiteral("accessoires"), fileName(a), sketch.finish()});
    }
    return files;
}

std::vector<std::pair<QString, double>> accessoryMasses() {
    std::vector<std::pair<QString, double>> masses;
    for (const Accessory& a : catalogue())
        masses.emplace_back(fileName(a), a.masseKg);
    return masses;
}

} // namespace samplelib
