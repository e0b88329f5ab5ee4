#pragma once
// Image, Image info: the image's type and size, and the calibration and
// comment the user may change.

#include "dialog_values.h"

#include <QDialog>
#include <optional>
#include <vector>

#include <qd/image.h>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

struct ImageInfoValues {
    double scale = 1.0;
    QString unit;
    QString comment; // lines joined by "\n"
};

namespace qd {

// "binary [1 bit]", ... for an element type code; empty for a type without one.
QString dataTypeText(int32_t type);
// The units offered: mm, micrometre, nm and the single character 0xC2.
QStringList xyUnitChoices();
// The scale field: refused when it is zero or not a number.
std::vector<DialogMessage> checkImageInfoScale(const QString& text, double& scale);
ImageInfoValues imageInfoOf(IMHANDLE im);
// Scale through IMSetScale; unit and comment into their header fields, cut in
// the Western code page so that each keeps its terminating NUL.
void applyImageInfo(IMHANDLE im, const ImageInfoValues& values);

} // namespace qd

class CImageInfoDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CImageInfoDialog(IMHANDLE im, QWidget* parent = nullptr);

    QLabel* dataTypeLabel() const { return type_; }
    QLineEdit* widthField() const { return width_; }
    QLineEdit* heightField() const { return height_; }
    QLineEdit* scaleField() const { return scale_; }
    QComboBox* unitBox() const { return unit_; }
    QPlainTextEdit* commentField() const { return comment_; }
    QDialogButtonBox* buttons() const { return buttons_; }
    // Valid after acceptance.
    const ImageInfoValues& result() const { return result_; }

    void accept() override;

  private:
    QLabel* type_;
    QLineEdit* width_;
    QLineEdit* height_;
    QLineEdit* scale_;
    QComboBox* unit_;
    QPlainTextEdit* comment_;
    QDialogButtonBox* buttons_;
    ImageInfoValues result_;
};

// Shows the dialog; on OK writes the values into the image's header and
// returns them (the caller repaints). Nothing changes on Cancel.
std::optional<ImageInfoValues> runImageInfoDialog(QWidget* parent, IMHANDLE im);
