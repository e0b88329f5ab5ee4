/* Types shared by every library of the system and by plug-ins. */
#ifndef QD_TYPES_H
#define QD_TYPES_H

#include <stdint.h>

#ifndef QD_EXPORT
#define QD_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
#define QD_NOEXCEPT noexcept
extern "C" {
#else
#define QD_NOEXCEPT
#endif

/* Element type codes, one bit each. Integer means a code below 1024. */
enum {
    MT_BINARY = 1,
    MT_4BITS = 2,
    MT_CHAR = 4,
    MT_UCHAR = 8,
    MT_SHORT = 16,
    MT_USHORT = 32,
    MT_LONG = 64,
    MT_ULONG = 128,
    MT_INT64 = 256,
    MT_UINT64 = 512,
    MT_FLOAT = 1024,
    MT_DOUBLE = 2048,
    MT_LDOUBLE = 4096,
    MT_COMPLEX8 = 8192,
    MT_LCOMPLEX = 32768,
    MT_COMPLEX16 = 16384,
    MT_RGB = 65536
};

typedef struct QDMatrix* MTHANDLE;
typedef struct QDArray* ARHANDLE;

/* Complex value: real part then imaginary part, passed by value. */
typedef struct MTCOMPLEX {
    double re;
    double im;
} MTCOMPLEX;

/* Rectangle and point, also declared (identically, under the same guard) by
 * headers of libraries that do not link this one. */
#ifndef QD_RECT_DEFINED
#define QD_RECT_DEFINED
/* Rectangle: right and bottom exclusive. */
typedef struct QDRECT {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
} QDRECT;

/* Point: x then y. */
typedef struct QDPOINT {
    int32_t x;
    int32_t y;
} QDPOINT;
#endif

#ifdef __cplusplus
}
#endif

#endif
