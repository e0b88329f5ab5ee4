#pragma once
// File New: the size and element type of a new image.

#include <QDialog>

#include <qd/image.h>

class QLineEdit;
class DataTypeGroup;

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
