// Reader order for opening a document file and writer choice for saving.
#include <qd/core/document_files.h>

#include <qd/core/atomic_file.h>
#include <qd/core/bitmap_file.h>
#include <qd/core/npy_file.h>
#include <qd/tiff.h>

#include "checked_file.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstddef>

namespace qd {

std::string fileExtension(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return path.substr(dot);
}

std::string lowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return text;
}

IMHANDLE importRawFile(const std::string& path, const RawImportRequest& request,
                       PMHANDLE palettes) {
    const IMHEADER& h = request.header;
    if (h.Width <= 0 || h.Height <= 0 || request.offset < 0) return nullptr;
    const int64_t rowBytes = MTGetRowBytes(h.DataType, h.Width);
    {
        // The image is made only when the file holds all of it.
        detail::InputFile file(path);
        // The user chose the size: a block the file holds is refused only
        // by the allocation, which reports it.
        if (!file.isOpen() || rowBytes > INT64_MAX / h.Height ||
            !file.contains(request.offset, rowBytes * h.Height))
            return nullptr;
    }
    IMHANDLE im = IMCreateFromHeader(&h);
    if (!im) return nullptr;
    if (!IMImportFile(im, path.c_str(), request.offset)) {
        IMDestroy(im);
        return nullptr;
    }
    if (request.swapBytes) IMSwapBytes(im);
    IMSetPalette(im, palettes);
    IMDefaultRange(im, 1);
    IMPrepareBitmap(im);
    return im;
}

namespace {

// The image size a bitmap or native header announces, for the warning when
// it cannot be allocated.
void readDeclaredSize(const std::string& path, ImageReader reader, OpenedImage& out) {
    detail::InputFile file(path);
    uint8_t head[sizeof(IMHEADER)];
    if (reader == ImageReader::Bitmap && file.readAt(0, head, 26)) {
        out.width = int32_t(detail::le32(head + 18));
        out.height = int32_t(detail::le32(head + 22));
        if (out.height < 0 && out.height != INT32_MIN) out.height = -out.height;
    } else if (reader == ImageReader::Native && file.readAt(0, head, sizeof head)) {
        out.width = int32_t(detail::le32(head + offsetof(IMHEADER, Width)));
        out.height = int32_t(detail::le32(head + offsetof(IMHEADER, Height)));
    }
}

// Runs one reader; true when the search ends here (an image, or a file the
// reader understood but could not allocate).
template <class Read> bool tryReader(const std::string& path, ImageReader reader, Read&& read, OpenedImage& out) {
    errno = 0;
    if ((out.image = read())) {
        out.reader = reader;
        return true;
    }
    if (errno != ENOMEM) return false;
    out.reader = reader;
    out.outOfMemory = true;
    readDeclaredSize(path, reader, out);
    return true;
}

} // namespace

std::string notEnoughMemoryText(int32_t width, int32_t height, const std::string& fileName) {
    if (width > 0 && height > 0)
        return "Not enough memory for a " + std::to_string(width) + " X " + std::to_string(height) + " image";
    return "Not enough memory for " + (fileName.empty() ? std::string("the image") : fileName);
}

OpenedImage openDocumentFile(const std::string& path, const OpenHooks& hooks) {
    OpenedImage out;
    if (tryReader(path, ImageReader::Bitmap, [&] { return readBitmapFile(path); }, out) ||
        tryReader(path, ImageReader::Tiff, [&] { return OpenTiff(path.c_str()); }, out))
        return out;
    const auto native = [&]() -> IMHANDLE {
        IMHANDLE im = IMCreateFromFile(path.c_str());
        if (!im) return nullptr;
        IMSetPalette(im, hooks.palettes);
        IMPrepareBitmap(im);
        return im;
    };
    if (tryReader(path, ImageReader::Native, native, out)) return out;
    if (isNpyFile(path) &&
        tryReader(path, ImageReader::NumPy, [&] { return readNpyImage(path, hooks.palettes); }, out))
        return out;
    if (hooks.fileFilters &&
        tryReader(path, ImageReader::FileFilter, [&] { return hooks.fileFilters(path, lowerCase(fileExtension(path))); },
                  out))
        return out;
    if (!hooks.rawImport) return {};
    const std::optional<RawImportRequest> request = hooks.rawImport(path);
    if (request && tryReader(path, ImageReader::RawImport, [&] { return importRawFile(path, *request, hooks.palettes); }, out)) {
        if (out.outOfMemory) out.width = request->header.Width, out.height = request->header.Height;
        return out;
    }
    return {};
}

ImageWriter writerForPath(const std::string& path) {
    const std::string ext = fileExtension(path);
    if (ext == ".qdw" || ext == ".QDW") return ImageWriter::Native;
    if (ext == ".bmp" || ext == ".BMP") return ImageWriter::Bitmap;
    if (ext == ".raw" || ext == ".RAW") return ImageWriter::Raw;
    if (ext == ".npy" || ext == ".NPY") return ImageWriter::NumPy;
    return ImageWriter::FileFilter;
}

bool writeRawFile(IMHANDLE image, const std::string& path) {
    if (!image) return false;
    MTHANDLE data = IMGetDataHandle(image);
    detail::OutputFile out(path);
    out.write(MTGetPointer(data), MTGetMemorySize(data));
    return out.close();
}

bool saveDocumentFile(IMHANDLE image, const std::string& path, const SaveHooks& hooks) {
    if (!image) return false;
    // The writer is chosen by the path the user named; it writes to a
    // temporary file that keeps the extension, so the old file survives any
    // failure.
    const ImageWriter writer = writerForPath(path);
    const std::string extension = lowerCase(fileExtension(path));
    return replaceFileWith(path, [&](const std::string& temporary) {
        switch (writer) {
        case ImageWriter::Native: return IMWriteFile(image, temporary.c_str()) == 1;
        case ImageWriter::Bitmap: return writeBitmapFile(image, temporary);
        case ImageWriter::Raw: return writeRawFile(image, temporary);
        case ImageWriter::NumPy: return writeNpyMatrix(IMGetDataHandle(image), temporary);
        case ImageWriter::FileFilter:
            return hooks.fileFilters && hooks.fileFilters(image, temporary, extension);
        }
        return false;
    });
}

} // namespace qd
