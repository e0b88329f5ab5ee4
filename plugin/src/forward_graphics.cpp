// Overlay graphic objects and their lists, as QDGrpObj gives them.
#include <qd/plugin.h>

extern "C" {

GOHANDLE qdGOCreateLineObject(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour,
                              int32_t width) noexcept {
    return GOCreateLineObject(x1, y1, x2, y2, colour, width);
}
GOHANDLE qdGOCreateTextObject(int32_t x, int32_t y, const char* text, const char* face,
                              int32_t size, int32_t bold, int32_t italic,
                              uint32_t colour) noexcept {
    return GOCreateTextObject(x, y, text, face, size, bold, italic, colour);
}
int32_t qdGMGetCount(GMHANDLE list) noexcept { return GMGetCount(list); }
GOHANDLE qdGMGetGraphicObject(GMHANDLE list, int32_t index) noexcept {
    return GMGetGraphicObject(list, index);
}
int32_t qdGMAddGraphicObject(GMHANDLE list, GOHANDLE obj) noexcept {
    return GMAddGraphicObject(list, obj);
}
int32_t qdGMDeleteGraphicObject(GMHANDLE list, GOHANDLE obj) noexcept {
    return GMDeleteGraphicObject(list, obj);
}
int32_t qdGMDeleteGraphicObjectAt(GMHANDLE list, int32_t index) noexcept {
    return GMDeleteGraphicObjectAt(list, index);
}

} // extern "C"
