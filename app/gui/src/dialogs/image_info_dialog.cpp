#include "image_info_dialog.h"

#include "dialog_buttons.h"
#include "platform.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <cstring>

namespace qd {

QString dataTypeText(int32_t type) {
    switch (type) {
    case MT_BINARY:
        return "binary [1 bit]";
    case MT_4BITS:
        return "16 colors [4 bits]";
    case MT_CHAR:
        return "signed integer [1 byte]";
    case MT_UCHAR:
        return "unsigned integer [1 byte]";
    case MT_SHORT:
        return "signed integer [2 bytes]";
    case MT_USHORT:
        return "unsigned integer [2 bytes]";
    case MT_LONG:
        return "signed integer [4 bytes]";
    case MT_ULONG:
        return "unsigned integer [4 bytes]";
    case MT_FLOAT:
        return "floating [4 bytes]";
    case MT_DOUBLE:
        return "floating [8 bytes]";
    case MT_COMPLEX8:
        return "complex [8 bytes]";
    case MT_COMPLEX16:
        return "complex [16 bytes]";
    case MT_RGB:
        return "RGB [4 bytes]";
    default:
        return {};
    }
}

QStringList xyUnitChoices() {
    return {"mm", QString::fromLatin1("\xB5m"), "nm", QString::fromLatin1("\xC2")};
}

std::vector<DialogMessage> checkImageInfoScale(const QString& text, double& scale) {
    const auto v = parseNumber(text);
    if (!v || *v == 0) return {warning("Scale value should not be zero.")};
    scale = *v;
    return {};
}

ImageInfoValues imageInfoOf(IMHANDLE im) {
    const IMHEADER* h = IMGetHeaderPointer(im);
    ImageInfoValues v;
    v.scale = h->Scale;
    v.unit = fromFieldBytes(h->XYUnit, IM_UNIT_SIZE);
    v.comment = fromFieldBytes(h->Comment, IM_COMMENT_SIZE).replace("\r\n", "\n");
    return v;
}

void applyImageInfo(IMHANDLE im, const ImageInfoValues& values) {
    IMSetScale(im, values.scale);
    IMSetXYUnit(im, toFieldBytes(values.unit, IM_UNIT_SIZE - 1).constData());
    QString joined = values.comment;
    joined.replace("\n", "\r\n");
    QByteArray comment = toFieldBytes(joined, IM_COMMENT_SIZE - 1);
    // A cut between "\r" and "\n" would leave half a line break behind.
    if (comment.size() < joined.size() && comment.endsWith('\r')) comment.chop(1);
    IMHEADER* h = IMGetHeaderPointer(im);
    std::memset(h->Comment, 0, sizeof h->Comment);
    std::memcpy(h->Comment, comment.constData(), size_t(comment.size()));
}

} // namespace qd

CImageInfoDialog::CImageInfoDialog(IMHANDLE im, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Image info");
    const ImageInfoValues current = qd::imageInfoOf(im);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    type_ = new QLabel(qd::dataTypeText(IMGetHeaderPointer(im)->DataType), this);
    width_ = new QLineEdit(QString::number(IMGetImageWidth(im)), this);
    height_ = new QLineEdit(QString::number(IMGetImageHeight(im)), this);
    width_->setReadOnly(true);
    height_->setReadOnly(true);
    scale_ = new QLineEdit(qd::formatNumber(current.scale), this);
    unit_ = new QComboBox(this);
    unit_->setEditable(true);
    unit_->addItems(qd::xyUnitChoices());
    unit_->setCurrentText(current.unit);
    comment_ = new QPlainTextEdit(current.comment, this);
    auto* scaleRow = new QHBoxLayout;
    scaleRow->addWidget(scale_);
    scaleRow->addWidget(unit_);
    form->addRow("data type", type_);
    form->addRow("width", width_);
    form->addRow("height", height_);
    form->addRow("1    :", scaleRow);
    form->addRow("comments", comment_);
    layout->addLayout(form);
    buttons_ = qd::addOkCancel(this, layout);
}

void CImageInfoDialog::accept() {
    ImageInfoValues v;
    if (!qd::showMessages(this, qd::checkImageInfoScale(scale_->text(), v.scale))) return;
    v.unit = unit_->currentText();
    v.comment = comment_->toPlainText();
    result_ = v;
    QDialog::accept();
}

std::optional<ImageInfoValues> runImageInfoDialog(QWidget* parent, IMHANDLE im) {
    CImageInfoDialog dlg(im, parent);
    if (qd::runModal(dlg) != QDialog::Accepted) return std::nullopt;
    qd::applyImageInfo(im, dlg.result());
    return dlg.result();
}
