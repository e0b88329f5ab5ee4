// JPEG files written by libjpeg: grey and colour read within their loss,
// and saved at quality 95.
#include <cstdio>

#include <jpeglib.h>

#include "filter_fixture.h"
#include "formats.h"

namespace filters_test {
namespace {

namespace jpeg = qd::filters::jpeg;

using JpegTest = FilterTest;

int worstError(IMHANDLE im, uint32_t w, uint32_t h, int components) {
    int worst = 0;
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x)
            for (int c = 0; c < components; ++c) {
                const int got = components == 1 ? int(valueAt(im, x, y)) : int(rgbAt(im, x, y) >> (16 - 8 * c) & 0xFF);
                worst = std::max(worst, std::abs(got - int(smooth(x, y, c))));
            }
    return worst;
}

TEST_F(JpegTest, GreyAndColourOpenWithinTheirLoss) {
    for (int components : {1, 3})
        for (bool progressive : {false, true}) {
            SCOPED_TRACE(testing::Message() << components << (progressive ? " progressive" : ""));
            writeJpeg(path("in.jpg"), 45, 29, components, smooth, progressive);
            Image im(jpeg::open(path("in.jpg").c_str()));
            ASSERT_NE(im, nullptr);
            EXPECT_EQ(MTGetFlags(IMGetDataHandle(im.get())), components == 1 ? MT_UCHAR : MT_RGB);
            EXPECT_EQ(MTGetMaxXIndex(IMGetDataHandle(im.get())), 45);
            EXPECT_LE(worstError(im.get(), 45, 29, components), 6);
            EXPECT_EQ(IMGetFinalValue(im.get()), 256);
        }
}

// The first luminance quantiser: 2 at quality 95, 8 at libjpeg's default 75.
int firstQuantiser(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, f);
    jpeg_read_header(&cinfo, TRUE);
    const int q = cinfo.quant_tbl_ptrs[0] ? cinfo.quant_tbl_ptrs[0]->quantval[0] : -1;
    jpeg_destroy_decompress(&cinfo);
    std::fclose(f);
    return q;
}

TEST_F(JpegTest, GreyAndColourSaveAtQuality95) {
    for (int32_t type : {MT_UCHAR, MT_RGB}) {
        SCOPED_TRACE(type);
        const int components = type == MT_RGB ? 3 : 1;
        writeJpeg(path("in.jpg"), 45, 29, components, smooth);
        Image im(jpeg::open(path("in.jpg").c_str()));
        ASSERT_NE(im, nullptr);
        ASSERT_TRUE(jpeg::save(im.get(), path("out.jpg").c_str()));
        EXPECT_EQ(firstQuantiser(path("out.jpg")), 2);
        Image back(jpeg::open(path("out.jpg").c_str()));
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(MTGetFlags(IMGetDataHandle(back.get())), type);
        EXPECT_LE(worstError(back.get(), 45, 29, components), 8);
    }
    Image wide(IMCreateFromMatrix(MTCreate(4, 4, MT_USHORT)));
    EXPECT_FALSE(jpeg::save(wide.get(), path("wide.jpg").c_str()));
    EXPECT_EQ(files(), (std::vector<std::string>{"in.jpg", "out.jpg"}));
}

} // namespace
} // namespace filters_test
