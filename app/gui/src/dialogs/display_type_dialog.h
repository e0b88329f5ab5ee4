#pragma once
// Change Display Type: how an image's values are shown, over its default
// range or a chosen one.

#include <QDialog>
#include <optional>

#include <qd/image.h>

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;
class DisplayTypeRadios;

struct DisplayTypeResult {
    int drawType;
    int defaultRange; // 1: the stretch check, from and to are not used
    double from;
    double to;
};

class CDisplayTypeDialog : public QDialog {
    Q_OBJECT
  public:
    CDisplayTypeDialog(int drawType, double from, double to, QWidget* parent = nullptr);

    DisplayTypeRadios* types() const { return types_; }
    QCheckBox* stretchBox() const { return stretch_; }
    QLineEdit* fromField() const { return from_; }
    QLineEdit* toField() const { return to_; }
    QDialogButtonBox* buttons() const { return buttons_; }
    // Valid after acceptance.
    const DisplayTypeResult& values() const { return values_; }

    void accept() override;

  private:
    void updateEnabled();

    DisplayTypeRadios* types_;
    QCheckBox* stretch_;
    QLineEdit* from_;
    QLineEdit* to_;
    QDialogButtonBox* buttons_;
    DisplayTypeResult values_{};
};

// Starts from the image's draw type and range; the image is left as it is.
std::optional<DisplayTypeResult> runDisplayTypeDialog(QWidget* parent, IMHANDLE image);
