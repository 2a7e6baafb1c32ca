// The hit test over a full table of 1000 mixed objects: a click on empty plan walks
// every row; a click on the back-most object walks them all and hits the last one.
#include "document/ObjectTable.h"
#include "editor/Geometry.h"

#include <benchmark/benchmark.h>

namespace {

document::ObjectTable mixedTable() {
    using document::Fill;
    using document::ObjectKind;
    document::ObjectTable table;
    constexpr ObjectKind kinds[] = {
        ObjectKind::Measure, ObjectKind::Rectangle, ObjectKind::Ellipse,  ObjectKind::Text,
        ObjectKind::Line,    ObjectKind::Triangle,  ObjectKind::Accessory};
    for (int i = 0; i < document::kMaxObjects; ++i) {
        document::PlanObject object;
        object.kind = kinds[i % 7];
        // Row 1 lies alone at the top-left; the others are spread further right and down.
        object.position = {i == 0 ? 0.f : float(200 + (i * 37) % 800),
                           i == 0 ? 0.f : float(200 + (i * 53) % 400)};
        object.heightCm = float(10 + i % 40);
        object.widthCm = float(10 + (i * 7) % 60);
        object.fill = object.kind == ObjectKind::Accessory
                          ? Fill::file(QStringLiteral("Meuble_Evier_60_40_XY_.bmp"))
                          : Fill::colour(i % 16);
        if (object.kind == ObjectKind::Text)
            object.text = QStringLiteral("Texte");
        table.append(object);
    }
    return table;
}

void BM_HitTestEmptyPlan(benchmark::State& state) {
    const document::ObjectTable table = mixedTable();
    const render::View view{1.0f, 0, 0};
    for (auto _ : state)
        benchmark::DoNotOptimize(editor::hitTest(table, view, 2.0, 150, 150));
}
BENCHMARK(BM_HitTestEmptyPlan);

void BM_HitTestBackMostObject(benchmark::State& state) {
    const document::ObjectTable table = mixedTable();
    const render::View view{1.0f, 0, 0};
    for (auto _ : state)
        benchmark::DoNotOptimize(editor::hitTest(table, view, 2.0, 5, 5));
}
BENCHMARK(BM_HitTestBackMostObject);

} // namespace

BENCHMARK_MAIN();
