#include "qd_view.h"

#include "qd_app.h"
#include "qd_doc.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>

CQDView::CQDView(CQDDoc* doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    hbar_ = new QScrollBar(Qt::Horizontal, this);
    vbar_ = new QScrollBar(Qt::Vertical, this);
    hbar_->hide();
    vbar_->hide();
    // A bar's value is how far the picture is scrolled: minus the draw
    // rectangle's left (or top) edge.
    connect(hbar_, &QScrollBar::valueChanged, this,
            [this](int v) { scrollImage(-v - IMGetDrawRect(image()).left, 0); });
    connect(vbar_, &QScrollBar::valueChanged, this,
            [this](int v) { scrollImage(0, -v - IMGetDrawRect(image()).top); });
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    if (MTHANDLE mt = IMGetDataHandle(image())) elementType_ = MTGetFlags(mt);
    qdApp()->registry().add(this, elementType_);
    registered_ = true;
}

CQDView::~CQDView() { leaveRegistry(); }

void CQDView::leaveRegistry() {
    if (!registered_) return;
    registered_ = false;
    qdApp()->registry().remove(this);
}

IMHANDLE CQDView::image() const { return doc_ ? doc_->image() : nullptr; }

QSize CQDView::sizeHint() const {
    if (!image()) return QWidget::sizeHint();
    const QDRECT r = IMGetDrawRect(image());
    return QSize(r.right - r.left, r.bottom - r.top);
}

void CQDView::syncScrollBars() {
    IMHANDLE im = image();
    if (!im) return;
    const QDRECT r = IMGetDrawRect(im);
    const int dw = r.right - r.left, dh = r.bottom - r.top;
    const int vbw = vbar_->sizeHint().width(), hbh = hbar_->sizeHint().height();
    // Each bar takes room from the other direction when shown.
    bool needH = dw > width() || r.left != 0, needV = dh > height() || r.top != 0;
    needH = needH || (needV && dw > width() - vbw);
    needV = needV || (needH && dh > height() - hbh);
    const int w = width() - (needV ? vbw : 0), h = height() - (needH ? hbh : 0);
    auto set = [](QScrollBar* bar, bool need, int value, int extent, int page) {
        const QSignalBlocker block(bar);
        bar->setRange(std::min(0, value), std::max(extent - page, value));
        bar->setPageStep(std::max(1, page));
        bar->setSingleStep(16);
        bar->setValue(value);
        bar->setVisible(need);
    };
    set(hbar_, needH, -r.left, dw, w);
    set(vbar_, needV, -r.top, dh, h);
    hbar_->setGeometry(0, height() - hbh, w, hbh);
    vbar_->setGeometry(width() - vbw, 0, vbw, h);
}

void CQDView::paintEvent(QPaintEvent*) {
    syncScrollBars();
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    IMHANDLE im = image();
    if (!im) return;
    IMDrawImage(im, &p); // with its selection frame and overlays
    // Rubber bands and lines invert what is under them.
    if (!band_.isNull() || !line_.isNull()) {
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.setPen(QPen(Qt::black, 0));
        p.setBrush(Qt::NoBrush);
        if (!band_.isNull()) p.drawRect(band_.normalized());
        if (!line_.isNull()) p.drawLine(line_);
    }
}

bool CQDView::inDrawing(QPoint p) const {
    return rect().contains(p) && IMDrawRectContain(image(), p.x(), p.y());
}

QString CQDView::pixelText(QPoint at) const {
    IMHANDLE im = image();
    if (!im) return {};
    const QDPOINT ip = IMGetImagePoint(im, at.x(), at.y());
    if (ip.x < 0 || ip.y < 0 || ip.x >= IMGetImageWidth(im) || ip.y >= IMGetImageHeight(im))
        return {};
    char value[64] = {};
    IMValueToString(im, ip.x, ip.y, value);
    return QString::asprintf("(%d, %d)    %s", ip.x, ip.y, value);
}

bool CQDView::zoomIn(QPoint at) {
    IMHANDLE im = image();
    if (!im) return false;
    const QDRECT r = IMGetDrawRect(im);
    if (r.right - r.left >= 15000 || r.bottom - r.top >= 15000) return false;
    IMSetDrawRect(im, 2 * r.left - at.x(), 2 * r.top - at.y(), 2 * r.right - at.x(),
                  2 * r.bottom - at.y());
    afterZoom();
    return true;
}

bool CQDView::zoomOut(QPoint at) {
    IMHANDLE im = image();
    if (!im) return false;
    const QDRECT r = IMGetDrawRect(im);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 32 || h <= 32 || w % 2 || h % 2) return false;
    const int l = r.left / 2 + at.x() / 2, t = r.top / 2 + at.y() / 2;
    IMSetDrawRect(im, l, t, l + w / 2, t + h / 2);
    afterZoom();
    return true;
}

void CQDView::afterZoom() {
    doc_->rebuildTitle();
    update();
}

void CQDView::imageChanged() { update(); }

void CQDView::scrollImage(int dx, int dy) {
    if (IMHANDLE im = image()) {
        IMMoveDrawRect(im, dx, dy);
        update();
    }
}

void CQDView::wheelEvent(QWheelEvent* e) {
    // A notch (120) scrolls 30 pixels; Shift turns it sideways.
    const QPoint step = e->angleDelta() / 4;
    if (e->modifiers() & Qt::ShiftModifier)
        scrollImage(step.y(), 0);
    else
        scrollImage(step.x(), step.y());
    e->accept();
}

void CQDView::keyPressEvent(QKeyEvent* e) {
    constexpr int line = 16;
    switch (e->key()) {
    case Qt::Key_Left:
        scrollImage(line, 0);
        break;
    case Qt::Key_Right:
        scrollImage(-line, 0);
        break;
    case Qt::Key_Up:
        scrollImage(0, line);
        break;
    case Qt::Key_Down:
        scrollImage(0, -line);
        break;
    case Qt::Key_PageUp:
        scrollImage(0, height());
        break;
    case Qt::Key_PageDown:
        scrollImage(0, -height());
        break;
    default:
        QWidget::keyPressEvent(e);
        return;
    }
    e->accept();
}

void CQDView::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    qdApp()->notifyActiveView(this);
}
