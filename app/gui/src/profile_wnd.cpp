#include "profile_wnd.h"

#include "qd_app.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QColor kCurveColours[3] = {Qt::red, QColor(0, 160, 0), Qt::blue};

QString withUnit(const QString& what, const std::string& unit) {
    return unit.empty() ? what : QStringLiteral("%1 (%2)").arg(what, QString::fromLatin1(unit.c_str()));
}

} // namespace

CProfilePlot::CProfilePlot(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setMinimumSize(320, 180);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void CProfilePlot::setProfile(const qd::LineProfile& p) {
    profile_ = p;
    low_ = high_ = 0;
    if (!p.values.empty()) {
        const auto [lo, hi] = std::minmax_element(p.values.begin(), p.values.end());
        low_ = *lo;
        high_ = *hi;
    }
    if (high_ <= low_) high_ = low_ + 1;
    update();
}

QRect CProfilePlot::plotArea() const { return rect().adjusted(60, 10, -10, -30); }

int CProfilePlot::sampleAt(QPoint p) const {
    const QRect a = plotArea();
    const int n = profile_.count();
    if (n == 0 || !a.contains(p)) return -1;
    if (n == 1) return 0;
    return std::clamp(int(std::lround(double(p.x() - a.left()) * (n - 1) / std::max(1, a.width()))), 0, n - 1);
}

void CProfilePlot::paintEvent(QPaintEvent*) {
    QPainter g(this);
    const QRect a = plotArea();
    g.setPen(palette().color(QPalette::Text));
    g.drawRect(a);
    const int n = profile_.count();
    const double last = n > 0 ? profile_.distance.back() : 0;
    g.drawText(QRect(0, a.top() - 6, a.left() - 4, 14), Qt::AlignRight, QString::number(high_, 'g', 5));
    g.drawText(QRect(0, a.bottom() - 8, a.left() - 4, 14), Qt::AlignRight, QString::number(low_, 'g', 5));
    g.drawText(QRect(a.left(), a.bottom() + 2, a.width(), 14), Qt::AlignLeft, "0");
    g.drawText(QRect(a.left(), a.bottom() + 2, a.width(), 14), Qt::AlignRight, QString::number(last, 'g', 5));
    g.drawText(QRect(a.left(), a.bottom() + 14, a.width(), 14), Qt::AlignHCenter,
               withUnit("distance", profile_.distanceUnit));
    if (n == 0) return;
    auto point = [&](int i, int c) {
        const double x = n == 1 ? 0.5 : double(i) / (n - 1);
        const double y = (profile_.value(i, c) - low_) / (high_ - low_);
        return QPointF(a.left() + x * a.width(), a.bottom() - y * a.height());
    };
    g.setRenderHint(QPainter::Antialiasing);
    for (int c = 0; c < profile_.channels; ++c) {
        g.setPen(profile_.channels == 1 ? palette().color(QPalette::Text) : kCurveColours[c]);
        QPolygonF curve;
        for (int i = 0; i < n; ++i) curve << point(i, c);
        if (n == 1) g.drawEllipse(curve[0], 2, 2);
        else g.drawPolyline(curve);
    }
}

void CProfilePlot::mouseMoveEvent(QMouseEvent* e) { emit hovered(sampleAt(e->position().toPoint())); }

CProfileWnd::CProfileWnd(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setWindowTitle("profile");
    plot_ = new CProfilePlot(this);
    readout_ = new QLabel(this);
    copy_ = new QPushButton("Copy", this);
    result_ = new QPushButton("To Result", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(readout_, 1);
    buttons->addWidget(copy_);
    buttons->addWidget(result_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(plot_, 1);
    layout->addLayout(buttons);
    connect(plot_, &CProfilePlot::hovered, this, &CProfileWnd::showSample);
    connect(copy_, &QPushButton::clicked, this, [this] { QGuiApplication::clipboard()->setText(text()); });
    connect(result_, &QPushButton::clicked, this, [this] {
        for (const std::string& line : qd::profileLines(profile_)) qdApp()->addResultLine(QString::fromStdString(line));
    });
    resize(420, 260);
}

void CProfileWnd::setProfile(const qd::LineProfile& p) {
    profile_ = p;
    plot_->setProfile(p);
    showSample(-1);
}

QString CProfileWnd::text() const {
    QString out;
    for (const std::string& line : qd::profileLines(profile_)) out += QString::fromStdString(line) + '\n';
    return out;
}

void CProfileWnd::showSample(int sample) {
    if (sample < 0 || sample >= profile_.count()) {
        readout_->setText(QStringLiteral("%1 samples").arg(profile_.count()));
        return;
    }
    QStringList values;
    for (int c = 0; c < profile_.channels; ++c) values << QString::number(profile_.value(sample, c), 'g', 6);
    readout_->setText(QStringLiteral("%1 = %2   %3 = %4")
                          .arg(withUnit("distance", profile_.distanceUnit))
                          .arg(profile_.distance[size_t(sample)], 0, 'g', 5)
                          .arg(withUnit("value", profile_.valueUnit), values.join(", ")));
}
