#pragma once

// A plug-in library opened by path, with its exports looked up as the
// program looks them up: by the plain name, else by the decorated one.

#include <stdexcept>
#include <string>

#include <qd/plugin_server.h>

namespace qdcli {

// The library did not load; the message holds the path and the loader's
// reason.
struct LoadError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class PlugInLibrary {
public:
    using MainFunction = int (*)(int runFlag, PLUGINSERVER server);
    using NameFunction = const char* (*)();

    // LoadError when the library does not load.
    explicit PlugInLibrary(const std::string& path);
    ~PlugInLibrary();
    PlugInLibrary(const PlugInLibrary&) = delete;
    PlugInLibrary& operator=(const PlugInLibrary&) = delete;

    // Null when the library has neither name.
    MainFunction main() const;
    NameFunction name() const;

private:
    void* symbol(const char* plain, const char* decorated) const;

    void* module_ = nullptr;
};

} // namespace qdcli
