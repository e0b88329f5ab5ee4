#include "kernel_editor_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include <qd/core/kernel_text.h>

CKernelEditorDialog::CKernelEditorDialog(const KernelEditorSetup& setup, Store store,
                                         QWidget* parent)
    : QDialog(parent), store_(std::move(store)) {
    setWindowTitle(setup.title);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    name_ = new QLineEdit(setup.name, this);
    name_->setMaxLength(int(qd::kKernelNameChars));
    form->addRow("name", name_);
    if (setup.fixedDim) {
        fixed_ = setup.dim;
        fixedDim_ = new QLineEdit(QString::fromStdString(qd::kernelDimText(setup.dim)), this);
        fixedDim_->setReadOnly(true);
        form->addRow("dimension", fixedDim_);
    } else {
        dims_ = new QComboBox(this);
        for (int n = qd::kMinNewKernelDim; n <= qd::kMaxNewKernelDim; n += 2)
            dims_->addItem(QString::fromStdString(qd::kernelDimText(n)));
        dims_->setCurrentIndex(
            std::max(0, dims_->findText(QString::fromStdString(qd::kernelDimText(setup.dim)))));
        form->addRow("dimension", dims_);
    }
    entries_ = new QPlainTextEdit(this);
    entries_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    entries_->setLineWrapMode(QPlainTextEdit::NoWrap);
    form->addRow("kernel elements", entries_);
    if (setup.hasDivisor) {
        divisor_ = new QLineEdit(this);
        // Typing stops at the field's width; a longer stored value still shows
        // whole, so that confirming keeps it.
        divisor_->setMaxLength(std::max<int>(qd::kKernelDivisorChars, int(setup.divisor.size())));
        divisor_->setText(setup.divisor);
        form->addRow("weight", divisor_);
    }
    layout->addLayout(form);
    if (dims_) {
        refill();
        connect(dims_, &QComboBox::currentIndexChanged, this, &CKernelEditorDialog::refill);
    } else {
        entries_->setPlainText(setup.entries);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

int CKernelEditorDialog::dimension() const {
    if (!dims_) return fixed_;
    return qd::kernelDimFromText(dims_->currentText().toStdString());
}

qd::KernelFields CKernelEditorDialog::fields() const {
    return {name_->text(), dimension(), entries_->toPlainText(),
            divisor_ ? divisor_->text() : QString()};
}

void CKernelEditorDialog::refill() {
    entries_->setPlainText(qd::boxText(qd::blankKernelText(dimension())));
}

void CKernelEditorDialog::accept() {
    if (!qd::showMessages(this, store_ ? store_(fields()) : std::vector<qd::DialogMessage>{}))
        return;
    QDialog::accept();
}
