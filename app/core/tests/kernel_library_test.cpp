#include "qd/core/kernel_library.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Each test gets a fresh settings directory.
class KernelLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("qd-kernels-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        ::setenv("QD_SETTINGS_DIR", dir_.c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("QD_SETTINGS_DIR");
        fs::remove_all(dir_);
    }
    std::string file(const char* name) const { return (dir_ / name).string(); }
    std::vector<uint8_t> bytes(const char* name) const {
        std::ifstream in(file(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void writeBytes(const char* name, const std::vector<uint8_t>& b) const {
        std::ofstream(file(name), std::ios::binary).write(reinterpret_cast<const char*>(b.data()),
                                                          std::streamsize(b.size()));
    }
    fs::path dir_;
};

CONVKERNEL convKernel(const char* name, int32_t n, double divisor, std::vector<double>& w) {
    CONVKERNEL k{};
    std::strncpy(k.name, name, sizeof k.name - 1);
    k.N = n;
    k.divisor = divisor;
    k.weights = w.data();
    return k;
}

MMKERNEL mmKernel(const char* name, int32_t n, std::vector<int32_t>& v) {
    MMKERNEL k{};
    std::strncpy(k.name, name, sizeof k.name - 1);
    k.N = n;
    k.values = v.data();
    return k;
}

// Little-endian record bytes as the file holds them.
void put32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}
void putName(std::vector<uint8_t>& b, const char* name) {
    std::vector<uint8_t> field(128, 0);
    std::memcpy(field.data(), name, std::strlen(name));
    b.insert(b.end(), field.begin(), field.end());
}

} // namespace

TEST_F(KernelLibraryTest, BuiltInConvolutionKernels) {
    qd::CKernelLibrary lib;
    ASSERT_EQ(lib.count(), 11);
    const char* names[] = {"Low pass",  "Gaussian",  "High pass", "Laplacian", "Sharpen", "Prewitt N",
                           "Prewitt E", "Sobel N",   "Sobel E",   "Kirsch N",  "Kirsch E"};
    for (int32_t i = 0; i < 11; ++i) {
        EXPECT_STREQ(lib.at(i)->name, names[i]);
        EXPECT_EQ(lib.at(i)->N, 3);
        EXPECT_TRUE(lib.isBuiltIn(i));
    }
    const CONVKERNEL* sharpen = lib.find("Sharpen");
    ASSERT_NE(sharpen, nullptr);
    EXPECT_EQ(sharpen->divisor, 7);
    EXPECT_EQ(sharpen->weights[4], 15);
    EXPECT_EQ(sharpen->weights[8], -1);
    const CONVKERNEL* kirsch = lib.find("Kirsch E");
    const double kirschE[9] = {-5, 3, 3, -5, 0, 3, -5, 3, 3};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(kirsch->weights[i], kirschE[i]);
    EXPECT_EQ(lib.find("Gaussian")->divisor, 16);
    EXPECT_EQ(lib.find("Sobel N")->weights[7], -2);
    EXPECT_EQ(lib.at(11), nullptr);
    EXPECT_EQ(lib.at(-1), nullptr);
}

TEST_F(KernelLibraryTest, BuiltInMorphologyKernels) {
    qd::CMMKernelLibrary lib;
    ASSERT_EQ(lib.count(), 5);
    EXPECT_STREQ(lib.at(0)->name, "Diamond (3 X 3)");
    EXPECT_STREQ(lib.at(4)->name, "Rectangle (5 X 5)");
    const MMKERNEL* circle = lib.find("Circle (5 X 5)", 5);
    ASSERT_NE(circle, nullptr);
    int32_t sum = 0;
    for (int i = 0; i < 25; ++i) sum += circle->values[i];
    EXPECT_EQ(sum, 21);
    EXPECT_EQ(circle->values[0], 0);
    EXPECT_EQ(circle->values[24], 0);
    const MMKERNEL* diamond5 = lib.find("Diamond (5 X 5)");
    const int32_t row1[5] = {0, 1, 1, 1, 0};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(diamond5->values[5 + i], row1[i]);
    EXPECT_EQ(lib.find("Circle (5 X 5)", 3), nullptr);
}

TEST_F(KernelLibraryTest, UserKernelsRoundTripThroughTheFile) {
    std::vector<double> w = {0.5, -1, 2, 3, 4, 5, 6, 7, 8.25, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    std::vector<int32_t> v = {1, 0, 1, 0};
    {
        qd::CKernelLibrary conv;
        qd::CMMKernelLibrary mm;
        const CONVKERNEL k = convKernel("mine", 5, 0.5, w);
        CONVKERNEL* copy = conv.add(k);
        ASSERT_NE(copy, nullptr);
        EXPECT_NE(copy->weights, w.data());  // the library owns its copy
        EXPECT_EQ(conv.count(), 12);
        ASSERT_NE(mm.add(mmKernel("even", 2, v)), nullptr);
    }  // both files are written here
    // Only the user kernels are stored: 128 + 4 + 8 + 8 x 25 bytes.
    EXPECT_EQ(bytes("QDKernel.dat").size(), 340u);
    EXPECT_EQ(bytes("QDMMKernel.dat").size(), 148u);
    qd::CKernelLibrary conv;
    qd::CMMKernelLibrary mm;
    ASSERT_EQ(conv.count(), 12);
    const CONVKERNEL* k = conv.at(11);
    EXPECT_STREQ(k->name, "mine");
    EXPECT_EQ(k->N, 5);
    EXPECT_EQ(k->divisor, 0.5);
    for (int i = 0; i < 25; ++i) EXPECT_EQ(k->weights[i], w[size_t(i)]);
    ASSERT_EQ(mm.count(), 6);
    EXPECT_EQ(mm.at(5)->N, 2);
    EXPECT_EQ(mm.at(5)->values[2], 1);
    EXPECT_EQ(mm.at(5)->values[3], 0);
}

TEST_F(KernelLibraryTest, FileLayoutIsLittleEndianWithoutPadding) {
    std::vector<int32_t> v = {7};
    {
        qd::CMMKernelLibrary mm;
        mm.add(mmKernel("one", 1, v));
    }
    const std::vector<uint8_t> b = bytes("QDMMKernel.dat");
    ASSERT_EQ(b.size(), 136u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.data())), "one");
    EXPECT_EQ(b[128], 1);
    EXPECT_EQ(b[129] | b[130] | b[131], 0);
    EXPECT_EQ(b[132], 7);
}

