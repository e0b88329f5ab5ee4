#include "kernel_mm_sheet.h"

#include "display_setup_page.h"
#include "kernel_select_mm_page.h"
#include "platform.h"
#include "qd_app.h"
#include "string_table.h"

CMMKernelSheet::CMMKernelSheet(int captionId, const QString& section, qd::CMMKernelLibrary& library,
                               QWidget* parent)
    : CPropertySheet(qd::loadString(captionId), section, parent) {
    kernelPage_ = new CSelectMMKernelPage(library, &kernel_, section, this);
    displayPage_ = new CDisplaySetupPage(section, &display_, this);
    addPage(kernelPage_);
    addPage(displayPage_);
}

namespace qd {

std::optional<MMKernelChoice> runMMKernelSheet(QWidget* parent, int captionId,
                                               const QString& section) {
    if (!qdApp() || !qdApp()->mmKernelLibrary()) return std::nullopt;
    CMMKernelSheet sheet(captionId, section, *qdApp()->mmKernelLibrary(), parent);
    if (runModal(sheet) != QDialog::Accepted || !sheet.kernel()) return std::nullopt;
    return MMKernelChoice{kernelData(*sheet.kernel()), sheet.display()};
}

} // namespace qd
