// Plan redraws on a 1200 x 800 plan surface, each beside the limit it must keep: 1000
// mixed objects against a bare blit of the canvas plus 1000 filled boxes; the same plan,
// a turned accessory and a small-tile texture at 400 % and 1600 % against 100 %; moving
// the selection box of a huge object at 1600 %.
#include "BenchLimits.h"
#include "BlitAndFill.h"
#include "MixedObjects.h"
#include "document/Layout.h"
#include "document/LayoutFile.h"
#include "editor/Editor.h"
#include "render/PlanRenderer.h"
#include "render/ScaleModel.h"
#include "testkit/PlanObjects.h"
#include "testkit/ScriptedDialogService.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using document::Fill;
using document::ObjectKind;

struct Scene {
    QTemporaryDir folder;
    platform::PictureCache cache;
    document::Layout layout;

    Scene() {
        QDir root(folder.path());
        root.mkpath(QStringLiteral("textures"));
        root.mkpath(QStringLiteral("accessoires"));
        root.mkpath(QStringLiteral("vehicules"));
        QImage texture(64, 48, QImage::Format_RGB32);
        for (int y = 0; y < texture.height(); ++y)
            for (int x = 0; x < texture.width(); ++x)
                texture.setPixel(x, y, qRgb(150 + x, 100 + y, 60));
        texture.save(folder.path() + QStringLiteral("/textures/Planches.bmp"), "BMP");
        texture.copy(0, 0, 7, 5).save(folder.path() + QStringLiteral("/textures/Petit.bmp"), "BMP");
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
        layout.vehiclePicture = van;
        layout.pictureWidth = 1100;
        layout.pictureHeight = 540;
        layout.pixelsPerCm = 2; // 5000 micrometres per pixel
        layout.isOpen = true;

        layout.objects = bench::mixedObjects();
    }
};

constexpr int kCanvasWidth = 1200, kCanvasHeight = 800;

// The view at a zoom in percent, centred on the middle of the 1100 x 540 van.
render::View centredView(int percent) {
    const float zoom = float(percent) / 100;
    return render::View{zoom, 550 - kCanvasWidth / 2 / zoom, 270 - kCanvasHeight / 2 / zoom};
}

// Clears the canvas and draws the scene's plan, once per iteration.
void redrawRepeatedly(benchmark::State& state, Scene& scene, const render::View& view,
                      const settings::Preferences& prefs = {}) {
    render::PlanRenderer renderer(scene.cache, scene.folder.path());
    platform::Surface plan(kCanvasWidth, kCanvasHeight);
    for (auto _ : state) {
        plan.clear();
        renderer.drawPlan(plan, scene.layout, view, prefs);
        benchmark::DoNotOptimize(plan.image().constBits());
    }
}

void BM_DrawPlan(benchmark::State& state) {
    Scene scene;
    settings::Preferences prefs;
    prefs.bodyLinesInFront = state.range(0) != 0;
    redrawRepeatedly(state, scene, render::View{1.0f, 0, 0}, prefs);
}
BENCHMARK(BM_DrawPlan)->Arg(0)->Arg(1)->ArgName("carross")->Unit(benchmark::kMillisecond);

// The least a redraw can cost: copy a finished picture of the canvas, then fill the
// 1000 objects' boxes.
void BM_BlitAndFill(benchmark::State& state) {
    Scene scene;
    bench::blitAndFill(state, scene.layout.vehiclePicture.scaled(kCanvasWidth, kCanvasHeight),
                       scene.layout.objects, 2);
}
BENCHMARK(BM_BlitAndFill)->Unit(benchmark::kMillisecond);

// The 1000-object plan zoomed in on its middle.
void BM_DrawPlanZoomed(benchmark::State& state) {
    Scene scene;
    redrawRepeatedly(state, scene, centredView(int(state.range(0))));
}
BENCHMARK(BM_DrawPlanZoomed)
    ->Arg(100)
    ->Arg(400)
    ->Arg(1600)
    ->ArgName("zoom")
    ->Unit(benchmark::kMillisecond);

