#include "mm_bksub_page.h"

#include "profile.h"

#include <QComboBox>
#include <QFormLayout>
#include <algorithm>

namespace qd {

namespace {
const ProfileKey<int> kOrder{"MMBKSub", "Order", 3};
const ProfileKey<int> kOperator{"MMBKSub", "Operator", 0};
} // namespace

const std::vector<int>& bkSubOperationCounts() {
    static const std::vector<int> counts{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 16, 18, 20};
    return counts;
}

BKSubValues readBKSubProfile() {
    BKSubValues v;
    const std::vector<int>& counts = bkSubOperationCounts();
    const int order = kOrder.read();
    if (std::find(counts.begin(), counts.end(), order) != counts.end()) v.operations = order;
    const int op = kOperator.read();
    if (op == 0 || op == 1) v.op = op;
    return v;
}

void writeBKSubProfile(const BKSubValues& values) {
    kOrder.write(values.operations);
    kOperator.write(values.op);
}

} // namespace qd

CMMBKSubPage::CMMBKSubPage(qd::BKSubValues* result, QWidget* parent)
    : CPropertyPage("Type", parent), result_(result) {
    auto* form = new QFormLayout(this);
    operations_ = new QComboBox(this);
    for (int n : qd::bkSubOperationCounts())
        operations_->addItem(QString::number(n), n);
    form->addRow("Select the number of operations", operations_);
    operators_ = new QComboBox(this);
    operators_->addItems({"erosion", "dilation"});
    form->addRow("Select operator", operators_);

    const qd::BKSubValues v = qd::readBKSubProfile();
    operations_->setCurrentIndex(operations_->findData(v.operations));
    operators_->setCurrentIndex(v.op);
}

qd::BKSubValues CMMBKSubPage::values() const {
    return {operations_->currentData().toInt(), operators_->currentIndex()};
}

void CMMBKSubPage::commit() {
    const qd::BKSubValues v = values();
    if (result_) *result_ = v;
    qd::writeBKSubProfile(v);
}
