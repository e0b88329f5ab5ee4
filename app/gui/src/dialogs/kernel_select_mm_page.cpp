#include "kernel_select_mm_page.h"

namespace {
const CKernelPage::Names kNames{"MM Kernel",     "MMKernelName", "MMKernelDim",
                                "NewMMKernel",   "MMKernelDim",  "define nw MM kernel",
                                "Edit MM kernel"};
} // namespace

CSelectMMKernelPage::CSelectMMKernelPage(qd::CMMKernelLibrary& library, MMKERNEL** chosen,
                                         const QString& section, QWidget* parent)
    : CKernelPage(qd::makeKernelBook(library), kNames, section, parent), library_(library),
      chosen_(chosen) {}

void CSelectMMKernelPage::storeResult(int index) {
    if (chosen_) *chosen_ = library_.at(index);
}
