// Native image files (header record, data block, overlay object records) and
// raw import into an existing image. Files may come from anywhere: every size
// they state is checked against the bytes they really hold before anything is
// allocated or read.
#include <bit>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "image_object.h"

// The header and the data block go to disk byte for byte as they are held.
static_assert(std::endian::native == std::endian::little, "native files are little-endian");

namespace {

// Largest data block a native file may describe.
constexpr int64_t kMaxBlockBytes = int64_t(16) << 30;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File openFile(const char* path, const char* mode) {
    return File(path ? std::fopen(path, mode) : nullptr);
}

// Size of the whole file; the position is left where it was.
int64_t fileSize(std::FILE* f) {
    const long here = std::ftell(f);
    if (here < 0 || std::fseek(f, 0, SEEK_END) != 0) return -1;
    const long end = std::ftell(f);
    if (std::fseek(f, here, SEEK_SET) != 0) return -1;
    return end;
}

bool readExact(std::FILE* f, void* out, int64_t n) {
    return n == 0 || std::fread(out, 1, size_t(n), f) == size_t(n);
}

bool writeExact(std::FILE* f, const void* in, int64_t n) {
    return n == 0 || std::fwrite(in, 1, size_t(n), f) == size_t(n);
}

// The element types a matrix keeps as given; a file naming another is refused.
bool isMatrixType(int32_t type) {
    switch (type) {
    case MT_BINARY: case MT_4BITS: case MT_CHAR: case MT_UCHAR: case MT_SHORT: case MT_USHORT:
    case MT_LONG: case MT_ULONG: case MT_FLOAT: case MT_DOUBLE: case MT_COMPLEX8:
    case MT_COMPLEX16: case MT_RGB:
        return true;
    default:
        return false;
    }
}

// A header read from a file, checked before an image is made for it: the
// version text, a type and size the matrix can have, and a file long enough
// to hold the data block it announces.
bool headerFitsFile(const IMHEADER& h, int64_t fileBytes) {
    if (std::memcmp(h.Version, IM_VERSION, sizeof IM_VERSION) != 0) return false;
    if (h.Width <= 0 || h.Height <= 0) return false;
    if (!isMatrixType(h.DataType)) return false;
    const int64_t row = MTGetRowBytes(h.DataType, h.Width);
    if (row > kMaxBlockBytes / h.Height) return false;
    return row * h.Height <= fileBytes - int64_t(sizeof(IMHEADER));
}

} // namespace

QDImage* QDImage::createFromFile(const char* path) {
    IMHEADER h;
    int64_t size = 0;
    {
        File f = openFile(path, "rb");
        if (!f) return nullptr;
        size = fileSize(f.get());
        if (!readExact(f.get(), &h, sizeof h)) return nullptr;
    }
    if (!headerFitsFile(h, size)) return nullptr;
    QDImage* im = IMCreateFromHeader(&h);
    if (!im) return nullptr;
    if (!im->readFile(path)) {
        delete im;
        return nullptr;
    }
    return im;
}

int32_t QDImage::readFile(const char* path) {
    File f = openFile(path, "rb");
    if (!f) return 0;
    const int64_t size = fileSize(f.get());
    IMHEADER h;
    if (!readExact(f.get(), &h, sizeof h)) return 0;
    // The matrix must already have the file's size and type: a header that
    // described another matrix would send every later access out of it.
    if (h.Width != MTGetMaxXIndex(data) || h.Height != MTGetMaxYIndex(data) ||
        h.DataType != MTGetFlags(data))
        return 0;
    const int64_t block = MTGetMemorySize(data);
    if (block > size - int64_t(sizeof h) || !readExact(f.get(), MTGetPointer(data), block))
        return 0;
    header = h;
    terminateTexts();

    // The file's overlays replace the image's own.
    for (int32_t i = GMGetCount(objects) - 1; i >= 0; --i) {
        GOHANDLE old = GMGetGraphicObject(objects, i);
        GMDeleteGraphicObjectAt(objects, i);
        GODestroy(old);
    }
    int32_t read = 0;
    for (int32_t i = 0; i < h.NumGraphicObjects; ++i) {
        int32_t record[2]; // type, size
        if (!readExact(f.get(), record, sizeof record)) break;
        const int64_t remaining = size - std::ftell(f.get());
        if (record[1] <= 0 || record[1] > remaining) break;
        std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[size_t(record[1])]);
        if (!bytes || !readExact(f.get(), bytes.get(), record[1])) break;
        GOHANDLE obj = GOCreate(record[0]);
        if (!obj) break;
        if (!GOSetData(obj, bytes.get(), record[1]) || GMAddGraphicObject(objects, obj) == 0) {
            GODestroy(obj);
            break;
        }
        ++read;
    }
    header.NumGraphicObjects = read;
    return 1;
}

int32_t QDImage::writeFile(const char* path) {
    File f = openFile(path, "wb");
    if (!f) return 0;
    // Never announce more object records than the list can give.
    IMHEADER out = header;
    const int32_t listed = GMGetCount(objects);
    if (out.NumGraphicObjects > listed) out.NumGraphicObjects = listed;
    if (out.NumGraphicObjects < 0) out.NumGraphicObjects = 0;
    if (!writeExact(f.get(), &out, sizeof out) ||
        !writeExact(f.get(), MTGetPointer(data), MTGetMemorySize(data)))
        return 0;
    for (int32_t i = 0; i < out.NumGraphicObjects; ++i) {
        GOHANDLE obj = GMGetGraphicObject(objects, i);
        const int32_t record[2] = {GOGetType(obj), GOGetObjectSize(obj)};
        std::unique_ptr<void, decltype(&std::free)> bytes(GOGetData(obj), &std::free);
        // An overlay that cannot be written is lost data: report failure.
        if (!bytes || !writeExact(f.get(), record, sizeof record) ||
            !writeExact(f.get(), bytes.get(), record[1]))
            return 0;
    }
    // Buffered bytes that fail to reach the disk are a failed write too.
    return std::fclose(f.release()) == 0 ? 1 : 0;
}

int32_t QDImage::importFile(const char* path, int64_t offset) {
    if (offset < 0) return 0;
    File f = openFile(path, "rb");
    if (!f || std::fseek(f.get(), long(offset), SEEK_SET) != 0) return 0;
    // Whatever the file holds, at most the block's size is read into it.
    const int64_t block = MTGetMemorySize(data);
    return readExact(f.get(), MTGetPointer(data), block) ? 1 : 0;
}

extern "C" {

IMHANDLE IMCreateFromFile(const char* path) noexcept { return QDImage::createFromFile(path); }

int32_t IMReadFile(IMHANDLE im, const char* path) noexcept { return im->readFile(path); }

int32_t IMWriteFile(IMHANDLE im, const char* path) noexcept { return im->writeFile(path); }

int32_t IMImportFile(IMHANDLE im, const char* path, int64_t offset) noexcept {
    return im->importFile(path, offset);
}

} // extern "C"
