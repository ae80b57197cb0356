#include "platform/files/windows_path.h"

#include <gtest/gtest.h>

#include <QFile>

#include "case_name.h"
#include "platform/files/file_system.h"
#include "support/temp_folder.h"

namespace platform {
namespace {

struct PathCase {
    const char* windowsPath;  // below the test folder
    const char* expected;     // below the test folder
};

void PrintTo(const PathCase& c, std::ostream* os) {
    printCaseName(c.windowsPath, os);
}

class WindowsPathMapping : public TempFolderTest, public testing::WithParamInterface<PathCase> {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        std::filesystem::create_directories(folder() / "Program");
        writeFile("common/pk/sys020.wav", "RIFF");
        writeFile("Data/x", "");
        writeFile("data/x", "");
        writeFile("Ärger/k.txt", "");
    }
};

TEST_P(WindowsPathMapping, MapsBackslashesAndResolvesCaseAgainstTheDisk) {
    const QString input = toQString(folder()) + "\\" + QString::fromUtf8(GetParam().windowsPath);
    // Spelled as expected, not only naming the same components: the text reaches messages.
    EXPECT_EQ(mapWindowsPath(input).native(), (folder() / GetParam().expected).native());
}

INSTANTIATE_TEST_SUITE_P(
    Table, WindowsPathMapping,
    testing::Values(
        // the shared folder beside the program folder
        PathCase{"Program\\..\\common\\pk\\sys020.wav", "Program/../common/pk/sys020.wav"},
        PathCase{"program\\..\\COMMON\\Pk\\SYS020.WAV", "Program/../common/pk/sys020.wav"},
        PathCase{"COMMON\\pk\\", "common/pk/"},
        PathCase{"common/pk\\sys020.wav", "common/pk/sys020.wav"},
        PathCase{"common\\pk\\SYS020.WAV", "common/pk/sys020.wav"},
        // a file not yet there goes into the folder that is
        PathCase{"PROGRAM\\new.ini", "Program/new.ini"},
        PathCase{"Program\\new.ini", "Program/new.ini"},
        PathCase{"missing\\Sub\\x.txt", "missing/Sub/x.txt"},
        PathCase{"COMMON\\missing\\PK", "common/missing/PK"},
        // a file where a folder is wanted: what follows it is kept as written
        PathCase{"DATA\\x\\new.txt", "Data/x/new.txt"},
        PathCase{"data\\x\\new.txt", "data/x/new.txt"},
        // several names differing in case only: the first in name order
        PathCase{"DATA\\X", "Data/x"}, PathCase{"data\\x", "data/x"},
        // names beyond ASCII fold as well, also to an ASCII name (the Kelvin sign to k)
        PathCase{"äRGER\\K.TXT", "Ärger/k.txt"}, PathCase{"ärger\\\u212A.txt", "Ärger/k.txt"}));

TEST(WindowsPathMappingWithoutDisk, KeepsThePlainMappingWhenNothingIsThere) {
    EXPECT_EQ(mapWindowsPath("\\no\\such\\Folder\\f.TXT"),
              std::filesystem::path("/no/such/Folder/f.TXT"));
    EXPECT_EQ(mapWindowsPath("rel\\Path"), std::filesystem::path("rel/Path"));
    EXPECT_EQ(mapWindowsPath(""), std::filesystem::path());
}

// File names are spelt as the toolkit spells them; plain ASCII names take a shorter way there.
TEST(FileNameEncoding, SpellsNamesAsTheToolkitDoes) {
    const QString names[] = {"",
                             "tmp12.GIF",
                             "C:\\Korvash\\tmp12.GIF",
                             QString::fromUtf8("牌局.ini"),
                             QString::fromUtf8("a\u00e9b"),
                             QString(QChar(0x7f)),
                             QString::fromUtf8("tmp\u212A.gif")};
    for (const QString& name : names) {
        EXPECT_EQ(encodeFileName(name), QFile::encodeName(name).toStdString())
            << name.toStdString();
    }
}

class FileSystemHelpers : public TempFolderTest {};

TEST_F(FileSystemHelpers, FileAndFolderExistTellFilesFromFolders) {
    const auto file = writeFile("f.txt", "x");
    EXPECT_TRUE(fileExists(file));
    EXPECT_FALSE(folderExists(file));
    EXPECT_TRUE(folderExists(folder()));
    EXPECT_FALSE(fileExists(folder()));
    EXPECT_FALSE(fileExists(folder() / "missing"));
    EXPECT_FALSE(folderExists(file / "below-a-file"));
}

}  // namespace
}  // namespace platform
