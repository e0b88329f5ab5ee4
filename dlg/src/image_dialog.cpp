#include "image_dialog.h"
#include "warning_box.h"

#include <qd/dlg_common/data_type_group.h>
#include <qd/dlg_common/image_layout.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <limits>

namespace qddlg {
namespace {
constexpr int kSideDigits = 9;
constexpr int kUnsignedShort = 5;

// Sides take at most nine digits, so a failed or absent number reads as a
// side below 1 and gets that message.
int32_t side(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : 0;
}

QLineEdit* field(const QString& text, const char* name, QWidget* parent) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(name);
    return e;
}
} // namespace

QString checkImageEntry(const ImageEntry& entry, int64_t fileSize, IMHEADER& header,
                        QDRAWIMPORT& record) {
    const int32_t w = side(entry.width), h = side(entry.height);
    if (w < 1 || h < 1) return kSizeBelowOne;
    QDRAWIMPORT raw{};
    if (fileSize >= 0) {
        bool ok = false;
        const int32_t offset = entry.offset.trimmed().toInt(&ok);
        // An offset that is no count of bytes leaves no file to read.
        if (!ok || offset < 0) return kFileTooShort;
        const int64_t bytes = qd::layout::dataSize(w, h, entry.position);
        if (fileSize - offset < bytes) return kFileTooShort;
        if (bytes > std::numeric_limits<int32_t>::max()) return kDataTooLarge;
        raw = {offset, int32_t(bytes), entry.byteSwap ? 1 : 0};
    }
    qd::layout::fillNewImageHeader(header, w, h, qd::layout::typeCode(entry.position));
    if (fileSize >= 0) record = raw;
    return {};
}

ImageDialog::ImageDialog(int64_t fileSize, const QString& fileName, QWidget* parent)
    : QDialog(parent), fileSize_(fileSize) {
    const bool import = fileSize >= 0;
    setWindowTitle(import ? QStringLiteral("%1 Bytes : %2").arg(QString::number(fileSize), fileName)
                          : QStringLiteral("New image"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    width_ = field("256", "width", this);
    height_ = field("256", "height", this);
    width_->setMaxLength(kSideDigits);
    height_->setMaxLength(kSideDigits);
    form->addRow("width", width_);
    form->addRow("height", height_);
    if (import) {
        offset_ = field("0", "offset", this);
        swap_ = new QCheckBox("byte-swap", this);
        swap_->setObjectName("byteSwap");
        form->addRow("offset byte", offset_);
        form->addRow(swap_);
    }
    layout->addLayout(form);
    types_ = new DataTypeGroup("4bits", this);
    layout->addWidget(types_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("buttons");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    if (import) {
        types_->setPosition(qd::layout::kDefaultPosition);
        propose();
        connect(types_, &DataTypeGroup::changed, this, &ImageDialog::propose);
    } else {
        types_->setPosition(kUnsignedShort);
    }
}

void ImageDialog::propose() {
    bool ok = false;
    const int32_t offset = offset_->text().trimmed().toInt(&ok);
    const QString side =
        QString::number(qd::layout::proposedSide(fileSize_, ok ? offset : 0, types_->position()));
    width_->setText(side);
    height_->setText(side);
}

ImageEntry ImageDialog::entry() const {
    ImageEntry e{width_->text(), height_->text(), types_->position(), {}, false};
    if (offset_) e.offset = offset_->text();
    if (swap_) e.byteSwap = swap_->isChecked();
    return e;
}

void ImageDialog::accept() {
    const QString refusal = checkImageEntry(entry(), fileSize_, header_, record_);
    if (!refusal.isEmpty()) {
        showWarning(this, refusal);
        return;
    }
    QDialog::accept();
}

} // namespace qddlg
