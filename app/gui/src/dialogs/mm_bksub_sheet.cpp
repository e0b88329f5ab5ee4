#include "mm_bksub_sheet.h"

#include "kernel_select_mm_page.h"
#include "platform.h"
#include "qd_app.h"
#include "string_table.h"

CMMBKSubSheet::CMMBKSubSheet(qd::CMMKernelLibrary& library, QWidget* parent)
    : CPropertySheet(qd::loadString(kCaption), kSection, parent) {
    typePage_ = new CMMBKSubPage(&values_, this);
    kernelPage_ = new CSelectMMKernelPage(library, &kernel_, kSection, this);
    addPage(typePage_);
    addPage(kernelPage_);
}

namespace qd {

std::optional<BKSubChoice> runMMBKSubSheet(QWidget* parent) {
    if (!qdApp() || !qdApp()->mmKernelLibrary()) return std::nullopt;
    CMMBKSubSheet sheet(*qdApp()->mmKernelLibrary(), parent);
    if (runModal(sheet) != QDialog::Accepted || !sheet.kernel()) return std::nullopt;
    return BKSubChoice{sheet.values().op, sheet.values().operations, kernelData(*sheet.kernel())};
}

} // namespace qd
