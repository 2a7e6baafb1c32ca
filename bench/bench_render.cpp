// Full plan redraw with 1000 mixed objects on a 1200 x 800 plan surface.
#include "document/Layout.h"
#include "render/PlanRenderer.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using document::Cell;

struct Scene {
    QTemporaryDir folder;
    platform::PictureCache cache;
    document::Layout layout;

    Scene() {
        QDir root(folder.path());
        root.mkpath(QStringLiteral("textures"));
        root.mkpath(QStringLiteral("accessoires"));
        QImage texture(64, 48, QImage::Format_RGB32);
        for (int y = 0; y < texture.height(); ++y)
            for (int x = 0; x < texture.width(); ++x)
                texture.setPixel(x, y, qRgb(150 + x, 100 + y, 60));
        texture.save(folder.path() + QStringLiteral("/textures/Planches.bmp"), "BMP");
        QImage accessory(150, 100, QImage::Format_RGB32);
        accessory.fill(Qt::white);
        QPainter p(&accessory);
        p.fillRect(10, 10, 60, 80, Qt::blue);
        p.drawEllipse(80, 20, 60, 60);
        p.end();
        accessory.save(folder.path() + QStringLiteral("/accessoires/Cuisine_Bloc_75_50_XY_.jpg"),
                       "JPEG", 90);

        QImage van(1100, 540, QImage::Format_RGB32);
        van.fill(Qt::white);
        QPainter v(&van);
        v.setPen(QPen(Qt::black, 2));
        v.drawRoundedRect(20, 20, 1060, 500, 40, 40);
        v.drawLine(300, 20, 300, 520);
        v.end();
        layout.image_vehicule = van;
        layout.image_largeur = 1100;
        layout.image_hauteur = 540;
        layout.vehicule_resol = 2; // 5000 micrometres per pixel
        layout.agencement_ouvert = true;

        const int kinds[] = {0, 1, 1, 2, 3, 4, 5, 9};
        for (int i = 0; i < document::kMaxObjects; ++i) {
            const int kind = kinds[i % 8];
            document::ObjectRow row;
            row[document::ColKind] = Cell::integer(std::int16_t(kind));
            row[document::ColX] = Cell::real(float((i * 37) % 1000));
            row[document::ColY] = Cell::real(float((i * 53) % 480));
            row[document::ColHeight] = Cell::integer(std::int16_t(15 + (i * 7) % 60));
            row[document::ColWidth] = Cell::integer(std::int16_t(20 + (i * 11) % 90));
            const bool textured = kind == 1 && i % 16 == 2;
            row[document::ColFill] = kind == 9
                                         ? Cell::text(QStringLiteral("Cuisine_Bloc_75_50_XY_.jpg"))
                                     : textured ? Cell::text(QStringLiteral("Planches.bmp"))
                                                : Cell::integer(std::int16_t(i % 16));
            row[document::ColLock] = Cell::integer(0);
            row[document::ColExtra] =
                kind == 3 ? Cell::text(QStringLiteral("Rangement"))
                          : Cell::integer(std::int16_t(kind == 4 ? i % 2 : (i / 8) % 4));
            layout.objets.append(row);
        }
    }
};

void BM_Affiche(benchmark::State& state) {
    Scene scene;
    render::PlanRenderer renderer(scene.cache, scene.folder.path());
    settings::Preferences prefs;
    prefs.carross = state.range(0) != 0;
    platform::Surface plan(1200, 800);
    for (auto _ : state) {
        plan.Cls();
        renderer.Affiche(plan, scene.layout, render::View{1.0f, 0, 0}, prefs);
        benchmark::DoNotOptimize(plan.Image().constBits());
    }
}
BENCHMARK(BM_Affiche)->Arg(0)->Arg(1)->ArgName("carross")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
