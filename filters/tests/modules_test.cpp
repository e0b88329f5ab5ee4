// The built filter modules as the program loads them: one extension each,
// the four entry points and nothing else, and files through them both ways.
#include <dlfcn.h>

#include <qd/core/document_files.h>
#include <qd/core/file_filter_list.h>

#include "filter_fixture.h"

namespace filters_test {
namespace {

struct Module {
    explicit Module(const std::string& extension)
        : handle(dlopen((std::string(QD_FILTER_MODULES "/") + extension + "_filter.so").c_str(),
                        RTLD_NOW | RTLD_LOCAL)) {}
    ~Module() {
        if (handle) dlclose(handle);
    }
    template <typename F> F get(const char* name) const { return reinterpret_cast<F>(dlsym(handle, name)); }
    void* handle;
};

using TextFn = const char* (*)();
using OpenFn = IMHANDLE (*)(void*, const char*);
using SaveFn = int (*)(void*, IMHANDLE, const char*);

using ModulesTest = FilterTest;

TEST_F(ModulesTest, EachModuleNamesItsExtensionAndExportsTheContractOnly) {
    const std::pair<const char*, const char*> modules[] = {
        {"tif", "TIFF image"}, {"tiff", "TIFF image"}, {"png", "PNG image"}, {"jpg", "JPEG image"}, {"jpeg", "JPEG image"}};
    for (const auto& [extension, description] : modules) {
        SCOPED_TRACE(extension);
        Module m(extension);
        ASSERT_NE(m.handle, nullptr) << dlerror();
        ASSERT_NE(m.get<TextFn>("GetExtName"), nullptr);
        EXPECT_STREQ(m.get<TextFn>("GetExtName")(), extension);
        EXPECT_STREQ(m.get<TextFn>("GetFileDes")(), description);
        auto open = m.get<OpenFn>("FileOpen");
        auto save = m.get<SaveFn>("FileSave");
        ASSERT_NE(open, nullptr);
        ASSERT_NE(save, nullptr);
        // The format code stays inside.
        EXPECT_EQ(dlsym(m.handle, "_ZN2qd7filters4tiff4openEPKc"), nullptr);
        EXPECT_EQ(dlsym(m.handle, "qdPngRead"), nullptr);

        // Every format takes 8-bit grey; JPEG within its loss.
        MTHANDLE mt = MTCreate(24, 16, MT_UCHAR);
        for (int32_t y = 0; y < 16; ++y)
            for (int32_t x = 0; x < 24; ++x) MTSetReal(mt, x, y, double(smooth(uint32_t(x), uint32_t(y), 0)));
        Image im(IMCreateFromMatrix(mt));
        const std::string file = path(std::string("x.") + extension);
        ASSERT_EQ(save(nullptr, im.get(), file.c_str()), 1);
        Image back(open(nullptr, file.c_str()));
        ASSERT_NE(back, nullptr);
        EXPECT_NEAR(MTReal(IMGetDataHandle(back.get()), 5, 7), MTReal(mt, 5, 7), extension[0] == 'j' ? 6 : 0);
        EXPECT_EQ(open(nullptr, nullptr), nullptr);
        EXPECT_EQ(save(nullptr, nullptr, file.c_str()), 0);
    }
}

// The program's reader order: the built-in TIFF reader keeps the files it
// takes, and the shipped filters get what it refuses.
TEST_F(ModulesTest, ShippedFiltersTakeWhatTheBuiltInReadersRefuse) {
    qd::CFileFilterList filters(path("list.dat"));
    filters.loadShipped(QD_FILTER_MODULES);
    ASSERT_EQ(filters.count(), 5);
    EXPECT_EQ(filters.installedCount(), 0);
    EXPECT_TRUE(filters.canSave(".png"));
    EXPECT_FALSE(filters.canSave(".gif"));
    qd::OpenHooks hooks;
    hooks.fileFilters = [&](const std::string& p, const std::string& ext) { return filters.open(nullptr, p, ext); };

    TiffSpec plain;
    writeTiff(path("plain.tif"), plain, [](uint32_t x, uint32_t y, int) { return x + 10 * y; });
    qd::OpenedImage a = qd::openDocumentFile(path("plain.tif"), hooks);
    Image keepA(a.image);
    EXPECT_EQ(a.reader, qd::ImageReader::Tiff);

    TiffSpec wide;
    wide.bits = 16, wide.compression = COMPRESSION_LZW;
    const auto value = [](uint32_t x, uint32_t y, int) { return uint64_t(x * 5000 + y * 7); };
    writeTiff(path("wide.TIF"), wide, value);
    qd::OpenedImage b = qd::openDocumentFile(path("wide.TIF"), hooks);
    Image keepB(b.image);
    ASSERT_EQ(b.reader, qd::ImageReader::FileFilter);
    EXPECT_EQ(MTGetFlags(IMGetDataHandle(b.image)), MT_USHORT);
    for (uint32_t y = 0; y < wide.height; ++y)
        for (uint32_t x = 0; x < wide.width; ++x) ASSERT_EQ(valueAt(b.image, x, y), double(value(x, y, 0)));

    // Saving by extension goes to the filter, and the file comes back.
    qd::SaveHooks save;
    save.fileFilters = [&](IMHANDLE im, const std::string& p, const std::string& ext) {
        return filters.save(nullptr, im, p, ext);
    };
    ASSERT_TRUE(qd::saveDocumentFile(b.image, path("wide.png"), save));
    Image png(qd::openDocumentFile(path("wide.png"), hooks).image);
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(valueAt(png.get(), 12, 6), double(value(12, 6, 0)));

    // Nothing is written to the list, and a missing folder adds nothing.
    ASSERT_TRUE(filters.write());
    EXPECT_EQ(std::filesystem::file_size(path("list.dat")), 0u);
    qd::CFileFilterList none(path("none.dat"));
    none.loadShipped(path("no-such-folder"));
    EXPECT_EQ(none.count(), 0);
}

} // namespace
} // namespace filters_test
