#include "select_wavelet_page.h"

#include "sheet_profile.h"

#include <QRadioButton>
#include <QVBoxLayout>

namespace qd {

const std::vector<WaveletChoice>& waveletChoices() {
    static const std::vector<WaveletChoice> list = {
        {"Daubechies 4", 1, 4},
        {"Daubechies 6", 2, 6},
        {"Daubechies 12", 4, 12},
        {"Daubechies 20", 8, 20},
    };
    return list;
}

int waveletOrder(int code) {
    for (const WaveletChoice& c : waveletChoices())
        if (c.code == code) return c.order;
    return waveletChoices().front().order;
}

namespace {
SectionKey<int> typeKey(const QString& section) { return {section, "WaveletType", 1}; }
} // namespace

int readWaveletType(const QString& section) {
    const int code = typeKey(section).read();
    for (const WaveletChoice& c : waveletChoices())
        if (c.code == code) return code;
    return 1;
}

} // namespace qd

CSelectWaveletPage::CSelectWaveletPage(const QString& section, QWidget* parent)
    : CPropertyPage("Wavelet", parent), section_(section) {
    auto* layout = new QVBoxLayout(this);
    const int code = qd::readWaveletType(section);
    for (const qd::WaveletChoice& c : qd::waveletChoices()) {
        auto* b = new QRadioButton(QString::fromLatin1(c.label), this);
        b->setChecked(c.code == code);
        layout->addWidget(b);
        buttons_.push_back(b);
    }
    layout->addStretch();
}

int CSelectWaveletPage::code() const {
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i]->isChecked()) return qd::waveletChoices()[i].code;
    return 1;
}

void CSelectWaveletPage::commit() { qd::typeKey(section_).write(code()); }
