#include "palette_manager.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace qd::grp {

int32_t paletteColorCount(int32_t flag) { return flag == PAL_16 ? 16 : flag == PAL_2 ? 2 : 256; }

int32_t normalisedFlag(int32_t flag) { return flag == PAL_16 || flag == PAL_2 ? flag : PAL_256; }

QDPALETTE* newPalette(const char* name, int32_t flag) {
    auto* pal = static_cast<QDPALETTE*>(std::calloc(1, sizeof(QDPALETTE)));
    if (!pal) return nullptr;
    pal->colorFlag = flag;
    pal->colors = static_cast<uint32_t*>(std::calloc(size_t(paletteColorCount(flag)), 4));
    if (!pal->colors) {
        std::free(pal);
        return nullptr;
    }
    if (name) std::strncpy(pal->name, name, sizeof pal->name - 1);
    return pal;
}

void freePalette(QDPALETTE* pal) {
    if (!pal) return;
    std::free(pal->colors);
    std::free(pal);
}

} // namespace qd::grp

QDPaletteManager::~QDPaletteManager() {
    for (int32_t i = 0; i < count_; ++i)
        qd::grp::freePalette(palette(i));
}

int32_t QDPaletteManager::deleteAt(int32_t index) {
    return index < PM_BUILTIN_COUNT ? -1 : QDGraphicList::deleteAt(index);
}

extern "C" {

PMHANDLE PMCreate(const char* path) noexcept {
    try {
        std::unique_ptr<QDPaletteManager> pm(new (std::nothrow) QDPaletteManager());
        if (!pm || !pm->valid()) return nullptr;
        pm->path = path && *path ? std::string(path) : qd::grp::defaultPalettePath();
        if (!qd::grp::addBuiltinPalettes(*pm)) return nullptr;
        qd::grp::readPaletteFile(*pm, pm->path);
        return pm.release();
    } catch (...) {
        return nullptr;
    }
}

void PMDestroy(PMHANDLE pm) noexcept {
    if (!pm) return;
    try {
        qd::grp::writePaletteFile(*pm, pm->path);
    } catch (...) {
        // Out of memory: the old file stays as it was.
    }
    delete pm;
}

int32_t PMGetCount(PMHANDLE pm) noexcept { return pm ? pm->getCount() : 0; }

QDPALETTE* PMGetPal(PMHANDLE pm, int32_t index) noexcept {
    return pm ? pm->palette(index) : nullptr;
}

QDPALETTE* PMGetPalDescriptor(PMHANDLE pm, int32_t index) noexcept { return PMGetPal(pm, index); }

int32_t PMGetColorFlag(PMHANDLE pm, int32_t index) noexcept {
    const QDPALETTE* pal = PMGetPal(pm, index);
    return pal ? pal->colorFlag : -1;
}

int32_t PMAddPal(PMHANDLE pm, QDPALETTE* pal) noexcept {
    if (!pm || !pal || !pal->colors) return 0;
    // A record listed twice would be freed twice.
    for (int32_t i = 0; i < pm->getCount(); ++i)
        if (pm->palette(i) == pal) return 0;
    // The manager owns the record now: make it safe to search and to write.
    pal->name[sizeof pal->name - 1] = '\0';
    pal->colorFlag = qd::grp::normalisedFlag(pal->colorFlag);
    return pm->append(pal);
}

int32_t PMDeletePal(PMHANDLE pm, QDPALETTE* pal) noexcept { return pm ? pm->deleteItem(pal) : -1; }

int32_t PMDeletePalAt(PMHANDLE pm, int32_t index) noexcept { return pm ? pm->deleteAt(index) : -1; }

QDPALETTE* PMFindPal(PMHANDLE pm, const char* name) noexcept {
    if (!pm || !name) return nullptr;
    for (int32_t i = 0; i < pm->getCount(); ++i) {
        QDPALETTE* pal = pm->palette(i);
        if (std::strcmp(pal->name, name) == 0) return pal;
    }
    return nullptr;
}

} // extern "C"
