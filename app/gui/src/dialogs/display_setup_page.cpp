#include "display_setup_page.h"

#include "display_type_radios.h"
#include "sheet_profile.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qd {

namespace {

struct Keys {
    SectionKey<int> type;
    SectionKey<QString> from, to;
    explicit Keys(const QString& s)
        : type(s, "DisplayRangeTypePos", 1), from(s, "DisplayRangeFrom", "0.0"),
          to(s, "DisplayRangeTo", "256.0") {}
};

} // namespace

DisplayRangeValues readDisplayRangeProfile(const QString& section) {
    const Keys keys(section);
    DisplayRangeValues v;
    const int type = keys.type.read();
    if (type >= SameDisplayRange && type <= CustomDisplayRange) v.type = type;
    v.from = keys.from.read();
    v.to = keys.to.read();
    return v;
}

void writeDisplayRangeProfile(const QString& section, const DisplayRangeValues& values) {
    const Keys keys(section);
    keys.type.write(values.type);
    keys.from.write(values.from);
    keys.to.write(values.to);
}

std::vector<DialogMessage> checkDisplayRange(const DisplayRangeValues& values) {
    return checkDisplayRange(values.type != CustomDisplayRange, values.from, values.to);
}

DisplayRecord displayRecordFor(const DisplayRangeValues& values) {
    DisplayRecord r;
    if (values.type == SameDisplayRange) return r;
    r.sameDisplay = 0;
    r.displayType = 0;
    r.defaultRange = values.type == StretchDisplayRange ? 1 : 0;
    if (values.type == CustomDisplayRange) {
        r.from = parseNumber(values.from).value_or(0.0);
        r.to = parseNumber(values.to).value_or(0.0);
    }
    return r;
}

} // namespace qd

CDisplaySetupPage::CDisplaySetupPage(const QString& section, qd::DisplayRecord* record,
                                     QWidget* parent)
    : CPropertyPage("Display", parent), section_(section), record_(record) {
    auto* layout = new QVBoxLayout(this);
    types_ = new QButtonGroup(this);
    const char* labels[] = {"same display range", "stretch display range",
                            "custom display range =>"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QRadioButton(labels[i], this);
        types_->addButton(b, i);
        layout->addWidget(b);
    }
    auto* form = new QFormLayout;
    from_ = new QLineEdit(this);
    to_ = new QLineEdit(this);
    form->addRow("from", from_);
    form->addRow("to", to_);
    layout->addLayout(form);

    const qd::DisplayRangeValues v = qd::readDisplayRangeProfile(section_);
    types_->button(v.type)->setChecked(true);
    from_->setText(v.from);
    to_->setText(v.to);
    updateFields();
    connect(types_, &QButtonGroup::idToggled, this, [this] { updateFields(); });
}

QRadioButton* CDisplaySetupPage::rangeButton(int type) const {
    return qobject_cast<QRadioButton*>(types_->button(type));
}

qd::DisplayRangeValues CDisplaySetupPage::values() const {
    return {types_->checkedId(), from_->text(), to_->text()};
}

void CDisplaySetupPage::updateFields() {
    const bool custom = types_->checkedId() == qd::CustomDisplayRange;
    from_->setEnabled(custom);
    to_->setEnabled(custom);
}

bool CDisplaySetupPage::validate() {
    return qd::showMessages(this, qd::checkDisplayRange(values()));
}

void CDisplaySetupPage::commit() {
    const qd::DisplayRangeValues v = values();
    if (record_) *record_ = qd::displayRecordFor(v);
    qd::writeDisplayRangeProfile(section_, v);
}
