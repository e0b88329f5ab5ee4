#include "array.h"

#include <cmath>
#include <cstdlib>
#include <new>

#include "block_ops.h"
#include "element.h"
#include "type_codes.h"

namespace qd::mem {

double ArrayOps::modulus(const QDArray& a, int32_t i) const {
    const double re = real(a, i), im = imag(a, i);
    return std::sqrt(re * re + im * im);
}

void ArrayOps::swapBytes(QDArray& a) const {
    swapComponents(a.data, int64_t(a.count) * (codeIsComplex(a.type) ? 2 : 1),
                   codeSwapSize(a.type));
}

int32_t ArrayOps::exchange(QDArray& a) const {
    return exchangeRowByCode(a.type, a.data, a.count) ? 1 : 0;
}

int32_t ArrayOps::setWindow(QDArray& a, int32_t start, int32_t end) const {
    if (start >= end || end > a.count || start < 0) return 0;
    a.winStart = start;
    a.winLength = end - start;
    return 1;
}

void ArrayOps::setDefaultWindow(QDArray& a) const {
    a.winStart = 0;
    a.winLength = a.count;
}

namespace {

template <class E> struct TypedArrayOps final : ArrayOps {
    static int64_t at(const QDArray& a, int32_t i) { return int64_t(a.winStart) + i; }
    double real(const QDArray& a, int32_t i) const override { return E::real(a.first, at(a, i)); }
    double imag(const QDArray& a, int32_t i) const override { return E::imag(a.first, at(a, i)); }
    int32_t realInt(const QDArray& a, int32_t i) const override {
        return E::realInt(a.first, at(a, i));
    }
    int32_t imagInt(const QDArray& a, int32_t i) const override {
        return E::imagInt(a.first, at(a, i));
    }
    uint32_t rgb(const QDArray& a, int32_t i) const override { return E::rgb(a.first, at(a, i)); }
    void setReal(QDArray& a, int32_t i, double v) const override {
        E::setReal(a.first, at(a, i), v);
    }
    void setImag(QDArray& a, int32_t i, double v) const override {
        E::setImag(a.first, at(a, i), v);
    }
    void setRgb(QDArray& a, int32_t i, uint32_t v) const override {
        E::setRgb(a.first, at(a, i), v);
    }
    void setRealInt(QDArray& a, int32_t i, int32_t v) const override {
        E::setRealInt(a.first, at(a, i), v);
    }
    void setImagInt(QDArray& a, int32_t i, int32_t v) const override {
        E::setImagInt(a.first, at(a, i), v);
    }
    void invert(QDArray& a) const override { invertRow<E>(a.data, a.count); }
};

template <class E> const ArrayOps& tableOf() {
    static const TypedArrayOps<E> ops;
    return ops;
}

} // namespace

QDArray* createArray(int32_t count, int32_t code) {
    if (count <= 0) return nullptr;
    const int32_t type = creatableCode(code);
    auto* a = new (std::nothrow) QDArray{};
    if (!a) return nullptr;
    a->ops = &withElem(type, [](auto e) -> const ArrayOps& { return tableOf<decltype(e)>(); });
    a->count = count;
    a->ops->setDefaultWindow(*a);
    a->ops->setType(*a, type);
    a->data = static_cast<uint8_t*>(std::calloc(size_t(rowBytes(type, count)), 1));
    if (!a->data) {
        destroyArray(a);
        return nullptr;
    }
    a->first = a->data;
    return a;
}

void destroyArray(QDArray* a) {
    if (!a) return;
    std::free(a->data);
    delete a;
}

} // namespace qd::mem
