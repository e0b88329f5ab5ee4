#pragma once
// Images on the system clipboard: as they are shown, for every program, and
// with their values, for this one.

#include <QImage>
#include <QRect>
#include <QString>

#include <qd/image.h>

class QMimeData;

namespace qd {

inline constexpr const char* kImageMimeType = "application/x-quidora-image";

// The part of the image a clipboard command works on: its selection, or the
// whole image (matrix coordinates, rows from the bottom).
QRect clipboardRect(IMHANDLE im);

// The rectangle as it is shown: the display colours, top row first.
QImage shownImage(IMHANDLE im, QRect rect);

// Both forms of the rectangle, for QClipboard::setMimeData.
QMimeData* imageMimeData(IMHANDLE im, QRect rect);

// A new image from clipboard data: with its values when they came from this
// program, else from the picture (8-bit grey when every pixel is grey, RGB
// otherwise). Null when the data holds no image or memory runs out.
IMHANDLE imageFromMimeData(const QMimeData* data);
bool mimeDataHasImage(const QMimeData* data);

} // namespace qd
