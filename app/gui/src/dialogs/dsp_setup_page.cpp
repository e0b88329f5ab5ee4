#include "dsp_setup_page.h"

#include "display_type_radios.h"
#include "sheet_profile.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qd {
namespace {

struct Keys {
    SectionKey<int> same, type, stretch;
    SectionKey<QString> from, to;
    explicit Keys(const QString& s)
        : same(s, "SameDisplay", 1), type(s, "DisplayType", 0), stretch(s, "Stretch", 1),
          from(s, "From", "0.0"), to(s, "To", "256.0") {}
};

} // namespace

DspSetupValues readDspSetup(const QString& section) {
    const Keys k(section);
    return {k.same.read(), k.type.read(), k.stretch.read(), k.from.read(), k.to.read()};
}

void writeDspSetup(const QString& section, const DspSetupValues& v) {
    const Keys k(section);
    k.same.write(v.sameDisplay);
    k.type.write(v.displayType);
    k.stretch.write(v.stretch);
    k.from.write(v.from);
    k.to.write(v.to);
}

std::vector<DialogMessage> checkDspSetup(const DspSetupValues& v) {
    if (v.sameDisplay) return {};
    return checkDisplayRange(v.stretch != 0, v.from, v.to);
}

DisplayRecord displayRecordOf(const DspSetupValues& v) {
    DisplayRecord r;
    r.sameDisplay = v.sameDisplay ? 1 : 0;
    r.displayType = v.displayType;
    r.defaultRange = v.stretch ? 1 : 0;
    r.from = parseNumber(v.from).value_or(r.from);
    r.to = parseNumber(v.to).value_or(r.to);
    return r;
}

} // namespace qd

CDspSetupPage::CDspSetupPage(const QString& section, QWidget* parent)
    : CPropertyPage("Display Setup", parent), section_(section) {
    const qd::DspSetupValues v = qd::readDspSetup(section);
    auto* layout = new QVBoxLayout(this);
    same_ = new QRadioButton("same display", this);
    custom_ = new QRadioButton("custom display", this);
    layout->addWidget(same_);
    layout->addWidget(custom_);
    types_ = new DisplayTypeRadios(this);
    types_->setCode(v.displayType);
    layout->addWidget(types_);
    stretch_ = new QCheckBox("stretch", this);
    stretch_->setChecked(v.stretch != 0);
    layout->addWidget(stretch_);
    auto* range = new QFormLayout;
    from_ = new QLineEdit(v.from, this);
    to_ = new QLineEdit(v.to, this);
    range->addRow("from", from_);
    range->addRow("to", to_);
    layout->addLayout(range);
    layout->addStretch();
    (v.sameDisplay ? same_ : custom_)->setChecked(true);

    connect(same_, &QRadioButton::toggled, this, &CDspSetupPage::updateEnabled);
    connect(stretch_, &QCheckBox::toggled, this, &CDspSetupPage::updateEnabled);
    updateEnabled();
}

void CDspSetupPage::updateEnabled() {
    const bool custom = custom_->isChecked();
    types_->setEnabled(custom);
    stretch_->setEnabled(custom);
    from_->setEnabled(custom && !stretch_->isChecked());
    to_->setEnabled(custom && !stretch_->isChecked());
}

qd::DspSetupValues CDspSetupPage::values() const {
    return {same_->isChecked() ? 1 : 0, types_->code(), stretch_->isChecked() ? 1 : 0,
            from_->text(), to_->text()};
}

bool CDspSetupPage::validate() { return qd::showMessages(this, qd::checkDspSetup(values())); }

void CDspSetupPage::commit() {
    const qd::DspSetupValues v = values();
    qd::writeDspSetup(section_, v);
    record_ = qd::displayRecordOf(v);
}
