// The typed array object and its table of operations.
#pragma once

#include <cstdint>

#include <qd/types.h>

namespace qd::mem {
struct ArrayOps;
}

struct QDArray {
    const qd::mem::ArrayOps* ops;
    uint8_t* data;
    int32_t type;
    int32_t count;
    int32_t winStart;
    int32_t winLength;
    uint8_t* first;
};

namespace qd::mem {

// Slot order of the array table; neutral behaviour in the base.
struct ArrayOps {
    virtual ~ArrayOps() = default;
    virtual void setType(QDArray& a, int32_t code) const { a.type = code; }
    virtual int32_t type(const QDArray& a) const { return a.type; }
    virtual int32_t count(const QDArray& a) const { return a.count; }
    virtual int32_t windowLength(const QDArray& a) const { return a.winLength; }
    virtual void* dataBlock(const QDArray& a) const { return a.data; }
    virtual double real(const QDArray&, int32_t) const { return 0; }
    virtual double imag(const QDArray&, int32_t) const { return 0; }
    virtual MTCOMPLEX complexValue(const QDArray& a, int32_t i) const {
        return {real(a, i), imag(a, i)};
    }
    virtual double modulus(const QDArray& a, int32_t i) const;
    virtual int32_t realInt(const QDArray&, int32_t) const { return 0; }
    virtual int32_t imagInt(const QDArray&, int32_t) const { return 0; }
    virtual uint32_t rgb(const QDArray&, int32_t) const { return 0; }
    virtual void setReal(QDArray&, int32_t, double) const {}
    virtual void setImag(QDArray&, int32_t, double) const {}
    virtual void setComplex(QDArray& a, int32_t i, MTCOMPLEX v) const {
        setReal(a, i, v.re);
        setImag(a, i, v.im);
    }
    virtual void setRgb(QDArray&, int32_t, uint32_t) const {}
    virtual void setRealInt(QDArray&, int32_t, int32_t) const {}
    virtual void setImagInt(QDArray&, int32_t, int32_t) const {}
    virtual void swapBytes(QDArray& a) const;
    virtual void invert(QDArray&) const {}
    virtual int32_t exchange(QDArray& a) const;
    virtual int32_t setWindow(QDArray& a, int32_t start, int32_t end) const;
    virtual void setDefaultWindow(QDArray& a) const;
};

QDArray* createArray(int32_t count, int32_t code);
void destroyArray(QDArray* a);

} // namespace qd::mem
