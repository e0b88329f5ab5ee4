#pragma once
// Combine RGB: three grey images of one size as the red, green and blue
// channels of a new image.

#include "dialog_values.h"

#include <QDialog>
#include <optional>
#include <vector>

#include <qd/image.h>

class QDialogButtonBox;
class QLabel;
class CQDView;
class ImageChoiceBox;

namespace qd {

class ImageRegistry;

// Windows that can give a channel: neither binary, 4-bit nor RGB.
std::vector<CQDView*> channelSources(const ImageRegistry& registry);
// "%d X %d" of the image; empty without one.
QString imageSizeText(IMHANDLE image);
// Refuses images that differ in width or height (or a missing one).
std::vector<DialogMessage> checkSameDimension(const std::vector<IMHANDLE>& images);

} // namespace qd

struct MakeRgbResult {
    CQDView* red;
    CQDView* green;
    CQDView* blue;
};

class CMakeRgbDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CMakeRgbDialog(const std::vector<CQDView*>& views, QWidget* parent = nullptr);

    // 0 red, 1 green, 2 blue.
    ImageChoiceBox* channelBox(int channel) const { return boxes_[channel]; }
    QLabel* sizeLabel(int channel) const { return sizes_[channel]; }
    QDialogButtonBox* buttons() const { return buttons_; }
    // Valid after acceptance.
    const MakeRgbResult& values() const { return values_; }

    void accept() override;

  private:
    void showSize(int channel);

    ImageChoiceBox* boxes_[3];
    QLabel* sizes_[3];
    QDialogButtonBox* buttons_;
    MakeRgbResult values_{};
};

// Nothing on Cancel or when no window can give a channel.
std::optional<MakeRgbResult> runMakeRgbDialog(QWidget* parent);
