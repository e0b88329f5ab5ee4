// The built filter modules as the program loads them: one extension each,
// the four entry points and nothing else, and files through them both ways.
#include <dlfcn.h>

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

} // namespace
} // namespace filters_test
