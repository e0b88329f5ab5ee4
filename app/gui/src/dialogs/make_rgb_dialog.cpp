#include "make_rgb_dialog.h"

#include "dialog_buttons.h"
#include "image_choice_box.h"
#include "platform.h"
#include "qd_app.h"
#include "qd_view.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace qd {

std::vector<CQDView*> channelSources(const ImageRegistry& registry) {
    return imageWindows(
        registry, [](int type) { return type != MT_BINARY && type != MT_4BITS && type != MT_RGB; });
}

QString imageSizeText(IMHANDLE image) {
    if (!image) return {};
    return QString::asprintf("%d X %d", IMGetImageWidth(image), IMGetImageHeight(image));
}

std::vector<DialogMessage> checkSameDimension(const std::vector<IMHANDLE>& images) {
    const DialogMessage refusal = warning("Selected images should have the same dimension.");
    for (IMHANDLE im : images)
        if (!im) return {refusal};
    for (IMHANDLE im : images)
        if (IMGetImageWidth(im) != IMGetImageWidth(images.front()) ||
            IMGetImageHeight(im) != IMGetImageHeight(images.front()))
            return {refusal};
    return {};
}

} // namespace qd

namespace {
IMHANDLE imageOf(const ImageChoiceBox* box) {
    CQDView* v = box->view();
    return v ? v->image() : nullptr;
}
} // namespace

CMakeRgbDialog::CMakeRgbDialog(const std::vector<CQDView*>& views, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Make RGB image");
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    const char* const titles[3] = {"Red channel", "Green channel", "Blue channel"};
    for (int c = 0; c < 3; ++c) {
        auto* group = new QGroupBox(titles[c], this);
        auto* inner = new QVBoxLayout(group);
        boxes_[c] = new ImageChoiceBox(views, group);
        sizes_[c] = new QLabel(group);
        inner->addWidget(boxes_[c]);
        inner->addWidget(sizes_[c]);
        row->addWidget(group);
        connect(boxes_[c], &QComboBox::currentIndexChanged, this, [this, c] { showSize(c); });
        showSize(c);
    }
    layout->addLayout(row);
    buttons_ = qd::addOkCancel(this, layout);
}

void CMakeRgbDialog::showSize(int channel) {
    sizes_[channel]->setText(qd::imageSizeText(imageOf(boxes_[channel])));
}

void CMakeRgbDialog::accept() {
    const std::vector<IMHANDLE> images = {imageOf(boxes_[0]), imageOf(boxes_[1]),
                                          imageOf(boxes_[2])};
    if (!qd::showMessages(this, qd::checkSameDimension(images))) return;
    values_ = {boxes_[0]->view(), boxes_[1]->view(), boxes_[2]->view()};
    QDialog::accept();
}

std::optional<MakeRgbResult> runMakeRgbDialog(QWidget* parent) {
    const std::vector<CQDView*> views = qd::channelSources(qdApp()->registry());
    if (views.empty()) return std::nullopt;
    CMakeRgbDialog dialog(views, parent);
    if (qd::runModal(dialog) != QDialog::Accepted) return std::nullopt;
    return dialog.values();
}
