// JPEG files as images: grey and colour in, and out at quality 95.
#include <new>
#include <vector>

#include <qd/core/atomic_file.h>
#include "filter_image.h"
#include "formats.h"
#include "jpeg_codec.h"

namespace qd::filters::jpeg {
namespace {

constexpr int kQuality = 95;
// Every 32 x 32 pixels take at least one coded bit (a block's DC code in
// the coarsest sampling), so no file byte stands for more pixels.
constexpr int64_t kMaxPixelsPerByte = 8192;

struct Reader {
    int64_t fileBytes = 0;
    MatrixPtr matrix;
    std::vector<void*> rows;
};

void** provideRows(void* user, const QdJpegImage* image) noexcept {
    try {
        Reader& r = *static_cast<Reader*>(user);
        const int32_t type = image->colour ? MT_RGB : MT_UCHAR;
        const int64_t pixels = int64_t(image->width) * image->height;
        if (!plausibleSize(image->width, image->height, type, pixels, r.fileBytes, kMaxPixelsPerByte))
            return nullptr;
        r.matrix.reset(MTCreate(int32_t(image->width), int32_t(image->height), type));
        if (!r.matrix) return nullptr;
        r.rows.resize(image->height);
        for (uint32_t y = 0; y < image->height; ++y) r.rows[y] = pictureRow(r.matrix.get(), y);
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
        if (reader.fileBytes <= 0 || !qdJpegRead(path, provideRows, &reader) || !reader.matrix) return nullptr;
        Look look;
        look.finalValue = 256.0;
        return finishImage(std::move(reader.matrix), look);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool save(IMHANDLE im, const char* path) noexcept {
    try {
        MTHANDLE mt = IMGetDataHandle(im);
        const int32_t type = MTGetFlags(mt);
        if (type != MT_UCHAR && type != MT_RGB) return false; // JPEG holds 8-bit grey and colour only
        QdJpegImage image{uint32_t(MTGetMaxXIndex(mt)), uint32_t(MTGetMaxYIndex(mt)), type == MT_RGB};
        // libjpeg refuses larger pictures itself, with a fatal error.
        std::vector<const void*> rows(image.height);
        for (uint32_t y = 0; y < image.height; ++y) rows[y] = pictureRow(mt, y);
        AtomicFile out(path);
        return out.isOpen() && qdJpegWrite(out.temporary().c_str(), &image, rows.data(), kQuality) && out.commit();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace qd::filters::jpeg
