#pragma once
// The kernel sheet of the convolution commands: kernel page, then display
// page, with the command's caption and profile section.

#include "property_sheet.h"

#include <optional>

#include <qd/core/display_record.h>
#include <qd/core/kernel_edit.h>

class CDisplaySetupPage;
class CSelectKernelPage;

class CKernelSheet : public CPropertySheet {
    Q_OBJECT
  public:
    // captionId: a number of the string table.
    CKernelSheet(int captionId, const QString& section, qd::CKernelLibrary& library,
                 QWidget* parent = nullptr);

    CSelectKernelPage* kernelPage() const { return kernelPage_; }
    CDisplaySetupPage* displayPage() const { return displayPage_; }
    // Valid after OK: a record of the library, and the display choice.
    CONVKERNEL* kernel() const { return kernel_; }
    const qd::DisplayRecord& display() const { return display_; }

  private:
    CONVKERNEL* kernel_ = nullptr;
    qd::DisplayRecord display_;
    CSelectKernelPage* kernelPage_;
    CDisplaySetupPage* displayPage_;
};

namespace qd {

struct KernelChoice {
    ConvKernelData kernel;
    DisplayRecord display;
};

// Runs the sheet on the program's convolution library; nothing on Cancel.
std::optional<KernelChoice> runKernelSheet(QWidget* parent, int captionId, const QString& section);

} // namespace qd
