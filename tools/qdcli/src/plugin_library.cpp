// Loading a plug-in library and finding PlugInMain and PlugInName.
#include "plugin_library.h"

#include <dlfcn.h>

namespace qdcli {

PlugInLibrary::PlugInLibrary(const std::string& path) {
    // A bare file name would be searched on the library path, not here.
    const std::string where = path.find('/') == std::string::npos ? "./" + path : path;
    module_ = dlopen(where.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module_) {
        const char* why = dlerror();
        throw LoadError("cannot load " + path + ": " + (why ? why : "unknown reason"));
    }
}

PlugInLibrary::~PlugInLibrary() { dlclose(module_); }

void* PlugInLibrary::symbol(const char* plain, const char* decorated) const {
    void* found = dlsym(module_, plain);
    return found ? found : dlsym(module_, decorated);
}

PlugInLibrary::MainFunction PlugInLibrary::main() const {
    return reinterpret_cast<MainFunction>(symbol("PlugInMain", "@PlugInMain$qpx14PLUGINSERVER__"));
}

PlugInLibrary::NameFunction PlugInLibrary::name() const {
    return reinterpret_cast<NameFunction>(symbol("PlugInName", "@PlugInName$qv"));
}

} // namespace qdcli
