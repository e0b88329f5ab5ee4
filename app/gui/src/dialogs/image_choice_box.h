#pragma once
// A drop-down list of image windows shown by document name. It keeps the
// views themselves, so two windows of the same name stay apart.

#include <QComboBox>
#include <functional>
#include <vector>

class CQDView;

namespace qd {

class ImageRegistry;

// The registered views, in registry order, whose element type passes keep
// (all of them without keep).
std::vector<CQDView*> imageWindows(const ImageRegistry& registry,
                                   const std::function<bool(int elementType)>& keep = {});

} // namespace qd

class ImageChoiceBox : public QComboBox {
    Q_OBJECT
  public:
    explicit ImageChoiceBox(std::vector<CQDView*> views, QWidget* parent = nullptr);

    const std::vector<CQDView*>& views() const { return views_; }
    // The selected view; null when the list is empty.
    CQDView* view() const;
    // Selects that view if it is listed.
    void selectView(CQDView* view);

  private:
    std::vector<CQDView*> views_;
};
