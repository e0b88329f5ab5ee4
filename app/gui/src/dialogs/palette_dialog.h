#pragma once
// Image, Change Palette ("select palette"): one of the named palettes with
// the image's number of colours, or the image's own.

#include <QDialog>
#include <QStringList>
#include <optional>

#include <qd/image.h>

class QDialogButtonBox;
class QLabel;
class QListWidget;

namespace qd {

// The first entry of the list: the image's own basic palette.
inline const char* kOriginalPalette = "< Original palette >";

// PAL_2 for binary images, PAL_16 for 4-bit images, else PAL_256.
int paletteColorFlagFor(int32_t type);
// "2", "16" or "256".
QString paletteColorCountText(int colorFlag);
// The names of the manager's palettes with that colour flag, in list order.
QStringList paletteNamesWithFlag(PMHANDLE palettes, int colorFlag);
// The row of the list (original first, then names) to select for the
// image's palette name: 0 when the name is empty or not among them.
int paletteRowFor(const QStringList& names, const QString& current);

} // namespace qd

class CPaletteDialog : public QDialog {
    Q_OBJECT
  public:
    CPaletteDialog(int colorFlag, const QStringList& names, const QString& current,
                   QWidget* parent = nullptr);

    QLabel* colorCountLabel() const { return count_; }
    QListWidget* list() const { return list_; }
    QDialogButtonBox* buttons() const { return buttons_; }
    // The chosen palette's name; empty for the original palette.
    QString chosenName() const;

  private:
    QStringList names_;
    QLabel* count_;
    QListWidget* list_;
    QDialogButtonBox* buttons_;
};

// The chosen name on OK (empty: the image's own palette); nothing on Cancel.
std::optional<QString> runPaletteDialog(QWidget* parent, IMHANDLE im, PMHANDLE palettes);
