// Input files (by content, raw, --as), output files (by extension) and the
// display options.
#include "image_files.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <memory>

#include <qd/core/document_files.h>
#include <qd/core/extension_lists.h>
#include <qd/core/settings_dir.h>

namespace qdcli {
namespace {

struct TypeName {
    const char* name;
    int32_t code;
};
constexpr TypeName kTypes[] = {
    {"binary", MT_BINARY}, {"4bits", MT_4BITS},   {"char", MT_CHAR},
    {"uchar", MT_UCHAR},   {"short", MT_SHORT},   {"ushort", MT_USHORT},
    {"long", MT_LONG},     {"ulong", MT_ULONG},   {"float", MT_FLOAT},
    {"double", MT_DOUBLE}, {"complex8", MT_COMPLEX8}, {"complex16", MT_COMPLEX16},
    {"rgb", MT_RGB}};

// The header a new image of this type starts with: what the image library
// gives a fresh image, so that raw imports display as new images do.
bool defaultHeader(int32_t type, IMHEADER& header) {
    MTHANDLE mt = MTCreate(1, 1, type);
    if (!mt) return false;
    IMHANDLE im = IMCreateFromMatrix(mt);
    if (!im) {
        MTDestroy(mt);
        return false;
    }
    header = *IMGetHeaderPointer(im);
    IMDestroy(im);
    return true;
}

ImageRef readRaw(const std::string& path, const Options& options, PMHANDLE palettes) {
    const std::vector<std::string> parts = split(options.text("raw"), ',');
    if (parts.size() < 3 || parts.size() > 5)
        throw UsageError("--raw needs W,H,TYPE[,OFFSET[,SWAP]]");
    const std::optional<int32_t> w = parseInteger(parts[0]), h = parseInteger(parts[1]);
    if (!w || !h || *w <= 0 || *h <= 0) throw UsageError("--raw: width and height must be above 0");
    qd::RawImportRequest request;
    if (!defaultHeader(parseType(parts[2]), request.header))
        throw FileError("out of memory reading " + path);
    request.header.Width = *w;
    request.header.Height = *h;
    if (parts.size() > 3) {
        // Offsets beyond 2 GiB are fine: the file's size bounds them.
        const std::optional<double> offset = parseNumber(parts[3]);
        if (!offset || *offset < 0 || *offset != std::floor(*offset) || *offset > 9e15)
            throw UsageError("--raw: the offset must be a whole number of bytes, 0 or more");
        request.offset = int64_t(*offset);
    }
    if (parts.size() > 4) {
        const std::optional<int32_t> swap = parseInteger(parts[4]);
        if (!swap || (*swap != 0 && *swap != 1)) throw UsageError("--raw: SWAP is 0 or 1");
        request.swapBytes = *swap == 1;
    }
    errno = 0;
    IMHANDLE im = qd::importRawFile(path, request, palettes);
    if (!im && errno == ENOMEM)
        throw FileError("cannot read " + path + ": " + qd::notEnoughMemoryText(*w, *h));
    if (!im) throw FileError("cannot read " + path + " as raw data of that size");
    return ImageRef(im);
}

// Formats the built-in writers take, by extension as written.
constexpr const char* kBuiltInWriters = ".qdw, .bmp, .raw, .npy";

} // namespace

const qd::CFileFilterList& fileFilters() {
    // Loaded once, on first use; the program's list file is only read.
    static const std::unique_ptr<qd::CFileFilterList> list = [] {
        auto l = std::make_unique<qd::CFileFilterList>(qd::settingsFile(qd::kFileFilterListFile));
        l->load();
        l->loadShipped(qd::shippedFilterFolder());
        return l;
    }();
    return *list;
}

std::string typeName(int32_t type) {
    for (const TypeName& t : kTypes)
        if (t.code == type) return t.name;
    return std::to_string(type);
}

int32_t parseType(const std::string& text) {
    for (const TypeName& t : kTypes)
        if (text == t.name) return t.code;
    if (const std::optional<int32_t> code = parseInteger(text))
        for (const TypeName& t : kTypes)
            if (t.code == *code) return *code;
    throw UsageError("unknown type \"" + text + "\"");
}

ImageRef& ImageRef::operator=(ImageRef&& o) noexcept {
    if (this != &o) {
        if (im_) IMDestroy(im_);
        im_ = o.release();
    }
    return *this;
}
ImageRef::~ImageRef() {
    if (im_) IMDestroy(im_);
}
IMHANDLE ImageRef::release() {
    IMHANDLE im = im_;
    im_ = nullptr;
    return im;
}

ImageRef readInput(const std::string& path, const Options& options, PMHANDLE palettes) {
    ImageRef image;
    if (options.has("raw")) {
        image = readRaw(path, options, palettes);
    } else {
        qd::OpenHooks hooks;
        hooks.palettes = palettes;
        hooks.fileFilters = [](const std::string& p, const std::string& extension) {
            return fileFilters().open(nullptr, p, extension);
        };
        const qd::OpenedImage opened = qd::openDocumentFile(path, hooks);
        if (opened.outOfMemory)
            throw FileError("cannot read " + path + ": " + qd::notEnoughMemoryText(opened.width, opened.height));
        image = ImageRef(opened.image);
        if (!image.get()) throw FileError("cannot read " + path);
    }
    if (options.has("as")) {
        const int32_t type = parseType(options.text("as"));
        // Values do not carry over between colours and grey levels: the
        // value path would give a black image. greyscale, channel and
        // ColorMakeRGB2D do those conversions.
        if ((type == MT_RGB) != (IMIsRgb(image.get()) != 0))
            throw UsageError("--as cannot turn " + typeName(MTGetFlags(IMGetDataHandle(image.get()))) + " into " +
                             typeName(type) + " values");
        if (!convertImage(image.get(), type)) throw FileError("out of memory converting " + path);
        IMSetPalette(image.get(), palettes);
        IMDefaultRange(image.get(), 1);
        IMPrepareBitmap(image.get());
    }
    return image;
}

bool convertImage(IMHANDLE im, int32_t type) {
    MTHANDLE from = IMGetDataHandle(im);
    if (MTGetFlags(from) == type) return true;
    const int32_t w = MTGetWidth(from), h = MTGetHeight(from);
    MTHANDLE to = MTCreate(w, h, type);
    if (!to) return false;
    const bool rgb = MTIsRgb(from) || MTIsRgb(to);
    const bool complex = MTIsComplex(to);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            if (rgb)
                MTSetRgb(to, x, y, MTRgb(from, x, y));
            else if (complex)
                MTSetComplex(to, x, y, MTComplex(from, x, y));
            else
                MTSetReal(to, x, y, MTReal(from, x, y));
        }
    MTHANDLE old = IMSetDataHandle(im, to);
    if (!old) {
        MTDestroy(to);
        return false;
    }
    MTDestroy(old);
    return true;
}

