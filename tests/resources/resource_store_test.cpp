#include "resources/resource_store.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

#include "platform/files/file_system.h"
#include "resources/file_name_matches.h"
#include "support/temp_folder.h"

namespace resources {
namespace {

std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SaveResToFileTest : public TempFolderTest {};

// Whether the page holding an address is mapped into this process (the kernel's page map).
bool resident(const void* address) {
    const auto page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    // The page map is read in whole entries only, which a buffered stream does not do.
    const int map = ::open("/proc/self/pagemap", O_RDONLY | O_CLOEXEC);
    std::uint64_t entry = 0;
    const auto at = off_t(reinterpret_cast<std::uintptr_t>(address) / page * sizeof entry);
    const bool read = map >= 0 && ::pread(map, &entry, sizeof entry, at) == sizeof entry;
    if (map >= 0) ::close(map);
    return read && (entry >> 63) != 0;
}

// The pack's pages read for a picture are given back once it is first written, and the picture
// reads and writes the same afterwards.
TEST_F(SaveResToFileTest, APicturesPagesAreGivenBackWhenItIsFirstWritten) {
    const std::vector<int> ids = resourceIds("GIF");
    const int largest = *std::max_element(ids.begin(), ids.end(), [](int a, int b) {
        return findResource("GIF", a)->size() < findResource("GIF", b)->size();
    });
    const auto bytes = *findResource("GIF", largest);
    const std::string before(bytes.begin(), bytes.end());
    const std::uint8_t* middle = bytes.data() + bytes.size() / 2;
    ASSERT_TRUE(resident(middle));

    ASSERT_TRUE(SaveResToFile(largest, "GIF", folder() / "tmp.GIF"));
    EXPECT_FALSE(resident(middle));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), before);
    EXPECT_EQ(readAll(folder() / "tmp.GIF"), before);
}

// The same few pictures written again and again (a hand's cards) are not read from the pack
// again, so its pages stay where they are.
TEST_F(SaveResToFileTest, APictureWrittenAgainLeavesThePackAlone) {
    const int card = resourceIds("GIF").front();
    ASSERT_TRUE(SaveResToFile(card, "GIF", folder() / "tmp.GIF"));
    const auto bytes = *findResource("GIF", card);
    const std::string before(bytes.begin(), bytes.end());
    ASSERT_TRUE(resident(bytes.data()));
    ASSERT_TRUE(SaveResToFile(card, "GIF", folder() / "tmp.GIF"));
    EXPECT_TRUE(resident(bytes.data()));
    EXPECT_EQ(readAll(folder() / "tmp.GIF"), before);
}

TEST_F(SaveResToFileTest, WritesThePicturesBytesAsTheyAre) {
    const auto path = folder() / "tmp450.GIF";
    ASSERT_TRUE(SaveResToFile(450, "GIF", path));
    const auto bytes = findResource("GIF", 450);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(readAll(path), std::string(bytes->begin(), bytes->end()));
}

TEST_F(SaveResToFileTest, ReplacesALongerFileWhole) {
    const auto path = folder() / "tmp18.GIF";
    std::ofstream(path, std::ios::binary) << std::string(200000, 'x');
    ASSERT_TRUE(SaveResToFile(18, "GIF", path));
    EXPECT_EQ(readAll(path).size(), findResource("GIF", 18)->size());
}

TEST_F(SaveResToFileTest, TakesTheTypeWithoutRegardToCase) {
    EXPECT_TRUE(SaveResToFile(170, "gif", folder() / "tmp170.GIF"));
}

TEST_F(SaveResToFileTest, MissingPictureFailsAndMakesNoFile) {
    for (int id : {0, 1, 2, 19999, -1, 65536}) {
        const auto path = folder() / ("tmp" + std::to_string(id) + ".GIF");
        EXPECT_FALSE(SaveResToFile(id, "GIF", path)) << id;
        EXPECT_FALSE(std::filesystem::exists(path)) << id;
    }
    EXPECT_FALSE(SaveResToFile(450, "BMP", folder() / "x.GIF"));
    EXPECT_FALSE(std::filesystem::exists(folder() / "x.GIF"));
}

TEST_F(SaveResToFileTest, UnwritablePathFails) {
    EXPECT_FALSE(SaveResToFile(450, "GIF", folder() / "no such folder" / "tmp450.GIF"));
    std::filesystem::create_directories(folder() / "tmp451.GIF");
    EXPECT_FALSE(SaveResToFile(451, "GIF", folder() / "tmp451.GIF"));
}

class FileNameMatchesTest : public TempFolderTest {
  protected:
    QString windowsPath(const char* name) const {
        return platform::toQString(folder()) + "\\" + QString::fromUtf8(name);
    }
};

TEST_F(FileNameMatchesTest, FindsAFileOfExactlyThatName) {
    std::ofstream(folder() / "info.brm") << "x";
    EXPECT_TRUE(FileNameMatches(windowsPath("info.brm"), "info.brm"));
    EXPECT_TRUE(FileNameMatches(windowsPath("*.brm"), "info.brm"));
}

TEST_F(FileNameMatchesTest, ComparesTheNameWithCase) {
    std::ofstream(folder() / "INFO.BRM") << "x";
    EXPECT_FALSE(FileNameMatches(windowsPath("info.brm"), "info.brm"));
    EXPECT_TRUE(FileNameMatches(windowsPath("info.brm"), "INFO.BRM"));
}

TEST_F(FileNameMatchesTest, MissingFileDoesNotMatch) {
    EXPECT_FALSE(FileNameMatches(windowsPath("info.brm"), "info.brm"));
    EXPECT_FALSE(FileNameMatches(windowsPath("info.brm"), ""));
    std::filesystem::create_directories(folder() / "info.brm");
    EXPECT_FALSE(FileNameMatches(windowsPath("info.brm"), "info.brm"));
}

}  // namespace
}  // namespace resources
