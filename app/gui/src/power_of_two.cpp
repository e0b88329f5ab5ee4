#include "power_of_two.h"

#include <qd/fourier.h>

namespace qd {

QPoint reduceToPowerOf2(QPoint fixed, QPoint moving) {
    const QDPOINT f{fixed.x(), fixed.y()};
    QDPOINT m{moving.x(), moving.y()};
    ReduceToPowerOf2Rect(&f, &m);
    return {m.x, m.y};
}

} // namespace qd
