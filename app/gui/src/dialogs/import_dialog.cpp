#include "import_dialog.h"

#include "new_image_dialog.h"
#include "platform.h"
#include "profile.h"

#include <qd/dlg_common/data_type_group.h>
#include <qd/dlg_common/image_layout.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
const qd::ProfileKey<qlonglong> kOffset{"ImageImport", "Offset", 0};
const qd::ProfileKey<int> kTypePos{"ImageImport", "DataTypePos", 3};
const qd::ProfileKey<int> kByteSwap{"ImageImport", "ByteSwap", 0};

// Offsets are 64-bit: files beyond 2 GiB have headers too.
std::optional<int64_t> parseOffset(const QString& text) {
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<int64_t>(v) : std::nullopt;
}
} // namespace

std::vector<qd::DialogMessage> checkRawImport(const QString& width, const QString& height,
                                              const QString& offset, int position,
                                              int64_t fileSize) {
    if (auto m = checkImageSides(width, height); !m.empty()) return m;
    const auto o = parseOffset(offset);
    if (!o || *o < 0 || *o > fileSize ||
        qd::layout::dataSize(*qd::parseInteger(width), *qd::parseInteger(height), position) >
            fileSize - *o)
        return {qd::warning(61447)};
    return {};
}

CImportDialog::CImportDialog(const QString& path, QWidget* parent)
    : QDialog(parent), fileSize_(QFileInfo(path).size()) {
    setWindowTitle(QStringLiteral("%1 bytes : %2")
                       .arg(QString::number(fileSize_), QFileInfo(path).fileName()));
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
    types_ = new DataTypeGroup("4 bits", this);
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
    // A proposal is only a suggestion: an offset being typed counts as 0.
    const QString side = QString::number(qd::layout::proposedSide(
        fileSize_, parseOffset(offset_->text()).value_or(0), types_->position()));
    width_->setText(side);
    height_->setText(side);
}

void CImportDialog::accept() {
    if (!qd::showMessages(this, checkRawImport(width_->text(), height_->text(), offset_->text(),
                                               types_->position(), fileSize_)))
        return;
    qd::layout::fillNewImageHeader(header_, *qd::parseInteger(width_->text()),
                                   *qd::parseInteger(height_->text()), types_->type());
    offsetValue_ = *parseOffset(offset_->text());
    byteSwap_ = swap_->isChecked();
    kOffset.write(offsetValue_);
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