// One object filling the view: a 190 x 140 cm accessory turned a quarter, or a
// 500 x 300 cm rectangle tiled with a 7 x 5 texture.
void singleObject(benchmark::State& state, const document::PlanObject& object) {
    Scene scene;
    scene.layout.objects = document::ObjectTable();
    scene.layout.objects.append(object);
    redrawRepeatedly(state, scene, centredView(int(state.range(0))));
}

// An object filled with a picture of the library.
document::PlanObject pictureObject(ObjectKind kind, float x, float y, float h, float w,
                                   const QString& file, int orientation) {
    return testkit::planObject(kind, x, y, h, w, Fill::file(file), false, orientation);
}

void BM_TurnedAccessory(benchmark::State& state) {
    singleObject(state, pictureObject(ObjectKind::Accessory, 400, 130, 190, 140,
                                      QStringLiteral("Cuisine_Bloc_75_50_XY_.jpg"), 1));
}
BENCHMARK(BM_TurnedAccessory)->Arg(100)->Arg(1600)->ArgName("zoom")->Unit(benchmark::kMillisecond);

void BM_SmallTileTexture(benchmark::State& state) {
    singleObject(state, pictureObject(ObjectKind::Rectangle, 300, 120, 150, 250,
                                      QStringLiteral("Petit.bmp"), 0));
}
BENCHMARK(BM_SmallTileTexture)->Arg(100)->Arg(1600)->ArgName("zoom")->Unit(benchmark::kMillisecond);

// A 1000 x 600 cm textured rectangle selected at 1600 % (a box of 32000 x 19200 pixels
// reaching past the plan), moved one pixel by the arrow keys: the box's visible part is
// drawn again at every step.
void BM_SelectionBoxMove(benchmark::State& state) {
    Scene scene;
    QImage van = scene.layout.vehiclePicture;
    van.save(scene.folder.path() + QStringLiteral("/vehicules/Van_Bench_Dessus_XY_5000_.bmp"));
    testkit::ScriptedDialogService dialogs;
    platform::FileSystem files;
    platform::MemoryStore store;
    editor::EditorHooks hooks;
    hooks.chooseVehicle = [] {
        return editor::NewLayoutChoice{QStringLiteral("Van_Bench_Dessus_XY_5000_.bmp")};
    };
    editor::Editor ed(editor::EditorServices{dialogs, files, store, scene.cache}, hooks,
                      scene.folder.path());
    ed.initialise();
    ed.canvasResized(kCanvasWidth, kCanvasHeight);
    ed.newLayout();
    document::Layout layout = ed.layoutAsSaved();
    layout.objects.append(
        pictureObject(ObjectKind::Rectangle, 10, 10, 300, 500, QStringLiteral("Petit.bmp"), 0));
    const QString path = scene.folder.path() + QStringLiteral("/box.kla");
    if (!document::writeLayoutFile(path, layout, QLocale::c(), files) || !ed.openLayoutFile(path)) {
        state.SkipWithError("the layout cannot be written and opened");
        return;
    }
    ed.zoomTextChanged(QStringLiteral("1600"));
    ed.horizontalScrolled(31); // origin 302, 101
    ed.verticalScrolled(21);
    ed.planPressed(QPointF(600, 400));
    ed.planClicked();
    if (!ed.hasSelection()) {
        state.SkipWithError("nothing selected");
        return;
    }
    int step = 0;
    for (auto _ : state)
        ed.keyPressed(++step % 2 ? Qt::Key_Left : Qt::Key_Right);
}
BENCHMARK(BM_SelectionBoxMove)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return bench::runWithLimits(
        argc, argv,
        {{"BM_DrawPlan/carross:0", "BM_BlitAndFill", 3},
         {"BM_DrawPlan/carross:1", "BM_BlitAndFill", 3},
         {"BM_DrawPlanZoomed/zoom:400", "BM_DrawPlanZoomed/zoom:100", 1.5},
         {"BM_DrawPlanZoomed/zoom:1600", "BM_DrawPlanZoomed/zoom:100", 1.5},
         {"BM_TurnedAccessory/zoom:1600", "BM_TurnedAccessory/zoom:100", 1.5},
         {"BM_SmallTileTexture/zoom:1600", "BM_SmallTileTexture/zoom:100", 1.5},
         {"BM_SelectionBoxMove", "BM_BlitAndFill", 1}});
}
