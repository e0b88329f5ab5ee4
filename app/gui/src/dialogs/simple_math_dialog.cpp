#include "simple_math_dialog.h"

#include "dialog_buttons.h"
#include "platform.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cmath>

namespace qd {

std::vector<DialogMessage> checkSimpleMath(int op, const QString& valueText,
                                           SimpleMathValues& values) {
    const auto v = parseNumber(valueText);
    if (op == 2 && (!v || std::fabs(*v) < 1e-12))
        return {warning("Division by zero is not possible.")};
    if (!v) return {warning("Value should be a real number.")};
    values = {op, *v};
    return {};
}

} // namespace qd

CSimpleMathDialog::CSimpleMathDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Simple math");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    op_ = new QComboBox(this);
    op_->addItems({"+", "*", "/"});
    op_->setCurrentIndex(0);
    value_ = new QLineEdit("0", this);
    form->addRow("Operator", op_);
    form->addRow("Value", value_);
    layout->addLayout(form);
    buttons_ = qd::addOkCancel(this, layout);
}

void CSimpleMathDialog::accept() {
    SimpleMathValues v;
    if (!qd::showMessages(this, qd::checkSimpleMath(op_->currentIndex(), value_->text(), v)))
        return;
    result_ = v;
    QDialog::accept();
}

std::optional<SimpleMathValues> runSimpleMathDialog(QWidget* parent) {
    CSimpleMathDialog dlg(parent);
    if (qd::runModal(dlg) != QDialog::Accepted) return std::nullopt;
    return dlg.result();
}
