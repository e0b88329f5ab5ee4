#include "select_image_dialog.h"

#include "dialog_buttons.h"
#include "image_choice_box.h"
#include "platform.h"
#include "qd_app.h"

#include <QLabel>
#include <QVBoxLayout>

CSelectImageDialog::CSelectImageDialog(const QString& prompt, const std::vector<CQDView*>& views,
                                       QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Select image");
    auto* layout = new QVBoxLayout(this);
    prompt_ = new QLabel(prompt, this);
    // A plug-in's text is shown as given, never as markup.
    prompt_->setTextFormat(Qt::PlainText);
    prompt_->setWordWrap(true);
    layout->addWidget(prompt_);
    images_ = new ImageChoiceBox(views, this);
    layout->addWidget(images_);
    buttons_ = qd::addOkCancel(this, layout);
}

void CSelectImageDialog::accept() {
    view_ = images_->view();
    if (!view_) return;
    QDialog::accept();
}

int runSelectImageDialog(QWidget* parent, const QString& prompt, CQDView** chosen) {
    const std::vector<CQDView*> views = qd::imageWindows(qdApp()->registry());
    if (views.empty()) return -1;
    CSelectImageDialog dialog(prompt, views, parent);
    if (qd::runModal(dialog) != QDialog::Accepted) return 0;
    if (chosen) *chosen = dialog.view();
    return 1;
}
