#include "homomorphic_dialog.h"

#include "dialog_buttons.h"
#include "platform.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace qd {
namespace {
// These three refusals carry their own title, with a leading blank.
DialogMessage filterWarning(const char* text) { return {text, " warning", MbOk | MbIconStop}; }
} // namespace

std::vector<DialogMessage> checkHomomorphic(const HomomorphicTexts& texts, bool colour,
                                            HomomorphicValues& values) {
    HomomorphicValues v;
    const auto cutoff = parseNumber(texts.cutoff);
    if (!cutoff || *cutoff <= 0) return {filterWarning("Cutoff value should be greater than 0.0.")};
    const auto lower = parseNumber(texts.lower), upper = parseNumber(texts.upper);
    if (!lower || !upper || *upper <= *lower || *lower <= 0)
        return {filterWarning("Upper limit should be greater than lower limit and both values "
                              "should be positive values.")};
    const auto power = parseInteger(texts.power);
    if (!power || *power < 1) return {filterWarning("Power should have positive integer value.")};
    v.cutoff = *cutoff;
    v.lower = *lower;
    v.upper = *upper;
    v.power = *power;
    if (colour) {
        const auto from = parseNumber(texts.from), to = parseNumber(texts.to);
        if (!from || !to || *to <= *from)
            return {warning("From value should be less than to value")};
        v.from = *from;
        v.to = *to;
    }
    values = v;
    return {};
}

} // namespace qd

CHomomorphicDialog::CHomomorphicDialog(bool colour, QWidget* parent)
    : QDialog(parent), colour_(colour) {
    setWindowTitle(colour ? "homomorphic filter" : "Homomorphic filter");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    // The same starting values every time: this dialog keeps no profile.
    cutoff_ = new QLineEdit("1.0", this);
    lower_ = new QLineEdit("0.5", this);
    upper_ = new QLineEdit("1.5", this);
    power_ = new QLineEdit("1", this);
    form->addRow("cutoff", cutoff_);
    form->addRow("lower limit", lower_);
    form->addRow("upper limit", upper_);
    form->addRow("power", power_);
    layout->addLayout(form);
    if (colour) {
        auto* range = new QGroupBox("display range", this);
        auto* rangeForm = new QFormLayout(range);
        from_ = new QLineEdit("0", range);
        to_ = new QLineEdit("2", range);
        rangeForm->addRow("from", from_);
        rangeForm->addRow("to", to_);
        layout->addWidget(range);
    }
    buttons_ = qd::addOkCancel(this, layout);
}

void CHomomorphicDialog::accept() {
    HomomorphicTexts t{cutoff_->text(), lower_->text(), upper_->text(), power_->text(), {}, {}};
    if (colour_) {
        t.from = from_->text();
        t.to = to_->text();
    }
    HomomorphicValues v;
    if (!qd::showMessages(this, qd::checkHomomorphic(t, colour_, v))) return;
    result_ = v;
    QDialog::accept();
}

std::optional<HomomorphicValues> runHomomorphicDialog(QWidget* parent, bool colour) {
    CHomomorphicDialog dlg(colour, parent);
    if (qd::runModal(dlg) != QDialog::Accepted) return std::nullopt;
    return dlg.result();
}
