// Reading a TIFF file's first page into a new image: strips or tiles, one
// plane or several, every sample depth the layout takes.
#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "formats.h"
#include "tiff_layout.h"
#include "tiff_session.h"

namespace qd::filters::tiff {
namespace {

// Stores count pixels of one channel at column x0 of a matrix row. src holds
// the channel's first sample; stride is the samples from one pixel to the
// next.
void storeSamples(const TiffLayout& t, uint8_t* row, uint32_t x0, uint32_t count, const uint8_t* src,
                  int stride, int channel) {
    switch (t.type) {
    case MT_BINARY: // both pack eight pixels a byte, first pixel highest
        std::memcpy(row + x0 / 8, src, (count + 7) / 8);
        return;
    case MT_4BITS:
        std::memcpy(row + x0 / 2, src, (count + 1) / 2);
        return;
    case MT_RGB: {
        uint8_t* out = row + 4 * size_t(x0) + (2 - channel); // 0x00RRGGBB, little-endian
        if (t.bits == 8) {
            for (uint32_t i = 0; i < count; ++i) out[4 * size_t(i)] = src[size_t(i) * stride];
        } else {
            for (uint32_t i = 0; i < count; ++i) {
                uint16_t v;
                std::memcpy(&v, src + 2 * size_t(i) * stride, 2);
                out[4 * size_t(i)] = uint8_t((uint32_t(v) * 255 + 32767) / 65535);
            }
        }
        return;
    }
    default: break;
    }
    if (t.bits == 2) {
        for (uint32_t i = 0; i < count; ++i) row[x0 + i] = (src[i >> 2] >> (6 - 2 * (i & 3))) & 3;
        return;
    }
    // libtiff has put the samples in our byte order.
    const size_t n = t.bits / 8;
    if (stride == 1) {
        std::memcpy(row + n * x0, src, n * count);
        return;
    }
    for (uint32_t i = 0; i < count; ++i) std::memcpy(row + n * (x0 + i), src + n * size_t(i) * stride, n);
}

// Where channel c of the first pixel lies in a decoded row of plane p, and
// the stride that goes with it.
struct Source {
    size_t offset;
    int stride;
};
Source sourceOf(const TiffLayout& t, int channel) {
    if (t.separatePlanes) return {0, 1};
    return {size_t(channel) * (t.bits / 8), t.samples};
}

bool readStrips(TIFF* tif, const TiffLayout& t, MTHANDLE mt) {
    const int64_t stripBytes = int64_t(TIFFStripSize64(tif));
    const int64_t rowBytes = int64_t(TIFFScanlineSize64(tif));
    const uint32_t stripsPerPlane = (t.height + t.rowsPerStrip - 1) / t.rowsPerStrip;
    if (stripBytes <= 0 || rowBytes <= 0 || TIFFNumberOfStrips(tif) < stripsPerPlane * (t.separatePlanes ? t.channels : 1))
        return false;
    std::vector<uint8_t> buffer(static_cast<size_t>(stripBytes));
    const int planes = t.separatePlanes ? t.channels : 1;
    for (int p = 0; p < planes; ++p)
        for (uint32_t s = 0; s < stripsPerPlane; ++s) {
            const uint32_t y0 = s * t.rowsPerStrip;
            const uint32_t rows = std::min(t.rowsPerStrip, t.height - y0);
            const tmsize_t got = TIFFReadEncodedStrip(tif, p * stripsPerPlane + s, buffer.data(), stripBytes);
            if (got < 0 || got < tmsize_t(rows) * rowBytes) return false;
            for (int c = t.separatePlanes ? p : 0; c < (t.separatePlanes ? p + 1 : t.channels); ++c) {
                const Source from = sourceOf(t, c);
                for (uint32_t r = 0; r < rows; ++r)
                    storeSamples(t, pictureRow(mt, y0 + r), 0, t.width,
                                 buffer.data() + size_t(r) * rowBytes + from.offset, from.stride, c);
            }
        }
    return true;
}

bool readTiles(TIFF* tif, const TiffLayout& t, MTHANDLE mt) {
    const int64_t tileBytes = int64_t(TIFFTileSize64(tif));
    const int64_t rowBytes = int64_t(TIFFTileRowSize64(tif));
    if (tileBytes <= 0 || rowBytes <= 0 || rowBytes * t.tileLength > tileBytes) return false;
    std::vector<uint8_t> buffer(static_cast<size_t>(tileBytes));
    const int planes = t.separatePlanes ? t.channels : 1;
    for (int p = 0; p < planes; ++p)
        for (uint32_t y0 = 0; y0 < t.height; y0 += t.tileLength)
            for (uint32_t x0 = 0; x0 < t.width; x0 += t.tileWidth) {
                const uint32_t tile = TIFFComputeTile(tif, x0, y0, 0, uint16_t(p));
                if (TIFFReadEncodedTile(tif, tile, buffer.data(), tileBytes) != tileBytes) return false;
                const uint32_t rows = std::min(t.tileLength, t.height - y0);
                const uint32_t count = std::min(t.tileWidth, t.width - x0);
                for (int c = t.separatePlanes ? p : 0; c < (t.separatePlanes ? p + 1 : t.channels); ++c) {
                    const Source from = sourceOf(t, c);
                    for (uint32_t r = 0; r < rows; ++r)
                        storeSamples(t, pictureRow(mt, y0 + r), x0, count,
                                     buffer.data() + size_t(r) * rowBytes + from.offset, from.stride, c);
                }
            }
    return true;
}

IMHANDLE openFile(const char* path) {
    const int64_t bytes = fileSize(path);
    if (bytes <= 0) return nullptr;
    TiffSession session(path, "r");
    TIFF* tif = session.get();
    TiffLayout t;
    // Errors libtiff recovered from while reading the directory are let pass;
    // the pixels must then decode without any.
    if (!tif || !readLayout(tif, bytes, t)) return nullptr;
    MatrixPtr mt(MTCreate(int32_t(t.width), int32_t(t.height), t.type));
    if (!mt) return nullptr;
    if (!(t.tiled ? readTiles(tif, t, mt.get()) : readStrips(tif, t, mt.get())) || session.failed())
        return nullptr;
    IMHANDLE im = finishImage(std::move(mt), t.look);
    if (im && !t.unit.empty() && t.unit.size() < IM_UNIT_SIZE) IMSetXYUnit(im, t.unit.c_str());
    if (im) IMSetScale(im, t.scale);
    return im;
}

} // namespace

IMHANDLE open(const char* path) noexcept {
    try {
        return openFile(path);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

} // namespace qd::filters::tiff
