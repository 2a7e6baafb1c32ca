// The hit test over a full table of 1000 mixed objects: a click on empty plan walks
// every row; a click on the back-most object walks them all and hits the last one.
#include "document/ObjectTable.h"
#include "editor/Geometry.h"

#include <benchmark/benchmark.h>

namespace {

document::ObjectTable mixedTable() {
    using document::Cell;
    document::ObjectTable table;
    constexpr int kinds[] = {0, 1, 2, 3, 4, 5, 9};
    for (int i = 0; i < document::kMaxObjects; ++i) {
        const int kind = kinds[i % 7];
        document::ObjectRow r;
        r[document::ColKind] = Cell::integer(std::int16_t(kind));
        // Row 1 lies alone at the top-left; the others are spread further right and down.
        r[document::ColX] = Cell::real(i == 0 ? 0.f : float(200 + (i * 37) % 800));
        r[document::ColY] = Cell::real(i == 0 ? 0.f : float(200 + (i * 53) % 400));
        r[document::ColHeight] = Cell::integer(std::int16_t(10 + i % 40));
        r[document::ColWidth] = Cell::integer(std::int16_t(10 + (i * 7) % 60));
        r[document::ColFill] = kind == 9 ? Cell::text(QStringLiteral("Meuble_Evier_60_40_XY_.bmp"))
                                         : Cell::integer(std::int16_t(i % 16));
        r[document::ColExtra] =
            kind == 3 ? Cell::text(QStringLiteral("Texte")) : Cell::integer(std::int16_t(0));
        table.append(r);
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
