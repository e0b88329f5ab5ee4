#include <qd/core/result_display.h>

namespace qd {

void applyResultDisplay(IMHANDLE image, ResultDisplay display, IMHANDLE source) {
    switch (display) {
    case ResultDisplay::CopyRange: {
        uint32_t colours[256] = {};
        IMGetPaletteArray(source, colours);
        IMSetBasicPalette(image, colours);
        IMSetInitialValue(image, IMGetInitialValue(source));
        IMSetFinalValue(image, IMGetFinalValue(source));
        break;
    }
    case ResultDisplay::RealLog:
    case ResultDisplay::ModulusLog:
    case ResultDisplay::SourceType:
        IMSetDrawType(image, display == ResultDisplay::RealLog      ? IM_REAL_LOG
                             : display == ResultDisplay::ModulusLog ? IM_MODULUS_LOG
                                                                    : IMGetDrawType(source));
        IMDefaultRange(image, 1);
        break;
    case ResultDisplay::DefaultRange: IMDefaultRange(image, 1); break;
    case ResultDisplay::Own: break;
    }
}

} // namespace qd
