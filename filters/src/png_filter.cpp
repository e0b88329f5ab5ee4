// PNG files as images: grey, palette and colour of every depth in, grey of
// 1 to 16 bits and RGB out.
#include <new>
#include <vector>

#include <qd/core/atomic_file.h>
#include "filter_image.h"
#include "formats.h"
#include "png_codec.h"

namespace qd::filters::png {
namespace {

// Deflate turns one byte into at most 1032.
constexpr int64_t kMaxRatio = 1100;

struct Reader {
    int64_t fileBytes = 0;
    MatrixPtr matrix;
    std::vector<void*> rows;
    Look look;
};

int32_t matrixType(const QdPngImage& image) {
    if (image.colour == QD_PNG_RGB) return MT_RGB;
    switch (image.bits) {
    case 1: return MT_BINARY;
    case 4: return MT_4BITS;
    case 8: return MT_UCHAR;
    case 16: return image.colour == QD_PNG_GREY ? MT_USHORT : 0;
    default: return 0;
    }
}

void** provideRows(void* user, const QdPngImage* image, size_t rowBytes) noexcept {
    try {
        Reader& r = *static_cast<Reader*>(user);
        const int32_t type = matrixType(*image);
        const int64_t decoded = (int64_t(rowBytes) + 1) * image->height;
        if (type == 0 || !plausibleSize(image->width, image->height, type, decoded, r.fileBytes, kMaxRatio) ||
            MTGetRowBytes(type, image->width) != int64_t(rowBytes))
            return nullptr;
        r.matrix.reset(MTCreate(int32_t(image->width), int32_t(image->height), type));
        if (!r.matrix) return nullptr;
        r.rows.resize(image->height);
        for (uint32_t y = 0; y < image->height; ++y) r.rows[y] = pictureRow(r.matrix.get(), y);
        if (image->colour == QD_PNG_PALETTE) {
            r.look.hasPalette = true;
            for (int i = 0; i < image->paletteSize; ++i) r.look.palette[i] = image->palette[i];
        }
        // Levels for palette indices and grey up to 8 bits; 16-bit grey gets
        // the range of its values.
        if (type != MT_USHORT && type != MT_RGB)
            r.look.finalValue = image->colour == QD_PNG_GREY && image->fileBits == 2 ? 4.0 : levelsRange(type);
        return r.rows.data();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

} // namespace

IMHANDLE open(const char* path) noexcept {
    try {
        Reader reader;
        reader.fileBytes = fileSize(path);
        if (reader.fileBytes <= 0 || !qdPngRead(path, provideRows, &reader) || !reader.matrix) return nullptr;
        return finishImage(std::move(reader.matrix), reader.look);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool save(IMHANDLE im, const char* path) noexcept {
    try {
        MTHANDLE mt = IMGetDataHandle(im);
        QdPngImage image{};
        image.width = uint32_t(MTGetMaxXIndex(mt));
        image.height = uint32_t(MTGetMaxYIndex(mt));
        switch (MTGetFlags(mt)) {
        case MT_BINARY: image.bits = 1; break;
        case MT_4BITS: image.bits = 4; break;
        case MT_UCHAR: image.bits = 8; break;
        case MT_USHORT: image.bits = 16; break;
        case MT_RGB: image.bits = 8, image.colour = QD_PNG_RGB; break;
        default: return false; // PNG holds no signed, wider or floating-point values
        }
        std::vector<const void*> rows(image.height);
        for (uint32_t y = 0; y < image.height; ++y) rows[y] = pictureRow(mt, y);
        AtomicFile out(path);
        return out.isOpen() && qdPngWrite(out.temporary().c_str(), &image, rows.data()) && out.commit();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace qd::filters::png
