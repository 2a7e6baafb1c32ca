#include "GifWriter.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <vector>

namespace samplelib {

namespace {

struct Indexed {
    std::vector<QRgb> palette;        // at most 256 colours
    std::vector<std::uint8_t> pixels; // row by row
};

// Nearest level of a channel among n evenly spaced levels 0..255.
int level(int channel, int levels) {
    return int(std::lround(channel * (levels - 1) / 255.0));
}

Indexed toIndexed(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    Indexed out;
    out.pixels.reserve(std::size_t(image.width()) * std::size_t(image.height()));
    QHash<QRgb, int> index;
    bool exact = true;
    for (int y = 0; y < image.height() && exact; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = row[x] | 0xFF000000u;
            auto it = index.find(c);
            if (it == index.end()) {
                if (index.size() == 256) {
                    exact = false;
                    break;
                }
                it = index.insert(c, int(out.palette.size()));
                out.palette.push_back(c);
            }
            out.pixels.push_back(std::uint8_t(*it));
        }
    }
    if (exact)
        return out;

    // Too many colours: a fixed cube, 6 levels of red and blue, 7 of green.
    out.palette.clear();
    out.pixels.clear();
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 7; ++g)
            for (int b = 0; b < 6; ++b)
                out.palette.push_back(qRgb(r * 255 / 5, g * 255 / 6, b * 255 / 5));
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = row[x];
            out.pixels.push_back(std::uint8_t(level(qRed(c), 6) * 42 + level(qGreen(c), 7) * 6 +
                                              level(qBlue(c), 6)));
        }
    }
    return out;
}

// Packs variable-width codes least significant bit first, in sub-blocks of 255 bytes.
class CodeStream {
public:
    explicit CodeStream(QByteArray& out) : out_(out) {}

    void put(int code, int width) {
        bits_ |= std::uint32_t(code) << count_;
        count_ += width;
        while (count_ >= 8) {
            byte(char(bits_ & 0xFF));
            bits_ >>= 8;
            count_ -= 8;
        }
    }

    void finish() {
        if (count_ > 0)
            byte(char(bits_ & 0xFF));
        flushBlock();
        out_.append(char(0)); // block terminator
    }

private:
    void byte(char b) {
        block_.append(b);
        if (block_.size() == 255)
            flushBlock();
    }
    void flushBlock() {
        if (block_.isEmpty())
            return;
        out_.append(char(block_.size()));
        out_.append(block_);
        block_.clear();
    }

    QByteArray& out_;
    QByteArray block_;
    std::uint32_t bits_ = 0;
    int count_ = 0;
};

void lzw(const std::vector<std::uint8_t>& pixels, int minCodeSize, QByteArray& out) {
    const int clear = 1 << minCodeSize, end = clear + 1;
    CodeStream stream(out);
    // The dictionary maps (prefix code, next index) to a code.
    QHash<std::uint32_t, int> dictionary;
    int next = end + 1, width = minCodeSize + 1;
    stream.put(clear, width);
    if (pixels.empty()) {
        stream.put(end, width);
        stream.finish();
        return;
    }
    int prefix = pixels.front();
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const std::uint32_t key = (std::uint32_t(prefix) << 8) | pixels[i];
        const auto found = dictionary.constFind(key);
        if (found != dictionary.constEnd()) {
            prefix = *found;
            continue;
        }
        stream.put(prefix, width);
        dictionary.insert(key, next);
        // The decoder widens its codes once the newest code no longer fits.
        if (next == (1 << width) && width < 12)
            ++width;
        if (++next == 4096) { // full: start a fresh dictionary
            stream.put(clear, width);
            dictionary.clear();
            next = end + 1;
            width = minCodeSize + 1;
        }
        prefix = pixels[i];
    }
    stream.put(prefix, width);
    stream.put(end, width);
    stream.finish();
}

void putWord(QByteArray& out, int v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

} // namespace

QByteArray encodeGif(const QImage& picture) {
    const Indexed indexed = toIndexed(picture);
    int bits = 1;
    while ((1 << bits) < int(indexed.palette.size()))
        ++bits;
    const int minCodeSize = std::max(2, bits);

    QByteArray out("GIF89a");
    putWord(out, picture.width());
    putWord(out, picture.height());
    out.append(char(0x80 | ((bits - 1) << 4) | (bits - 1))); // global table of 2^bits colours
    out.append(char(0));                                     // background colour index
    out.append(char(0));                                     // square pixels
    for (int i = 0; i < (1 << bits); ++i) {
        const QRgb c = i < int(indexed.palette.size()) ? indexed.palette[std::size_t(i)] : 0;
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    out.append(',');
    putWord(out, 0);
    putWord(out, 0);
    putWord(out, picture.width());
    putWord(out, picture.height());
    out.append(char(0)); // no local table, not interlaced
    out.append(char(minCodeSize));
    lzw(indexed.pixels, minCodeSize, out);
    out.append(';');
    return out;
}

} // namespace samplelib
