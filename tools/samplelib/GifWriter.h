#pragma once

#include <QByteArray>
#include <QImage>

namespace samplelib {

// Encodes a picture as a GIF89a file: one frame, a global colour table and LZW-coded
// pixels. A picture of at most 256 distinct colours is kept exactly; one with more
// is brought to a fixed 6 x 7 x 6 colour cube. The output depends only on the pixels.
QByteArray encodeGif(const QImage& picture);

} // namespace samplelib
