#pragma once
// A library loaded by path for as long as the object lives.

#include <initializer_list>
#include <string>

namespace qd {

class SharedLibrary {
  public:
    SharedLibrary() = default;
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // False when it cannot be loaded; error() then says why, and so does a
    // line on standard error, as message boxes carry no details.
    bool load(const std::string& path);
    bool loaded() const { return handle_ != nullptr; }
    // The first of the names the library exports, or null.
    void* symbol(std::initializer_list<const char*> names) const;
    const std::string& error() const { return error_; }

  private:
    void* handle_ = nullptr;
    std::string error_;
};

} // namespace qd
