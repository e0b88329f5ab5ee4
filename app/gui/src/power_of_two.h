#pragma once
// Snaps the moving corner of a rectangle so that its extent is a power of
// two in each direction.

#include <QPoint>

namespace qd {

QPoint reduceToPowerOf2(QPoint fixed, QPoint moving);

} // namespace qd
