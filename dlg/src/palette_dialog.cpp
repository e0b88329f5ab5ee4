#include "palette_dialog.h"
#include "warning_box.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QTimer>
#include <cstring>

namespace qddlg {
namespace {
QByteArray nameOf(const QDPALETTE* pal) {
    return QByteArray(pal->name, qsizetype(strnlen(pal->name, sizeof pal->name)));
}
} // namespace

PaletteList listPalettes(PMHANDLE pm, int32_t colorFlag) {
    PaletteList out;
    const int32_t count = PMGetCount(pm);
    for (int32_t i = 0; i < count; ++i) {
        const QDPALETTE* pal = PMGetPal(pm, i);
        if (pal && PMGetColorFlag(pm, i) == colorFlag) out.names.push_back(nameOf(pal));
    }
    if (out.names.empty()) return out;
    out.selected = 0;
    if (const QDPALETTE* first = PMGetPal(pm, 0)) {
        const QByteArray name = nameOf(first);
        for (size_t i = 0; i < out.names.size(); ++i)
            if (out.names[i] == name) {
                out.selected = int(i);
                break;
            }
    }
    return out;
}

const char* colourCountText(int32_t colorFlag) {
    return colorFlag == PAL_2 ? "2" : colorFlag == PAL_16 ? "16" : "256";
}

PaletteDialog::PaletteDialog(PMHANDLE pm, int32_t colorFlag, QWidget* parent)
    : QDialog(parent), pm_(pm), list_(new QComboBox(this)) {
    setWindowTitle("Palette");
    auto* grid = new QGridLayout(this);
    auto* count = new QLabel(colourCountText(colorFlag), this);
    count->setObjectName("colorCount");
    grid->addWidget(count, 0, 0);
    grid->addWidget(new QLabel("Colors", this), 0, 1);
    grid->addWidget(new QLabel("Select palette.", this), 1, 0, 1, 2);
    list_->setObjectName("palettes");
    grid->addWidget(list_, 2, 0, 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("buttons");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 3, 0, 1, 2);

    const PaletteList pals = listPalettes(pm, colorFlag);
    // Palette names are bytes of the palette file; the lookup uses them as
    // they are, whatever they look like on screen.
    for (const QByteArray& name : pals.names)
        list_->addItem(QString::fromLatin1(name), name);
    list_->setCurrentIndex(pals.selected);
    // Told once the dialog is up; it stays, empty, for the user to cancel.
    if (pals.names.empty()) QTimer::singleShot(0, this, [this] { showWarning(this, kNoElement); });
}

void PaletteDialog::accept() {
    if (list_->currentIndex() < 0) {
        // An empty list has nothing to hand back as a choice.
        showWarning(this, kNoElement);
        return;
    }
    chosen_ = PMFindPal(pm_, list_->currentData().toByteArray().constData());
    QDialog::accept();
}

} // namespace qddlg
