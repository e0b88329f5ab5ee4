#pragma once
// Where an image lands on a printed page.

#include <QRect>
#include <QSize>

namespace qd {

// Inside a margin of a tenth of the page on each side, scaled by the largest
// whole factor that fits (at least 1), stretched vertically by yDpi / xDpi so
// that pixels stay square on paper, centred horizontally.
QRect printTarget(QSize page, QSize image, int xDpi, int yDpi);

} // namespace qd
