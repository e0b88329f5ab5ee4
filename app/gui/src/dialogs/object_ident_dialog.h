#pragma once
// Object Analyses, Object Identification: how pixels connect and whether
// objects touching the border count.

#include <QDialog>
#include <optional>

class QDialogButtonBox;
class QRadioButton;

struct ObjectIdentValues {
    int connectivity = 4; // 4 or 8
    int boundary = 0;     // 1: with boundary
};

class CObjectIdentDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CObjectIdentDialog(QWidget* parent = nullptr);

    QRadioButton* fourButton() const { return four_; }
    QRadioButton* eightButton() const { return eight_; }
    QRadioButton* withBoundaryButton() const { return with_; }
    QRadioButton* withoutBoundaryButton() const { return without_; }
    QDialogButtonBox* buttons() const { return buttons_; }
    ObjectIdentValues result() const;

  private:
    QRadioButton* four_;
    QRadioButton* eight_;
    QRadioButton* with_;
    QRadioButton* without_;
    QDialogButtonBox* buttons_;
};

// Starts from 4 connectivity without boundary every time.
std::optional<ObjectIdentValues> runObjectIdentDialog(QWidget* parent);
