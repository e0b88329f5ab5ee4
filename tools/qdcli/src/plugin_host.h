#pragma once

// A headless server for plug-ins: the image-window registry and the answers
// to every request, with dialogs answered from the command line and result
// text on standard output.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <qd/plugin_server.h>

#include "image_files.h"

namespace qdcli {

// One image window of the host; its address is the IWHANDLE plug-ins see.
struct HostWindow {
    ImageRef image;
    std::string name;
    std::string path;
    bool noFile = false;
    bool notSaved = false;
    bool locked = false;
    bool created = false; // made by the plug-in
    bool pathSet = false; // the plug-in gave it a path of its own
    uint64_t dataHash = 0; // of the data block as it was opened
};

// What the dialogs answer, in order; a dialog asked once they are used up
// answers Cancel.
struct HostAnswers {
    std::vector<std::string> texts; // input dialogs
    std::vector<int32_t> picks;     // image selections, 0-based registry indices
};

// Type, size and every byte of the image's data block.
uint64_t dataHash(IMHANDLE image);

class PlugInHost {
public:
    PlugInHost(PMHANDLE palettes, HostAnswers answers);
    ~PlugInHost();
    PlugInHost(const PlugInHost&) = delete;
    PlugInHost& operator=(const PlugInHost&) = delete;

    // The handle handed to PlugInMain; valid while the host lives.
    PLUGINSERVER server() { return &server_.base; }

    // Opens an image read from a file as a window (flags 0, the file name as
    // its name) and makes it active. The host takes the image.
    HostWindow* openFile(ImageRef image, const std::string& path);
    void activate(HostWindow* window);

    // Registry order; the index of a window is its place here.
    const std::vector<std::unique_ptr<HostWindow>>& windows() const { return windows_; }
    // Created, or an input whose data, path or not-saved flag changed.
    static bool modified(const HostWindow& window);

    // Raised by SIGINT (async-signal-safe), read as the stop count; true
    // when a stop was already pending.
    static bool requestStop() noexcept;

    intptr_t answer(uint32_t code, intptr_t arg);

private:
    struct Server {
        QDPLUGINSERVER base; // first, so the plug-in's handle leads back here
        PlugInHost* host;
    };
    static intptr_t send(QDPLUGINSERVER* server, uint32_t code, intptr_t arg) noexcept;

    // The registered window behind a handle, or null: handles are compared,
    // never followed, until they are found here.
    HostWindow* find(IWHANDLE handle) const;
    HostWindow* add(std::unique_ptr<HostWindow> window);
    void destroy(HostWindow* window);

    intptr_t dialogRequest(uint32_t code, intptr_t arg);
    intptr_t windowRequest(uint32_t code, intptr_t arg);
    intptr_t createWindow(const QDCREATEREQUEST* request);
    intptr_t openWindow(const char* path);
    intptr_t saveWindow(const QDWINDOWTEXT* request);
    intptr_t selectWindow(QDSELECTREQUEST* request);

    Server server_;
    PMHANDLE palettes_;
    HostAnswers answers_;
    size_t textsUsed_ = 0, picksUsed_ = 0;
    int32_t untitled_ = 0;
    std::vector<std::unique_ptr<HostWindow>> windows_;
    // Closed windows stay allocated until the host ends, so that no new
    // window ever takes the address of a handle a plug-in may still hold.
    std::vector<std::unique_ptr<HostWindow>> closed_;
    std::vector<HostWindow*> activation_; // most recently active last
    // The objects 0x501 to 0x504 name; plug-ins only store their addresses.
    char objects_[4] = {};
};

} // namespace qdcli
