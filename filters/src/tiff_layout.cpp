// Reading the first directory into a layout, and the calibration tags.
#include "tiff_layout.h"

#include <cctype>

namespace qd::filters::tiff {
namespace {

// Most bytes one file byte decodes to: above this the sizes are a lie.
// Codecs without a known bound get a generous one.
int64_t maxRatio(uint16_t compression) {
    switch (compression) {
    case COMPRESSION_NONE: return 1;
    case COMPRESSION_PACKBITS: return 64;
    case COMPRESSION_DEFLATE:
    case COMPRESSION_ADOBE_DEFLATE: return 1100;
    case COMPRESSION_JPEG:
    case COMPRESSION_OJPEG: return 2048;
    default: return 4096;
    }
}

int32_t greyType(uint16_t bits, uint16_t format) {
    const bool isSigned = format == SAMPLEFORMAT_INT, isFloat = format == SAMPLEFORMAT_IEEEFP;
    if (format != SAMPLEFORMAT_UINT && !isSigned && !isFloat) return 0;
    if (isFloat) return bits == 32 ? MT_FLOAT : bits == 64 ? MT_DOUBLE : 0;
    switch (bits) {
    case 1: return isSigned ? 0 : MT_BINARY;
    case 2: return isSigned ? 0 : MT_UCHAR;
    case 4: return isSigned ? 0 : MT_4BITS;
    case 8: return isSigned ? MT_CHAR : MT_UCHAR;
    case 16: return isSigned ? MT_SHORT : MT_USHORT;
    case 32: return isSigned ? MT_LONG : MT_ULONG;
    default: return 0;
    }
}

// Colour maps are 16-bit; some writers store 8-bit values in them.
bool readColorMap(TIFF* tif, uint16_t bits, Look& look) {
    uint16_t *r = nullptr, *g = nullptr, *b = nullptr;
    if (!TIFFGetField(tif, TIFFTAG_COLORMAP, &r, &g, &b) || !r || !g || !b) return false;
    const int n = 1 << bits;
    bool eightBit = true;
    for (int i = 0; i < n; ++i) eightBit = eightBit && r[i] < 256 && g[i] < 256 && b[i] < 256;
    const int shift = eightBit ? 0 : 8;
    look.hasPalette = true;
    for (int i = 0; i < n; ++i)
        look.palette[i] = uint32_t(r[i] >> shift) << 16 | uint32_t(g[i] >> shift) << 8 | uint32_t(b[i] >> shift);
    return true;
}

// Every strip or tile the reader decodes lies wholly inside the file; a
// count past the end means the directory is damaged, even where libtiff
// would read the part that is there.
bool stripsInsideFile(TIFF* tif, const TiffLayout& t, int64_t planes, int64_t fileBytes) {
    int64_t used = 0;
    if (t.tiled) {
        used = int64_t(TIFFNumberOfTiles(tif));
    } else {
        used = (int64_t(t.height) + t.rowsPerStrip - 1) / t.rowsPerStrip * planes;
        if (int64_t(TIFFNumberOfStrips(tif)) < used) return false;
    }
    for (int64_t i = 0; i < used; ++i) {
        int err = 0;
        const uint64_t offset = TIFFGetStrileOffsetWithErr(tif, uint32_t(i), &err);
        if (err) return false;
        const uint64_t count = TIFFGetStrileByteCountWithErr(tif, uint32_t(i), &err);
        if (err || offset > uint64_t(fileBytes) || count > uint64_t(fileBytes) - offset) return false;
    }
    return true;
}

std::string lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

bool readLayout(TIFF* tif, int64_t fileBytes, TiffLayout& t) {
    uint16_t photometric = 0, format = SAMPLEFORMAT_UINT, planar = PLANARCONFIG_CONTIG, compression = 1;
    if (!TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &t.width) || !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &t.height))
        return false;
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &t.bits);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &t.samples);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &format);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
    if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric))
        photometric = t.samples >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
    if (t.samples == 0 || t.bits == 0) return false;
    if (format == SAMPLEFORMAT_VOID) format = SAMPLEFORMAT_UINT;
    t.separatePlanes = planar == PLANARCONFIG_SEPARATE;
    // JPEG-compressed colour is stored as YCbCr; libtiff converts it.
    if (photometric == PHOTOMETRIC_YCBCR && compression == COMPRESSION_JPEG) {
        if (!TIFFSetField(tif, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB)) return false;
        photometric = PHOTOMETRIC_RGB;
    }
    // Packed samples below a byte are taken only one per pixel.
    const bool packed = t.bits < 8 && t.samples > 1 && !t.separatePlanes;

    switch (photometric) {
    case PHOTOMETRIC_MINISBLACK:
    case PHOTOMETRIC_MINISWHITE:
        t.type = packed ? 0 : greyType(t.bits, format);
        if (t.type == 0) return false;
        if (format == SAMPLEFORMAT_UINT && t.bits <= 8) t.look.finalValue = t.bits == 2 ? 4.0 : levelsRange(t.type);
        if (photometric == PHOTOMETRIC_MINISWHITE)
            invertedGrey(t.look, t.type == MT_BINARY ? 2 : t.type == MT_4BITS ? 16 : 256);
        break;
    case PHOTOMETRIC_PALETTE:
        if (packed || format != SAMPLEFORMAT_UINT || t.bits > 8) return false;
        t.type = greyType(t.bits, format);
        if (t.type == 0 || !readColorMap(tif, t.bits, t.look)) return false;
        t.look.finalValue = levelsRange(t.type);
        break;
    case PHOTOMETRIC_RGB:
        if (t.samples < 3 || format != SAMPLEFORMAT_UINT || (t.bits != 8 && t.bits != 16)) return false;
        t.type = MT_RGB;
        t.channels = 3;
        break;
    default: return false;
    }

    t.tiled = TIFFIsTiled(tif) != 0;
    if (t.tiled) {
        if (!TIFFGetField(tif, TIFFTAG_TILEWIDTH, &t.tileWidth) ||
            !TIFFGetField(tif, TIFFTAG_TILELENGTH, &t.tileLength) || t.tileWidth == 0 || t.tileLength == 0)
            return false;
    } else {
        TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &t.rowsPerStrip);
        if (t.rowsPerStrip == 0 || t.rowsPerStrip > t.height) t.rowsPerStrip = t.height;
    }

    // What the pixels decode to, checked before anything is allocated.
    const int64_t planes = t.separatePlanes ? t.samples : 1;
    int64_t decoded = 0;
    if (t.tiled) {
        const int64_t tiles = int64_t(TIFFNumberOfTiles(tif));
        const int64_t tileBytes = int64_t(TIFFTileSize64(tif));
        if (tiles <= 0 || tileBytes <= 0 || tileBytes > kMaxImageBytes / tiles) return false;
        decoded = tiles * tileBytes;
    } else {
        const int64_t rowBytes = int64_t(TIFFScanlineSize64(tif));
        if (rowBytes <= 0 || rowBytes > kMaxImageBytes / t.height / planes) return false;
        decoded = rowBytes * t.height * planes;
    }
    if (!plausibleSize(t.width, t.height, t.type, decoded, fileBytes, maxRatio(compression))) return false;
    if (!stripsInsideFile(tif, t, planes, fileBytes)) return false;

    float xResolution = 0;
    uint16_t resolutionUnit = RESUNIT_INCH;
    if (TIFFGetField(tif, TIFFTAG_XRESOLUTION, &xResolution) && xResolution > 0) {
        TIFFGetFieldDefaulted(tif, TIFFTAG_RESOLUTIONUNIT, &resolutionUnit);
        calibrationFromResolution(xResolution, resolutionUnit, t.scale, t.unit);
    }
    return true;
}

