#pragma once

// Opening and saving image documents: which reader is tried on a file, which
// writer a path selects. The program and the command-line tool both call
// these; what needs a user or a loaded library (file filters, the raw import
// dialog) comes in through hooks, so everything here runs without widgets.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include <qd/image.h>

namespace qd {

// Extension of the path's file name with its dot, as written (".Raw"); empty
// when the name has none.
std::string fileExtension(const std::string& path);

// ASCII lower case, as file-filter extensions are compared.
std::string lowerCase(std::string text);

// ---- Opening ----

// What the raw import dialog answers.
struct RawImportRequest {
    IMHEADER header{};       // Width, Height and DataType of the image to make,
                             // with any other settings it should start with
    int64_t offset = 0;      // bytes of file header to skip
    bool swapBytes = false;  // file byte order differs from ours
};

struct OpenHooks {
    // Palette list for the display of native, NumPy and raw images (may be
    // null).
    PMHANDLE palettes = nullptr;
    // The installed file filters: asked with the path and its lower-cased
    // extension (".tif"), they return a new image (ownership passes to the
    // caller) or null when no filter for it can open the file.
    std::function<IMHANDLE(const std::string& path, const std::string& extension)> fileFilters;
    // The raw import dialog for the path: the image to make, or nothing when
    // the user cancels.
    std::function<std::optional<RawImportRequest>(const std::string& path)> rawImport;
};

enum class ImageReader { None, Bitmap, Tiff, Native, NumPy, FileFilter, RawImport };

struct OpenedImage {
    IMHANDLE image = nullptr; // owned by the caller; null when nothing opened
    ImageReader reader = ImageReader::None;
    // The reader knew the file but its image could not be allocated; the
    // size is the image's when the reader's header tells it (else 0 x 0).
    bool outOfMemory = false;
    int32_t width = 0;
    int32_t height = 0;
};

// Tries the readers in this fixed order, the first that succeeds giving the
// image, rendered and ready to show:
//   1. the bitmap reader, by content;
//   2. the TIFF reader;
//   3. the native reader (.qdw), displayed with the palette list;
//   4. the NumPy reader, by its signature;
//   5. the file filters hook;
//   6. the raw import hook, then the raw import itself (importRawFile).
// When none succeeds the result holds a null image and no reader; nothing is
// reported, as the program shows no message in that case. A reader that
// fails for want of memory ends the search (no raw import is offered for a
// file that was understood): the result names that reader and outOfMemory.
OpenedImage openDocumentFile(const std::string& path, const OpenHooks& hooks);

// Makes the image a raw import request describes and fills it from the
// file: created from the request's header, filled from the offset,
// byte-swapped if asked, given the palette list, the quick default range and
// rendered. Null when the header makes no image or the file does not hold
// the whole data block after the offset (refused before anything is
// allocated).
IMHANDLE importRawFile(const std::string& path, const RawImportRequest& request,
                       PMHANDLE palettes);

// The warning for an image that cannot be allocated: "Not enough memory for
// a W X H image", or for the named file when the size is not known.
std::string notEnoughMemoryText(int32_t width, int32_t height, const std::string& fileName = {});

// ---- Saving ----

enum class ImageWriter { Native, Bitmap, Raw, NumPy, FileFilter };

// The writer a path selects by its extension, compared as written:
// ".qdw"/".QDW" native, ".bmp"/".BMP" the displayed bitmap, ".raw"/".RAW" the
// data block, ".npy"/".NPY" NumPy; anything else (".Raw" included) goes to the
// file filters.
ImageWriter writerForPath(const std::string& path);

struct SaveHooks {
    // The installed file filters: asked with the image, the path and its
    // lower-cased extension; true when a filter saved the file.
    std::function<bool(IMHANDLE image, const std::string& path, const std::string& extension)>
        fileFilters;
};

// Saves the image with the writer writerForPath chooses, through a
// temporary file renamed over the old one (see AtomicFile). False on
// failure, without a message, and the old file is as it was (the program
// leaves the document's flags, path and title as they were).
bool saveDocumentFile(IMHANDLE image, const std::string& path, const SaveHooks& hooks);

// Writes the image's data block as it stands, without any header.
bool writeRawFile(IMHANDLE image, const std::string& path);

} // namespace qd
