#include "ft_filter_sheet.h"

#include "dsp_setup_page.h"
#include "platform.h"
#include "string_table.h"

CFTFilterSheet::CFTFilterSheet(const QString& caption, const QString& section,
                               qd::FTFilterKind kind, QWidget* parent)
    : CPropertySheet(caption, section, parent) {
    filter_ = new CFTFilterPage(kind, section, this);
    display_ = new CDspSetupPage(section, this);
    addPage(filter_);
    addPage(display_);
}

FTFilterResult CFTFilterSheet::values() const {
    const qd::FTFilterParams& p = filter_->params();
    return {p.type, p.lower, p.upper, p.power, display_->record()};
}

std::optional<FTFilterResult> runFTFilterSheet(QWidget* parent, qd::FTFilterKind kind,
                                               bool colour) {
    CFTFilterSheet sheet(qd::loadString(qd::ftFilterCaptionId(kind, colour)),
                         qd::ftFilterSection(kind), kind, parent);
    if (qd::runModal(sheet) != QDialog::Accepted) return std::nullopt;
    return sheet.values();
}
