#include "import_dialog.h"

#include "data_type_group.h"
#include "platform.h"
#include "profile.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cmath>

namespace {
const qd::ProfileKey<qlonglong> kOffset{"ImageImport", "Offset", 0};
const qd::ProfileKey<int> kTypePos{"ImageImport", "DataTypePos", 3};
const qd::ProfileKey<int> kByteSwap{"ImageImport", "ByteSwap", 0};

// Bytes the image needs in the file, in floating point so that no product
// of two large sides can wrap.
double dataBytes(double w, double h, int position) {
    switch (DataTypeGroup::typeAt(position)) {
    case MT_BINARY:
        return std::ceil(w / 8) * h;
    case MT_4BITS:
        return std::ceil(w / 2) * h;
    default:
        return w * h * DataTypeGroup::bytesPerPixel(position);
    }
}
} // namespace

CImportDialog::CImportDialog(const QString& path, QWidget* parent)
    : QDialog(parent), fileSize_(QFileInfo(path).size()) {
    setWindowTitle(QStringLiteral("%1 bytes : %2").arg(fileSize_).arg(QFileInfo(path).fileName()));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    width_ = new QLineEdit(this);
    height_ = new QLineEdit(this);
    const qlonglong stored = kOffset.read();
    offset_ = new QLineEdit(QString::number(stored >= 0 && stored <= fileSize_ ? stored : 0), this);
    swap_ = new QCheckBox("byte-swap", this);
    swap_->setChecked(kByteSwap.read() != 0);
    form->addRow("width", width_);
    form->addRow("height", height_);
    form->addRow("offset bytes", offset_);
    form->addRow(swap_);
    layout->addLayout(form);
    types_ = new DataTypeGroup(this);
    layout->addWidget(types_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    types_->setPosition(kTypePos.read());
    connect(types_, &DataTypeGroup::changed, this, &CImportDialog::propose);
    connect(offset_, &QLineEdit::textEdited, this, &CImportDialog::propose);
    propose();
}

void CImportDialog::propose() {
    const double left = double(fileSize_ - offset_->text().trimmed().toLongLong());
    const double side =
        left > 0 ? std::sqrt(left / DataTypeGroup::bytesPerPixel(types_->position())) + 0.5 : 0;
    const QString text = QString::number(static_cast<qlonglong>(side));
    width_->setText(text);
    height_->setText(text);
}

void CImportDialog::accept() {
    bool okW = false, okH = false, okO = false;
    const int w = width_->text().trimmed().toInt(&okW), h = height_->text().trimmed().toInt(&okH);
    const qlonglong offset = offset_->text().trimmed().toLongLong(&okO);
    if (!okW || !okH || w < 1 || h < 1) {
        qd::messageBox(this, "Width or Height should be greater than 0.", "warning",
                       qd::MbOk | qd::MbIconStop);
        return;
    }
    if (!okO || offset < 0 || offset > fileSize_ ||
        dataBytes(w, h, types_->position()) > double(fileSize_ - offset)) {
        qd::messageBox(this,
                       "Image dimension is not valid.\nProbably width or height is too large.",
                       "warning", qd::MbOk | qd::MbIconStop);
        return;
    }
    initNewImageHeader(header_, w, h, types_->type());
    offsetValue_ = offset;
    byteSwap_ = swap_->isChecked();
    kOffset.write(offset);
    kTypePos.write(types_->position());
    kByteSwap.write(byteSwap_ ? 1 : 0);
    QDialog::accept();
}

std::optional<qd::RawImportRequest> askRawImport(const QString& path, QWidget* parent) {
    CImportDialog dlg(path, parent);
    if (qd::runModal(dlg) != QDialog::Accepted) return std::nullopt;
    qd::RawImportRequest r;
    r.header = dlg.header();
    r.offset = dlg.offset();
    r.swapBytes = dlg.byteSwap();
    return r;
}
