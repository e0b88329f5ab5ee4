// The palette file, read by the palette manager (and written back when it
// goes, as the program does at exit).
#include <qd/grpobj.h>

#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PMHANDLE pm = PMCreate(qdfuzz::spill(data, size, "QDPalette.dat").c_str());
    if (!pm) return 0;
    volatile uint32_t sink = 0;
    for (int32_t i = PM_BUILTIN_COUNT; i < PMGetCount(pm); ++i) {
        const QDPALETTE* pal = PMGetPal(pm, i);
        const int32_t n = PMGetColorFlag(pm, i) == PAL_256 ? 256 : PMGetColorFlag(pm, i) == PAL_16 ? 16 : 2;
        for (int32_t k = 0; k < n; ++k) sink = sink + pal->colors[k];
        sink = sink + uint32_t(PMFindPal(pm, pal->name) != nullptr);
    }
    PMDestroy(pm);
    return 0;
}