void calibrationFromResolution(double pixelsPerUnit, uint16_t resolutionUnit, double& scale,
                               std::string& unit) {
    const double size = 1.0 / pixelsPerUnit;
    if (resolutionUnit == RESUNIT_CENTIMETER) {
        // The unit a microscope or scanner user reads the size in.
        if (size < 0.1) unit = "\xB5m", scale = size * 1e4;
        else if (size < 1.0) unit = "mm", scale = size * 10;
        else unit = "cm", scale = size;
    } else {
        unit = resolutionUnit == RESUNIT_INCH ? "inch" : "";
        scale = size;
    }
}

void resolutionFromCalibration(double scale, const std::string& unitText, double& pixelsPerUnit,
                               uint16_t& resolutionUnit) {
    struct Length {
        const char* name;
        double perCentimetre;
    };
    // Unit texts are Western code page bytes (0xB5 the micro sign); UTF-8
    // spellings come from scripts.
    static const Length lengths[] = {{"cm", 1},     {"mm", 10},    {"\xB5m", 1e4}, {"\xC2\xB5m", 1e4},
                                     {"um", 1e4},   {"micron", 1e4}, {"nm", 1e7},  {"m", 0.01}};
    const std::string unit = lower(unitText);
    resolutionUnit = RESUNIT_NONE;
    pixelsPerUnit = 1.0 / scale;
    if (unit == "inch" || unit == "in") {
        resolutionUnit = RESUNIT_INCH;
        return;
    }
    for (const Length& l : lengths)
        if (unit == l.name) {
            resolutionUnit = RESUNIT_CENTIMETER;
            pixelsPerUnit = l.perCentimetre / scale;
        }
}

} // namespace qd::filters::tiff
