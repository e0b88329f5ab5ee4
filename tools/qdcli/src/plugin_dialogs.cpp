// Dialogs and result text without a user: input dialogs and image
// selections take the answers of the command line, message boxes and result
// text go to the standard streams.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "plugin_host.h"

namespace qdcli {
namespace {

// The button Enter presses: the box's default button (style bits 8 to 11
// pick the second or third), so that a Yes/No box answers Yes rather than an
// id it does not have. Buttons by the style's low four bits.
int32_t defaultButton(int32_t style) {
    constexpr int32_t kButtons[][3] = {{1, 0, 0}, {1, 2, 0}, {3, 4, 5}, {6, 7, 2}, {6, 7, 0}, {4, 2, 0}};
    const int32_t group = style & 0xF;
    if (group >= int32_t(std::size(kButtons))) return 1;
    const int32_t pick = (style >> 8) & 0xF;
    const int32_t button = pick < 3 ? kButtons[group][pick] : 0;
    return button ? button : kButtons[group][0];
}

} // namespace

intptr_t PlugInHost::dialogRequest(uint32_t code, intptr_t arg) {
    switch (code) {
    case QD_REQ_INPUT_DIALOG: {
        auto* request = reinterpret_cast<QDINPUTREQUEST*>(arg);
        if (!request || !request->buffer || request->size < 1) return 0;
        if (textsUsed_ >= answers_.texts.size()) return 0;
        const std::string& text = answers_.texts[textsUsed_++];
        const size_t n = std::min(text.size(), size_t(request->size) - 1);
        std::memcpy(request->buffer, text.data(), n);
        request->buffer[n] = '\0';
        return 1;
    }
    case QD_REQ_MESSAGE_DIALOG: {
        const auto* request = reinterpret_cast<const QDMESSAGEREQUEST*>(arg);
        if (!request) return 0;
        const char* text = request->text ? request->text : "";
        if (request->caption && *request->caption) std::fprintf(stderr, "%s: %s\n", request->caption, text);
        else std::fprintf(stderr, "%s\n", text);
        return defaultButton(request->style);
    }
    case QD_REQ_RESULT_LINE:
    case QD_REQ_RESULT_TEXT:
        if (const char* text = reinterpret_cast<const char*>(arg)) {
            std::fputs(text, stdout);
            if (code == QD_REQ_RESULT_LINE) std::fputc('\n', stdout);
            // A run ended by a second Ctrl-C keeps what it reported.
            std::fflush(stdout);
        }
        return 0;
    case QD_REQ_SELECT_WINDOW:
        return selectWindow(reinterpret_cast<QDSELECTREQUEST*>(arg));
    default:
        return 0;
    }
}

intptr_t PlugInHost::selectWindow(QDSELECTREQUEST* request) {
    if (windows_.empty()) return -1;
    if (!request || picksUsed_ >= answers_.picks.size()) return 0;
    const int32_t pick = answers_.picks[picksUsed_++];
    if (pick < 0 || size_t(pick) >= windows_.size()) {
        std::fprintf(stderr, "qdcli plugin: --pick %d names no image window (%zu open): Cancel\n", pick,
                     windows_.size());
        return 0;
    }
    request->result = windows_[size_t(pick)].get();
    return 1;
}

} // namespace qdcli
