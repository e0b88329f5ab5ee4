#include "object_ident_dialog.h"

#include "dialog_buttons.h"
#include "platform.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

CObjectIdentDialog::CObjectIdentDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Object identification");
    auto* layout = new QVBoxLayout(this);
    // Two groups so that each pair of radios excludes only its partner.
    auto* connectivity = new QGroupBox(this);
    auto* c = new QVBoxLayout(connectivity);
    four_ = new QRadioButton("4 connectivity", connectivity);
    eight_ = new QRadioButton("8 connectivity", connectivity);
    c->addWidget(four_);
    c->addWidget(eight_);
    auto* boundary = new QGroupBox(this);
    auto* b = new QVBoxLayout(boundary);
    with_ = new QRadioButton("with boundary", boundary);
    without_ = new QRadioButton("without boundary", boundary);
    b->addWidget(with_);
    b->addWidget(without_);
    auto* row = new QHBoxLayout;
    row->addWidget(connectivity);
    row->addWidget(boundary);
    layout->addLayout(row);
    four_->setChecked(true);
    without_->setChecked(true);
    buttons_ = qd::addOkCancel(this, layout);
}

ObjectIdentValues CObjectIdentDialog::result() const {
    return {eight_->isChecked() ? 8 : 4, with_->isChecked() ? 1 : 0};
}

std::optional<ObjectIdentValues> runObjectIdentDialog(QWidget* parent) {
    CObjectIdentDialog dlg(parent);
    if (qd::runModal(dlg) != QDialog::Accepted) return std::nullopt;
    return dlg.result();
}
