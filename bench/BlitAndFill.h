#pragma once

// The least a redraw of a plan canvas can cost, the limit the redraws are measured
// against: copy a finished picture of the canvas, then fill the objects' boxes.
#include "document/ObjectTable.h"
#include "render/PlanRenderer.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>

#include <cstring>
#include <vector>

#include <benchmark/benchmark.h>

namespace bench {

// Once per iteration: backdrop copied onto a canvas of its size, then one filled box per
// object, where the objects lie at 100 % with pixelsPerCm pixels per centimetre.
inline void blitAndFill(benchmark::State& state, const QImage& backdrop,
                        const document::ObjectTable& objects, double pixelsPerCm) {
    const QImage source = backdrop.convertToFormat(QImage::Format_RGB32);
    QImage canvas(source.size(), QImage::Format_RGB32);
    std::vector<QRect> boxes;
    for (const document::PlanObject& object : objects) {
        const render::ScreenBox b = render::screenBox(object, render::View{}, pixelsPerCm);
        boxes.emplace_back(int(b.x), int(b.y), int(b.w), int(b.h));
    }
    for (auto _ : state) {
        std::memcpy(canvas.bits(), source.constBits(), std::size_t(source.sizeInBytes()));
        QPainter p(&canvas);
        for (std::size_t i = 0; i < boxes.size(); ++i)
            p.fillRect(boxes[i], QColor::fromRgb(QRgb(0xFF000000u | (i * 0x10204u))));
        p.end();
        benchmark::DoNotOptimize(canvas.constBits());
    }
}

} // namespace bench
