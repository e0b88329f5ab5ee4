#include "palette_dialog.h"

#include "dialog_buttons.h"
#include "dialog_values.h"
#include "platform.h"

#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace qd {

int paletteColorFlagFor(int32_t type) {
    return type == MT_BINARY ? PAL_2 : type == MT_4BITS ? PAL_16 : PAL_256;
}

QString paletteColorCountText(int colorFlag) {
    return colorFlag == PAL_2 ? "2" : colorFlag == PAL_16 ? "16" : "256";
}

QStringList paletteNamesWithFlag(PMHANDLE palettes, int colorFlag) {
    QStringList names;
    const int32_t n = palettes ? PMGetCount(palettes) : 0;
    for (int32_t i = 0; i < n; ++i)
        if (PMGetColorFlag(palettes, i) == colorFlag)
            if (const QDPALETTE* p = PMGetPal(palettes, i))
                names << fromFieldBytes(p->name, int(sizeof p->name));
    return names;
}

int paletteRowFor(const QStringList& names, const QString& current) {
    if (current.isEmpty()) return 0;
    const qsizetype i = names.indexOf(current);
    return i < 0 ? 0 : int(i) + 1;
}

} // namespace qd

CPaletteDialog::CPaletteDialog(int colorFlag, const QStringList& names, const QString& current,
                               QWidget* parent)
    : QDialog(parent), names_(names) {
    setWindowTitle("select palette");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    count_ = new QLabel(qd::paletteColorCountText(colorFlag), this);
    form->addRow("colors", count_);
    layout->addLayout(form);
    list_ = new QListWidget(this);
    list_->addItem(QString::fromLatin1(qd::kOriginalPalette));
    list_->addItems(names_);
    list_->setCurrentRow(qd::paletteRowFor(names_, current));
    layout->addWidget(list_);
    buttons_ = qd::addOkCancel(this, layout);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

QString CPaletteDialog::chosenName() const {
    // By row, not by text, so that a palette that happens to carry the
    // original's label is still told apart.
    const int row = list_->currentRow();
    return row >= 1 && row <= names_.size() ? names_[row - 1] : QString();
}

std::optional<QString> runPaletteDialog(QWidget* parent, IMHANDLE im, PMHANDLE palettes) {
    const int flag = qd::paletteColorFlagFor(IMGetHeaderPointer(im)->DataType);
    CPaletteDialog dlg(flag, qd::paletteNamesWithFlag(palettes, flag),
                       qd::fromFieldBytes(IMGetPaletteName(im), IM_PALETTE_NAME_SIZE), parent);
    if (qd::runModal(dlg) != QDialog::Accepted) return std::nullopt;
    return dlg.chosenName();
}
