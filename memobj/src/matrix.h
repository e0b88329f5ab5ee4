// The typed matrix object and its table of operations.
#pragma once

#include <cstdint>

#include <qd/types.h>

namespace qd::mem {

struct MatrixOps;

} // namespace qd::mem

struct QDMatrix {
    const qd::mem::MatrixOps* ops;
    uint8_t* data;
    int32_t type;
    int32_t width;
    int32_t height;
    int32_t winX;
    int32_t winY;
    int32_t winWidth;
    int32_t winHeight;
    uint8_t** rows;
};

namespace qd::mem {

// One table per element type, in the fixed slot order. The base gives the
// neutral behaviour; each type replaces the value slots that apply to it.
struct MatrixOps {
    virtual ~MatrixOps() = default;
    virtual void setType(QDMatrix& m, int32_t code) const { m.type = code; }
    virtual int32_t type(const QDMatrix& m) const { return m.type; }
    virtual int32_t width(const QDMatrix& m) const { return m.width; }
    virtual int32_t height(const QDMatrix& m) const { return m.height; }
    virtual int32_t windowWidth(const QDMatrix& m) const { return m.winWidth; }
    virtual int32_t windowHeight(const QDMatrix& m) const { return m.winHeight; }
    virtual void* dataBlock(const QDMatrix& m) const { return m.data; }
    virtual void** rowTable(const QDMatrix&) const { return nullptr; }
    virtual double real(const QDMatrix&, int32_t, int32_t) const { return 0; }
    virtual double imag(const QDMatrix&, int32_t, int32_t) const { return 0; }
    virtual MTCOMPLEX complexValue(const QDMatrix& m, int32_t x, int32_t y) const {
        return {real(m, x, y), imag(m, x, y)};
    }
    virtual double modulus(const QDMatrix& m, int32_t x, int32_t y) const;
    virtual int32_t realInt(const QDMatrix&, int32_t, int32_t) const { return 0; }
    virtual int32_t imagInt(const QDMatrix&, int32_t, int32_t) const { return 0; }
    virtual uint32_t rgb(const QDMatrix&, int32_t, int32_t) const { return 0; }
    virtual void setReal(QDMatrix&, int32_t, int32_t, double) const {}
    virtual void setImag(QDMatrix&, int32_t, int32_t, double) const {}
    virtual void setComplex(QDMatrix& m, int32_t x, int32_t y, MTCOMPLEX v) const {
        setReal(m, x, y, v.re);
        setImag(m, x, y, v.im);
    }
    virtual void setRgb(QDMatrix&, int32_t, int32_t, uint32_t) const {}
    virtual void setRealInt(QDMatrix&, int32_t, int32_t, int32_t) const {}
    virtual void setImagInt(QDMatrix&, int32_t, int32_t, int32_t) const {}
    virtual void swapBytes(QDMatrix& m) const;
    virtual void invert(QDMatrix&) const {}
    virtual int32_t exchange(QDMatrix& m) const;
    virtual int32_t setWindow(QDMatrix& m, int32_t x0, int32_t y0, int32_t x1, int32_t y1) const;
    virtual void setDefaultWindow(QDMatrix& m) const;
};

// The table for a creatable code (any other code gets the float table).
const MatrixOps& matrixOpsFor(int32_t code);

QDMatrix* createMatrix(int32_t width, int32_t height, int32_t code);
void destroyMatrix(QDMatrix* m);

} // namespace qd::mem
