#pragma once
// File New: the size and element type of a new image.

#include "dialog_values.h"

#include <QDialog>
#include <optional>
#include <vector>

#include <qd/image.h>

class QLineEdit;
class DataTypeGroup;

// What the dialog starts with and remembers.
struct NewImageValues {
    int32_t width = 0;
    int32_t height = 0;
    int position = 3; // data type radio
};
NewImageValues readNewImageProfile();
void writeNewImageProfile(const NewImageValues& v);

// Refuses typed sides that are not whole numbers of at least 1 (also used by
// the import dialog); none when both are good.
std::vector<qd::DialogMessage> checkImageSides(const QString& width, const QString& height);

class CNewImageDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CNewImageDialog(QWidget* parent = nullptr);

    QLineEdit* widthField() const { return width_; }
    QLineEdit* heightField() const { return height_; }
    DataTypeGroup* types() const { return types_; }
    // Valid after acceptance.
    const IMHEADER& header() const { return header_; }

    void accept() override;

  private:
    QLineEdit* width_;
    QLineEdit* height_;
    DataTypeGroup* types_;
    IMHEADER header_{};
};

// The header of the image to make, or nothing when cancelled.
std::optional<IMHEADER> runNewImageDialog(QWidget* parent);
