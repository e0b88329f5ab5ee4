// Image-window requests: new windows, files, names, paths and flags. Every
// handle is looked up in the registry before it is used; an unknown one gets
// 0 and changes nothing.
#include <algorithm>
#include <cstring>
#include <filesystem>

#include "plugin_host.h"

namespace qdcli {
namespace {

std::string fileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

// The protocol's copy: at most size bytes, the last one always NUL.
void copyText(const std::string& text, char* buffer, int32_t size) {
    const size_t n = std::min(text.size(), size_t(size) - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    buffer[size - 1] = '\0';
}

} // namespace

intptr_t PlugInHost::windowRequest(uint32_t code, intptr_t arg) {
    switch (code) {
    case QD_REQ_IW_CREATE:
        return createWindow(reinterpret_cast<const QDCREATEREQUEST*>(arg));
    case QD_REQ_IW_OPEN:
        return openWindow(reinterpret_cast<const char*>(arg));
    case QD_REQ_IW_SAVE:
        return saveWindow(reinterpret_cast<const QDWINDOWTEXT*>(arg));
    case QD_REQ_IW_GET_NAME:
    case QD_REQ_IW_GET_PATH: {
        const auto* request = reinterpret_cast<const QDWINDOWBUFFER*>(arg);
        const HostWindow* w = request ? find(request->window) : nullptr;
        if (w && request->buffer && request->size > 0)
            copyText(code == QD_REQ_IW_GET_NAME ? w->name : w->path, request->buffer, request->size);
        return 0;
    }
    case QD_REQ_IW_SET_NAME:
    case QD_REQ_IW_SET_PATH: {
        const auto* request = reinterpret_cast<const QDWINDOWTEXT*>(arg);
        HostWindow* w = request ? find(request->window) : nullptr;
        if (!w || !request->text) return 0;
        if (code == QD_REQ_IW_SET_NAME) {
            w->name = request->text;
        } else {
            w->path = request->text;
            w->name = fileName(w->path);
            w->noFile = w->notSaved = w->pathSet = true;
        }
        return 0;
    }
    case QD_REQ_IW_REPAINT: // nothing is shown
        return 0;
    default:
        break;
    }
    HostWindow* w = find(reinterpret_cast<IWHANDLE>(arg));
    if (!w) return 0;
    switch (code) {
    case QD_REQ_IW_DESTROY:
        destroy(w);
        return 0;
    case QD_REQ_IW_IMAGE:
        return intptr_t(w->image.get());
    case QD_REQ_IW_HWND: // no widgets here: the window itself stands for one
        return arg;
    case QD_REQ_IW_LOCK:
    case QD_REQ_IW_UNLOCK:
        w->locked = code == QD_REQ_IW_LOCK;
        return 0;
    case QD_REQ_IW_IS_NEW:
        return w->noFile;
    case QD_REQ_IW_IS_DIRTY:
        return w->notSaved;
    case QD_REQ_IW_IS_VALID:
        return 1;
    default:
        return 0;
    }
}

intptr_t PlugInHost::createWindow(const QDCREATEREQUEST* request) {
    if (!request || !request->image) return 0;
    // An image some window already holds would be freed twice.
    for (const auto& w : windows_)
        if (w->image.get() == request->image) return 0;
    auto w = std::make_unique<HostWindow>();
    w->name = request->title ? std::string(request->title) : "untitled" + std::to_string(untitled_ + 1);
    if (!request->title) ++untitled_;
    w->noFile = w->notSaved = w->created = true;
    // Nothing may fail once the image is taken, or the plug-in, told 0,
    // would free it again.
    windows_.reserve(windows_.size() + 1);
    activation_.reserve(activation_.size() + 1);
    w->image = ImageRef(request->image);
    IMSetPalette(request->image, palettes_);
    IMPrepareBitmap(request->image);
    return intptr_t(add(std::move(w)));
}

intptr_t PlugInHost::openWindow(const char* path) {
    if (!path) return 0;
    const Options noOptions(0, nullptr, 0);
    ImageRef image;
    try {
        image = readInput(path, noOptions, palettes_);
    } catch (const FileError&) {
        return 0;
    }
    return intptr_t(openFile(std::move(image), path));
}

intptr_t PlugInHost::saveWindow(const QDWINDOWTEXT* request) {
    HostWindow* w = request ? find(request->window) : nullptr;
    if (!w || !request->text) return 0;
    try {
        writeImage(w->image.get(), request->text);
    } catch (const FileError&) {
        return 0;
    } catch (const UsageError&) { // an extension qdcli does not write
        return 0;
    }
    w->path = request->text;
    w->name = fileName(w->path);
    w->noFile = w->notSaved = false;
    return 1;
}

} // namespace qdcli
