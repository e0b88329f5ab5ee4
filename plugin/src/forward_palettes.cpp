// The program's palette manager (from qdGetPaletteManager), as QDGrpObj
// gives it.
#include <qd/plugin.h>

extern "C" {

int32_t qdPMGetCount(PMHANDLE pm) noexcept { return PMGetCount(pm); }
QDPALETTE* qdPMGetPal(PMHANDLE pm, int32_t index) noexcept { return PMGetPal(pm, index); }
QDPALETTE* qdPMGetPalDescriptor(PMHANDLE pm, int32_t index) noexcept {
    return PMGetPalDescriptor(pm, index);
}
int32_t qdPMGetColorFlag(PMHANDLE pm, int32_t index) noexcept { return PMGetColorFlag(pm, index); }
int32_t qdPMAddPal(PMHANDLE pm, QDPALETTE* pal) noexcept { return PMAddPal(pm, pal); }
int32_t qdPMDeletePal(PMHANDLE pm, QDPALETTE* pal) noexcept { return PMDeletePal(pm, pal); }
int32_t qdPMDeletePalAt(PMHANDLE pm, int32_t index) noexcept { return PMDeletePalAt(pm, index); }
QDPALETTE* qdPMFindPal(PMHANDLE pm, const char* name) noexcept { return PMFindPal(pm, name); }

} // extern "C"
