#include <gtest/gtest.h>

extern "C" int image_c_api_smoke(void);

TEST(CInterface, HeaderWorksFromC) { EXPECT_EQ(image_c_api_smoke(), 1); }
