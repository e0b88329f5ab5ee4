#include "resize_dialog.h"

#include "dialog_buttons.h"
#include "platform.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

namespace qd {
namespace {
constexpr double kSmallestRatio = 1e-13;

std::optional<int> roundedSize(double size) {
    const double r = std::trunc(size + 0.5);
    if (!std::isfinite(r) || r < 0 || r > std::numeric_limits<int32_t>::max()) return std::nullopt;
    return int(r);
}

std::optional<double> readRatio(const QString& text) {
    const auto ratio = parseNumber(text);
    if (!ratio || *ratio < kSmallestRatio) return std::nullopt;
    return ratio;
}
} // namespace

QString resizeRatioText(int width, int height) {
    return QString::asprintf("%.5f", height > 0 ? double(width) / height : 0.0);
}

std::optional<int> heightForRatio(const QString& widthText, const QString& ratioText) {
    const auto w = parseInteger(widthText);
    const auto ratio = readRatio(ratioText);
    if (!w || !ratio) return std::nullopt;
    return roundedSize(*w / *ratio);
}

std::optional<int> widthForRatio(const QString& heightText, const QString& ratioText) {
    const auto h = parseInteger(heightText);
    const auto ratio = readRatio(ratioText);
    if (!h || !ratio) return std::nullopt;
    return roundedSize(*h * *ratio);
}

std::vector<DialogMessage> checkResize(const QString& widthText, const QString& heightText,
                                       bool keepRatio, const QString& ratioText,
                                       ResizeValues& values) {
    const auto w = parseInteger(widthText);
    if (!w || *w < 1) return {warning("Width should be positive integer value.")};
    const auto h = parseInteger(heightText);
    if (!h || *h < 1) return {warning("Height should be positive integer value.")};
    if (keepRatio && !readRatio(ratioText))
        return {warning("Ratio should be positive real value.")};
    values = {*w, *h};
    return {};
}

} // namespace qd

CResizeDialog::CResizeDialog(int width, int height, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Resize");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    width_ = new QLineEdit(QString::number(width), this);
    height_ = new QLineEdit(QString::number(height), this);
    keep_ = new QCheckBox("maintainaspect ratio", this);
    ratio_ = new QLineEdit(qd::resizeRatioText(width, height), this);
    ratio_->setEnabled(false);
    auto* ratioRow = new QHBoxLayout;
    ratioRow->addWidget(ratio_);
    ratioRow->addWidget(new QLabel(" : 1", this));
    form->addRow("width", width_);
    form->addRow("height", height_);
    form->addRow(keep_);
    form->addRow(ratioRow);
    layout->addLayout(form);
    buttons_ = qd::addOkCancel(this, layout);
    connect(keep_, &QCheckBox::toggled, ratio_, &QWidget::setEnabled);
    width_->installEventFilter(this);
    height_->installEventFilter(this);
}

bool CResizeDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && keep_->isChecked()) {
        if (watched == width_) {
            if (const auto w = qd::widthForRatio(height_->text(), ratio_->text()))
                width_->setText(QString::number(*w));
        } else if (watched == height_) {
            if (const auto h = qd::heightForRatio(width_->text(), ratio_->text()))
                height_->setText(QString::number(*h));
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CResizeDialog::accept() {
    ResizeValues v;
    if (!qd::showMessages(this, qd::checkResize(width_->text(), height_->text(), keep_->isChecked(),
                                                ratio_->text(), v)))
        return;
    result_ = v;
    QDialog::accept();
}

std::optional<ResizeValues> runResizeDialog(QWidget* parent, int width, int height) {
    CResizeDialog dlg(width, height, parent);
    if (qd::runModal(dlg) != QDialog::Accepted) return std::nullopt;
    return dlg.result();
}
