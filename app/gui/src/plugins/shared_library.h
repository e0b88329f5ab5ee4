#pragma once
// A library loaded by path for as long as the object lives.

#include <QString>
#include <string>

namespace qd {

class SharedLibrary {
  public:
    SharedLibrary() = default;
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // False when it cannot be loaded; error() then says why.
    bool load(const std::string& path);
    bool loaded() const { return handle_ != nullptr; }
    // The first of the names the library exports, or null.
    void* symbol(std::initializer_list<const char*> names) const;
    const QString& error() const { return error_; }

  private:
    void* handle_ = nullptr;
    QString error_;
};

} // namespace qd
