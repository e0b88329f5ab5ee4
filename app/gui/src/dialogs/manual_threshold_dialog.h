#pragma once
// Morphology, Manual Thresholding: the lower and upper display levels of
// the pixels that become 1, previewed on the image while the dialog is open.

#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include <qd/image.h>

class QDialogButtonBox;
class QLabel;
class QSlider;

struct ManualThresholdValues {
    int lower = 0;
    int upper = 0;
};

namespace qd {

// The preview colours for an image of n palette colours (2, 16 or 256):
// grey level * s below lower (s = 17 for 16 colours, else 1), white from
// lower to upper inclusive, black above. With lower > upper nothing is white.
// Entries from n on are 0.
std::array<uint32_t, 256> thresholdPreviewColors(int colors, int lower, int upper);

// Puts the preview palette on an image and takes it off again: the image's
// own palette colours and palette name are kept at construction and given
// back by restore() (or at destruction, whichever comes first).
class ThresholdPreview {
  public:
    ThresholdPreview(IMHANDLE im, PMHANDLE palettes, std::function<void()> repaint);
    ~ThresholdPreview();
    ThresholdPreview(const ThresholdPreview&) = delete;
    ThresholdPreview& operator=(const ThresholdPreview&) = delete;

    void show(int lower, int upper);
    void restore();

  private:
    void apply();

    IMHANDLE im_;
    PMHANDLE palettes_;
    std::function<void()> repaint_;
    // The header's basic palette, not the displayed table: the table has
    // brightness, contrast and a named palette folded in.
    uint32_t savedColors_[256];
    char savedName_[IM_PALETTE_NAME_SIZE + 1] = {};
    bool showing_ = false;
};

} // namespace qd

class CManualThresholdDialog : public QDialog {
    Q_OBJECT
  public:
    // repaint: redraws the image's window after each palette change.
    CManualThresholdDialog(IMHANDLE im, std::function<void()> repaint, QWidget* parent = nullptr);
    ~CManualThresholdDialog() override;

    QSlider* upperSlider() const { return upper_; }
    QSlider* lowerSlider() const { return lower_; }
    QLabel* upperLabel() const { return upperValue_; }
    QLabel* lowerLabel() const { return lowerValue_; }
    QDialogButtonBox* buttons() const { return buttons_; }
    ManualThresholdValues result() const;

    // Every way of closing ends here: the image gets its palette back.
    void done(int r) override;

  private:
    void levelsChanged();

    qd::ThresholdPreview preview_;
    QSlider* upper_;
    QSlider* lower_;
    QLabel* upperValue_;
    QLabel* lowerValue_;
    QDialogButtonBox* buttons_;
};

// Nothing on Cancel, and nothing for an image without palette colours (RGB).
std::optional<ManualThresholdValues> runManualThresholdDialog(QWidget* parent, IMHANDLE im,
                                                              std::function<void()> repaint);
