// Reader order on open and writer choice on save.
#include <gtest/gtest.h>

#include <cerrno>

#include <qd/core/bitmap_file.h>
#include <qd/core/document_files.h>
#include <qd/core/npy_file.h>

#include "file_fixtures.h"

using namespace fixtures;
using qd::ImageReader;
using qd::ImageWriter;

namespace {

// Hooks that record whether and how they were asked.
struct RecordingHooks {
    int filterCalls = 0;
    int rawCalls = 0;
    std::string filterExtension;
    std::optional<qd::RawImportRequest> rawAnswer;

    qd::OpenHooks hooks() {
        qd::OpenHooks h;
        h.fileFilters = [this](const std::string&, const std::string& ext) -> IMHANDLE {
            ++filterCalls;
            filterExtension = ext;
            return nullptr;
        };
        h.rawImport = [this](const std::string&) {
            ++rawCalls;
            return rawAnswer;
        };
        return h;
    }
};

ImagePtr smallImage(int32_t type) {
    MTHANDLE mt = MTCreate(3, 2, type);
    MTSetRealInt(mt, 2, 1, 1);
    ImagePtr im(IMCreateFromMatrix(mt));
    IMDefaultRange(im.get(), 0);
    IMPrepareBitmap(im.get());
    return im;
}

TEST(DocumentFiles, ExtensionsAsWrittenAndLowerCased) {
    EXPECT_EQ(qd::fileExtension("dir.x/name.Raw"), ".Raw");
    EXPECT_EQ(qd::fileExtension("dir.x/name"), "");
    EXPECT_EQ(qd::fileExtension("a.b.qdw"), ".qdw");
    EXPECT_EQ(qd::lowerCase(".TiF"), ".tif");
}

TEST(DocumentFiles, WriterByExtensionComparedAsWritten) {
    EXPECT_EQ(qd::writerForPath("a.qdw"), ImageWriter::Native);
    EXPECT_EQ(qd::writerForPath("a.QDW"), ImageWriter::Native);
    EXPECT_EQ(qd::writerForPath("a.bmp"), ImageWriter::Bitmap);
    EXPECT_EQ(qd::writerForPath("a.BMP"), ImageWriter::Bitmap);
    EXPECT_EQ(qd::writerForPath("a.raw"), ImageWriter::Raw);
    EXPECT_EQ(qd::writerForPath("a.RAW"), ImageWriter::Raw);
    EXPECT_EQ(qd::writerForPath("a.npy"), ImageWriter::NumPy);
    EXPECT_EQ(qd::writerForPath("a.Raw"), ImageWriter::FileFilter);
    EXPECT_EQ(qd::writerForPath("a.Bmp"), ImageWriter::FileFilter);
    EXPECT_EQ(qd::writerForPath("raw"), ImageWriter::FileFilter);
}

TEST(DocumentFiles, SaveWritesWithTheChosenWriterAndAsksFiltersForTheRest) {
    ImagePtr im = smallImage(MT_SHORT);
    qd::SaveHooks none;
    // Raw: the data block as it stands, 3 x 2 shorts.
    const std::string raw = tempPath("saved.RAW");
    ASSERT_TRUE(qd::saveDocumentFile(im.get(), raw, none));
    std::vector<uint8_t> expected(12, 0);
    expected[10] = 1;
    EXPECT_EQ(slurp(raw), expected);
    // Mixed case finds no writer and, without filters, fails.
    EXPECT_FALSE(qd::saveDocumentFile(im.get(), tempPath("saved.Raw"), none));

    std::string askedExtension;
    qd::SaveHooks filters;
    filters.fileFilters = [&](IMHANDLE, const std::string&, const std::string& ext) {
        askedExtension = ext;
        return true;
    };
    EXPECT_TRUE(qd::saveDocumentFile(im.get(), tempPath("saved.Raw"), filters));
    EXPECT_EQ(askedExtension, ".raw");

    const std::string native = tempPath("saved.qdw");
    ASSERT_TRUE(qd::saveDocumentFile(im.get(), native, none));
    EXPECT_EQ(slurp(native).size(), 2704u + 12);
    ASSERT_TRUE(qd::saveDocumentFile(im.get(), tempPath("saved.bmp"), none));
    ASSERT_TRUE(qd::saveDocumentFile(im.get(), tempPath("saved.npy"), none));
    EXPECT_FALSE(qd::saveDocumentFile(im.get(), tempPath("no/dir/saved.qdw"), none));
}

TEST(DocumentFiles, EachReaderOpensItsOwnFormat) {
    ImagePtr im = smallImage(MT_UCHAR);
    qd::SaveHooks none;
    const struct {
        const char* name;
        ImageReader reader;
    } cases[] = {{"doc.bmp", ImageReader::Bitmap},
                 {"doc.qdw", ImageReader::Native},
                 {"doc.npy", ImageReader::NumPy}};
    for (const auto& c : cases) {
        const std::string path = tempPath(c.name);
        ASSERT_TRUE(qd::saveDocumentFile(im.get(), path, none));
        RecordingHooks rec;
        qd::OpenedImage opened = qd::openDocumentFile(path, rec.hooks());
        ImagePtr owner(opened.image);
        ASSERT_TRUE(owner) << c.name;
        EXPECT_EQ(opened.reader, c.reader) << c.name;
        EXPECT_EQ(IMRealInt(owner.get(), 2, 1), c.reader == ImageReader::Bitmap ? 255 : 1);
        EXPECT_EQ(rec.filterCalls + rec.rawCalls, 0);
    }
    // A TIFF by content, whatever its name.
    const std::vector<uint8_t> tiff = {'I', 'I', 42, 0, 8, 0, 0, 0, 5, 0,
                                       0, 1, 3, 0, 1, 0, 0, 0, 1, 0, 0, 0,   // width 1
                                       1, 1, 3, 0, 1, 0, 0, 0, 1, 0, 0, 0,   // height 1
                                       2, 1, 3, 0, 1, 0, 0, 0, 8, 0, 0, 0,   // 8 bits
                                       17, 1, 4, 0, 1, 0, 0, 0, 74, 0, 0, 0, // strip at 74
                                       23, 1, 4, 0, 1, 0, 0, 0, 1, 0, 0, 0,  // of one byte
                                       0, 0, 0, 0, 0x5A};
    qd::OpenedImage t = qd::openDocumentFile(spill("doc.dat", tiff), {});
    ImagePtr tOwner(t.image);
    EXPECT_EQ(t.reader, ImageReader::Tiff);
    ASSERT_TRUE(tOwner);
    EXPECT_EQ(IMRealInt(tOwner.get(), 0, 0), 0x5A);
}

TEST(DocumentFiles, SixteenBitBitmapFallsThroughToFiltersThenRawImport) {
    Bitmap b;
    b.width = 2, b.height = 1, b.bits = 16;
    b.rows = {{1, 0, 2, 0}};
    const std::string path = spill("deep.BMP", b.bytes());
    RecordingHooks rec;
    qd::OpenedImage none = qd::openDocumentFile(path, rec.hooks());
    EXPECT_EQ(none.image, nullptr);
    EXPECT_EQ(none.reader, ImageReader::None);
    EXPECT_EQ(rec.filterCalls, 1);
    EXPECT_EQ(rec.filterExtension, ".bmp");
    EXPECT_EQ(rec.rawCalls, 1);

    // The raw import dialog answers: 2 x 1 big-endian shorts after 54 bytes.
    qd::RawImportRequest request;
    request.header.Width = 2, request.header.Height = 1, request.header.DataType = MT_USHORT;
    request.offset = 54;
    request.swapBytes = true;
    rec.rawAnswer = request;
    qd::OpenedImage raw = qd::openDocumentFile(path, rec.hooks());
    ImagePtr owner(raw.image);
    ASSERT_TRUE(owner);
    EXPECT_EQ(raw.reader, ImageReader::RawImport);
    EXPECT_EQ(IMRealInt(owner.get(), 0, 0), 0x0100);
    EXPECT_EQ(IMRealInt(owner.get(), 1, 0), 0x0200);

    // A request the file cannot fill makes no image.
    request.header.Width = 1000;
    rec.rawAnswer = request;
    EXPECT_EQ(qd::openDocumentFile(path, rec.hooks()).image, nullptr);
    request.header.Width = 0x7FFFFFFF, request.header.Height = 0x7FFFFFFF;
    EXPECT_EQ(qd::importRawFile(path, request, nullptr), nullptr);
}

TEST(DocumentFiles, FilterImageIsUsedBeforeRawImport) {
    RecordingHooks rec;
    qd::OpenHooks hooks = rec.hooks();
    hooks.fileFilters = [](const std::string&, const std::string& ext) -> IMHANDLE {
        return ext == ".xyz" ? IMCreateFromMatrix(MTCreate(4, 4, MT_FLOAT)) : nullptr;
    };
    qd::OpenedImage opened = qd::openDocumentFile(spill("thing.XYZ", {1, 2, 3}), hooks);
    ImagePtr owner(opened.image);
    EXPECT_EQ(opened.reader, ImageReader::FileFilter);
    EXPECT_EQ(rec.rawCalls, 0);
}

} // namespace

