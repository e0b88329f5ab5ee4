#include "histo_frame.h"

#include "qd_app.h"
#include "qd_doc.h"
#include "qd_view.h"
#include "recorder/line_options.h"
#include "recorder/recorder.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>
#include <cmath>

namespace {

// Frame of the plot: strictly inside it a press starts a range.
const QRect kFrame(10, 10, 130, 103);
constexpr int kSelectTop = 11;
constexpr int kSelectBottom = 112;

QSlider* makeSlider(QWidget* parent, int x, int y) {
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setRange(-100, 100);
    s->setPageStep(10);
    s->setSingleStep(1);
    s->setTickPosition(QSlider::TicksBelow);
    s->setTickInterval(20);
    s->setGeometry(x, y, 104, 30);
    return s;
}

QLabel* makeIcon(QWidget* parent, int x, int y, bool half) {
    QPixmap pm(17, 17);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(2.5, 2.5, 12, 12));
    if (half) {
        p.setBrush(Qt::black);
        p.drawPie(QRectF(2.5, 2.5, 12, 12), 90 * 16, 180 * 16);
    } else {
        p.setBrush(Qt::yellow);
        p.drawEllipse(QRectF(5.5, 5.5, 6, 6));
    }
    auto* l = new QLabel(parent);
    l->setPixmap(pm);
    l->setGeometry(x, y, 17, 17);
    return l;
}

// The value after clamping a double to the plot's 0..100 pixels.
int heightOf(double value, double max) {
    const double h = value / max * 100 + 0.5;
    return std::isfinite(h) ? static_cast<int>(std::clamp(h, 0.0, 100.0)) : 0;
}

} // namespace

CHistoFrame::CHistoFrame(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName("HistogramWindow");
    setWindowTitle("histogram");
    setFont(QFont("MS Sans Serif", 8));
    setFixedSize(150, 220);
    makeIcon(this, 7, 126, false);
    makeIcon(this, 7, 156, true);
    brightness_ = makeSlider(this, 24, 120);
    contrast_ = makeSlider(this, 24, 150);
    brightnessText_ = new QLabel("0", this);
    brightnessText_->setGeometry(128, 128, 25, 17);
    contrastText_ = new QLabel("0", this);
    contrastText_->setGeometry(128, 158, 25, 17);
    apply_ = new QPushButton("Apply", this);
    apply_->setGeometry(15, 190, 120, 20);
    connect(brightness_, &QSlider::valueChanged, this, [this](int v) {
        sliderMoved(v, lastBrightness_, brightnessText_, &IMGetBrightness, &IMSetBrightness);
    });
    connect(contrast_, &QSlider::valueChanged, this, [this](int v) {
        sliderMoved(v, lastContrast_, contrastText_, &IMGetContrast, &IMSetContrast);
    });
    connect(apply_, &QPushButton::clicked, this, &CHistoFrame::apply);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().right() - 160, 40);
    setView(nullptr);
}

IMHANDLE CHistoFrame::image() const { return view_ ? view_->image() : nullptr; }

void CHistoFrame::setView(CQDView* view) {
    view_ = view;
    IMHANDLE im = image();
    const int b = im ? IMGetBrightness(im) : 0;
    const int c = im ? IMGetContrast(im) : 0;
    {
        const QSignalBlocker blockB(brightness_), blockC(contrast_);
        brightness_->setValue(b);
        contrast_->setValue(c);
    }
    lastBrightness_ = b;
    lastContrast_ = c;
    brightnessText_->setText(QString::number(b));
    contrastText_->setText(QString::number(c));
    for (QWidget* w : {static_cast<QWidget*>(brightness_), static_cast<QWidget*>(contrast_),
                       static_cast<QWidget*>(apply_)})
        w->setEnabled(im != nullptr);
    selection_ = QRect();
    update();
}

int CHistoFrame::colourCount() const {
    IMHANDLE im = image();
    if (!im || IMIsRgb(im) || !IMGetHistogramHandle(im)) return 0;
    const int n = IMGetNumPaletteColors(im);
    return n == 2 || n == 16 || n == 256 ? n : 0;
}

QVector<int> CHistoFrame::plotHeights() const {
    const int n = colourCount();
    if (!n) return {};
    ARHANDLE ar = IMGetHistogramHandle(image());
    const int bins = std::min(n, static_cast<int>(ARGetMaxIndex(ar)));
    QVector<double> bin(n, 0.0);
    double max = 0;
    for (int i = 0; i < bins; ++i) {
        bin[i] = ARReal(ar, i);
        max = std::max(max, bin[i]);
    }
    QVector<int> h;
    if (max <= 0) return QVector<int>(n == 256 ? 128 : n, 0);
    if (n == 256) {
        for (int i = 0; i < 128; ++i)
            h.push_back(heightOf((bin[2 * i] + bin[2 * i + 1]) / 2, max));
    } else {
        for (int i = 0; i < n; ++i)
            h.push_back(heightOf(bin[i], max));
    }
    return h;
}

void CHistoFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xC0, 0xC0, 0xC0));
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(kFrame.adjusted(0, 0, -1, -1));
    const QVector<int> h = plotHeights();
    const int n = colourCount();
    if (n == 256) {
        for (int i = 0; i < h.size(); ++i)
            if (h[i] > 0) p.drawLine(kPlotLeft + i, kBaseline, kPlotLeft + i, kBaseline - h[i]);
    } else if (n) {
        const int w = kPlotWidth / n;
        for (int i = 0; i < h.size(); ++i)
            p.fillRect(QRect(QPoint(kPlotLeft + w * i, kBaseline - h[i]),
                             QPoint(kPlotLeft + w * (i + 1) - 1, kBaseline)),
                       Qt::black);
    }
    if (!selection_.isNull()) {
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.fillRect(selection_, Qt::black);
    }
}

QRect CHistoFrame::spanTo(int x) const {
    const int n = colourCount();
    x = std::clamp(x, kPlotLeft, kPlotLeft + kPlotWidth - 1);
    int left = std::min(anchorX_, x), right = std::max(anchorX_, x) + 1;
    if (n != 256) {
        const int w = kPlotWidth / n;
        left = kPlotLeft + (left - kPlotLeft) / w * w;
        right = kPlotLeft + ((right - 1 - kPlotLeft) / w + 1) * w;
    }
    return QRect(QPoint(left, kSelectTop), QPoint(right - 1, kSelectBottom - 1));
}

void CHistoFrame::mousePressEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    if (e->button() != Qt::LeftButton || !colourCount()) return;
    if (p.x() <= kFrame.left() || p.x() >= kFrame.right() || p.y() <= kFrame.top() ||
        p.y() >= kFrame.bottom())
        return;
    dragging_ = true;
    anchorX_ = std::clamp(p.x(), kPlotLeft, kPlotLeft + kPlotWidth - 1);
    selection_ = spanTo(anchorX_);
    grabMouse();
    update();
}

void CHistoFrame::mouseMoveEvent(QMouseEvent* e) {
    if (!dragging_) return;
    selection_ = spanTo(e->position().toPoint().x());
    update();
}

void CHistoFrame::mouseReleaseEvent(QMouseEvent* e) {
    if (!dragging_ || e->button() != Qt::LeftButton) return;
    dragging_ = false;
    releaseMouse();
    IMHANDLE im = image();
    const int n = colourCount();
    if (!im || !n) return;
    CQDApp* app = qdApp();
    app->beginProcessing();
    const int xl = selection_.left(), xr = selection_.right() + 1;
    int i0, i1;
    if (n == 256) {
        i0 = 2 * xl - 22;
        i1 = 2 * xr - 22;
    } else {
        const int w = kPlotWidth / n;
        i0 = (xl - kPlotLeft) / w;
        i1 = (xr - kPlotLeft) / w;
    }
    const double a = IMGetInitialValue(im), b = IMGetFinalValue(im);
    IMSetInitialValue(im, a + (b - a) / n * i0);
    IMSetFinalValue(im, a + (b - a) / n * i1);
    IMPrepareBitmap(im);
    recordRange();
    repaintImage();
    setView(view_);
    app->endProcessing();
}

void CHistoFrame::recordRange() {
    IMHANDLE im = image();
    const QString range = qd::lineNumber(IMGetInitialValue(im)) + ',' + qd::lineNumber(IMGetFinalValue(im));
    qd::Recorder::instance().recordChange(view_->document(), "convert", {"--range", range});
}

void CHistoFrame::sliderMoved(int value, int& last, QLabel* text, int32_t (*get)(IMHANDLE) noexcept,
                              void (*set)(IMHANDLE, int32_t) noexcept) {
    if (value == last) return;
    last = value;
    text->setText(QString::number(value));
    IMHANDLE im = image();
    if (!im || get(im) == value) return;
    set(im, value);
    IMSetPalette(im, qdApp()->paletteManager());
    repaintImage();
}

void CHistoFrame::apply() {
    IMHANDLE im = image();
    if (!im) return;
    const int beta = IMGetBrightness(im), gamma = IMGetContrast(im);
    if (beta == 0 && gamma == 0) return;
    const int n = IMGetNumPaletteColors(im);
    double c = 0.5, k = 0.02, m = 1;
    if (n == 256) {
        c = 127.5;
        k = 1.92;
        m = 255;
    } else if (n == 16) {
        c = 7.5;
        k = 0.12;
        m = 15;
    }
    const double g = std::exp(gamma / 20.0);
    const double d = (c - c / g) - k * beta;
    const double a = IMGetInitialValue(im), b = IMGetFinalValue(im), r = b - a;
    qd::recordedChange(*view_->document(), "Brightness/Contrast", {}, [&] {
        IMSetInitialValue(im, a + r / (m + 1) * d);
        IMSetFinalValue(im, b + r / (m + 1) * (m / g + d - m));
        IMSetBrightness(im, 0);
        IMSetContrast(im, 0);
        IMSetPalette(im, qdApp()->paletteManager());
        IMPrepareBitmap(im);
    });
    recordRange();
    repaintImage();
    setView(view_);
}

void CHistoFrame::repaintImage() {
    if (view_) view_->update();
}
