#include "platform/files/windows_path.h"

#include <gtest/gtest.h>

#include <QFile>
#include <functional>
#include <string>
#include <vector>

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
        writeFile("Files/x", "");
        writeFile("Files/X", "");
        std::filesystem::create_directories(folder() / "GONE");
        std::filesystem::create_directory_symlink("nowhere", folder() / "Gone");
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
        PathCase{"Files\\x\\new.txt", "Files/x/new.txt"},
        // a link to nothing is there as written
        PathCase{"Gone\\new.txt", "Gone/new.txt"},
        // several names differing in case only: the first in name order
        PathCase{"DATA\\X", "Data/x"}, PathCase{"data\\x", "data/x"},
        // names beyond ASCII fold as well, also to an ASCII name (the Kelvin sign to k)
        PathCase{"äRGER\\K.TXT", "Ärger/k.txt"}, PathCase{"ärger\\\u212A.txt", "Ärger/k.txt"}));

// The folders files are looked up in again and again are not read anew for every lookup; yet
// every lookup answers for the disk as it is then, whatever changed it in between.
class WindowsPathMappingAcrossChanges : public TempFolderTest {
  protected:
    void expectMapped(const char* windowsPath, const char* expected) const {
        const QString input = toQString(folder()) + "\\" + QString::fromUtf8(windowsPath);
        EXPECT_EQ(mapWindowsPath(input).native(), (folder() / expected).native()) << windowsPath;
    }
};

TEST_F(WindowsPathMappingAcrossChanges, SeesFilesAndFoldersChangedBetweenLookups) {
    namespace fs = std::filesystem;
    struct Lookup {
        const char* windowsPath;
        const char* expected;
    };
    struct Step {
        const char* change;
        std::function<void()> make;
        std::vector<Lookup> lookups;
    };
    fs::create_directories(folder() / "Pics");
    fs::create_directories(folder() / "A" / "Pics");
    writeFile("A/Pics/x.gif", "");
    const std::vector<Step> steps = {
        {"nothing yet",
         [] {},
         {{"Pics\\TMP1.GIF", "Pics/TMP1.GIF"}, {"A\\Pics\\X.GIF", "A/Pics/x.gif"}}},
        {"a case variant written",
         [&] { writeFile("Pics/tmp1.gif", ""); },
         {{"Pics\\TMP1.GIF", "Pics/tmp1.gif"}}},
        {"the exact name written too",
         [&] { writeFile("Pics/TMP1.GIF", ""); },
         {{"Pics\\TMP1.GIF", "Pics/TMP1.GIF"}, {"Pics\\Tmp1.gif", "Pics/TMP1.GIF"}}},
        {"the exact name removed",
         [&] { fs::remove(folder() / "Pics/TMP1.GIF"); },
         {{"Pics\\Tmp1.gif", "Pics/tmp1.gif"}}},
        {"renamed",
         [&] { fs::rename(folder() / "Pics/tmp1.gif", folder() / "Pics/other.gif"); },
         {{"Pics\\TMP1.GIF", "Pics/TMP1.GIF"}, {"Pics\\OTHER.GIF", "Pics/other.gif"}}},
        {"reached by a link as well",
         [&] { fs::create_directory_symlink("Pics", folder() / "Link"); },
         {{"Link\\Other.Gif", "Link/other.gif"}, {"Pics\\Other.Gif", "Pics/other.gif"}}},
        {"the folder replaced",
         [&] {
             fs::rename(folder() / "Pics", folder() / "Old");
             writeFile("Pics/New.gif", "");
         },
         {{"Pics\\new.GIF", "Pics/New.gif"},
          {"Pics\\other.gif", "Pics/other.gif"},
          {"Old\\OTHER.gif", "Old/other.gif"},
          {"Link\\OTHER.gif", "Link/OTHER.gif"}}},
        {"a parent renamed and made again",
         [&] {
             fs::rename(folder() / "A", folder() / "B");
             writeFile("A/Pics/y.gif", "");
         },
         {{"A\\Pics\\X.GIF", "A/Pics/X.GIF"}, {"A\\Pics\\Y.GIF", "A/Pics/y.gif"}}},
        {"the folder removed",
         [&] { fs::remove_all(folder() / "Pics"); },
         {{"Pics\\new.gif", "Pics/new.gif"}}},
        {"more names than are kept",
         [&] {
             for (int i = 0; i < 5000; ++i) writeFile("Old/f" + std::to_string(i) + ".txt", "");
         },
         {{"Old\\F4999.TXT", "Old/f4999.txt"}, {"Old\\OTHER.GIF", "Old/other.gif"}}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.change);
        step.make();
        for (const Lookup& lookup : step.lookups) expectMapped(lookup.windowsPath, lookup.expected);
    }
}

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
