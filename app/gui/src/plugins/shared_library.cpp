#include "shared_library.h"

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
    error_ = QString::fromLocal8Bit(why ? why : "unknown error");
    // The message boxes carry no details: the reason goes to standard error.
    std::fprintf(stderr, "QD: cannot load %s: %s\n", path.c_str(), qPrintable(error_));
    return false;
}

void* SharedLibrary::symbol(std::initializer_list<const char*> names) const {
    if (!handle_) return nullptr;
    for (const char* n : names)
        if (void* s = dlsym(handle_, n)) return s;
    return nullptr;
}

} // namespace qd
