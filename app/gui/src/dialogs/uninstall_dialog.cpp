#include "uninstall_dialog.h"

#include "platform.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

CUninstallDialog::CUninstallDialog(const QString& title, const QStringList& names,
                                   UninstallFunction onDelete, QWidget* parent)
    : QDialog(parent), onDelete_(std::move(onDelete)) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->addItems(names);
    if (list_->count() > 0) list_->setCurrentRow(0);
    layout->addWidget(list_);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Close, this);
    delete_ = buttons_->addButton("Delete", QDialogButtonBox::ActionRole);
    // Delete acts at once and the dialog stays; only Close ends it.
    delete_->setAutoDefault(false);
    connect(delete_, &QPushButton::clicked, this, &CUninstallDialog::deleteSelected);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::currentRowChanged, this, &CUninstallDialog::updateEnabled);
    layout->addWidget(buttons_);
    updateEnabled();
}

void CUninstallDialog::updateEnabled() { delete_->setEnabled(list_->currentRow() >= 0); }

void CUninstallDialog::deleteSelected() {
    const int row = list_->currentRow();
    if (row < 0) return;
    const QString name = list_->item(row)->text();
    if (onDelete_) onDelete_(row, name);
    delete list_->takeItem(row);
    if (list_->count() > 0) list_->setCurrentRow(std::min(row, list_->count() - 1));
    updateEnabled();
}

void runUninstallDialog(QWidget* parent, const QString& title, const QStringList& names,
                        const UninstallFunction& onDelete) {
    CUninstallDialog dialog(title, names, onDelete, parent);
    qd::runModal(dialog);
}
