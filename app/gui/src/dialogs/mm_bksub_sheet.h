#pragma once
// The background-subtraction sheet: "Type" page, then the structuring
// element, both kept in the profile section "MMBKSub".

#include "mm_bksub_page.h"

#include <optional>

#include <qd/core/kernel_edit.h>

class CSelectMMKernelPage;

class CMMBKSubSheet : public CPropertySheet {
    Q_OBJECT
  public:
    static constexpr int kCaption = 61471;
    static constexpr const char* kSection = "MMBKSub";

    explicit CMMBKSubSheet(qd::CMMKernelLibrary& library, QWidget* parent = nullptr);

    CMMBKSubPage* typePage() const { return typePage_; }
    CSelectMMKernelPage* kernelPage() const { return kernelPage_; }
    // Valid after OK.
    const qd::BKSubValues& values() const { return values_; }
    MMKERNEL* kernel() const { return kernel_; }

  private:
    qd::BKSubValues values_;
    MMKERNEL* kernel_ = nullptr;
    CMMBKSubPage* typePage_;
    CSelectMMKernelPage* kernelPage_;
};

namespace qd {

struct BKSubChoice {
    int op = 0; // 0 erosion, 1 dilation
    int operations = 3;
    MMKernelData kernel;
};

// Runs the sheet on the program's morphology library; nothing on Cancel.
std::optional<BKSubChoice> runMMBKSubSheet(QWidget* parent);

} // namespace qd
