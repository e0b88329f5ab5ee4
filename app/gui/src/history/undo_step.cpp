#include "undo_step.h"

#include <cstring>

namespace qd {

DisplayState DisplayState::of(IMHANDLE im) {
    DisplayState s;
    s.drawType = IMGetDrawType(im);
    s.initial = IMGetInitialValue(im);
    s.final = IMGetFinalValue(im);
    s.brightness = IMGetBrightness(im);
    s.contrast = IMGetContrast(im);
    const char* name = IMGetPaletteName(im);
    s.paletteName = name ? QByteArray(name) : QByteArray();
    return s;
}

void DisplayState::applyTo(IMHANDLE im, PMHANDLE palettes) const {
    IMSetDrawType(im, drawType);
    IMSetInitialValue(im, initial);
    IMSetFinalValue(im, final);
    IMSetBrightness(im, brightness);
    IMSetContrast(im, contrast);
    IMChangePaletteName(im, paletteName.constData());
    IMSetPalette(im, palettes);
    IMPrepareBitmap(im);
}

void copyElements(MTHANDLE from, QPoint fromAt, MTHANDLE to, QPoint toAt, QSize size) {
    const int32_t type = MTGetFlags(from);
    const bool rgb = type == MT_RGB, complex = type == MT_COMPLEX8 || type == MT_COMPLEX16;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const int sx = fromAt.x() + x, sy = fromAt.y() + y, dx = toAt.x() + x, dy = toAt.y() + y;
            if (rgb) MTSetRgb(to, dx, dy, MTRgb(from, sx, sy));
            else if (complex) MTSetComplex(to, dx, dy, MTComplex(from, sx, sy));
            else MTSetReal(to, dx, dy, MTReal(from, sx, sy));
        }
}

std::unique_ptr<MatrixRegion> MatrixRegion::copy(MTHANDLE m, QRect rect) {
    MTHANDLE values = MTCreate(rect.width(), rect.height(), MTGetFlags(m));
    if (!values) return nullptr;
    copyElements(m, rect.topLeft(), values, {0, 0}, rect.size());
    return std::unique_ptr<MatrixRegion>(new MatrixRegion(values, rect));
}

MatrixRegion::~MatrixRegion() { MTDestroy(values_); }

void MatrixRegion::restoreInto(MTHANDLE m) const { copyElements(values_, {0, 0}, m, rect_.topLeft(), rect_.size()); }

StateStep::StateStep(QString name, Side before, Side after, PMHANDLE palettes)
    : UndoStep(std::move(name)), before_(std::move(before)), after_(std::move(after)), palettes_(palettes) {}

int64_t StateStep::bytes() const {
    int64_t n = 0;
    for (const Side* s : {&before_, &after_}) {
        if (s->data) n += s->data->bytes();
        if (s->bitmap) n += s->bitmap->bytes();
    }
    return n;
}

void StateStep::put(const Side& side, IMHANDLE im) const {
    if (side.data) side.data->restoreInto(IMGetDataHandle(im));
    if (side.display) side.display->applyTo(im, palettes_);
    else if (side.data) IMPrepareBitmap(im);
    // The bitmap last: what was shown, even where no value explains it.
    if (side.bitmap) side.bitmap->restoreInto(IMGetBmpBitsHandle(im));
}

InvolutionStep::InvolutionStep(QString name, void (*op)(IMHANDLE) noexcept, DisplayState before,
                               DisplayState after, PMHANDLE palettes)
    : UndoStep(std::move(name)), op_(op), before_(std::move(before)), after_(std::move(after)),
      palettes_(palettes) {}

void InvolutionStep::undo(IMHANDLE im) {
    op_(im);
    if (!(DisplayState::of(im) == before_)) before_.applyTo(im, palettes_);
}

void InvolutionStep::redo(IMHANDLE im) {
    op_(im);
    if (!(DisplayState::of(im) == after_)) after_.applyTo(im, palettes_);
}

} // namespace qd
