// The mouse tools of the image view.
#include "brush_style_wnd.h"
#include "main_frame.h"
#include "power_of_two.h"
#include "qd_app.h"
#include "qd_doc.h"
#include "qd_view.h"
#include "recorder/recorder.h"

#include <QMouseEvent>
#include <cmath>

namespace {

QPoint imagePoint(IMHANDLE im, QPoint p) {
    const QDPOINT ip = IMGetImagePoint(im, p.x(), p.y());
    return {ip.x, ip.y};
}

QPoint drawPoint(IMHANDLE im, QPoint ip) {
    const QDPOINT p = IMGetDrawPoint(im, ip.x(), ip.y());
    return {p.x, p.y};
}

int tool() {
    CMainFrame* f = qdApp()->mainFrame();
    return f ? f->currentTool() : qd::IdNormalCursor;
}

} // namespace

void CQDView::mousePressEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::RightButton) {
        rightDrag_ = true;
        return;
    }
    if (e->button() != Qt::LeftButton) return;
    qdApp()->setStatusText(0, pixelText(p));
    leftDrag_ = true;
    anchor_ = current_ = p;
    switch (tool()) {
    case qd::IdSelectCursor:
        band_ = QRect(p, p);
        update();
        break;
    case qd::IdBrushCursor:
        if (CMainFrame* f = qdApp()->mainFrame()) brush_ = f->brushBar()->settings();
        stroke_.begin(image());
        stroking_ = true;
        brushStamp(p, brush_);
        break;
    default:
        break;
    }
}

void CQDView::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    qdApp()->setStatusText(0, pixelText(p));
    if (!leftDrag_ || !inDrawing(p)) return;
    IMHANDLE im = image();
    current_ = p;
    switch (tool()) {
    case qd::IdSelectCursor: {
        const QPoint a = imagePoint(im, anchor_);
        QPoint b = imagePoint(im, p);
        if (e->modifiers() & Qt::ControlModifier) {
            b = qd::reduceToPowerOf2(a, b);
            current_ = drawPoint(im, b);
        }
        band_ = QRect(anchor_, current_);
        qdApp()->setStatusText(0,
                               QString::asprintf("(%d, %d) -> %d X %d", a.x(), a.y(),
                                                 std::abs(b.x() - a.x()), std::abs(b.y() - a.y())));
        update();
        break;
    }
    case qd::IdMoveCursor:
        line_ = QLine(anchor_, p);
        update();
        break;
    case qd::IdBrushCursor:
        brushStamp(p, brush_);
        break;
    case qd::IdProfileCursor:
        line_ = QLine(anchor_, p);
        if (CMainFrame* f = qdApp()->mainFrame()) f->showProfile(im, imagePoint(im, anchor_), imagePoint(im, p));
        update();
        break;
    case qd::IdMeasureCursor: {
        line_ = QLine(anchor_, p);
        int32_t reduction = 1, enlargement = 1;
        IMGetMagnification(im, &reduction, &enlargement);
        if (enlargement == 0) enlargement = 1;
        const long dx = long(p.x() - anchor_.x()) * reduction / enlargement;
        const long dy = long(p.y() - anchor_.y()) * reduction / enlargement;
        const double distance = std::sqrt(double(dx * dx + dy * dy)) * IMGetScale(im);
        const QPoint a = imagePoint(im, anchor_), b = imagePoint(im, p);
        qdApp()->setStatusText(
            0, QString::asprintf("(%d, %d) -> (%d, %d)  : %.3e %s", a.x(), a.y(), b.x(), b.y(),
                                 distance,
                                 QString::fromLatin1(IMGetXYUnit(im)).toLocal8Bit().constData()));
        update();
        break;
    }
    default:
        break;
    }
}

void CQDView::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    IMHANDLE im = image();
    if (e->button() == Qt::RightButton) {
        if (rightDrag_ && tool() == qd::IdZoomCursor && inDrawing(p) && zoomOut(p))
            qd::Recorder::instance().comment("Zoom out on " + doc_->name());
        rightDrag_ = false;
        return;
    }
    if (e->button() != Qt::LeftButton) return;
    qdApp()->setStatusText(0, pixelText(p));
    const bool wasDragging = leftDrag_;
    leftDrag_ = false;
    if (stroking_) {
        // The whole stroke is one step of the history.
        stroking_ = false;
        stroke_.finish(*doc_);
        qd::Recorder::instance().changedWithoutLine(doc_, "Brush stroke");
    }
    if (!wasDragging) return;
    switch (tool()) {
    case qd::IdSelectCursor: {
        const QPoint a = imagePoint(im, anchor_), b = imagePoint(im, current_);
        IMSetSelectedRect(im, std::min(a.x(), b.x()), std::min(a.y(), b.y()),
                          std::max(a.x(), b.x()), std::max(a.y(), b.y()));
        band_ = QRect();
        update();
        break;
    }
    case qd::IdMoveCursor:
        IMMoveDrawRect(im, current_.x() - anchor_.x(), current_.y() - anchor_.y());
        line_ = QLine();
        update();
        break;
    case qd::IdZoomCursor:
        if (inDrawing(p) && zoomIn(p)) qd::Recorder::instance().comment("Zoom in on " + doc_->name());
        break;
    case qd::IdMeasureCursor:
    case qd::IdProfileCursor:
        line_ = QLine();
        update();
        break;
    default:
        break;
    }
}

void CQDView::brushStamp(QPoint at, const BrushSettings& brush) {
    IMHANDLE im = image();
    if (!im) return;
    const QPoint c = imagePoint(im, at);
    const int h = brush.size / 2, w = IMGetImageWidth(im), ht = IMGetImageHeight(im);
    // A disc holds the pixels whose centre lies within size / 2 of the stamp's.
    const double r2 = brush.size * brush.size / 4.0;
    const bool complex = elementType_ == MT_COMPLEX8 || elementType_ == MT_COMPLEX16;
    const bool rgb = elementType_ == MT_RGB;
    bool changed = false;
    for (int dy = -h; dy <= h; ++dy) {
        for (int dx = -h; dx <= h; ++dx) {
            const int x = c.x() + dx, y = c.y() + dy;
            if (x < 0 || y < 0 || x >= w || y >= ht) continue;
            if (brush.circle && dx * dx + dy * dy > r2) continue;
            if (complex) {
                const MTCOMPLEX v = IMComplex(im, x, y);
                if (v.re == brush.real && v.im == brush.imaginary) continue;
                if (stroking_) stroke_.note(x, y);
                IMSetComplexPixel(im, x, y, MTCOMPLEX{brush.real, brush.imaginary});
            } else if (rgb) {
                if (IMRgb(im, x, y) == brush.rgb) continue;
                if (stroking_) stroke_.note(x, y);
                IMSetRGBPixel(im, x, y, brush.rgb);
            } else {
                if (IMReal(im, x, y) == brush.real) continue;
                if (stroking_) stroke_.note(x, y);
                IMSetRealPixel(im, x, y, brush.real);
            }
            changed = true;
        }
    }
    if (changed) {
        // Painted pixels are unsaved work; outside a stroke nothing can take them back.
        if (!stroking_) {
            doc_->history().clear();
            doc_->setNotSaved(1);
        }
        imageChanged();
    }
}
