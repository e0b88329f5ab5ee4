// Header fields, the comment and the member handles.
#include <cmath>
#include <cstring>
#include <utility>

#include "image_object.h"

using qd::image::copyText;
using qd::image::textLength;

extern "C" {

MTHANDLE IMGetDataHandle(IMHANDLE im) noexcept { return im->data; }
ARHANDLE IMGetHistogramHandle(IMHANDLE im) noexcept { return im->histogram; }
int64_t IMGetDataSize(IMHANDLE im) noexcept { return MTGetMemorySize(im->data); }
int64_t IMGetHistoSize(IMHANDLE im) noexcept {
    return im->histogram ? ARGetMemorySize(im->histogram) : 0;
}
void* IMGetDataPointer(IMHANDLE im) noexcept { return MTGetPointer(im->data); }
void* IMGetHistoPointer(IMHANDLE im) noexcept {
    return im->histogram ? ARGetPointer(im->histogram) : nullptr;
}
IMHEADER* IMGetHeaderPointer(IMHANDLE im) noexcept { return &im->header; }

int32_t IMGetImageWidth(IMHANDLE im) noexcept { return im->header.Width; }
int32_t IMGetImageHeight(IMHANDLE im) noexcept { return im->header.Height; }

double IMGetScale(IMHANDLE im) noexcept { return im->header.Scale; }
double IMGetGain(IMHANDLE im) noexcept { return im->header.Gain; }
double IMGetOffset(IMHANDLE im) noexcept { return im->header.Offset; }

double IMSetScale(IMHANDLE im, double scale) noexcept {
    const double old = im->header.Scale;
    im->header.Scale = std::fabs(scale) < 1e-13 ? 1.0 : scale;
    return old;
}
double IMSetGain(IMHANDLE im, double gain) noexcept {
    return std::exchange(im->header.Gain, gain);
}
double IMSetOffset(IMHANDLE im, double offset) noexcept {
    return std::exchange(im->header.Offset, offset);
}

const char* IMGetXYUnit(IMHANDLE im) noexcept { return im->header.XYUnit; }
const char* IMGetZUnit(IMHANDLE im) noexcept { return im->header.ZUnit; }
const char* IMGetPaletteName(IMHANDLE im) noexcept { return im->header.PaletteName; }
void IMSetXYUnit(IMHANDLE im, const char* unit) noexcept {
    copyText(im->header.XYUnit, sizeof im->header.XYUnit, unit);
}
void IMSetZUnit(IMHANDLE im, const char* unit) noexcept {
    copyText(im->header.ZUnit, sizeof im->header.ZUnit, unit);
}
void IMChangePaletteName(IMHANDLE im, const char* name) noexcept {
    copyText(im->header.PaletteName, sizeof im->header.PaletteName, name);
}

int32_t IMGetDrawType(IMHANDLE im) noexcept { return im->header.DisplayType; }
int32_t IMGetDisplayType(IMHANDLE im) noexcept { return im->header.DisplayType; }
int32_t IMSetDrawType(IMHANDLE im, int32_t type) noexcept {
    return std::exchange(im->header.DisplayType, type);
}
int32_t IMSetDisplayType(IMHANDLE im, int32_t type) noexcept { return IMSetDrawType(im, type); }

double IMGetInitialValue(IMHANDLE im) noexcept { return im->header.InitialValue; }
double IMGetFinalValue(IMHANDLE im) noexcept { return im->header.FinalValue; }
void IMSetInitialValue(IMHANDLE im, double v) noexcept { im->header.InitialValue = v; }
void IMSetFinalValue(IMHANDLE im, double v) noexcept { im->header.FinalValue = v; }
int32_t IMGetBrightness(IMHANDLE im) noexcept { return im->header.Brightness; }
int32_t IMGetContrast(IMHANDLE im) noexcept { return im->header.Contrast; }
void IMSetBrightness(IMHANDLE im, int32_t brightness) noexcept {
    im->header.Brightness = brightness;
}
void IMSetContrast(IMHANDLE im, int32_t contrast) noexcept { im->header.Contrast = contrast; }

int32_t IMInsertComment(IMHANDLE im, const char* text) noexcept {
    char* comment = im->header.Comment;
    constexpr size_t size = sizeof im->header.Comment;
    const size_t used = textLength(comment, size);
    const size_t add = text ? textLength(text, size) : 0;
    if (used + add + 2 >= size) return 0;
    std::memcpy(comment + used, "\r\n", 2);
    if (add) std::memcpy(comment + used + 2, text, add);
    comment[used + 2 + add] = 0;
    return 1;
}

} // extern "C"
