#include "kernel_select_page.h"

namespace {
const CKernelPage::Names kNames{"Kernel",    "KernelName", "KernelDim",  "NewKernel",
                                "KernelDim", "New Kernel", "Edit Kernel"};
} // namespace

CSelectKernelPage::CSelectKernelPage(qd::CKernelLibrary& library, CONVKERNEL** chosen,
                                     const QString& section, QWidget* parent)
    : CKernelPage(qd::makeKernelBook(library), kNames, section, parent), library_(library),
      chosen_(chosen) {}

void CSelectKernelPage::storeResult(int index) {
    if (chosen_) *chosen_ = library_.at(index);
}
