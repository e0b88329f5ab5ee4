#include "ft_filter_page.h"

#include "platform.h"
#include "sheet_profile.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qd {
namespace {

struct Keys {
    SectionKey<int> type;
    SectionKey<QString> upper, lower;
    SectionKey<int> power;
    explicit Keys(const QString& s)
        : type(s, "Type", 0), upper(s, "UCutoff", FTFilterValues().upper),
          lower(s, "LCutoff", FTFilterValues().lower), power(s, "Power", 2) {}
};

bool usesLower(FTFilterKind k) { return k != FTFilterKind::LowPass; }
bool usesUpper(FTFilterKind k) { return k != FTFilterKind::HighPass; }

bool inOpenUnit(const std::optional<double>& v) { return v && *v > 0.0 && *v < 1.0; }

} // namespace

QString ftFilterSection(FTFilterKind kind) {
    switch (kind) {
    case FTFilterKind::LowPass:
        return "LowPass";
    case FTFilterKind::HighPass:
        return "HighPass";
    case FTFilterKind::BandPass:
        break;
    }
    return "BandPass";
}

int ftFilterCaptionId(FTFilterKind kind, bool colour) {
    return 61476 + int(kind) + (colour ? 3 : 0);
}

FTFilterValues readFTFilter(const QString& section) {
    const Keys k(section);
    return {k.type.read(), k.lower.read(), k.upper.read(), QString::number(k.power.read())};
}

void writeFTFilter(const QString& section, const FTFilterValues& v) {
    const Keys k(section);
    k.type.write(v.type);
    k.upper.write(v.upper);
    k.lower.write(v.lower);
    // An unused power field may hold anything; the last good power stays.
    if (const auto p = parseInteger(v.power)) k.power.write(*p);
}

std::vector<DialogMessage> checkFTFilter(FTFilterKind kind, const FTFilterValues& v) {
    if (v.type == 1) {
        const auto p = parseInteger(v.power);
        if (!p || *p < 1) return {warning(61472)};
    }
    const auto upper = parseNumber(v.upper), lower = parseNumber(v.lower);
    if (usesUpper(kind) && !inOpenUnit(upper)) {
        if (kind == FTFilterKind::LowPass)
            return {warning(61473),
                    {"Upper cutoff value should be greater than 0 and less than 1.", "warning",
                     MbOk | MbIconWarning}};
        return {warning(61473)};
    }
    if (usesLower(kind) && !inOpenUnit(lower)) return {warning(61474)};
    if (kind == FTFilterKind::BandPass && !(*upper > *lower)) return {warning(61475)};
    return {};
}

FTFilterParams ftFilterParamsOf(const FTFilterValues& v) {
    const FTFilterValues d;
    return {v.type == 1 ? 1 : 0, parseNumber(v.lower).value_or(*parseNumber(d.lower)),
            parseNumber(v.upper).value_or(*parseNumber(d.upper)),
            parseInteger(v.power).value_or(*parseInteger(d.power))};
}

} // namespace qd

CFTFilterPage::CFTFilterPage(qd::FTFilterKind kind, const QString& section, QWidget* parent)
    : CPropertyPage("parameter", parent), kind_(kind), section_(section) {
    const qd::FTFilterValues v = qd::readFTFilter(section);
    auto* layout = new QVBoxLayout(this);
    auto* type = new QGroupBox("type", this);
    auto* typeLayout = new QVBoxLayout(type);
    ideal_ = new QRadioButton("ideal", type);
    butterworth_ = new QRadioButton("butterworth", type);
    typeLayout->addWidget(ideal_);
    typeLayout->addWidget(butterworth_);
    layout->addWidget(type);
    auto* form = new QFormLayout;
    lower_ = new QLineEdit(v.lower, this);
    upper_ = new QLineEdit(v.upper, this);
    power_ = new QLineEdit(v.power, this);
    form->addRow("lower cutoff", lower_);
    form->addRow("upper cutoff", upper_);
    form->addRow("power", power_);
    layout->addLayout(form);
    layout->addStretch();
    (v.type == 1 ? butterworth_ : ideal_)->setChecked(true);

    connect(butterworth_, &QRadioButton::toggled, this, &CFTFilterPage::updateEnabled);
    updateEnabled();
}

void CFTFilterPage::updateEnabled() {
    lower_->setEnabled(kind_ != qd::FTFilterKind::LowPass);
    upper_->setEnabled(kind_ != qd::FTFilterKind::HighPass);
    power_->setEnabled(butterworth_->isChecked());
}

qd::FTFilterValues CFTFilterPage::values() const {
    return {butterworth_->isChecked() ? 1 : 0, lower_->text(), upper_->text(), power_->text()};
}

bool CFTFilterPage::validate() {
    return qd::showMessages(this, qd::checkFTFilter(kind_, values()));
}

void CFTFilterPage::commit() {
    const qd::FTFilterValues v = values();
    qd::writeFTFilter(section_, v);
    params_ = qd::ftFilterParamsOf(v);
}