TEST_F(KernelLibraryTest, DuplicateNamesFindTheFirst) {
    std::vector<double> w(25, 1.0), w3(9, 2.0);
    {
        qd::CKernelLibrary conv;
        conv.add(convKernel("Low pass", 5, 25, w));
        conv.add(convKernel("Low pass", 3, 1, w3));
    }
    qd::CKernelLibrary conv;
    ASSERT_EQ(conv.count(), 13);
    EXPECT_EQ(conv.indexOf("Low pass"), 0);
    EXPECT_EQ(conv.indexOf("Low pass", 3), 0);
    EXPECT_EQ(conv.indexOf("Low pass", 5), 11);
    EXPECT_EQ(conv.find("Low pass", 5)->divisor, 25);
    EXPECT_EQ(conv.indexOf("low pass"), -1);
    EXPECT_EQ(conv.find("Nothing"), nullptr);
}

TEST_F(KernelLibraryTest, RemovesUserKernelsOnly) {
    std::vector<int32_t> v(9, 1);
    qd::CMMKernelLibrary mm;
    mm.add(mmKernel("a", 3, v));
    mm.add(mmKernel("b", 3, v));
    EXPECT_FALSE(mm.remove(4));
    EXPECT_FALSE(mm.remove(7));
    EXPECT_TRUE(mm.remove(5));
    ASSERT_EQ(mm.count(), 6);
    EXPECT_STREQ(mm.at(5)->name, "b");
    ASSERT_TRUE(mm.save());
    EXPECT_EQ(bytes("QDMMKernel.dat").size(), 132u + 36u);
}

TEST_F(KernelLibraryTest, CutOffLastRecordIsDropped) {
    std::vector<uint8_t> b;
    putName(b, "whole");
    put32(b, 1);
    put32(b, 1);
    putName(b, "cut");
    put32(b, 3);
    put32(b, 1);  // 8 of the 36 value bytes are missing
    writeBytes("QDMMKernel.dat", b);
    qd::CMMKernelLibrary mm;
    ASSERT_EQ(mm.count(), 6);
    EXPECT_STREQ(mm.at(5)->name, "whole");
    // A file shorter than one name and dimension holds nothing.
    writeBytes("QDKernel.dat", std::vector<uint8_t>(100, 'x'));
    EXPECT_EQ(qd::CKernelLibrary().count(), 11);
}

TEST_F(KernelLibraryTest, ImpossibleDimensionsEndTheReading) {
    for (uint32_t n : {0u, 256u, 0xFFFFFFFFu, 0x7FFFFFFFu}) {
        std::vector<uint8_t> b;
        putName(b, "ok");
        put32(b, 1);
        put32(b, 5);
        putName(b, "bad");
        put32(b, n);
        b.resize(b.size() + 4096, 0);
        writeBytes("QDMMKernel.dat", b);
        qd::CMMKernelLibrary mm;
        EXPECT_EQ(mm.count(), 6) << n;
        mm.remove(5);  // keep the hand-made file from being rewritten with it
    }
}

TEST_F(KernelLibraryTest, NamesFromTheFileAreTerminated) {
    std::vector<uint8_t> b(128, 'A');
    put32(b, 1);
    put32(b, 1);
    writeBytes("QDMMKernel.dat", b);
    qd::CMMKernelLibrary mm;
    ASSERT_EQ(mm.count(), 6);
    EXPECT_EQ(std::strlen(mm.at(5)->name), 127u);
}

TEST_F(KernelLibraryTest, AddRefusesKernelsTheFileCannotHold) {
    std::vector<double> w(9, 1.0);
    qd::CKernelLibrary conv;
    EXPECT_EQ(conv.add(convKernel("zero", 0, 1, w)), nullptr);
    EXPECT_EQ(conv.add(convKernel("huge", 256, 1, w)), nullptr);
    CONVKERNEL none = convKernel("none", 3, 1, w);
    none.weights = nullptr;
    EXPECT_EQ(conv.add(none), nullptr);
    EXPECT_EQ(conv.count(), 11);
}

TEST_F(KernelLibraryTest, MissingSettingsDirectoryIsCreatedOnSave) {
    const std::string nested = file("sub/dir/QDKernel.dat");
    std::vector<double> w(9, 3.0);
    {
        qd::CKernelLibrary conv(nested);
        conv.add(convKernel("x", 3, 1, w));
    }
    EXPECT_TRUE(fs::exists(nested));
    EXPECT_EQ(qd::CKernelLibrary(nested).count(), 12);
}
