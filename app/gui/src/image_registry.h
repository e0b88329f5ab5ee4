#pragma once
// The open image views in opening order, with counts by element type, so
// that commands and plug-ins can enumerate and choose images.

#include <QString>
#include <vector>

class CQDView;

namespace qd {

class ImageRegistry {
  public:
    void add(CQDView* view, int elementType);
    void remove(CQDView* view);
    int count() const { return static_cast<int>(views_.size()); }
    CQDView* viewAt(int index) const;
    QString nameAt(int index) const;
    // First view whose document name equals name, or null.
    CQDView* findByName(const QString& name) const;
    const std::vector<CQDView*>& views() const { return views_; }

    int binaryCount() const { return counts_[Binary]; }
    int fourBitCount() const { return counts_[FourBit]; }
    int complexCount() const { return counts_[Complex8] + counts_[Complex16]; }
    int rgbCount() const { return counts_[Rgb]; }

  private:
    enum Slot { Binary, FourBit, Complex8, Complex16, Rgb, Other, SlotCount };
    static Slot slotOf(int elementType);

    std::vector<CQDView*> views_;
    std::vector<int> types_;
    int counts_[SlotCount] = {};
};

} // namespace qd
