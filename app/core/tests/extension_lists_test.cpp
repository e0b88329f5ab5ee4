// The plug-in and file-filter list files: fixed records, damaged ends and
// fields without their terminator.
#include <qd/core/extension_lists.h>

#include <fstream>
#include <gtest/gtest.h>

#include "file_fixtures.h"

namespace {

std::string file(const char* name) { return (fixtures::scratchDir() / name).string(); }

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string field(const std::string& text, char fill = '\0') {
    std::string f = text;
    f.resize(qd::kListFieldSize, fill);
    return f;
}

TEST(ExtensionLists, PlugInRecordsRoundTripAndADamagedEndIsIgnored) {
    const std::string path = file("QDPlugIn.dat");
    ASSERT_TRUE(qd::writePlugInList(path, {{"/opt/a.so", "Top menu|&Process|"}, {"b.so", ""}}));
    EXPECT_EQ(std::filesystem::file_size(path), 1040u);
    const std::vector<qd::PlugInRecord> back = qd::readPlugInList(path);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].path, "/opt/a.so");
    EXPECT_EQ(back[0].menuPosition, "Top menu|&Process|");
    EXPECT_EQ(back[1].path, "b.so");

    // 1000 bytes hold one whole record; the rest is not read.
    writeBytes(path, field("one.so") + field("Top menu|") + std::string(480, 'x'));
    ASSERT_EQ(qd::readPlugInList(path).size(), 1u);
    EXPECT_TRUE(qd::readPlugInList(file("missing.dat")).empty());
}

TEST(ExtensionLists, FieldsWithoutTerminatorAreNeverReadPast) {
    const std::string path = file("QDPlugIn.dat");
    // A path filling its whole field drops its record; a full menu position
    // keeps its 260 characters.
    writeBytes(path, field("", 'p') + field("Top menu|") + field("ok.so") + field("", 'm'));
    const std::vector<qd::PlugInRecord> back = qd::readPlugInList(path);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].path, "ok.so");
    EXPECT_EQ(back[0].menuPosition, std::string(260, 'm'));

    // Texts too long for their field are cut, so the file stays readable.
    ASSERT_TRUE(qd::writePlugInList(path, {{std::string(300, 'a'), std::string(300, 'b')}}));
    EXPECT_EQ(qd::readPlugInList(path).at(0).path, std::string(259, 'a'));
}

TEST(ExtensionLists, FilterPathsAndAnEmptyList) {
    const std::string path = file("QDFileFilter.dat");
    writeBytes(path, field("tiff.so") + field("", 'z') + field("png.so") + "tail");
    EXPECT_EQ(qd::readFileFilterList(path), (std::vector<std::string>{"tiff.so", "png.so"}));
    ASSERT_TRUE(qd::writeFileFilterList(path, {}));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

} // namespace
