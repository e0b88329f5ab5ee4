// Reader order for opening a document file and writer choice for saving.
#include <qd/core/document_files.h>

#include <qd/core/atomic_file.h>
#include <qd/core/bitmap_file.h>
#include <qd/core/npy_file.h>
#include <qd/tiff.h>

#include "checked_file.h"

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
        if (!file.isOpen() || rowBytes > detail::kMaxBlockBytes / h.Height ||
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

OpenedImage openDocumentFile(const std::string& path, const OpenHooks& hooks) {
    if (IMHANDLE im = readBitmapFile(path)) return {im, ImageReader::Bitmap};
    if (IMHANDLE im = OpenTiff(path.c_str())) return {im, ImageReader::Tiff};
    if (IMHANDLE im = IMCreateFromFile(path.c_str())) {
        IMSetPalette(im, hooks.palettes);
        IMPrepareBitmap(im);
        return {im, ImageReader::Native};
    }
    if (isNpyFile(path))
        if (IMHANDLE im = readNpyImage(path, hooks.palettes)) return {im, ImageReader::NumPy};
    if (hooks.fileFilters)
        if (IMHANDLE im = hooks.fileFilters(path, lowerCase(fileExtension(path))))
            return {im, ImageReader::FileFilter};
    if (hooks.rawImport)
        if (const std::optional<RawImportRequest> request = hooks.rawImport(path))
            if (IMHANDLE im = importRawFile(path, *request, hooks.palettes))
                return {im, ImageReader::RawImport};
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
