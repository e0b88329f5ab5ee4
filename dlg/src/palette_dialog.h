#pragma once
// Dialog 101: one palette of the manager among those of a colour flag.

#include <QByteArray>
#include <QDialog>
#include <vector>

#include <qd/dlg.h>

class QComboBox;

namespace qddlg {

// What the dialog offers: the names of the flag's palettes in manager order
// and the entry to select first (the manager's first palette when it is
// among them, else the first entry; -1 for an empty list).
struct PaletteList {
    std::vector<QByteArray> names;
    int selected = -1;
};
PaletteList listPalettes(PMHANDLE pm, int32_t colorFlag);

// "2", "16" or "256".
const char* colourCountText(int32_t colorFlag);

class PaletteDialog : public QDialog {
    Q_OBJECT
  public:
    PaletteDialog(PMHANDLE pm, int32_t colorFlag, QWidget* parent);
    // Valid after OK.
    PALETTEDESC* chosen() const { return chosen_; }

    void accept() override;

  private:
    PMHANDLE pm_;
    QComboBox* list_;
    PALETTEDESC* chosen_ = nullptr;
};

} // namespace qddlg
