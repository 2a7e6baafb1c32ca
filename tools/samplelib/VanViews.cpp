// The sample vans: one generic high-roof van in two lengths, drawn view by view in
// centimetres and scaled to the picture's resolution.
#include "SampleLibrary.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace samplelib {

namespace {

struct Body {
    QString name;
    double length;    // cm, bumper to bumper
    double wheelbase; // cm
    int resolution;   // micrometres per picture pixel
    QString sideFormat, topFormat, backFormat;
    document::VehicleMasses masses; // kg
};

constexpr double kWidth = 205;        // body, without mirrors
constexpr double kHeight = 252;       // ground to roof
constexpr double kFrontOverhang = 95; // front bumper to front axle
constexpr double kWheelRadius = 35;
constexpr double kArchRadius = 43;
constexpr double kMirror = 22;             // how far a mirror stands out of the body
constexpr double kSideMargin = 10;         // white around the side view
constexpr double kTopMargin = kMirror + 8; // white around the top view

// Maps centimetres of a view to picture pixels; (u, v) are the view's horizontal and
// vertical axes, v measured upwards from `base` when `upwards` is set.
class ViewPainter {
public:
    ViewPainter(double pxPerCm, double spanU, double spanV, double margin, bool upwards)
        : s_(pxPerCm), margin_(margin), spanV_(spanV), upwards_(upwards),
          image_(int(std::lround((spanU + 2 * margin) * pxPerCm)),
                 int(std::lround((spanV + 2 * margin) * pxPerCm)), QImage::Format_RGB32) {
        image_.fill(Qt::white);
        painter_.begin(&image_);
        painter_.setRenderHint(QPainter::Antialiasing, false);
        setPen(2);
    }

    QPointF p(double u, double v) const {
        const double y = upwards_ ? spanV_ - v : v;
        return {(margin_ + u) * s_, (margin_ + y) * s_};
    }
    QRectF r(double u1, double v1, double u2, double v2) const {
        return QRectF(p(u1, v1), p(u2, v2)).normalized();
    }
    double len(double cm) const { return cm * s_; }

    void setPen(int width, Qt::PenStyle style = Qt::SolidLine) {
        QPen pen(ink::line, width, style, Qt::SquareCap, Qt::MiterJoin);
        painter_.setPen(pen);
    }
    void box(double u1, double v1, double u2, double v2, const QBrush& fill = Qt::NoBrush) {
        painter_.setBrush(fill);
        painter_.drawRect(r(u1, v1, u2, v2));
    }
    void line(double u1, double v1, double u2, double v2) {
        painter_.drawLine(p(u1, v1), p(u2, v2));
    }
    void circle(double u, double v, double radius, const QBrush& fill) {
        painter_.setBrush(fill);
        painter_.drawEllipse(p(u, v), len(radius), len(radius));
    }
    void polygon(std::initializer_list<QPointF> cmPoints, const QBrush& fill) {
        QPolygonF poly;
        for (const QPointF& c : cmPoints)
            poly << p(c.x(), c.y());
        painter_.setBrush(fill);
        painter_.drawPolygon(poly);
    }
    void path(const QPainterPath& path, const QBrush& fill) {
        painter_.setBrush(fill);
        painter_.drawPath(path);
    }

