// Every reader over the damaged-file corpus (testdata/damaged): each file must
// be refused, and under the sanitizers without any bad access or leak.
#include <gtest/gtest.h>

#include <filesystem>

#include <qd/core/bitmap_file.h>
#include <qd/core/document_files.h>
#include <qd/core/npy_file.h>
#include <qd/tiff.h>

namespace {

std::vector<std::string> corpus() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(QD_TESTDATA_DIR "/damaged"))
        if (entry.is_regular_file() && entry.path().extension() != ".py")
            files.push_back(entry.path().string());
    return files;
}

TEST(DamagedCorpus, EveryReaderRefusesEveryFile) {
    const std::vector<std::string> files = corpus();
    ASSERT_GE(files.size(), 50u);
    for (const std::string& path : files) {
        const char* p = path.c_str();
        EXPECT_EQ(qd::readBitmapFile(path), nullptr) << path;
        EXPECT_EQ(OpenTiff(p), nullptr) << path;
        EXPECT_EQ(IMCreateFromFile(p), nullptr) << path;
        std::string error;
        EXPECT_EQ(qd::readNpyMatrix(path, &error), nullptr) << path;
        EXPECT_FALSE(error.empty()) << path;
        EXPECT_EQ(qd::openDocumentFile(path, {}).image, nullptr) << path;
    }
}

} // namespace
