#include "matrix.h"

#include <sys/mman.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <new>

#include "block_ops.h"
#include "element.h"
#include "type_codes.h"

namespace qd::mem {

double MatrixOps::modulus(const QDMatrix& m, int32_t x, int32_t y) const {
    const double re = real(m, x, y), im = imag(m, x, y);
    return std::sqrt(re * re + im * im);
}

void MatrixOps::swapBytes(QDMatrix& m) const {
    const int64_t elements = int64_t(m.width) * m.height;
    swapComponents(m.data, elements * (codeIsComplex(m.type) ? 2 : 1), codeSwapSize(m.type));
}

int32_t MatrixOps::exchange(QDMatrix& m) const {
    if (!codeIsComplex(m.type)) return 0;
    for (int32_t y = 0; y < m.height; ++y) exchangeRowByCode(m.type, m.rows[y], m.width);
    return 1;
}

int32_t MatrixOps::setWindow(QDMatrix& m, int32_t x0, int32_t y0, int32_t x1, int32_t y1) const {
    if (x0 >= x1 || x1 > m.width || x0 < 0 || y0 >= y1 || y1 > m.height || y0 < 0) return 0;
    m.winX = x0;
    m.winY = y0;
    m.winWidth = x1 - x0;
    m.winHeight = y1 - y0;
    return 1;
}

void MatrixOps::setDefaultWindow(QDMatrix& m) const {
    m.winX = m.winY = 0;
    m.winWidth = m.width;
    m.winHeight = m.height;
}

namespace {

template <class E> struct TypedMatrixOps final : MatrixOps {
    static const uint8_t* row(const QDMatrix& m, int32_t y) { return m.rows[m.winY + y]; }
    static uint8_t* row(QDMatrix& m, int32_t y) { return m.rows[m.winY + y]; }

    void** rowTable(const QDMatrix& m) const override {
        return reinterpret_cast<void**>(m.rows);
    }
    double real(const QDMatrix& m, int32_t x, int32_t y) const override {
        return E::real(row(m, y), int64_t(m.winX) + x);
    }
    double imag(const QDMatrix& m, int32_t x, int32_t y) const override {
        return E::imag(row(m, y), int64_t(m.winX) + x);
    }
    int32_t realInt(const QDMatrix& m, int32_t x, int32_t y) const override {
        return E::realInt(row(m, y), int64_t(m.winX) + x);
    }
    int32_t imagInt(const QDMatrix& m, int32_t x, int32_t y) const override {
        return E::imagInt(row(m, y), int64_t(m.winX) + x);
    }
    uint32_t rgb(const QDMatrix& m, int32_t x, int32_t y) const override {
        return E::rgb(row(m, y), int64_t(m.winX) + x);
    }
    void setReal(QDMatrix& m, int32_t x, int32_t y, double v) const override {
        E::setReal(row(m, y), int64_t(m.winX) + x, v);
    }
    void setImag(QDMatrix& m, int32_t x, int32_t y, double v) const override {
        E::setImag(row(m, y), int64_t(m.winX) + x, v);
    }
    void setRgb(QDMatrix& m, int32_t x, int32_t y, uint32_t v) const override {
        E::setRgb(row(m, y), int64_t(m.winX) + x, v);
    }
    void setRealInt(QDMatrix& m, int32_t x, int32_t y, int32_t v) const override {
        E::setRealInt(row(m, y), int64_t(m.winX) + x, v);
    }
    void setImagInt(QDMatrix& m, int32_t x, int32_t y, int32_t v) const override {
        E::setImagInt(row(m, y), int64_t(m.winX) + x, v);
    }
    // Whole-matrix operations ignore the window.
    void invert(QDMatrix& m) const override {
        for (int32_t y = 0; y < m.height; ++y) invertRow<E>(m.rows[y], m.width);
    }
};

template <class E> const MatrixOps& tableOf() {
    static const TypedMatrixOps<E> ops;
    return ops;
}

} // namespace

const MatrixOps& matrixOpsFor(int32_t code) {
    return withElem(creatableCode(code),
                    [](auto e) -> const MatrixOps& { return tableOf<decltype(e)>(); });
}

namespace {

// Large images are touched page by page as soon as they are filled; in
// huge pages that costs a few hundred faults instead of thousands. The
// block comes from calloc as before and is freed with free.
uint8_t* zeroedBlock(size_t bytes) {
    auto* p = static_cast<uint8_t*>(std::calloc(bytes, 1));
    constexpr uintptr_t kHuge = uintptr_t(2) << 20;
    if (p && bytes >= 2 * kHuge) {
        const uintptr_t first = (reinterpret_cast<uintptr_t>(p) + kHuge - 1) & ~(kHuge - 1);
        const uintptr_t last = (reinterpret_cast<uintptr_t>(p) + bytes) & ~(kHuge - 1);
        // Advice only: a kernel without huge pages refuses it and nothing changes.
        if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
    return p;
}

} // namespace

QDMatrix* createMatrix(int32_t width, int32_t height, int32_t code) {
    if (width <= 0 || height <= 0) return nullptr;
    const int32_t type = creatableCode(code);
    const int64_t stride = rowBytes(type, width);
    // Beyond any address space: as out of memory as a failed allocation.
    if (stride > std::numeric_limits<int64_t>::max() / height) {
        errno = ENOMEM;
        return nullptr;
    }
    auto* m = new (std::nothrow) QDMatrix{};
    if (!m) return nullptr;
    m->ops = &matrixOpsFor(type);
    m->width = width;
    m->height = height;
    m->ops->setDefaultWindow(*m);
    m->ops->setType(*m, type);
    m->data = zeroedBlock(size_t(stride * height));
    m->rows = static_cast<uint8_t**>(std::malloc(sizeof(uint8_t*) * size_t(height)));
    if (!m->data || !m->rows) {
        destroyMatrix(m);
        return nullptr;
    }
    for (int32_t r = 0; r < height; ++r) m->rows[r] = m->data + int64_t(r) * stride;
    return m;
}

void destroyMatrix(QDMatrix* m) {
    if (!m) return;
    std::free(m->data);
    std::free(m->rows);
    delete m;
}

} // namespace qd::mem
