#pragma once
// The MM kernel sheet of the morphology commands and the median filter:
// structuring-element page, then display page.

#include "property_sheet.h"

#include <optional>

#include <qd/core/display_record.h>
#include <qd/core/kernel_edit.h>

class CDisplaySetupPage;
class CSelectMMKernelPage;

class CMMKernelSheet : public CPropertySheet {
    Q_OBJECT
  public:
    CMMKernelSheet(int captionId, const QString& section, qd::CMMKernelLibrary& library,
                   QWidget* parent = nullptr);

    CSelectMMKernelPage* kernelPage() const { return kernelPage_; }
    CDisplaySetupPage* displayPage() const { return displayPage_; }
    // Valid after OK.
    MMKERNEL* kernel() const { return kernel_; }
    const qd::DisplayRecord& display() const { return display_; }

  private:
    MMKERNEL* kernel_ = nullptr;
    qd::DisplayRecord display_;
    CSelectMMKernelPage* kernelPage_;
    CDisplaySetupPage* displayPage_;
};

namespace qd {

struct MMKernelChoice {
    MMKernelData kernel;
    DisplayRecord display;
};

// Runs the sheet on the program's morphology library; nothing on Cancel.
std::optional<MMKernelChoice> runMMKernelSheet(QWidget* parent, int captionId,
                                               const QString& section);

} // namespace qd
