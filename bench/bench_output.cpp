// The JPEG export path against its limit, a bare libjpeg-turbo compression of the same
// buffer plus a plain write of the same bytes; and the export zone search.
#include "BenchLimits.h"
#include "output/Bgr24Raster.h"
#include "output/ImageExport.h"
#include "output/JpegWriter.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <cstdio>

namespace {

// A plan-like picture: light background, filled shapes, a white band at the bottom.
QImage planPicture(int w, int h) {
    platform::Surface surface(w, h);
    for (int i = 0; i < 40; ++i)
        surface.fillBox(float(100 + 31 * i % (w - 300)), float(80 + 17 * i % (h - 300)),
                        float(300 + 31 * i % (w - 300)), float(220 + 17 * i % (h - 300)),
                        platform::rgb(40 * i % 256, 90 * i % 256, 150 * i % 256));
    surface.fillBox(0, float(h - 20), float(w), float(h), platform::kWhite);
    return surface.image();
}

void BM_CreateFromPicture(benchmark::State& state) {
    const QImage picture = planPicture(1600, 1020);
    for (auto _ : state) {
        output::Bgr24Raster dib;
        dib.createFromPicture(picture);
        benchmark::DoNotOptimize(dib.bits());
    }
}
BENCHMARK(BM_CreateFromPicture)->Unit(benchmark::kMillisecond);

// The whole JPEG export after the stamp: copy into the raster, encode, write the file.
void BM_ExportJpeg(benchmark::State& state) {
    const QImage picture = planPicture(1600, 1020);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plan.jpg"));
    for (auto _ : state) {
        output::Bgr24Raster dib;
        dib.createFromPicture(picture);
        output::JpegWriter::writeJpeg(dib, path, 90);
    }
}
BENCHMARK(BM_ExportJpeg)->Unit(benchmark::kMillisecond);

// The raster encoded as the JPEG writer encodes it; the caller frees the bytes.
struct Encoded {
    unsigned char* bytes = nullptr;
    unsigned long size = 0;
};
Encoded encode(tjhandle handle, output::Bgr24Raster& dib) {
    Encoded jpeg;
    tjCompress2(handle, dib.bits(), dib.width(), dib.bytesPerRow(), dib.height(), TJPF_BGR,
                &jpeg.bytes, &jpeg.size, TJSAMP_444, 90, TJFLAG_BOTTOMUP);
    return jpeg;
}

// Encoding alone, through the same raster, to memory.
void BM_BareTjCompress2(benchmark::State& state) {
    output::Bgr24Raster dib;
    dib.createFromPicture(planPicture(1600, 1020));
    tjhandle handle = tjInitCompress();
    for (auto _ : state) {
        const Encoded jpeg = encode(handle, dib);
        benchmark::DoNotOptimize(jpeg.size);
        tjFree(jpeg.bytes);
    }
    tjDestroy(handle);
}
BENCHMARK(BM_BareTjCompress2)->Unit(benchmark::kMillisecond);

// The limit of the export: the same compression, then the bytes written to a file as
// they are.
void BM_TjCompressAndWrite(benchmark::State& state) {
    output::Bgr24Raster dib;
    dib.createFromPicture(planPicture(1600, 1020));
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("bare.jpg")));
    tjhandle handle = tjInitCompress();
    for (auto _ : state) {
        const Encoded jpeg = encode(handle, dib);
        if (std::FILE* f = std::fopen(path.constData(), "wb")) {
            std::fwrite(jpeg.bytes, 1, jpeg.size, f);
            std::fclose(f);
        }
        tjFree(jpeg.bytes);
    }
    tjDestroy(handle);
}
BENCHMARK(BM_TjCompressAndWrite)->Unit(benchmark::kMillisecond);

void BM_ZoneSearch(benchmark::State& state) {
    platform::Surface canvas(1600, 1000);
    if (state.range(0) == 1)
        canvas.fillBox(500, 300, 1100, 700, platform::kBlack);
    for (auto _ : state)
        benchmark::DoNotOptimize(output::findExportZone(canvas, true));
    state.SetLabel(state.range(0) == 1 ? "drawing in the middle" : "nothing drawn");
}
BENCHMARK(BM_ZoneSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithLimits(argc, argv, {{"BM_ExportJpeg", "BM_TjCompressAndWrite", 1.3}});
}
