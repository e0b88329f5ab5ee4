#include "display_type_radios.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

const std::vector<DisplayTypeRadios::Choice>& DisplayTypeRadios::choices() {
    static const std::vector<Choice> list = {
        {"x", 0},
        {"y", 2},
        {"| z |", 1},
        {"log ( | x |  + 1 )", 16},
        {"log ( | y |  + 1 )", 18},
        {"log ( | z |  + 1 )", 17},
        {"equalize", 256},
    };
    return list;
}

DisplayTypeRadios::DisplayTypeRadios(QWidget* parent) : QWidget(parent) {
    group_ = new QButtonGroup(this);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto& list = choices();
    // Linear types in the first column, their logarithms beside them.
    for (int i = 0; i < int(list.size()); ++i) {
        auto* b = new QRadioButton(QString::fromLatin1(list[i].label), this);
        group_->addButton(b, list[i].code);
        grid->addWidget(b, i % 3 + (i == 6 ? 3 : 0), i / 3 == 1 ? 1 : 0);
    }
    setCode(0);
}

int DisplayTypeRadios::code() const { return group_->checkedId(); }

void DisplayTypeRadios::setCode(int code) {
    QRadioButton* b = button(code);
    (b ? b : button(0))->setChecked(true);
}

QRadioButton* DisplayTypeRadios::button(int code) const {
    return qobject_cast<QRadioButton*>(group_->button(code));
}

namespace qd {

std::vector<DialogMessage> checkDisplayRange(bool stretch, const QString& from, const QString& to) {
    if (stretch) return {};
    const auto f = parseNumber(from), t = parseNumber(to);
    if (!f || !t || *t < *f) return {warning(61453)};
    return {};
}

} // namespace qd
