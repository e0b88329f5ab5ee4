#include "recorded_change.h"

#include "qd_app.h"
#include "qd_doc.h"
#include "qd_view.h"

#include <algorithm>
#include <cstring>

namespace qd {
namespace {

PMHANDLE palettes() { return qdApp() ? qdApp()->paletteManager() : nullptr; }

// A copy of a matrix's whole block, or null.
MTHANDLE blockCopy(MTHANDLE m) {
    MTHANDLE c = MTCreate(MTGetMaxXIndex(m), MTGetMaxYIndex(m), MTGetFlags(m));
    if (c) std::memcpy(MTGetPointer(c), MTGetPointer(m), size_t(MTGetMemorySize(m)));
    return c;
}

// The rows where two blocks of one layout differ, as a rectangle over the
// full width; empty when they are equal.
QRect differingRows(MTHANDLE a, MTHANDLE b) {
    const int h = MTGetMaxYIndex(a);
    if (MTGetMemorySize(a) != MTGetMemorySize(b) || h != MTGetMaxYIndex(b)) return wholeMatrix(b);
    const size_t stride = size_t(MTGetMemorySize(a)) / size_t(h);
    const auto* pa = static_cast<const uint8_t*>(MTGetPointer(a));
    const auto* pb = static_cast<const uint8_t*>(MTGetPointer(b));
    int first = -1, last = -1;
    for (int y = 0; y < h; ++y)
        if (std::memcmp(pa + y * stride, pb + y * stride, stride) != 0) {
            if (first < 0) first = y;
            last = y;
        }
    return first < 0 ? QRect() : QRect(0, first, MTGetMaxXIndex(a), last - first + 1);
}

} // namespace

QRect wholeMatrix(MTHANDLE m) { return QRect(0, 0, MTGetMaxXIndex(m), MTGetMaxYIndex(m)); }

void recordedChange(CQDDoc& doc, const QString& name, QRect dataRect, const std::function<void()>& change) {
    IMHANDLE im = doc.image();
    MTHANDLE data = IMGetDataHandle(im);
    StateStep::Side before, after;
    before.display = DisplayState::of(im);
    const bool region = !dataRect.isEmpty();
    if (region) before.data = MatrixRegion::copy(data, dataRect);
    change();
    after.display = DisplayState::of(im);
    if (region) after.data = MatrixRegion::copy(data, dataRect);
    if (region && (!before.data || !after.data)) {
        doc.history().clear();
        doc.setNotSaved(1);
        return;
    }
    if (*before.display == *after.display) before.display = after.display = std::nullopt;
    doc.recordChange(std::make_unique<StateStep>(name, std::move(before), std::move(after), palettes()));
}

void recordedInvolution(CQDDoc& doc, const QString& name, void (*op)(IMHANDLE) noexcept) {
    IMHANDLE im = doc.image();
    const DisplayState before = DisplayState::of(im);
    op(im);
    doc.recordChange(std::make_unique<InvolutionStep>(name, op, before, DisplayState::of(im), palettes()));
}

void StrokeRecorder::begin(IMHANDLE im) {
    image_ = im;
    touched_ = QRect();
    before_.clear();
    const int32_t type = im ? MTGetFlags(IMGetDataHandle(im)) : 0;
    kind_ = type == MT_RGB ? Kind::Rgb : type == MT_COMPLEX8 || type == MT_COMPLEX16 ? Kind::Complex : Kind::Real;
}

void StrokeRecorder::note(int x, int y) {
    if (!image_) return;
    const quint64 key = quint64(uint32_t(y)) << 32 | uint32_t(x);
    if (before_.contains(key)) return;
    MTHANDLE m = IMGetDataHandle(image_);
    before_.insert(key, kind_ == Kind::Rgb       ? MTCOMPLEX{double(MTRgb(m, x, y)), 0}
                        : kind_ == Kind::Complex ? MTComplex(m, x, y)
                                                 : MTCOMPLEX{MTReal(m, x, y), 0});
    touched_ |= QRect(x, y, 1, 1);
}

void StrokeRecorder::finish(CQDDoc& doc) {
    IMHANDLE im = image_;
    image_ = nullptr;
    if (!im || before_.isEmpty() || doc.image() != im) return;
    MTHANDLE m = IMGetDataHandle(im);
    StateStep::Side before, after;
    after.data = MatrixRegion::copy(m, touched_);
    before.data = MatrixRegion::copy(m, touched_);
    if (!before.data || !after.data) {
        doc.history().clear();
        doc.setNotSaved(1);
        return;
    }
    MTHANDLE old = before.data->values();
    for (auto it = before_.cbegin(); it != before_.cend(); ++it) {
        const int x = int(it.key() & 0xFFFFFFFFu) - touched_.x(), y = int(it.key() >> 32) - touched_.y();
        if (kind_ == Kind::Rgb) MTSetRgb(old, x, y, uint32_t(it.value().re));
        else if (kind_ == Kind::Complex) MTSetComplex(old, x, y, it.value());
        else MTSetReal(old, x, y, it.value().re);
    }
    before_.clear();
    doc.recordChange(std::make_unique<StateStep>("Brush", std::move(before), std::move(after), palettes()));
}

PlugInSnapshot::PlugInSnapshot(const std::vector<CQDView*>& views) {
    for (CQDView* v : views) {
        Taken t;
        t.view = v;
        t.image = v->image();
        if (!t.image) continue;
        t.data = blockCopy(IMGetDataHandle(t.image));
        t.bitmap = blockCopy(IMGetBmpBitsHandle(t.image));
        t.display = DisplayState::of(t.image);
        taken_.push_back(t);
    }
}

PlugInSnapshot::~PlugInSnapshot() {
    for (Taken& t : taken_) {
        MTDestroy(t.data);
        MTDestroy(t.bitmap);
    }
}

std::vector<CQDView*> PlugInSnapshot::record(const QString& name) {
    const std::vector<CQDView*>& open = qdApp()->registry().views();
    std::vector<CQDView*> changed;
    for (Taken& t : taken_) {
        if (std::find(open.begin(), open.end(), t.view) == open.end() || t.view->image() != t.image) continue;
        CQDDoc& doc = *t.view->document();
        if (!t.data || !t.bitmap) {
            // What the plug-in did is unknown: older steps could no longer lead back.
            doc.history().clear();
            changed.push_back(t.view);
            continue;
        }
        MTHANDLE data = IMGetDataHandle(t.image), bitmap = IMGetBmpBitsHandle(t.image);
        const QRect dataRows = differingRows(t.data, data), bitmapRows = differingRows(t.bitmap, bitmap);
        const DisplayState display = DisplayState::of(t.image);
        if (dataRows.isEmpty() && bitmapRows.isEmpty() && display == t.display) continue;
        changed.push_back(t.view);
        StateStep::Side before, after;
        bool ok = true;
        if (!dataRows.isEmpty()) {
            before.data = MatrixRegion::copy(t.data, dataRows);
            after.data = MatrixRegion::copy(data, dataRows);
            ok = before.data && after.data;
        }
        if (!bitmapRows.isEmpty()) {
            before.bitmap = MatrixRegion::copy(t.bitmap, bitmapRows);
            after.bitmap = MatrixRegion::copy(bitmap, bitmapRows);
            ok = ok && before.bitmap && after.bitmap;
        }
        if (!(display == t.display)) {
            before.display = t.display;
            after.display = display;
        }
        if (!ok) {
            doc.history().clear();
            doc.setNotSaved(1);
            continue;
        }
        doc.recordChange(std::make_unique<StateStep>(name, std::move(before), std::move(after), palettes()));
    }
    return changed;
}

} // namespace qd
