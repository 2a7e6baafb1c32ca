// The editor's commands on a 1000-object layout opened from its file, each beside the
// bare blit of the canvas plus 1000 filled boxes: selecting an object, putting it back,
// bringing it to the front (each also within 8 ms on any machine), and recording one
// step of the history; a scroll step that changes nothing, which must cost no copy of
// the object table.
#include "BenchLimits.h"
#include "BlitAndFill.h"
#include "MixedObjects.h"
#include "document/LayoutFile.h"
#include "editor/Editor.h"
#include "render/ScaleModel.h"
#include "testkit/ScriptedDialogService.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <memory>

#include <benchmark/benchmark.h>

namespace {

using document::Fill;
using document::ObjectKind;

constexpr int kCanvasWidth = 1200, kCanvasHeight = 800;
const QString kVehicle = QStringLiteral("Van_Bench_Dessus_XY_5000_.bmp");
// The object the commands act on: row 500, alone at (20, 700) in picture pixels.
constexpr int kTargetRow = 500;
const QPointF kTargetPoint(30, 710);

// The shared table, with the row the commands act on moved apart and made plain.
document::ObjectTable mixedObjects() {
    document::ObjectTable table = bench::mixedObjects();
    document::PlanObject target;
    target.kind = ObjectKind::Rectangle;
    target.position = {20, 700};
    target.heightCm = 20;
    target.widthCm = 30;
    target.fill = table.row(kTargetRow).fill;
    table.row(kTargetRow) = target;
    return table;
}

// A program folder with the pictures the layout names, and an editor with the layout
// opened from its file.
struct Session {
    QTemporaryDir folder;
    testkit::ScriptedDialogService dialogs;
    platform::FileSystem files;
    platform::MemoryStore store;
    platform::PictureCache cache;
    std::unique_ptr<editor::Editor> ed;

    Session() {
        QDir root(folder.path());
        for (const char* sub : {"textures", "accessoires", "vehicules"})
            root.mkpath(QString::fromLatin1(sub));
        QImage texture(64, 48, QImage::Format_RGB32);
        texture.fill(qRgb(170, 120, 60));
        texture.save(folder.path() + QStringLiteral("/textures/Planches.bmp"), "BMP");
        QImage accessory(150, 100, QImage::Format_RGB32);
        accessory.fill(Qt::blue);
        accessory.save(folder.path() + QStringLiteral("/accessoires/Cuisine_Bloc_75_50_XY_.jpg"),
                       "JPEG", 90);
        QImage van(1100, 540, QImage::Format_RGB32);
        van.fill(Qt::white);
        van.save(folder.path() + QStringLiteral("/vehicules/") + kVehicle, "BMP");

        document::Layout layout;
        layout.vehicleFile = kVehicle;
        layout.objects = mixedObjects();
        const QString path = folder.path() + QStringLiteral("/plan.kla");
        if (!document::writeLayoutFile(path, layout, QLocale::c(), files))
            qFatal("cannot write the benchmark layout");
        ed = std::make_unique<editor::Editor>(editor::EditorServices{dialogs, files, store, cache},
                                              editor::EditorHooks{}, folder.path());
        ed->setLocale(QLocale::c());
        ed->initialise();
        ed->canvasResized(kCanvasWidth, kCanvasHeight);
        if (!ed->openLayoutFile(path))
            qFatal("cannot open the benchmark layout");
    }

    void select() {
        ed->planPressed(kTargetPoint);
        ed->planClicked();
    }
    void putBack() { ed->keyPressed(Qt::Key_Space); }
};

// The least a redraw of the canvas can cost: copy a finished picture of it, then fill
// the 1000 objects' boxes.
void BM_EditorBlitAndFill(benchmark::State& state) {
    QImage backdrop(kCanvasWidth, kCanvasHeight, QImage::Format_RGB32);
    backdrop.fill(Qt::white);
    bench::blitAndFill(state, backdrop, mixedObjects(), 2);
}
BENCHMARK(BM_EditorBlitAndFill)->Unit(benchmark::kMillisecond);

// A click that selects the object: hit test, the object lifted out, the plan drawn again
// without it, the box drawn.
void BM_SelectObject(benchmark::State& state) {
    Session s;
    for (auto _ : state) {
        state.PauseTiming();
        s.putBack();
        state.ResumeTiming();
        s.select();
    }
}
BENCHMARK(BM_SelectObject)->Unit(benchmark::kMillisecond);

// Space puts the untouched object back at its row: the plan drawn again, nothing recorded.
void BM_PutBack(benchmark::State& state) {
    Session s;
    for (auto _ : state) {
        state.PauseTiming();
        s.select();
        state.ResumeTiming();
        s.putBack();
    }
}
BENCHMARK(BM_PutBack)->Unit(benchmark::kMillisecond);

// "Premier plan" and "Arrière-plan" in turn: the object written at the front or the back,
// the plan drawn again and the step recorded.
void BM_Restack(benchmark::State& state) {
    Session s;
    bool front = true;
    for (auto _ : state) {
        state.PauseTiming();
        s.select();
        state.ResumeTiming();
        front ? s.ed->bringToFront() : s.ed->sendToBack();
        front = !front;
    }
}
BENCHMARK(BM_Restack)->Unit(benchmark::kMillisecond);

// One recorded step: a palette colour given to the selected object, which the history
// takes as the layout would be saved and compares with the step before.
void BM_RecordedStep(benchmark::State& state) {
    Session s;
    s.select();
    int colour = 0;
    for (auto _ : state)
        s.ed->paletteColourChosen(++colour % 16);
}
BENCHMARK(BM_RecordedStep)->Unit(benchmark::kMillisecond);

// A scroll bar set to where it already stands, with an object selected: the plan is drawn
// again, but nothing can have changed, so the history neither copies nor compares the
// table (the figure is a redraw, not a redraw and a recorded step).
void BM_ScrollStepThatChangesNothing(benchmark::State& state) {
    Session s;
    s.select();
    for (auto _ : state)
        s.ed->horizontalScrolled(s.ed->view().horizontalBar);
}
BENCHMARK(BM_ScrollStepThatChangesNothing)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return bench::runWithLimits(argc, argv,
                                {{"BM_SelectObject", "BM_EditorBlitAndFill", 4},
                                 {"BM_PutBack", "BM_EditorBlitAndFill", 4},
                                 {"BM_Restack", "BM_EditorBlitAndFill", 4},
                                 {"BM_RecordedStep", "BM_EditorBlitAndFill", 1}},
                                {{"BM_SelectObject", 8}, {"BM_PutBack", 8}, {"BM_Restack", 8}});
}
