#include "adjustment_dialog.h"

#include "dialog_buttons.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace qd {

std::vector<DialogMessage> checkAdjustments(const std::vector<AdjustmentField>& fields,
                                            const QStringList& texts, std::vector<int>& values) {
    std::vector<int> read;
    for (size_t i = 0; i < fields.size(); ++i) {
        const auto v =
            i < size_t(texts.size()) ? parseInteger(texts[qsizetype(i)]) : std::optional<int32_t>();
        if (!v || *v < -100 || *v > 100) return {warning(fields[i].messageId)};
        read.push_back(*v);
    }
    values = std::move(read);
    return {};
}

} // namespace qd

CAdjustmentDialog::CAdjustmentDialog(const QString& title, std::vector<qd::AdjustmentField> fields,
                                     QWidget* parent)
    : QDialog(parent), fields_(std::move(fields)) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    for (const qd::AdjustmentField& f : fields_) {
        auto* edit = new QLineEdit(QString::number(f.key.read()), this);
        form->addRow(QString::fromLatin1(f.label), edit);
        edits_.push_back(edit);
    }
    layout->addLayout(form);
    buttons_ = qd::addOkCancel(this, layout);
}

void CAdjustmentDialog::accept() {
    QStringList texts;
    for (const QLineEdit* e : edits_)
        texts << e->text();
    if (!qd::showMessages(this, qd::checkAdjustments(fields_, texts, values_))) return;
    for (size_t i = 0; i < fields_.size(); ++i)
        fields_[i].key.write(values_[i]);
    QDialog::accept();
}
