#include "image_results.h"

namespace qd::colour {

IMHANDLE adoptMatrix(MTHANDLE m) noexcept {
    if (!m) return nullptr;
    IMHANDLE im = IMCreateFromMatrix(m);
    if (!im) MTDestroy(m);
    return im;
}

IMHANDLE finish(IMHANDLE result, IMHANDLE old) noexcept {
    if (result && old && old != result) IMDestroy(old);
    return result;
}

} // namespace qd::colour
