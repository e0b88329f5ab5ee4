// Requests to the program outside the image windows: its event loop, palette
// manager, dialogs, stop button and the list of image windows.
#include <qd/plugin.h>

#include "connection.h"

using qd::plugin::request;

extern "C" {

int32_t qdProcessMessage(void) noexcept { return int32_t(request(QD_REQ_PROCESS_MESSAGE)); }

PMHANDLE qdGetPaletteManager(void) noexcept {
    return reinterpret_cast<PMHANDLE>(request(QD_REQ_PALETTE_MANAGER));
}

int32_t qdRunInputDialog(const char* caption, const char* prompt, char* buffer,
                         int32_t size) noexcept {
    // The program writes the answer and its NUL into buffer: without room for
    // at least the NUL there is nothing it could safely do.
    if (!buffer || size < 1) return 0;
    QDINPUTREQUEST record{caption, prompt, buffer, size};
    return int32_t(request(QD_REQ_INPUT_DIALOG, &record));
}

int32_t qdRunMessageDialog(const char* text, const char* caption, int32_t style) noexcept {
    QDMESSAGEREQUEST record{caption, text, style};
    return int32_t(request(QD_REQ_MESSAGE_DIALOG, &record));
}

int32_t qdGetStopCount(void) noexcept { return int32_t(request(QD_REQ_STOP_COUNT)); }
int32_t qdStopButtonOn(void) noexcept { return int32_t(request(QD_REQ_STOP_BUTTON_ON)); }
int32_t qdStopButtonOff(void) noexcept { return int32_t(request(QD_REQ_STOP_BUTTON_OFF)); }

int32_t qdGetImageWindowCount(void) noexcept { return int32_t(request(QD_REQ_WINDOW_COUNT)); }

IWHANDLE qdGetImageWindow(int32_t index) noexcept {
    return reinterpret_cast<IWHANDLE>(request(QD_REQ_WINDOW_AT, index));
}

IWHANDLE qdGetActiveImageWindow(void) noexcept {
    return reinterpret_cast<IWHANDLE>(request(QD_REQ_ACTIVE_WINDOW));
}

IWHANDLE qdSelectImageWindow(const char* prompt) noexcept {
    QDSELECTREQUEST record{prompt, nullptr};
    // -1 (no window open) and 0 (Cancel) both leave the record's result unset.
    return request(QD_REQ_SELECT_WINDOW, &record) == 1 ? record.result : nullptr;
}

} // extern "C"