TEST(DocumentFiles, ImageThatCannotBeAllocatedIsRefusedWithItsSize) {
    // A sparse file that holds 100000 x 100000 doubles: far beyond memory.
    const std::string path = tempPath("huge.dat");
    std::ofstream(path).put('x');
    ASSERT_EQ(::truncate(path.c_str(), int64_t(100000) * 100000 * 8 + 16), 0);
    RecordingHooks rec;
    qd::RawImportRequest request;
    request.header.Width = 100000, request.header.Height = 100000, request.header.DataType = MT_DOUBLE;
    rec.rawAnswer = request;
    const qd::OpenedImage raw = qd::openDocumentFile(path, rec.hooks());
    EXPECT_EQ(raw.image, nullptr);
    EXPECT_TRUE(raw.outOfMemory);
    EXPECT_EQ(raw.reader, ImageReader::RawImport);
    EXPECT_EQ(qd::notEnoughMemoryText(raw.width, raw.height), "Not enough memory for a 100000 X 100000 image");

    // A reader that understood the file but ran out ends the search: no
    // raw import dialog for it.
    qd::OpenHooks hooks = rec.hooks();
    hooks.fileFilters = [](const std::string&, const std::string&) -> IMHANDLE {
        errno = ENOMEM;
        return nullptr;
    };
    const qd::OpenedImage filtered = qd::openDocumentFile(path, hooks);
    EXPECT_TRUE(filtered.outOfMemory);
    EXPECT_EQ(filtered.reader, ImageReader::FileFilter);
    EXPECT_EQ(rec.rawCalls, 1);
    EXPECT_EQ(qd::notEnoughMemoryText(filtered.width, filtered.height, "huge.dat"), "Not enough memory for huge.dat");
    ::unlink(path.c_str());
}
