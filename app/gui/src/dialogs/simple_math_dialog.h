#pragma once
// Math, Simple Math: one operator and one value applied to every pixel.

#include "dialog_values.h"

#include <QDialog>
#include <optional>
#include <vector>

class QComboBox;
class QDialogButtonBox;
class QLineEdit;

struct SimpleMathValues {
    int op = 0; // 0 "+", 1 "*", 2 "/"
    double value = 0.0;
};

namespace qd {

// "/" refuses a value below 1e-12 in magnitude, or one that cannot be read;
// the other operators refuse only a value that cannot be read.
std::vector<DialogMessage> checkSimpleMath(int op, const QString& valueText,
                                           SimpleMathValues& values);

} // namespace qd

class CSimpleMathDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CSimpleMathDialog(QWidget* parent = nullptr);

    QComboBox* operatorBox() const { return op_; }
    QLineEdit* valueField() const { return value_; }
    QDialogButtonBox* buttons() const { return buttons_; }
    // Valid after acceptance.
    const SimpleMathValues& result() const { return result_; }

    void accept() override;

  private:
    QComboBox* op_;
    QLineEdit* value_;
    QDialogButtonBox* buttons_;
    SimpleMathValues result_;
};

// Starts from "+" and "0" every time.
std::optional<SimpleMathValues> runSimpleMathDialog(QWidget* parent);