    QImage finish() {
        painter_.end();
        return image_;
    }

private:
    double s_, margin_, spanV_;
    bool upwards_;
    QImage image_;
    QPainter painter_;
};

void wheel(ViewPainter& v, double x) {
    v.circle(x, kWheelRadius, kWheelRadius, ink::tyre);
    v.circle(x, kWheelRadius, 20, ink::metal);
    v.circle(x, kWheelRadius, 5, Qt::white);
}

// Left side: front of the van on the left, sliding door behind the cab door.
QImage sideView(const Body& b) {
    const double s = 10000.0 / b.resolution, L = b.length;
    const double front = kFrontOverhang, rear = kFrontOverhang + b.wheelbase, sill = 35;
    ViewPainter v(s, L, kHeight, kSideMargin, true);

    QPainterPath outline;
    auto arch = [&](double x) {
        outline.lineTo(v.p(x + kArchRadius, sill));
        const QPointF c = v.p(x, sill);
        const double rr = v.len(kArchRadius);
        outline.arcTo(QRectF(c.x() - rr, c.y() - rr, 2 * rr, 2 * rr), 0, 180);
    };
    outline.moveTo(v.p(0, 45));
    for (const QPointF& c : {QPointF(0, 95), QPointF(8, 108), QPointF(62, 118), QPointF(126, 222),
                             QPointF(150, 246), QPointF(175, kHeight), QPointF(L - 4, kHeight),
                             QPointF(L, kHeight - 4), QPointF(L, 40), QPointF(L - 10, sill)})
        outline.lineTo(v.p(c.x(), c.y()));
    arch(rear);
    arch(front);
    outline.lineTo(v.p(8, sill));
    outline.closeSubpath();
    v.path(outline, Qt::white);

    wheel(v, front);
    wheel(v, rear);

    // Cab door with its window, and the mirror.
    v.polygon({{140, 45}, {220, 45}, {220, 238}, {154, 238}, {130, 200}, {130, 110}, {140, 96}},
              Qt::NoBrush);
    v.polygon({{137, 160}, {212, 160}, {212, 230}, {158, 230}}, ink::glass);
    v.box(198, 138, 210, 143, ink::metal);
    v.box(112, 170, 126, 196, ink::metal);
    // Sliding door, its window and the rail it runs on.
    const double doorEnd = 228 + 130;
    v.box(228, 42, doorEnd, 236);
    v.box(239, 165, doorEnd - 12, 226, ink::glass);
    v.box(235, 130, 249, 135, ink::metal);
    v.setPen(1);
    v.line(doorEnd, 160, L - 22, 160);
    v.setPen(2);
    // A side window further back on the long body.
    if (L - doorEnd > 180)
        v.box(doorEnd + 25, 165, L - 45, 226, ink::glass);
    // Rear door edge, lamps and bumpers.
    v.line(L - 4, 42, L - 4, kHeight - 6);
    v.box(L - 5, 95, L, 140, ink::lamp);
    v.box(L - 9, 36, L + 1, 58, ink::metal);
    v.box(2, 98, 20, 110, ink::glass);
    v.box(0, 42, 14, 82, ink::metal);
    return v.finish();
}

// Top: front on the left, the left side at the bottom; the wheels are hidden (dashed).
QImage topView(const Body& b) {
    const double s = 10000.0 / b.resolution, L = b.length, W = kWidth;
    ViewPainter v(s, L, W, kTopMargin, false);

    QPainterPath outline;
    outline.moveTo(v.p(32, 0));
    outline.lineTo(v.p(L - 8, 0));
    outline.quadTo(v.p(L, 0), v.p(L, 8));
    outline.lineTo(v.p(L, W - 8));
    outline.quadTo(v.p(L, W), v.p(L - 8, W));
    outline.lineTo(v.p(32, W));
    outline.quadTo(v.p(0, W), v.p(0, W - 42));
    outline.lineTo(v.p(0, 42));
    outline.quadTo(v.p(0, 0), v.p(32, 0));
    outline.closeSubpath();
    v.path(outline, Qt::white);

    v.polygon({{62, 10}, {128, 18}, {128, W - 18}, {62, W - 10}}, ink::glass);
    v.box(150, 12, L - 10, W - 12);
    v.setPen(1);
    for (double x = 185; x < L - 30; x += 45)
        v.line(x, 12, x, W - 12);
    v.setPen(2);
    v.box(L / 2 - 20, W / 2 - 20, L / 2 + 20, W / 2 + 20, ink::metal); // roof vent
    v.box(100, -kMirror, 118, 0, ink::metal);
    v.box(100, W, 118, W + kMirror, ink::metal);
    v.setPen(1, Qt::DashLine);
    for (const double axle : {kFrontOverhang, kFrontOverhang + b.wheelbase}) {
        v.box(axle - kWheelRadius, 4, axle + kWheelRadius, 26);
        v.box(axle - kWheelRadius, W - 26, axle + kWheelRadius, W - 4);
    }
    v.line(228, 3, L - 22, 3);    // sliding door rail on the right side
    v.line(220, 14, 220, W - 14); // cab bulkhead
    v.setPen(2);
    return v.finish();
}

// Back: the two rear doors, lamps, bumper and the wheels below it.
QImage backView(const Body& b) {
    const double s = 10000.0 / b.resolution, W = kWidth;
    ViewPainter v(s, W, kHeight, kMirror + 8, true);

    v.box(8, 0, 34, 42, ink::tyre);
    v.box(W - 34, 0, W - 8, 42, ink::tyre);
    QPainterPath outline;
    outline.moveTo(v.p(0, 40));
    outline.lineTo(v.p(0, kHeight - 18));
    outline.quadTo(v.p(0, kHeight), v.p(16, kHeight));
    outline.lineTo(v.p(W - 16, kHeight));
    outline.quadTo(v.p(W, kHeight), v.p(W, kHeight - 18));
    outline.lineTo(v.p(W, 40));
    outline.closeSubpath();
    v.path(outline, Qt::white);

    v.box(8, 48, W - 8, kHeight - 8);
    v.line(W / 2, 48, W / 2, kHeight - 8);
    v.box(20, 165, W / 2 - 7, 232, ink::glass);
    v.box(W / 2 + 7, 165, W - 20, 232, ink::glass);
    v.box(W / 2 + 5, 118, W / 2 + 22, 124, ink::metal);
    v.box(1, 92, 11, 152, ink::lamp);
    v.box(W - 11, 92, W - 1, 152, ink::lamp);
    v.box(W / 2 - 15, kHeight - 6, W / 2 + 15, kHeight - 3, ink::lamp);
    v.box(-2, 30, W + 2, 52, ink::metal);
    v.box(W / 2 - 26, 34, W / 2 + 26, 46, Qt::white); // number plate
    for (const double side : {-1.0, 1.0}) {
        const double edge = side < 0 ? 0 : W;
        v.line(edge, 190, edge + side * 6, 188);
        v.box(edge + side * 6, 176, edge + side * kMirror, 204, ink::metal);
    }
    return v.finish();
}

const Body kBodies[] = {
    {QStringLiteral("L2H2"),
     541,
     345,
     5000,
     QStringLiteral("gif"),
     QStringLiteral("jpg"),
     QStringLiteral("bmp"),
     {1150, 850, 1850, 2000, 3500}},
    {QStringLiteral("L3H2"),
     599,
     403.5,
     4000,
     QStringLiteral("jpg"),
     QStringLiteral("gif"),
     QStringLiteral("bmp"),
     {1200, 950, 1850, 2100, 3500}},
};

QString vehicleName(const Body& b, const QString& view, const QString& axes, const QString& ext) {
    return QStringLiteral("Fourgon_%1_%2_%3_%4_.%5")
        .arg(b.name, view, axes, QString::number(b.resolution), ext);
}

} // namespace

