#include "kernel_page.h"

#include "kernel_editor_dialog.h"
#include "platform.h"
#include "sheet_profile.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include <qd/core/kernel_text.h>

namespace {
constexpr int kCannotModify = 61459;
constexpr int kDefaultNewDim = 3;
} // namespace

CKernelPage::CKernelPage(std::unique_ptr<qd::KernelBook> book, const Names& names,
                         const QString& section, QWidget* parent)
    : CPropertyPage(QString::fromLatin1(names.pageTitle), parent), book_(std::move(book)),
      names_(names), section_(section) {
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    kernels_ = new QComboBox(this);
    form->addRow("kernel", kernels_);
    dim_ = new QLineEdit(this);
    dim_->setReadOnly(true);
    form->addRow("dimension", dim_);
    entries_ = new QPlainTextEdit(this);
    entries_->setReadOnly(true);
    entries_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    entries_->setLineWrapMode(QPlainTextEdit::NoWrap);
    form->addRow("kernel elements", entries_);
    if (book_->hasDivisor()) {
        divisor_ = new QLineEdit(this);
        divisor_->setReadOnly(true);
        form->addRow("weight", divisor_);
    }
    layout->addLayout(form);
    auto* row = new QHBoxLayout;
    new_ = new QPushButton("New...", this);
    edit_ = new QPushButton("Edit", this);
    delete_ = new QPushButton("Delete", this);
    row->addWidget(new_);
    row->addWidget(edit_);
    row->addWidget(delete_);
    layout->addLayout(row);

    for (int i = 0; i < book_->count(); ++i)
        kernels_->addItem(book_->name(i));
    const QString name = qd::SectionKey<QString>(section_, names_.nameKey, QString()).read();
    const int dim = qd::SectionKey<int>(section_, names_.dimKey, 0).read();
    showKernel(std::max(0, book_->find(name, dim)));

    connect(kernels_, &QComboBox::currentIndexChanged, this, &CKernelPage::showKernel);
    connect(new_, &QPushButton::clicked, this, &CKernelPage::newKernel);
    connect(edit_, &QPushButton::clicked, this, &CKernelPage::editKernel);
    connect(delete_, &QPushButton::clicked, this, &CKernelPage::deleteKernel);
}

CKernelPage::~CKernelPage() = default;

int CKernelPage::current() const { return kernels_->currentIndex(); }

void CKernelPage::showKernel(int index) {
    kernels_->setCurrentIndex(index);
    const bool valid = index >= 0 && index < book_->count();
    dim_->setText(valid ? QString::fromStdString(qd::kernelDimText(book_->dim(index))) : QString());
    entries_->setPlainText(valid ? book_->entriesText(index) : QString());
    if (divisor_) divisor_->setText(valid ? book_->divisorText(index) : QString());
    const bool user = valid && !book_->isBuiltIn(index);
    edit_->setEnabled(user);
    delete_->setEnabled(user);
}

void CKernelPage::newKernel() {
    const qd::ProfileKey<int> lastDim{names_.newSection, names_.newDimKey, kDefaultNewDim};
    KernelEditorSetup setup;
    setup.title = QString::fromLatin1(names_.newTitle);
    setup.hasDivisor = book_->hasDivisor();
    setup.dim = lastDim.read();
    CKernelEditorDialog dialog(
        setup, [this](const qd::KernelFields& f) { return book_->store(f, -1); }, this);
    if (qd::runModal(dialog) != QDialog::Accepted) return;
    const int index = book_->count() - 1;
    kernels_->addItem(book_->name(index));
    showKernel(index);
    lastDim.write(dialog.dimension());
}

void CKernelPage::editKernel() {
    const int index = current();
    if (index < 0 || book_->isBuiltIn(index)) {
        qd::showMessages(this, {qd::warning(kCannotModify)});
        return;
    }
    KernelEditorSetup setup;
    setup.title = QString::fromLatin1(names_.editTitle);
    setup.hasDivisor = book_->hasDivisor();
    setup.fixedDim = true;
    setup.dim = book_->dim(index);
    setup.name = book_->name(index);
    setup.entries = book_->editorEntriesText(index);
    setup.divisor = book_->editorDivisorText(index);
    CKernelEditorDialog dialog(
        setup, [this, index](const qd::KernelFields& f) { return book_->store(f, index); }, this);
    if (qd::runModal(dialog) != QDialog::Accepted) return;
    kernels_->setItemText(index, book_->name(index));
    showKernel(index);
}

void CKernelPage::deleteKernel() {
    const int index = current();
    if (index < 0 || !book_->remove(index)) {
        qd::showMessages(this, {qd::warning(kCannotModify)});
        return;
    }
    kernels_->removeItem(index);
    showKernel(0);
}

void CKernelPage::commit() {
    const int index = current();
    if (index < 0) return;
    qd::SectionKey<QString>(section_, names_.nameKey, QString()).write(book_->name(index));
    qd::SectionKey<int>(section_, names_.dimKey, 0).write(book_->dim(index));
    storeResult(index);
}
