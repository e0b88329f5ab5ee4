// The four C entry points: argument checks, a usable QApplication, and no
// exception past the interface.
#include "gui_scope.h"
#include "image_dialog.h"
#include "input_text_dialog.h"
#include "palette_dialog.h"

#include <qd/dlg.h>

#include <QFile>
#include <QFileInfo>

namespace {

template <class Run> int32_t guarded(Run run) noexcept {
    try {
        qddlg::GuiScope scope;
        return scope.usable() ? run() : 0;
    } catch (...) {
        return 0;
    }
}

QWidget* widget(HWND parent) { return static_cast<QWidget*>(parent); }

} // namespace

int32_t RunInputTextDialog(HWND parent, const char* caption, const char* prompt, char* text,
                           int32_t size) noexcept {
    if (!text || size < 1) return 0;
    return guarded(
        [&] { return qddlg::runInputText(widget(parent), caption, prompt, text, size); });
}

int32_t RunPalDialog(HWND parent, PMHANDLE pm, int32_t colorFlag, PALETTEDESC** chosen) noexcept {
    if (!pm) return 0;
    return guarded([&] {
        qddlg::PaletteDialog dlg(pm, colorFlag, widget(parent));
        if (dlg.exec() != QDialog::Accepted) return 0;
        if (chosen) *chosen = dlg.chosen();
        return 1;
    });
}

int32_t RunNewImageDialog(HWND parent, IMHEADER* header) noexcept {
    if (!header) return 0;
    return guarded([&] {
        qddlg::ImageDialog dlg(-1, {}, widget(parent));
        if (dlg.exec() != QDialog::Accepted) return 0;
        *header = dlg.header();
        return 1;
    });
}

int32_t RunImportDialog(HWND parent, const char* path, IMHEADER* header,
                        QDRAWIMPORT* record) noexcept {
    if (!path || !header || !record) return 0;
    const QFileInfo file(QFile::decodeName(path));
    if (!file.isFile()) return 0;
    return guarded([&] {
        qddlg::ImageDialog dlg(file.size(), file.fileName(), widget(parent));
        if (dlg.exec() != QDialog::Accepted) return 0;
        *header = dlg.header();
        *record = dlg.record();
        return 1;
    });
}
