#include "type_codes.h"

#include <qd/types.h>

namespace qd::mem {

bool codeIsInteger(int32_t code) { return code < 1024; }

bool codeIsSigned(int32_t code) {
    return code != MT_UCHAR && code != MT_USHORT && code != MT_ULONG && code != MT_UINT64;
}

bool codeIsComplex(int32_t code) { return code == MT_COMPLEX8 || code == MT_COMPLEX16; }

bool codeIsRgb(int32_t code) { return code == MT_RGB; }

// The first set bit in this order decides.
double codeMaxLimit(int32_t code) {
    if (code & 1) return 1;
    if (code & 2) return 15;
    if (code & 4) return 127;
    if (code & 8) return 255;
    if (code & 16) return 32767;
    if (code & 32) return 65535;
    if (code & 64) return 2147483647.0;
    if (code & 128) return 4294967295.0;
    if (code & 256) return 9.223372036855e18;
    if (code & 512) return 1.844674407371e19;
    if (code & 1024) return 1e38;
    if (code & (2048 | 4096)) return 1e300;
    if (code & 8192) return 1e38;
    if (code & (16384 | 32768)) return 1e300;
    return 0;
}

double codeMinLimit(int32_t code) {
    if (code & 4) return -128;
    if (code & 16) return -32768;
    if (code & 64) return -2147483648.0;
    if (code & 256) return -9.223372036855e18;
    if (code & 1024) return -1e38;
    if (code & (2048 | 4096)) return -1e300;
    if (code & 8192) return -1e38;
    if (code & (16384 | 32768)) return -1e300;
    return 0;
}

int codeSwapSize(int32_t code) {
    switch (code) {
    case 4: case 8: return 1;
    case 16: case 32: return 2;
    case 64: case 128: case 1024: case 8192: return 4;
    case 256: case 512: case 2048: case 16384: return 8;
    case 4096: case 32768: return 10;
    default: return 0;
    }
}

int32_t creatableCode(int32_t code) {
    switch (code) {
    case MT_BINARY: case MT_4BITS: case MT_CHAR: case MT_UCHAR: case MT_SHORT:
    case MT_USHORT: case MT_LONG: case MT_ULONG: case MT_DOUBLE: case MT_COMPLEX8:
    case MT_COMPLEX16: case MT_RGB:
        return code;
    default:
        return MT_FLOAT;
    }
}

int64_t rowBytes(int32_t code, int64_t count) {
    switch (code) {
    case MT_BINARY: return (count + 7) / 8;
    case MT_4BITS: return (count + 1) / 2;
    case MT_CHAR: case MT_UCHAR: return count;
    case MT_SHORT: case MT_USHORT: return 2 * count;
    case MT_DOUBLE: case MT_COMPLEX8: return 8 * count;
    case MT_COMPLEX16: return 16 * count;
    default: return 4 * count;
    }
}

int64_t blockBytes(int32_t code, int64_t width, int64_t height) {
    return rowBytes(code, width) * height;
}

} // namespace qd::mem
