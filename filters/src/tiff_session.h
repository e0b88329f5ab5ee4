// libtiff opened with handlers that keep its errors and warnings to
// themselves: nothing reaches standard error, and an error makes the file
// count as failed so that the next reader can try it.
#pragma once

#include <cstdarg>
#include <tiffio.h>

namespace qd::filters::tiff {

class TiffSession {
  public:
    // mode as for TIFFOpen ("r", "w", "w8").
    TiffSession(const char* path, const char* mode);
    ~TiffSession();
    TiffSession(const TiffSession&) = delete;
    TiffSession& operator=(const TiffSession&) = delete;

    TIFF* get() const { return tif_; }
    // Whether libtiff reported an error since the file was opened.
    bool failed() const { return errors_ > 0; }
    // Flushes a written file and closes it; false when anything failed.
    bool close();

  private:
    static int onError(TIFF*, void* self, const char*, const char*, va_list);
    static int onWarning(TIFF*, void*, const char*, const char*, va_list);

    TIFF* tif_ = nullptr;
    int errors_ = 0;
};

} // namespace qd::filters::tiff
