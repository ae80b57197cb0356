#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/files/file_system.h"
#include "support/temp_folder.h"

namespace platform {
namespace {

class FileRead : public TempFolderTest {};

// A file comes back whole, however many reads it takes, or up to the limit asked for; what is
// not a readable regular file comes back as nothing.
TEST_F(FileRead, GivesTheWholeFileOrItsFirstBytesAndNothingForWhatIsNoFile) {
    std::string large(100000, '\0');
    for (std::size_t i = 0; i < large.size(); ++i) large[i] = char(i * 7 % 251);
    writeFile("large.bin", large);
    writeFile("empty.txt", "");
    std::filesystem::create_directories(folder() / "folder");

    EXPECT_EQ(readFileBytes(folder() / "large.bin"), large);
    EXPECT_EQ(readFileBytes(folder() / "large.bin", 5000), large.substr(0, 5000));
    EXPECT_EQ(readFileBytes(folder() / "empty.txt"), std::string());
    EXPECT_EQ(readFileBytes(folder() / "missing.txt"), std::nullopt);
    EXPECT_EQ(readFileBytes(folder() / "folder"), std::nullopt);
}

}  // namespace
}  // namespace platform
