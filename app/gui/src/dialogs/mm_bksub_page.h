#pragma once
// The "Type" page of the background subtraction: how many times to apply
// which operator before subtracting.

#include "property_sheet.h"

#include <vector>

class QComboBox;

namespace qd {

struct BKSubValues {
    int operations = 3;
    int op = 0; // 0 erosion, 1 dilation
};

// The offered numbers of operations: 1 to 10, then 12 to 20 in steps of 2.
const std::vector<int>& bkSubOperationCounts();
// The profile's values, a value the lists do not offer giving its default.
BKSubValues readBKSubProfile();
void writeBKSubProfile(const BKSubValues& values);

} // namespace qd

class CMMBKSubPage : public CPropertyPage {
    Q_OBJECT
  public:
    // On OK *result receives the choice and the profile keeps it.
    explicit CMMBKSubPage(qd::BKSubValues* result, QWidget* parent = nullptr);

    QComboBox* operations() const { return operations_; }
    QComboBox* operators() const { return operators_; }
    qd::BKSubValues values() const;

    void commit() override;

  private:
    qd::BKSubValues* result_;
    QComboBox* operations_;
    QComboBox* operators_;
};
