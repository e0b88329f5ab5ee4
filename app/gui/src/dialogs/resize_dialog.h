#pragma once
// Image, Resize: the new width and height, optionally kept in proportion.

#include "dialog_values.h"

#include <QDialog>
#include <optional>
#include <vector>

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;

struct ResizeValues {
    int width = 0;
    int height = 0;
};

namespace qd {

// The ratio field's text: "%.5f" of width / height.
QString resizeRatioText(int width, int height);
// The size that keeps the ratio: height = trunc(width / ratio + 0.5) and
// width = trunc(height * ratio + 0.5). Nothing when the other size or the
// ratio cannot be read, the ratio is below 1e-13, or the result does not fit.
std::optional<int> heightForRatio(const QString& widthText, const QString& ratioText);
std::optional<int> widthForRatio(const QString& heightText, const QString& ratioText);
// Width, height, then (only when the proportion is kept) the ratio; the
// first refusal ends the check.
std::vector<DialogMessage> checkResize(const QString& widthText, const QString& heightText,
                                       bool keepRatio, const QString& ratioText,
                                       ResizeValues& values);

} // namespace qd

class CResizeDialog : public QDialog {
    Q_OBJECT
  public:
    CResizeDialog(int width, int height, QWidget* parent = nullptr);

    QLineEdit* widthField() const { return width_; }
    QLineEdit* heightField() const { return height_; }
    QCheckBox* keepRatioBox() const { return keep_; }
    QLineEdit* ratioField() const { return ratio_; }
    QDialogButtonBox* buttons() const { return buttons_; }
    // Valid after acceptance.
    const ResizeValues& result() const { return result_; }

    void accept() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* width_;
    QLineEdit* height_;
    QCheckBox* keep_;
    QLineEdit* ratio_;
    QDialogButtonBox* buttons_;
    ResizeValues result_;
};

// width, height: the selection's size, shown first.
std::optional<ResizeValues> runResizeDialog(QWidget* parent, int width, int height);
