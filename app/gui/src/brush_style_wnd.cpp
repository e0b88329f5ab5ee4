#include "brush_style_wnd.h"

#include <QComboBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

CBrushStyleWnd::CBrushStyleWnd(QWidget* parent) : QDockWidget("brush style", parent) {
    setObjectName("BrushStyleBar");
    auto* body = new QWidget(this);
    auto* form = new QFormLayout(body);
    shape_ = new QComboBox(body);
    shape_->addItems({"Rectangle", "Circle"});
    size_ = new QLineEdit("1", body);
    size_->setValidator(new QIntValidator(1, 999, size_));
    form->addRow("shape", shape_);
    form->addRow("size", size_);
    for (int i = 0; i < 3; ++i) {
        labels_[i] = new QLabel(body);
        values_[i] = new QLineEdit("0", body);
        form->addRow(labels_[i], values_[i]);
    }
    setWidget(body);
    setFloating(true);
    setView(nullptr);
}

void CBrushStyleWnd::setView(CQDView* view) {
    const int type = view ? view->elementType() : 0;
    QStringList names;
    if (type == MT_RGB)
        names = {"R", "G", "B"};
    else if (type == MT_COMPLEX8 || type == MT_COMPLEX16)
        names = {"real", "imaginary"};
    else
        names = {"real"};
    for (int i = 0; i < 3; ++i) {
        const bool used = i < names.size();
        labels_[i]->setText(used ? names[i] : QString());
        values_[i]->setEnabled(used);
    }
}

BrushSettings CBrushStyleWnd::settings() const {
    BrushSettings s;
    s.size = size_->text().toInt();
    s.circle = shape_->currentIndex() == 1;
    s.real = values_[0]->text().toDouble();
    s.imaginary = values_[1]->text().toDouble();
    // Channels are bytes of the colour; out-of-range entries are clamped.
    auto channel = [this](int i) {
        return static_cast<uint32_t>(std::clamp(values_[i]->text().toInt(), 0, 255));
    };
    s.rgb = channel(2) | channel(1) << 8 | channel(0) << 16;
    return s;
}
