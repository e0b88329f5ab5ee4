#pragma once
// The display-type radio buttons shared by the "Display Setup" page and the
// display type dialog, with the range check both apply before accepting.

#include "dialog_values.h"

#include <QWidget>
#include <vector>

class QButtonGroup;
class QRadioButton;

class DisplayTypeRadios : public QWidget {
    Q_OBJECT
  public:
    struct Choice {
        const char* label;
        int code; // display type code of the image
    };
    static const std::vector<Choice>& choices();

    explicit DisplayTypeRadios(QWidget* parent = nullptr);
    // The code of the checked radio.
    int code() const;
    // A code without a radio checks the first one ("x", real values).
    void setCode(int code);
    QRadioButton* button(int code) const;

  private:
    QButtonGroup* group_;
};

namespace qd {

// With stretch off, from and to must be numbers and to not below from.
std::vector<DialogMessage> checkDisplayRange(bool stretch, const QString& from, const QString& to);

} // namespace qd
