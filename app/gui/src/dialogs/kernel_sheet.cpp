#include "kernel_sheet.h"

#include "display_setup_page.h"
#include "kernel_select_page.h"
#include "platform.h"
#include "qd_app.h"
#include "string_table.h"

CKernelSheet::CKernelSheet(int captionId, const QString& section, qd::CKernelLibrary& library,
                           QWidget* parent)
    : CPropertySheet(qd::loadString(captionId), section, parent) {
    kernelPage_ = new CSelectKernelPage(library, &kernel_, section, this);
    displayPage_ = new CDisplaySetupPage(section, &display_, this);
    addPage(kernelPage_);
    addPage(displayPage_);
}

namespace qd {

std::optional<KernelChoice> runKernelSheet(QWidget* parent, int captionId, const QString& section) {
    if (!qdApp() || !qdApp()->kernelLibrary()) return std::nullopt;
    CKernelSheet sheet(captionId, section, *qdApp()->kernelLibrary(), parent);
    if (runModal(sheet) != QDialog::Accepted || !sheet.kernel()) return std::nullopt;
    return KernelChoice{kernelData(*sheet.kernel()), sheet.display()};
}

} // namespace qd
