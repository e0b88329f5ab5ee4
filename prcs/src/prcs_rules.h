// Rules every processing function of this library shares: refusal of
// sources, the destination rule, sentinels, kernel offset lists, and the two
// ways of reaching elements (through the matrix interface, or through the
// row table for the common types).
#pragma once

#include <qd/memobj.h>
#include <qd/prcs.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <new>
#include <type_traits>
#include <vector>

namespace qd::prcs {

// Seeds of ordered lists; grey values at or above it are out of range.
inline constexpr double kSentinel = 1e300;

// A source the library refuses: null or RGB.
inline bool refusedSource(MTHANDLE m) noexcept { return !m || MTIsRgb(m); }

// Result type of the filters that return real parts of a complex source.
inline int32_t realTypeOf(int32_t type) noexcept {
    if (type == MT_COMPLEX8) return MT_FLOAT;
    if (type == MT_COMPLEX16) return MT_DOUBLE;
    return type;
}

// Destroys dst on refusal, unless it is one of the sources (the caller still
// holds those), and returns 0.
MTHANDLE refuse(MTHANDLE dst, std::initializer_list<MTHANDLE> sources = {}) noexcept;

// Gives dst back when it has the required window size and type; otherwise
// destroys it (never a source) and creates a zero-filled matrix. Null when
// the matrix cannot be created.
MTHANDLE resultMatrix(int32_t width, int32_t height, int32_t type, MTHANDLE dst,
                      std::initializer_list<MTHANDLE> sources = {}) noexcept;

// Copies the window of src into the window of dst (same size): RGB as RGB,
// complex as both parts, others through the value path.
void copyElements(MTHANDLE src, MTHANDLE dst) noexcept;

// A neighbourhood filter must not read what it has already written: when the
// result is the source itself, it reads from a private copy instead.
class ReadSource {
public:
    ReadSource(MTHANDLE src, MTHANDLE out) noexcept;
    ~ReadSource();
    ReadSource(const ReadSource&) = delete;
    ReadSource& operator=(const ReadSource&) = delete;
    MTHANDLE get() const noexcept { return src_; }
    bool ok() const noexcept { return src_ != nullptr; }

private:
    MTHANDLE src_;
    MTHANDLE copy_ = nullptr;
};

// The frame of a neighbourhood filter with an accepted source: the
// destination rule for a result of `type` and the source's window size, a
// private copy when the result is the source itself, and allocation failure
// turned into 0. run(in, out) does the work.
template <class Run> MTHANDLE filterInto(MTHANDLE src, int32_t type, MTHANDLE dst, Run run) noexcept {
    MTHANDLE out = resultMatrix(MTGetWidth(src), MTGetHeight(src), type, dst, {src});
    if (!out) return nullptr;
    ReadSource in(src, out);
    if (!in.ok()) return nullptr;
    try {
        run(in.get(), out);
    } catch (const std::bad_alloc&) {
        return out == src ? nullptr : refuse(out);
    }
    return out;
}

struct Offset {
    int32_t dx;
    int32_t dy;
};

// Offsets of the entries above 0, from the last stored row to the first,
// each row from column 0 on. False when the kernel is unusable.
bool morphologyOffsets(const MMKERNEL* kernel, std::vector<Offset>& out);

// Edge replication.
inline int32_t clampIndex(int32_t v, int32_t n) noexcept {
    return v < 0 ? 0 : v >= n ? n - 1 : v;
}

// The store rules of the matrix for the types with a row-pointer path, so
// that path writes exactly what MTSetReal would.
template <class T> inline T storeAs(double v) noexcept {
    if constexpr (std::is_floating_point_v<T>) {
        return T(v);
    } else if constexpr (std::is_signed_v<T>) {
        constexpr double lo = double(INT16_MIN) + 0.5, hi = double(INT16_MAX) - 0.5;
        static_assert(sizeof(T) == 2, "row-pointer path covers MT_SHORT only");
        if (!(v == v)) return 0;
        if (v < lo) return INT16_MIN;
        if (v >= hi) return INT16_MAX;
        return T(v >= 0 ? std::trunc(v + 0.5) : std::trunc(v - 0.5));
    } else {
        constexpr double hi = double(T(~T(0))) - 0.5;
        if (!(v == v) || v < 0.5) return 0;
        if (v >= hi) return T(~T(0));
        return T(std::trunc(v + 0.5));
    }
}

// Element access through the matrix interface: any type, any window.
struct MatrixView {
    MTHANDLE m;
    double get(int32_t x, int32_t y) const noexcept { return MTReal(m, x, y); }
    void set(int32_t x, int32_t y, double v) const noexcept { MTSetReal(m, x, y, v); }
};

// The rows of a matrix's window: row y of the window is row y0 + y of the
// table and starts at element x0 of it.
template <class T> struct WindowRows {
    T* const* table;
    int32_t x0 = 0;
    int32_t y0 = 0;
    // Element 0 of window row y; for types of at least one byte.
    T* operator[](int32_t y) const noexcept { return table[y0 + y] + x0; }
    // The whole stored row that window row y lies in.
    T* storedRow(int32_t y) const noexcept { return table[y0 + y]; }
};

// The row table of a matrix whose elements are T, placed at its window.
template <class T> WindowRows<T> rowsOf(MTHANDLE m) noexcept {
    WindowRows<T> r{reinterpret_cast<T* const*>(MTGetMatrixPointer(m))};
    MTGetWindowOrigin(m, &r.x0, &r.y0);
    return r;
}

// Element access through the row table.
template <class T> struct RowView {
    WindowRows<T> rows;
    explicit RowView(MTHANDLE m) noexcept : rows(rowsOf<T>(m)) {}
    double get(int32_t x, int32_t y) const noexcept { return double(rows[y][x]); }
    void set(int32_t x, int32_t y, double v) const noexcept { rows[y][x] = storeAs<T>(v); }
};

// Destinations take the row paths only when their window is the whole
// matrix; sources may have any window.
inline bool wholeWindow(MTHANDLE m) noexcept {
    return MTGetWidth(m) == MTGetMaxXIndex(m) && MTGetHeight(m) == MTGetMaxYIndex(m);
}

// The one dispatch point of the typed paths: calls f(T{}) with the element
// type when the source m has a row-pointer path; false otherwise.
template <class F> bool withRowType(MTHANDLE m, F&& f) {
    switch (MTGetFlags(m)) {
    case MT_UCHAR: f(uint8_t{}); return true;
    case MT_USHORT: f(uint16_t{}); return true;
    case MT_SHORT: f(int16_t{}); return true;
    case MT_FLOAT: f(float{}); return true;
    case MT_DOUBLE: f(double{}); return true;
    default: return false;
    }
}

// The same, when src and out also share their type and out's window is whole.
template <class F> bool withRowType(MTHANDLE src, MTHANDLE out, F&& f) {
    if (MTGetFlags(src) != MTGetFlags(out) || !wholeWindow(out)) return false;
    return withRowType(src, f);
}

// Calls f with a RowView of the source m when it has a row-pointer path,
// otherwise with a MatrixView.
template <class F> void withView(MTHANDLE m, F&& f) {
    if (!withRowType(m, [&](auto t) { f(RowView<decltype(t)>(m)); })) f(MatrixView{m});
}

// The same for a destination, whose window must be whole for a RowView.
template <class F> void withOutputView(MTHANDLE out, F&& f) {
    if (wholeWindow(out)) withView(out, f);
    else f(MatrixView{out});
}

} // namespace qd::prcs