std::vector<SampleFile> vehicleViews() {
    std::vector<SampleFile> files;
    const QString folder = QStringLiteral("vehicules");
    for (const Body& b : kBodies) {
        files.push_back(
            {folder, vehicleName(b, QStringLiteral("Dessus"), QStringLiteral("XY"), b.topFormat),
             topView(b)});
        files.push_back(
            {folder, vehicleName(b, QStringLiteral("Gauche"), QStringLiteral("XZ"), b.sideFormat),
             sideView(b)});
        files.push_back(
            {folder, vehicleName(b, QStringLiteral("Arriere"), QStringLiteral("YZ"), b.backFormat),
             backView(b)});
    }
    return files;
}

library::VehicleData vehicleData() {
    library::VehicleData data;
    for (const Body& b : kBodies) {
        data.setMasses(QStringLiteral("Fourgon"), b.name, b.masses);
        const auto axles = [&](double margin) {
            return document::AxleCentres{margin + kFrontOverhang,
                                         margin + kFrontOverhang + b.wheelbase};
        };
        data.setAxles(vehicleName(b, QStringLiteral("Dessus"), QStringLiteral("XY"), b.topFormat),
                      axles(kTopMargin));
        data.setAxles(vehicleName(b, QStringLiteral("Gauche"), QStringLiteral("XZ"), b.sideFormat),
                      axles(kSideMargin));
    }
    return data;
}

} // namespace samplelib
