#include <qd/dlg_common/image_layout.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace qd::layout {
namespace {

struct TypeRow {
    const char* label;
    int32_t code;
    double bytes;
};

const TypeRow kTypes[kTypeCount] = {
    {"binary", MT_BINARY, 0.125},
    {"4 bits", MT_4BITS, 0.5},
    {"char", MT_CHAR, 1},
    {"unsigned char", MT_UCHAR, 1},
    {"short", MT_SHORT, 2},
    {"unsigned short", MT_USHORT, 2},
    {"long", MT_LONG, 4},
    {"unsigned long", MT_ULONG, 4},
    {"float", MT_FLOAT, 4},
    {"double", MT_DOUBLE, 8},
    {"complex (8 bytes)", MT_COMPLEX8, 8},
    {"complex (16 bytes)", MT_COMPLEX16, 16},
    {"RGB", MT_RGB, 4},
};

const TypeRow& row(int position) {
    return kTypes[position >= 0 && position < kTypeCount ? position : kDefaultPosition];
}

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();

int64_t times(int64_t a, int64_t b) {
    int64_t r = 0;
    return __builtin_mul_overflow(a, b, &r) ? kMax : r;
}

} // namespace

int32_t typeCode(int position) { return row(position).code; }

double bytesPerPixel(int position) { return row(position).bytes; }

const char* typeLabel(int position) { return row(position).label; }

int64_t proposedSide(int64_t fileSize, int64_t offset, int position) {
    if (offset < 0 || offset >= fileSize) return 0;
    const double side = std::sqrt(double(fileSize - offset) / bytesPerPixel(position)) + 0.5;
    // A file of 2^63 bytes still gives a side far inside int64_t.
    return static_cast<int64_t>(side);
}

int64_t dataSize(int64_t width, int64_t height, int position) {
    if (width < 1 || height < 1) return 0;
    switch (typeCode(position)) {
    case MT_BINARY:
        return times(width / 8 + (width % 8 != 0), height);
    case MT_4BITS:
        return times(width / 2 + (width % 2 != 0), height);
    default:
        return times(times(width, height), static_cast<int64_t>(bytesPerPixel(position)));
    }
}

void fillNewImageHeader(IMHEADER& header, int32_t width, int32_t height, int32_t type) {
    std::memset(&header, 0, sizeof header);
    std::strncpy(header.Version, IM_VERSION, sizeof header.Version - 1);
    header.Levels = 256;
    header.Width = width;
    header.Height = height;
    header.DataType = type;
    header.Scale = 1.0;
}

} // namespace qd::layout
