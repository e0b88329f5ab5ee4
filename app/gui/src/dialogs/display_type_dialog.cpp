#include "display_type_dialog.h"

#include "dialog_buttons.h"
#include "dialog_values.h"
#include "display_type_radios.h"
#include "platform.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CDisplayTypeDialog::CDisplayTypeDialog(int drawType, double from, double to, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Display Type");
    auto* layout = new QVBoxLayout(this);
    types_ = new DisplayTypeRadios(this);
    types_->setCode(drawType);
    layout->addWidget(types_);
    stretch_ = new QCheckBox("stretch", this);
    layout->addWidget(stretch_);
    auto* range = new QFormLayout;
    from_ = new QLineEdit(qd::formatNumber(from), this);
    to_ = new QLineEdit(qd::formatNumber(to), this);
    range->addRow("from", from_);
    range->addRow("to", to_);
    layout->addLayout(range);
    buttons_ = qd::addOkCancel(this, layout);
    connect(stretch_, &QCheckBox::toggled, this, &CDisplayTypeDialog::updateEnabled);
    updateEnabled();
}

void CDisplayTypeDialog::updateEnabled() {
    from_->setEnabled(!stretch_->isChecked());
    to_->setEnabled(!stretch_->isChecked());
}

void CDisplayTypeDialog::accept() {
    const bool stretch = stretch_->isChecked();
    if (!qd::showMessages(this, qd::checkDisplayRange(stretch, from_->text(), to_->text()))) return;
    values_ = {types_->code(), stretch ? 1 : 0, qd::parseNumber(from_->text()).value_or(0.0),
               qd::parseNumber(to_->text()).value_or(0.0)};
    QDialog::accept();
}

std::optional<DisplayTypeResult> runDisplayTypeDialog(QWidget* parent, IMHANDLE image) {
    if (!image) return std::nullopt;
    CDisplayTypeDialog dialog(IMGetDrawType(image), IMGetInitialValue(image),
                              IMGetFinalValue(image), parent);
    if (qd::runModal(dialog) != QDialog::Accepted) return std::nullopt;
    return dialog.values();
}
