#include "new_image_dialog.h"

#include "platform.h"
#include "profile.h"

#include <qd/dlg_common/data_type_group.h>
#include <qd/dlg_common/image_layout.h>

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
const qd::ProfileKey<int> kWidth{"NewImage", "Width", 0};
const qd::ProfileKey<int> kHeight{"NewImage", "Height", 0};
const qd::ProfileKey<int> kTypePos{"NewImage", "DataTypePos", 3};
} // namespace

NewImageValues readNewImageProfile() { return {kWidth.read(), kHeight.read(), kTypePos.read()}; }

void writeNewImageProfile(const NewImageValues& v) {
    kWidth.write(v.width);
    kHeight.write(v.height);
    kTypePos.write(v.position);
}

std::vector<qd::DialogMessage> checkImageSides(const QString& width, const QString& height) {
    const auto w = qd::parseInteger(width), h = qd::parseInteger(height);
    if (!w || !h || *w < 1 || *h < 1) return {qd::warning(61446)};
    return {};
}

CNewImageDialog::CNewImageDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Dialog");
    const NewImageValues start = readNewImageProfile();
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    width_ = new QLineEdit(QString::number(start.width), this);
    height_ = new QLineEdit(QString::number(start.height), this);
    form->addRow("width", width_);
    form->addRow("height", height_);
    layout->addLayout(form);
    types_ = new DataTypeGroup("4 bits", this);
    types_->setPosition(start.position);
    layout->addWidget(types_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CNewImageDialog::accept() {
    if (!qd::showMessages(this, checkImageSides(width_->text(), height_->text()))) return;
    const NewImageValues v{*qd::parseInteger(width_->text()), *qd::parseInteger(height_->text()),
                           types_->position()};
    qd::layout::fillNewImageHeader(header_, v.width, v.height, types_->type());
    writeNewImageProfile(v);
    QDialog::accept();
}

std::optional<IMHEADER> runNewImageDialog(QWidget* parent) {
    CNewImageDialog dlg(parent);
    if (qd::runModal(dlg) != QDialog::Accepted) return std::nullopt;
    return dlg.header();
}
