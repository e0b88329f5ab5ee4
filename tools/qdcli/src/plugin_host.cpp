// The host's registry of image windows and the dispatch of requests.
#include "plugin_host.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>

namespace qdcli {
namespace {

volatile std::sig_atomic_t stopPending = 0;

} // namespace

bool PlugInHost::requestStop() noexcept {
    const bool pending = stopPending != 0;
    stopPending = 1;
    return pending;
}

uint64_t dataHash(IMHANDLE image) {
    // Each step is a bijection of the state, so a single changed word always
    // changes the result.
    uint64_t h = 0x243F6A8885A308D3ull;
    auto mix = [&h](uint64_t v) {
        h = (h ^ v) * 0x9E3779B97F4A7C15ull;
        h ^= h >> 32;
    };
    MTHANDLE m = IMGetDataHandle(image);
    mix(uint32_t(MTGetFlags(m)));
    mix(uint32_t(MTGetMaxXIndex(m)));
    mix(uint32_t(MTGetMaxYIndex(m)));
    const auto* p = static_cast<const unsigned char*>(IMGetDataPointer(image));
    const int64_t n = p ? IMGetDataSize(image) : 0;
    mix(uint64_t(n));
    int64_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t word;
        std::memcpy(&word, p + i, 8);
        mix(word);
    }
    for (; i < n; ++i) mix(p[i]);
    return h;
}

PlugInHost::PlugInHost(PMHANDLE palettes, HostAnswers answers)
    : server_{{&PlugInHost::send}, this}, palettes_(palettes), answers_(std::move(answers)) {
    stopPending = 0;
}

PlugInHost::~PlugInHost() = default;

intptr_t PlugInHost::send(QDPLUGINSERVER* server, uint32_t code, intptr_t arg) noexcept {
    if (!server) return 0;
    try {
        return reinterpret_cast<Server*>(server)->host->answer(code, arg);
    } catch (...) {
        // Out of memory: the request fails as the program's would, with 0.
        return 0;
    }
}

intptr_t PlugInHost::answer(uint32_t code, intptr_t arg) {
    switch (code) {
    case QD_REQ_MAIN_APP:
    case QD_REQ_MAIN_WINDOW:
    case QD_REQ_RESULT_WINDOW:
    case QD_REQ_HISTO_WINDOW:
        return intptr_t(&objects_[code - QD_REQ_MAIN_APP]);
    case QD_REQ_TOOLBAR_WINDOW:
        return 0;
    case QD_REQ_PALETTE_MANAGER:
        return intptr_t(palettes_);
    case QD_REQ_PROCESS_MESSAGE: // no events to pump
        return 0;
    case QD_REQ_STOP_COUNT:
        return stopPending ? 1 : 0;
    case QD_REQ_STOP_BUTTON_ON: // there is no button; only the count starts over
        stopPending = 0;
        return 0;
    case QD_REQ_STOP_BUTTON_OFF:
        return 0;
    case QD_REQ_WINDOW_COUNT:
        return intptr_t(windows_.size());
    case QD_REQ_WINDOW_AT:
        return arg >= 0 && size_t(arg) < windows_.size() ? intptr_t(windows_[size_t(arg)].get()) : 0;
    case QD_REQ_ACTIVE_WINDOW:
        return activation_.empty() ? 0 : intptr_t(activation_.back());
    case QD_REQ_INPUT_DIALOG:
    case QD_REQ_MESSAGE_DIALOG:
    case QD_REQ_RESULT_LINE:
    case QD_REQ_RESULT_TEXT:
    case QD_REQ_SELECT_WINDOW:
        return dialogRequest(code, arg);
    default:
        return code >= QD_REQ_IW_CREATE && code <= QD_REQ_IW_IS_VALID ? windowRequest(code, arg) : 0;
    }
}

HostWindow* PlugInHost::find(IWHANDLE handle) const {
    if (!handle) return nullptr;
    for (const auto& w : windows_)
        if (w.get() == handle) return w.get();
    return nullptr;
}

HostWindow* PlugInHost::add(std::unique_ptr<HostWindow> window) {
    HostWindow* w = window.get();
    windows_.push_back(std::move(window));
    activate(w);
    return w;
}

void PlugInHost::activate(HostWindow* window) {
    std::erase(activation_, window);
    activation_.push_back(window);
}

void PlugInHost::destroy(HostWindow* window) {
    std::erase(activation_, window);
    const auto it = std::find_if(windows_.begin(), windows_.end(),
                                 [window](const auto& w) { return w.get() == window; });
    window->image = ImageRef();
    closed_.push_back(std::move(*it));
    windows_.erase(it);
}

HostWindow* PlugInHost::openFile(ImageRef image, const std::string& path) {
    auto w = std::make_unique<HostWindow>();
    w->dataHash = dataHash(image.get());
    w->image = std::move(image);
    w->name = std::filesystem::path(path).filename().string();
    w->path = path;
    return add(std::move(w));
}

bool PlugInHost::modified(const HostWindow& window) {
    return window.created || window.pathSet || window.notSaved ||
           dataHash(window.image.get()) != window.dataHash;
}

} // namespace qdcli
