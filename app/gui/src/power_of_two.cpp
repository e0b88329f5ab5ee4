#include "power_of_two.h"

#include <qd/types.h>

#ifdef QD_HAVE_FOURIER
#include <qd/fourier.h>
#endif

namespace qd {

#ifdef QD_HAVE_FOURIER
QPoint reduceToPowerOf2(QPoint fixed, QPoint moving) {
    const QDPOINT f{fixed.x(), fixed.y()};
    QDPOINT m{moving.x(), moving.y()};
    ReduceToPowerOf2Rect(&f, &m);
    return {m.x, m.y};
}
#else
// Until the Fourier library is part of the build: the same rule.
namespace {
int snap(int fixed, int moving) {
    const int distance = fixed < moving ? moving - fixed : fixed - moving;
    int p = 2;
    while (p < distance)
        p *= 2;
    const int extent = p / 2;
    return fixed < moving ? fixed + extent : fixed - extent;
}
} // namespace

QPoint reduceToPowerOf2(QPoint fixed, QPoint moving) {
    return {snap(fixed.x(), moving.x()), snap(fixed.y(), moving.y())};
}
#endif

} // namespace qd
