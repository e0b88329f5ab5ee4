#include <qd/core/shared_library.h>

#include <cerrno>
#include <cstdio>
#include <dlfcn.h>

namespace qd {

SharedLibrary::~SharedLibrary() {
    if (handle_) dlclose(handle_);
}

bool SharedLibrary::load(const std::string& path) {
    dlerror();
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_) return true;
    const char* why = dlerror();
    error_ = why ? why : "unknown error";
    // Prefixed by the program's name: QD or qdcli.
    std::fprintf(stderr, "%s: cannot load %s: %s\n", program_invocation_short_name, path.c_str(), error_.c_str());
    return false;
}

void* SharedLibrary::symbol(std::initializer_list<const char*> names) const {
    if (!handle_) return nullptr;
    for (const char* n : names)
        if (void* s = dlsym(handle_, n)) return s;
    return nullptr;
}

} // namespace qd
