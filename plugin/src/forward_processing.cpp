// Spatial processing, as QDPrcs gives it. A plug-in never passes a
// destination: every matrix result is new and belongs to the plug-in.
#include <qd/plugin.h>

extern "C" {

MTHANDLE qdDuplicate2D(MTHANDLE src) noexcept { return Duplicate2D(src, nullptr); }
int32_t qdMinMaxReal2D(MTHANDLE src, double* min, double* max) noexcept {
    return MinMaxReal2D(src, min, max);
}
int32_t qdMinMaxImag2D(MTHANDLE src, double* min, double* max) noexcept {
    return MinMaxImag2D(src, min, max);
}
int32_t qdMinMaxNorm2D(MTHANDLE src, double* min, double* max) noexcept {
    return MinMaxNorm2D(src, min, max);
}
int32_t qdSum2D(MTHANDLE src, double* sum) noexcept { return Sum2D(src, sum); }
int32_t qdMean2D(MTHANDLE src, double* mean, double* variance) noexcept {
    return Mean2D(src, mean, variance);
}
int32_t qdStatistics2D(MTHANDLE src, StatisticsRecord* stats) noexcept {
    return Statistics2D(src, stats);
}
MTHANDLE qdBinOp2D(MTHANDLE src, int32_t op, double value) noexcept {
    return BinOp2D(src, op, value, nullptr);
}
MTHANDLE qdImageMath2D(MTHANDLE a, MTHANDLE b, int32_t op) noexcept {
    return ImageMath2D(a, b, op, nullptr);
}
MTHANDLE qdResize2D(MTHANDLE src, int32_t newWidth, int32_t newHeight) noexcept {
    return Resize2D(src, newWidth, newHeight, nullptr);
}
MTHANDLE qdStRankFilter2D(MTHANDLE src, int32_t rank) noexcept {
    return StRankFilter2D(src, rank, nullptr);
}
MTHANDLE qdStMedianFilter2D(MTHANDLE src) noexcept { return StMedianFilter2D(src, nullptr); }
MTHANDLE qdStDilation2D(MTHANDLE src) noexcept { return StDilation2D(src, nullptr); }
MTHANDLE qdStErosion2D(MTHANDLE src) noexcept { return StErosion2D(src, nullptr); }
MTHANDLE qdStEdgeDetect2D(MTHANDLE src) noexcept { return StEdgeDetect2D(src, nullptr); }
MTHANDLE qdContour(MTHANDLE src) noexcept { return Contour(src, nullptr); }
MTHANDLE qdMedianFilter2D(MTHANDLE src, const MMKERNEL* kernel) noexcept {
    return MedianFilter2D(src, kernel, nullptr);
}
MTHANDLE qdErosion2D(MTHANDLE src, const MMKERNEL* kernel) noexcept {
    return Erosion2D(src, kernel, nullptr);
}
MTHANDLE qdDilation2D(MTHANDLE src, const MMKERNEL* kernel) noexcept {
    return Dilation2D(src, kernel, nullptr);
}
MTHANDLE qdClosing2D(MTHANDLE src, const MMKERNEL* kernel) noexcept {
    return Closing2D(src, kernel, nullptr);
}
MTHANDLE qdOpening2D(MTHANDLE src, const MMKERNEL* kernel) noexcept {
    return Opening2D(src, kernel, nullptr);
}
MTHANDLE qdTopHat2D(MTHANDLE src, const MMKERNEL* kernel) noexcept {
    return TopHat2D(src, kernel, nullptr);
}
int32_t qdFindObjects(MTHANDLE src, int32_t eight, int32_t dropBorder, MTHANDLE* labels) noexcept {
    return FindObjects(src, eight, dropBorder, labels);
}
MTHANDLE qdVoronoiDiagram(MTHANDLE src, MTHANDLE dst) noexcept { return VoronoiDiagram(src, dst); }
MTHANDLE qdTriangulation(MTHANDLE src, MTHANDLE dst) noexcept { return Triangulation(src, dst); }
MTHANDLE qdSimpleConvolution2D(MTHANDLE src, int32_t N, const double* weights,
                               double divisor) noexcept {
    return SimpleConvolution2D(src, N, weights, divisor, nullptr);
}
int32_t qdThresholdPun(ARHANDLE hist) noexcept { return ThresholdPun(hist); }
MTHANDLE qdSkeletonize(MTHANDLE src) noexcept { return Skeletonize(src, nullptr); }
MTHANDLE qdRealPart2D(MTHANDLE src) noexcept { return RealPart2D(src, nullptr); }
MTHANDLE qdImaginaryPart2D(MTHANDLE src) noexcept { return ImaginaryPart2D(src, nullptr); }
MTHANDLE qdMakeComplex2D(MTHANDLE re, MTHANDLE im) noexcept {
    return MakeComplex2D(re, im, nullptr);
}

} // extern "C"
