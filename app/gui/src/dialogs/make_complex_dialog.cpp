#include "make_complex_dialog.h"

#include "dialog_buttons.h"
#include "image_choice_box.h"
#include "platform.h"
#include "qd_app.h"

#include <QFormLayout>
#include <QVBoxLayout>

CMakeComplexDialog::CMakeComplexDialog(const std::vector<CQDView*>& views, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Make complex image");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    real_ = new ImageChoiceBox(views, this);
    imaginary_ = new ImageChoiceBox(views, this);
    form->addRow("real part", real_);
    form->addRow("imaginary part", imaginary_);
    layout->addLayout(form);
    buttons_ = qd::addOkCancel(this, layout);
}

void CMakeComplexDialog::accept() {
    values_ = {real_->view(), imaginary_->view()};
    if (!values_.real || !values_.imaginary) return;
    QDialog::accept();
}

std::optional<MakeComplexResult> runMakeComplexDialog(QWidget* parent) {
    const std::vector<CQDView*> views = qd::imageWindows(qdApp()->registry());
    if (views.empty()) return std::nullopt;
    CMakeComplexDialog dialog(views, parent);
    if (qd::runModal(dialog) != QDialog::Accepted) return std::nullopt;
    return dialog.values();
}
