// The undo history over a 1000-object layout after 1000 mixed steps (moves, resizes,
// fills, restacking, creations, deletions): the time of one undo and one redo beside the
// time of copying the objects once (what keeping whole copies would cost per step), and
// the memory the steps hold beside that of whole copies. Then the recovery copy of that
// layout beside saving it.
#include "BenchLimits.h"
#include "document/LayoutFile.h"
#include "document/LayoutHistory.h"
#include "editor/RecoveryCopies.h"
#include "platform/FileSystem.h"

#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

using document::LayoutChange;
using document::PlanObject;
using document::PlanObjects;

PlanObjects mixedObjects() {
    PlanObjects objects;
    for (int i = 0; i < 1000; ++i) {
        PlanObject o;
        o.kind = i % 7 == 3 ? document::ObjectKind::Text : document::ObjectKind::Rectangle;
        o.position = {float(200 + (i * 37) % 800), float(200 + (i * 53) % 400)};
        o.heightCm = float(10 + i % 40);
        o.widthCm = float(10 + (i * 7) % 60);
        o.fill = i % 5 ? document::Fill::colour(i % 16)
                       : document::Fill::file(QStringLiteral("Parquet chene.jpg"));
        if (o.kind == document::ObjectKind::Text)
            o.text = QStringLiteral("Rangement sous le lit");
        objects.push_back(o);
    }
    return objects;
}

// Step k of the sequence, applied to the objects.
LayoutChange applyStep(PlanObjects& objects, int k) {
    const std::size_t at = std::size_t(k * 389) % objects.size();
    switch (k % 6) {
    case 0:
        objects[at].position.x += 7;
        return LayoutChange::Move;
    case 1:
        objects[at].widthCm += 3;
        return LayoutChange::Resize;
    case 2:
        objects[at].fill = document::Fill::colour(k % 16);
        return LayoutChange::Fill;
    case 3:
        std::rotate(objects.begin() + std::ptrdiff_t(at), objects.begin() + std::ptrdiff_t(at) + 1,
                    objects.end());
        return LayoutChange::BringToFront;
    case 4:
        objects.erase(objects.begin() + std::ptrdiff_t(at));
        return LayoutChange::Delete;
    default:
        objects.push_back(objects[at]);
        return LayoutChange::Create;
    }
}

document::LayoutHistory historyOf1000Steps() {
    document::LayoutHistory history(1000);
    PlanObjects objects = mixedObjects();
    history.reset(objects);
    for (int k = 0; k < 1000; ++k) {
        const LayoutChange change = applyStep(objects, k);
        history.record(change, objects, 1, 1);
    }
    return history;
}

void BM_UndoThenRedo(benchmark::State& state) {
    document::LayoutHistory history = historyOf1000Steps();
    int k = 0;
    for (auto _ : state) {
        // Walk down and back up the whole history, one undo and one redo per iteration.
        if (k < 1000)
            history.undo();
        else
            history.redo();
        k = (k + 1) % 2000;
        benchmark::DoNotOptimize(history.objects().data());
    }
    state.counters["steps"] = double(history.stepCount());
    state.counters["bytes_per_step"] = double(history.stepBytes()) / double(history.stepCount());
    state.counters["bytes_per_copy"] = double(mixedObjects().size() * sizeof(PlanObject));
}
BENCHMARK(BM_UndoThenRedo);

void BM_CopyOfTheObjects(benchmark::State& state) {
    const PlanObjects objects = mixedObjects();
    for (auto _ : state) {
        PlanObjects copy = objects;
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_CopyOfTheObjects);

document::Layout layoutOf1000Objects() {
    document::Layout layout;
    layout.vehicleFile = QStringLiteral("Fourgon_L2H2_Dessus_XY_5000_.jpg");
    layout.filePath = QStringLiteral("/home/moi/plan.kla");
    layout.objects.assign(mixedObjects());
    return layout;
}

// The copy the window writes within seconds of a change: the layout file and its
// origin, each written whole.
void BM_RecoveryCopy(benchmark::State& state) {
    const QTemporaryDir dir;
    editor::RecoveryCopies copies(dir.path());
    const document::Layout layout = layoutOf1000Objects();
    for (auto _ : state)
        benchmark::DoNotOptimize(copies.write(layout, QLocale::c()));
}
BENCHMARK(BM_RecoveryCopy)->Unit(benchmark::kMillisecond);

// "Enregistrer" of the same layout.
void BM_LayoutSave(benchmark::State& state) {
    const QTemporaryDir dir;
    platform::FileSystem files;
    const document::Layout layout = layoutOf1000Objects();
    for (auto _ : state)
        benchmark::DoNotOptimize(document::writeLayoutFile(dir.filePath(QStringLiteral("plan.kla")),
                                                           layout, QLocale::c(), files));
}
BENCHMARK(BM_LayoutSave)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithLimits(argc, argv,
                                {{"BM_UndoThenRedo", "BM_CopyOfTheObjects", 1.0},
                                 {"BM_RecoveryCopy", "BM_LayoutSave", 2.5}});
}
