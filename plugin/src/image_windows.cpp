// Requests about the program's image windows.
#include <qd/plugin.h>

#include "connection.h"

using qd::plugin::request;

namespace {

int32_t windowRequest(uint32_t code, IWHANDLE window) noexcept {
    return int32_t(request(code, window));
}

int32_t textRequest(uint32_t code, IWHANDLE window, const char* text) noexcept {
    QDWINDOWTEXT record{window, text};
    return int32_t(request(code, &record));
}

// The program copies at most size bytes and forces the last one to NUL.
// Clearing the first byte beforehand and the last one afterwards keeps the
// result a terminated text even when no program answers.
char* bufferRequest(uint32_t code, IWHANDLE window, char* buffer, int32_t size) noexcept {
    if (!buffer || size < 1) return buffer;
    buffer[0] = '\0';
    QDWINDOWBUFFER record{window, buffer, size};
    request(code, &record);
    buffer[size - 1] = '\0';
    return buffer;
}

} // namespace

extern "C" {

IWHANDLE qdIWCreate(IMHANDLE image, const char* title) noexcept {
    QDCREATEREQUEST record{image, title};
    return reinterpret_cast<IWHANDLE>(request(QD_REQ_IW_CREATE, &record));
}

int32_t qdIWDestroy(IWHANDLE window) noexcept { return windowRequest(QD_REQ_IW_DESTROY, window); }

IWHANDLE qdIWOpen(const char* path) noexcept {
    return reinterpret_cast<IWHANDLE>(request(QD_REQ_IW_OPEN, path));
}

int32_t qdIWSave(IWHANDLE window, const char* path) noexcept {
    return textRequest(QD_REQ_IW_SAVE, window, path);
}

IMHANDLE qdIWGetImageHandle(IWHANDLE window) noexcept {
    return reinterpret_cast<IMHANDLE>(request(QD_REQ_IW_IMAGE, window));
}

HWND qdIWGetHWND(IWHANDLE window) noexcept {
    return reinterpret_cast<HWND>(request(QD_REQ_IW_HWND, window));
}

char* qdIWGetImageName(IWHANDLE window, char* buffer, int32_t size) noexcept {
    return bufferRequest(QD_REQ_IW_GET_NAME, window, buffer, size);
}

int32_t qdIWSetImageName(IWHANDLE window, const char* name) noexcept {
    return textRequest(QD_REQ_IW_SET_NAME, window, name);
}

char* qdIWGetImagePath(IWHANDLE window, char* buffer, int32_t size) noexcept {
    return bufferRequest(QD_REQ_IW_GET_PATH, window, buffer, size);
}

int32_t qdIWSetImagePath(IWHANDLE window, const char* path) noexcept {
    return textRequest(QD_REQ_IW_SET_PATH, window, path);
}

int32_t qdIWRepaint(IWHANDLE window, const QDRECT* rect, int32_t erase) noexcept {
    QDREPAINTREQUEST record{window, rect, erase};
    return int32_t(request(QD_REQ_IW_REPAINT, &record));
}

int32_t qdIWLock(IWHANDLE window) noexcept { return windowRequest(QD_REQ_IW_LOCK, window); }
int32_t qdIWUnlock(IWHANDLE window) noexcept { return windowRequest(QD_REQ_IW_UNLOCK, window); }
int32_t qdIWIsNew(IWHANDLE window) noexcept { return windowRequest(QD_REQ_IW_IS_NEW, window); }
int32_t qdIWIsDirty(IWHANDLE window) noexcept { return windowRequest(QD_REQ_IW_IS_DIRTY, window); }
int32_t qdIWIsValid(IWHANDLE window) noexcept { return windowRequest(QD_REQ_IW_IS_VALID, window); }

} // extern "C"
