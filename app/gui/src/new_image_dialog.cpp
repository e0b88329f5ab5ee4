#include "new_image_dialog.h"

#include "data_type_group.h"
#include "platform.h"
#include "profile.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
const qd::ProfileKey<int> kWidth{"NewImage", "Width", 0};
const qd::ProfileKey<int> kHeight{"NewImage", "Height", 0};
const qd::ProfileKey<int> kTypePos{"NewImage", "DataTypePos", 3};
} // namespace

CNewImageDialog::CNewImageDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Dialog");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    width_ = new QLineEdit(QString::number(kWidth.read()), this);
    height_ = new QLineEdit(QString::number(kHeight.read()), this);
    form->addRow("width", width_);
    form->addRow("height", height_);
    layout->addLayout(form);
    types_ = new DataTypeGroup(this);
    types_->setPosition(kTypePos.read());
    layout->addWidget(types_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CNewImageDialog::accept() {
    const int w = width_->text().trimmed().toInt(), h = height_->text().trimmed().toInt();
    if (w < 1 || h < 1) {
        qd::messageBox(this, "Width or Height should be greater than 0.", "warning",
                       qd::MbOk | qd::MbIconStop);
        return;
    }
    initNewImageHeader(header_, w, h, types_->type());
    kWidth.write(w);
    kHeight.write(h);
    kTypePos.write(types_->position());
    QDialog::accept();
}
