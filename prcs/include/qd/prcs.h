/* Spatial processing: neighbourhood filters, morphology, arithmetic,
 * statistics and geometry on typed matrices.
 *
 * Every function that produces a matrix takes an optional destination as its
 * last argument: when it has the result's width, height and type it is
 * filled and returned, otherwise it is destroyed and a new matrix returned.
 * A refused call returns 0 (and destroys the destination, where stated).
 * Work is done on the source's current window. */
#ifndef QD_PRCS_H
#define QD_PRCS_H

#include <qd/types.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Kernel records of the two kernel libraries; also declared (identically,
 * under the same guard) by headers of libraries that do not link this one. */
#ifndef QD_KERNELS_DEFINED
#define QD_KERNELS_DEFINED
/* Convolution kernel: N x N weights, row by row, first row first. The
 * weights are divided by the divisor. */
typedef struct CONVKERNEL {
    char name[128];
    int32_t N;
    double divisor;
    double* weights;
} CONVKERNEL;

/* Morphology kernel: N x N values, row by row; entries above 0 belong to the
 * structuring element. */
typedef struct MMKERNEL {
    char name[128];
    int32_t N;
    int32_t* values;
} MMKERNEL;
#endif

/* Filled by Statistics2D. */
typedef struct StatisticsRecord {
    double sum;
    double mean;
    double variance;
    double min;
    double max;
} StatisticsRecord;

/* ---- Neighbourhood filters ---- */
QD_EXPORT MTHANDLE StMedianFilter2D(MTHANDLE src, MTHANDLE dst) QD_NOEXCEPT;
QD_EXPORT MTHANDLE StRankFilter2D(MTHANDLE src, int32_t rank, MTHANDLE dst) QD_NOEXCEPT;
QD_EXPORT MTHANDLE MedianFilter2D(MTHANDLE src, const MMKERNEL* kernel, MTHANDLE dst) QD_NOEXCEPT;
QD_EXPORT MTHANDLE SimpleConvolution2D(MTHANDLE src, int32_t N, const double* weights,
                                       double divisor, MTHANDLE dst) QD_NOEXCEPT;
QD_EXPORT MTHANDLE StEdgeDetect2D(MTHANDLE src, MTHANDLE dst) QD_NOEXCEPT;

/* ---- Morphology ---- */
QD_EXPORT MTHANDLE Erosion2D(MTHANDLE src, const MMKERNEL* kernel, MTHANDLE dst) QD_NOEXCEPT;
QD_EXPORT MTHANDLE Dilation2D(MTHANDLE src, const MMKERNEL* kernel, MTHANDLE dst) QD_NOEXCEPT;
QD_EXPORT MTHANDLE Opening2D(MTHANDLE src, const MMKERNEL* kernel, MTHANDLE dst) QD_NOEXCEPT;
QD_EXPORT MTHANDLE Closing2D(MTHANDLE src, const MMKERNEL* kernel, MTHANDLE dst) QD_NOEXCEPT;
QD_EXPORT MTHANDLE TopHat2D(MTHANDLE src, const MMKERNEL* kernel, MTHANDLE dst) QD_NOEXCEPT;
QD_EXPORT MTHANDLE StErosion2D(MTHANDLE src, MTHANDLE dst) QD_NOEXCEPT;
QD_EXPORT MTHANDLE StDilation2D(MTHANDLE src, MTHANDLE dst) QD_NOEXCEPT;

/* ---- Arithmetic, statistics and geometry ---- */
/* op: 1 multiply, 2 divide, anything else add. */
QD_EXPORT MTHANDLE BinOp2D(MTHANDLE src, int32_t op, double value, MTHANDLE dst) QD_NOEXCEPT;
/* op: 0 add, 1 subtract, 2 multiply. */
QD_EXPORT MTHANDLE ImageMath2D(MTHANDLE a, MTHANDLE b, int32_t op, MTHANDLE dst) QD_NOEXCEPT;
QD_EXPORT int32_t Sum2D(MTHANDLE src, double* sum) QD_NOEXCEPT;
QD_EXPORT int32_t Mean2D(MTHANDLE src, double* mean, double* variance) QD_NOEXCEPT;
QD_EXPORT int32_t Statistics2D(MTHANDLE src, StatisticsRecord* stats) QD_NOEXCEPT;
QD_EXPORT int32_t MinMaxReal2D(MTHANDLE src, double* min, double* max) QD_NOEXCEPT;
QD_EXPORT int32_t MinMaxImag2D(MTHANDLE src, double* min, double* max) QD_NOEXCEPT;
QD_EXPORT int32_t MinMaxNorm2D(MTHANDLE src, double* min, double* max) QD_NOEXCEPT;
QD_EXPORT MTHANDLE Resize2D(MTHANDLE src, int32_t newWidth, int32_t newHeight,
                            MTHANDLE dst) QD_NOEXCEPT;
QD_EXPORT MTHANDLE Duplicate2D(MTHANDLE src, MTHANDLE dst) QD_NOEXCEPT;
QD_EXPORT MTHANDLE RealPart2D(MTHANDLE src, MTHANDLE dst) QD_NOEXCEPT;
QD_EXPORT MTHANDLE ImaginaryPart2D(MTHANDLE src, MTHANDLE dst) QD_NOEXCEPT;
QD_EXPORT MTHANDLE MakeComplex2D(MTHANDLE re, MTHANDLE im, MTHANDLE dst) QD_NOEXCEPT;

/* ---- Thresholding, binary shape, object identification and measurement ---- */
/* One record per object, filled by ObjectProperty. */
typedef struct ObjectPropertyRecord {
    double area;
    double perimeter;
    double angle; /* radians */
    double majorAxis;
    double minorAxis;
    int32_t holes;
    double Rg;
} ObjectPropertyRecord;

/* Maximum-entropy threshold bin of a histogram; 0 below three bins. */
QD_EXPORT int32_t ThresholdPun(ARHANDLE hist) QD_NOEXCEPT;
/* The following refuse a source that is not MT_BINARY. */
QD_EXPORT MTHANDLE Contour(MTHANDLE src, MTHANDLE dst) QD_NOEXCEPT;
QD_EXPORT MTHANDLE Skeletonize(MTHANDLE src, MTHANDLE dst) QD_NOEXCEPT;
/* Draw into dst without clearing it; 0 with fewer than three inner objects. */
QD_EXPORT MTHANDLE Triangulation(MTHANDLE src, MTHANDLE dst) QD_NOEXCEPT;
QD_EXPORT MTHANDLE VoronoiDiagram(MTHANDLE src, MTHANDLE dst) QD_NOEXCEPT;
/* Labels objects 1 .. n into an MT_USHORT matrix; *labels is in-out (a
 * destination as above, replaced by the handle used). Returns n. */
QD_EXPORT int32_t FindObjects(MTHANDLE src, int32_t eight, int32_t dropBorder,
                              MTHANDLE* labels) QD_NOEXCEPT;
/* Measures objects 1 .. n of a label image into props (room for n). */
QD_EXPORT int32_t ObjectProperty(MTHANDLE labels, int32_t n, int32_t eight, int32_t dropBorder,
                                 ObjectPropertyRecord* props) QD_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
