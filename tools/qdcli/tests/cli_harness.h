// Runs the qdcli binary as a process in a scratch directory of its own, and
// builds and reads the matrices of its input and output files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <qd/image.h>

namespace cli {

struct MatrixDeleter {
    void operator()(QDMatrix* m) const { MTDestroy(m); }
};
using Matrix = std::unique_ptr<QDMatrix, MatrixDeleter>;
struct ImageDeleter {
    void operator()(QDImage* im) const { IMDestroy(im); }
};
using Image = std::unique_ptr<QDImage, ImageDeleter>;

struct Outcome {
    int code = -1;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // qdcli with these arguments, in the scratch directory.
    Outcome run(const std::vector<std::string>& args);
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    bool exists(const std::string& name) const { return std::filesystem::exists(dir_ / name); }
    // Names in the scratch directory, to prove nothing was left behind.
    std::vector<std::string> files() const;

    // Writes a matrix as .npy and returns the file name.
    std::string npy(const std::string& name, MTHANDLE m);
    Matrix readNpy(const std::string& name);

    std::filesystem::path dir_;
};

// width x height of type, element (x, y) = value(x, y) (stored through the
// value path; complex matrices get value(x, y) / 3 as imaginary part).
Matrix makeMatrix(int32_t w, int32_t h, int32_t type, const std::function<double(int32_t, int32_t)>& value);
// Scattered values 0 .. 199 of a fixed seed.
Matrix noise(int32_t w, int32_t h, int32_t type, uint32_t seed = 7);

// Same type, size and every element (both parts, or the RGB value).
::testing::AssertionResult sameMatrix(MTHANDLE expected, MTHANDLE actual);

} // namespace cli