void applyDisplayOptions(IMHANDLE im, const Options& options) {
    if (options.has("display-type")) {
        IMSetDrawType(im, options.integer("display-type"));
        if (!options.has("range")) IMDefaultRange(im, 0);
    }
    if (options.has("range")) {
        const std::vector<double> range = options.numbers("range", 2);
        IMSetInitialValue(im, range[0]);
        IMSetFinalValue(im, range[1]);
    }
    IMPrepareBitmap(im);
}

void checkOutputPath(const std::string& path) {
    if (qd::writerForPath(path) != qd::ImageWriter::FileFilter ||
        fileFilters().canSave(qd::lowerCase(qd::fileExtension(path))))
        return;
    std::string names = kBuiltInWriters;
    const qd::CFileFilterList& filters = fileFilters();
    for (int i = 0; i < filters.count(); ++i)
        if (filters.at(i).canSave()) names += ", ." + filters.at(i).extensionName();
    throw UsageError("cannot write " + path + ": the name must end in one of " + names);
}

void writeImage(IMHANDLE im, const std::string& path) {
    checkOutputPath(path);
    qd::SaveHooks hooks;
    hooks.fileFilters = [](IMHANDLE image, const std::string& p, const std::string& extension) {
        return fileFilters().save(nullptr, image, p, extension);
    };
    if (!qd::saveDocumentFile(im, path, hooks)) throw FileError("cannot write " + path);
}

} // namespace qdcli
