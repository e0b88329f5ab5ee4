#include "qd/core/kernel_edit.h"
#include "qd/core/kernel_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using qd::KernelFault;
using qd::KernelInput;

TEST(KernelTextFormat, PageShowsWholeNumbersRowByRow) {
    double w[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    CONVKERNEL k{"Low pass", 3, 9, w};
    EXPECT_EQ(qd::kernelEntriesText(k), "1  1  1  \r\n1  1  1  \r\n1  1  1  ");
    double m[4] = {-1, 0.25, 1.5, 2.5};
    CONVKERNEL f{"f", 2, 1, m};
    // The C library rounds half-way cases to the even neighbour.
    EXPECT_EQ(qd::kernelEntriesText(f), "-1  0  \r\n2  2  ");
    EXPECT_EQ(qd::kernelDivisorText(9), "9");
    EXPECT_EQ(qd::kernelDivisorText(0.5), "0");
    EXPECT_EQ(qd::kernelDimText(5), "5 X 5");
    EXPECT_EQ(qd::kernelDimText(63), "63 X 63");
}

TEST(KernelTextFormat, BlankKernelEndsEveryLine) {
    EXPECT_EQ(qd::blankKernelText(3), "0  0  0  \r\n0  0  0  \r\n0  0  0  \r\n");
    EXPECT_EQ(qd::blankKernelText(5).size(), size_t(5 * (5 * 3 + 2)));
}

TEST(KernelTextFormat, EditorKeepsFractionsExactly) {
    EXPECT_EQ(qd::editorValueText(0.5), "0.5");
    EXPECT_EQ(qd::editorValueText(0.25), "0.25");
    EXPECT_EQ(qd::editorValueText(-7), "-7");
    EXPECT_EQ(qd::editorDivisorText(16), "16");
    const double third = 1.0 / 3.0;
    EXPECT_EQ(qd::readKernelNumber(qd::editorValueText(third)), third);
    double w[4] = {1, 0.25, -0.1, 3};
    CONVKERNEL k{"k", 2, 0.5, w};
    EXPECT_EQ(qd::editorEntriesText(k), "1  0.25  \r\n-0.1  3  ");
    EXPECT_EQ(qd::readConvEntries(qd::editorEntriesText(k), 2),
              (std::vector<double>{1, 0.25, -0.1, 3}));
}

TEST(KernelTextRead, LinesGiveTheirEntries) {
    EXPECT_EQ(qd::readConvEntries("1 2 3\r\n4\t5  6\n-7 8.5 +9 10 11\r\n", 3),
              (std::vector<double>{1, 2, 3, 4, 5, 6, -7, 8.5, 9}));
    // Lines after the n-th are not read.
    EXPECT_TRUE(qd::readConvEntries("1\nrest", 1).has_value());
    EXPECT_EQ(qd::readConvEntries(qd::blankKernelText(3), 3), std::vector<double>(9, 0.0));
}

TEST(KernelTextRead, ShortOrNonNumericLinesGiveNothing) {
    EXPECT_FALSE(qd::readConvEntries("1 2 3\n4 5\n7 8 9", 3));
    EXPECT_FALSE(qd::readConvEntries("1 2 3\n4 5 6", 3)); // a line missing
    EXPECT_FALSE(qd::readConvEntries("1 2 3\n\n4 5 6\n7 8 9", 3));
    EXPECT_FALSE(qd::readConvEntries("1 x 3\n4 5 6\n7 8 9", 3));
    EXPECT_FALSE(qd::readConvEntries("1 2 3a\n4 5 6\n7 8 9", 3));
    EXPECT_FALSE(qd::readConvEntries("1,5 2 3\n4 5 6\n7 8 9", 3));
    EXPECT_FALSE(qd::readConvEntries("inf 2 3\n4 5 6\n7 8 9", 3));
    EXPECT_FALSE(qd::readConvEntries("", 1));
}

TEST(KernelTextRead, LineLimit) {
    // Entries past the 512th character of a line are not read, and an entry
    // cut by the limit does not count as a shorter number.
    const std::string line(508, ' ');
    EXPECT_TRUE(qd::readConvEntries(line + "1 2 3\n4 5", 2).has_value());
    EXPECT_FALSE(qd::readConvEntries(line + "1 2 3\n4 5 6\n7 8 9", 3));
    EXPECT_FALSE(qd::readConvEntries(line + "1 234\n4 5", 2));
    EXPECT_EQ(qd::readConvEntries(line + "1 23 x\n4 5", 2), (std::vector<double>{1, 23, 4, 5}));
}

TEST(KernelTextRead, MorphologyEntriesBecomeZeroOrOne) {
    EXPECT_EQ(qd::readMMEntries("2 0\n-3 1", 2), (std::vector<int32_t>{1, 0, 1, 1}));
    EXPECT_FALSE(qd::readMMEntries("1 0.5\n0 1", 2));
    EXPECT_FALSE(qd::readMMEntries("1 x\n0 1", 2));
}

TEST(KernelTextRead, Divisor) {
    EXPECT_EQ(qd::readKernelDivisor("9"), 9.0);
    EXPECT_EQ(qd::readKernelDivisor(" 0.5 "), 0.5);
    EXPECT_EQ(qd::readKernelDivisor("1e-10"), 1e-10);
    EXPECT_EQ(qd::readKernelDivisor("-1e-10"), -1e-10);
    EXPECT_FALSE(qd::readKernelDivisor("9.9e-11"));
    EXPECT_FALSE(qd::readKernelDivisor("0"));
    EXPECT_FALSE(qd::readKernelDivisor("abc"));
    EXPECT_FALSE(qd::readKernelDivisor("2x"));
    EXPECT_FALSE(qd::readKernelDivisor(""));
}

TEST(KernelTextRead, DimensionAndName) {
    EXPECT_EQ(qd::kernelDimFromText("3 X 3"), 3);
    EXPECT_EQ(qd::kernelDimFromText("63 X 63"), 63);
    EXPECT_EQ(qd::kernelDimFromText("X 3"), 0);
    const std::string longName(200, 'a');
    EXPECT_EQ(qd::kernelFieldName(longName), std::string(127, 'a'));
    EXPECT_EQ(qd::kernelFieldName("Mine"), "Mine");
}

class KernelEditTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("qd-kernel-edit-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string file(const char* name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

TEST_F(KernelEditTest, EditedKernelKeepsItsOwnName) {
    qd::CKernelLibrary lib(file("k.dat"));
    qd::ConvKernelData mine{"Mine", 3, 1, std::vector<double>(9, 1.0)};
    qd::ConvKernelData pass{"Low pass", 3, 1, std::vector<double>(9, 2.0)};
    lib.add(mine.record());
    lib.add(pass.record());
    const KernelInput keep{"Mine", 3, "1", qd::blankKernelText(3)};
    qd::ConvKernelData out;
    EXPECT_EQ(qd::checkKernel(lib, keep, 11, out), KernelFault::None);
    EXPECT_EQ(qd::checkKernel(lib, keep, -1, out), KernelFault::Name);
    EXPECT_EQ(qd::checkKernel(lib, {"Gaussian", 3, "1", "0 0 0\n0 0 0\n0 0 0"}, 11, out),
              KernelFault::Name);
    // A user kernel sharing a built-in name may keep it.
    EXPECT_EQ(qd::checkKernel(lib, {"Low pass", 3, "1", "0 0 0\n0 0 0\n0 0 0"}, 12, out),
              KernelFault::None);
    // A name cut to its field is what must be free.
    EXPECT_EQ(qd::checkKernel(lib, {"Mine" + std::string(123, 'x'), 3, "1", "0 0 0\n0 0 0\n0 0 0"},
                              -1, out),
              KernelFault::None);
    lib.add(out.record());
    EXPECT_EQ(qd::checkKernel(lib, {"Mine" + std::string(150, 'x'), 3, "1", "0 0 0\n0 0 0\n0 0 0"},
                              -1, out),
              KernelFault::Name);
}

TEST_F(KernelEditTest, ReplaceInPlaceAndCopies) {
    qd::CKernelLibrary lib(file("k.dat"));
    qd::ConvKernelData mine{"Mine", 2, 1, {1, 2, 3, 4}};
    CONVKERNEL* rec = lib.add(mine.record());
    ASSERT_NE(rec, nullptr);
    qd::ConvKernelData copy = qd::kernelData(*rec);
    EXPECT_EQ(copy.weights, (std::vector<double>{1, 2, 3, 4}));

    EXPECT_TRUE(qd::replaceKernel(*rec, {"Other", 2, 0.5, {0.25, 0, 0, 1}}));
    EXPECT_STREQ(rec->name, "Other");
    EXPECT_EQ(rec->divisor, 0.5);
    EXPECT_EQ(rec->weights[0], 0.25);
    EXPECT_FALSE(qd::replaceKernel(*rec, {"Big", 3, 1, std::vector<double>(9, 1.0)}));
    EXPECT_STREQ(rec->name, "Other");
    // The copy does not follow the library.
    EXPECT_EQ(copy.name, "Mine");
    EXPECT_EQ(copy.weights[0], 1.0);
}

} // namespace
