#include "tiff_session.h"

#include <memory>
#include <mutex>
#include <string>

#include "filter_image.h"

namespace qd::filters::tiff {
namespace {

void silent(const char*, const char*, va_list) {}

// libtiff reports what it cannot tie to a file through its process-wide
// handlers; those print to standard error unless replaced.
void silenceGlobalHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        TIFFSetErrorHandler(silent);
        TIFFSetWarningHandler(silent);
    });
}

struct OptionsDeleter {
    void operator()(TIFFOpenOptions* o) const { TIFFOpenOptionsFree(o); }
};

} // namespace

int TiffSession::onError(TIFF*, void* self, const char*, const char*, va_list) {
    if (self) ++static_cast<TiffSession*>(self)->errors_;
    return 1; // handled: the global handler is not called
}

int TiffSession::onWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

TiffSession::TiffSession(const char* path, const char* mode) {
    silenceGlobalHandlers();
    std::unique_ptr<TIFFOpenOptions, OptionsDeleter> options(TIFFOpenOptionsAlloc());
    if (!options) return;
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), onError, this);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), onWarning, this);
    // No single table or buffer of libtiff's may exceed what we allow an image.
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), tmsize_t(kMaxImageBytes));
    // Read through read(), not a mapping: a file cut short while open must
    // give a read error, not a fault.
    const std::string how = std::string(mode) + (mode[0] == 'r' ? "m" : "");
    tif_ = TIFFOpenExt(path, how.c_str(), options.get());
}

TiffSession::~TiffSession() {
    if (tif_) TIFFClose(tif_);
}

bool TiffSession::close() {
    if (!tif_) return false;
    const bool flushed = TIFFFlush(tif_) == 1;
    TIFFClose(tif_);
    tif_ = nullptr;
    return flushed && !failed();
}

} // namespace qd::filters::tiff
