// Writing any real image as a Deflate-compressed TIFF whose values are the
// image's, with the calibration in the resolution tags.
#include <cstring>
#include <new>
#include <vector>

#include <qd/core/atomic_file.h>
#include "formats.h"
#include "tiff_layout.h"
#include "tiff_session.h"

namespace qd::filters::tiff {
namespace {

struct SampleKind {
    int32_t type;
    uint16_t bits;
    uint16_t format;
};
constexpr SampleKind kKinds[] = {
    {MT_BINARY, 1, SAMPLEFORMAT_UINT}, {MT_4BITS, 4, SAMPLEFORMAT_UINT},  {MT_CHAR, 8, SAMPLEFORMAT_INT},
    {MT_UCHAR, 8, SAMPLEFORMAT_UINT},  {MT_SHORT, 16, SAMPLEFORMAT_INT},  {MT_USHORT, 16, SAMPLEFORMAT_UINT},
    {MT_LONG, 32, SAMPLEFORMAT_INT},   {MT_ULONG, 32, SAMPLEFORMAT_UINT}, {MT_FLOAT, 32, SAMPLEFORMAT_IEEEFP},
    {MT_DOUBLE, 64, SAMPLEFORMAT_IEEEFP}, {MT_RGB, 8, SAMPLEFORMAT_UINT}};

// Classic TIFF offsets are 32 bits; beyond this the file is written as BigTIFF.
constexpr int64_t kClassicLimit = int64_t(3) << 30;

bool setTags(TIFF* tif, IMHANDLE im, const SampleKind& kind, uint32_t width, uint32_t height) {
    const bool rgb = kind.type == MT_RGB;
    bool ok = TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width) && TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height) &&
              TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, kind.bits) &&
              TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, rgb ? 3 : 1) &&
              TIFFSetField(tif, TIFFTAG_SAMPLEFORMAT, kind.format) &&
              TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, rgb ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK) &&
              TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
              TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
              TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE) &&
              TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif, 0));
    const double scale = IMGetScale(im);
    const std::string unit = IMGetXYUnit(im);
    if (ok && (scale != 1.0 || !unit.empty())) {
        double perUnit = 1;
        uint16_t resolutionUnit = RESUNIT_NONE;
        resolutionFromCalibration(scale, unit, perUnit, resolutionUnit);
        ok = TIFFSetField(tif, TIFFTAG_XRESOLUTION, perUnit) && TIFFSetField(tif, TIFFTAG_YRESOLUTION, perUnit) &&
             TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, resolutionUnit);
    }
    return ok;
}

bool saveFile(IMHANDLE im, const char* path) {
    MTHANDLE mt = IMGetDataHandle(im);
    const SampleKind* kind = nullptr;
    for (const SampleKind& k : kKinds)
        if (k.type == MTGetFlags(mt)) kind = &k;
    if (!kind) return false; // complex values have no TIFF sample format readers agree on
    const uint32_t width = uint32_t(MTGetMaxXIndex(mt)), height = uint32_t(MTGetMaxYIndex(mt));
    const bool rgb = kind->type == MT_RGB;
    const size_t rowBytes = rgb ? 3 * size_t(width) : size_t(MTGetRowBytes(kind->type, width));

    AtomicFile out(path);
    if (!out.isOpen()) return false;
    TiffSession session(out.temporary().c_str(), int64_t(rowBytes) * height > kClassicLimit ? "w8" : "w");
    TIFF* tif = session.get();
    if (!tif || !setTags(tif, im, *kind, width, height)) return false;
    // libtiff may change a row in place while encoding: it gets a copy.
    std::vector<uint8_t> row(rowBytes);
    for (uint32_t r = 0; r < height; ++r) {
        const uint8_t* from = pictureRow(mt, r);
        if (rgb) {
            for (uint32_t x = 0; x < width; ++x) {
                uint32_t v;
                std::memcpy(&v, from + 4 * size_t(x), 4);
                row[3 * size_t(x)] = uint8_t(v >> 16), row[3 * size_t(x) + 1] = uint8_t(v >> 8);
                row[3 * size_t(x) + 2] = uint8_t(v);
            }
        } else {
            std::memcpy(row.data(), from, rowBytes);
        }
        if (TIFFWriteScanline(tif, row.data(), r, 0) != 1) return false;
    }
    return session.close() && out.commit();
}

} // namespace

bool save(IMHANDLE image, const char* path) noexcept {
    try {
        return saveFile(image, path);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace qd::filters::tiff
