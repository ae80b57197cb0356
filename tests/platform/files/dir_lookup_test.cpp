#include "platform/files/dir_lookup.h"

#include <gtest/gtest.h>

#include "case_name.h"
#include "platform/files/file_system.h"
#include "support/temp_folder.h"

namespace platform {
namespace {

struct DirCase {
    const char* pattern;  // below the test folder
    const char* expected;
};

void PrintTo(const DirCase& c, std::ostream* os) {
    printCaseName(c.pattern, os);
}

class DirLookup : public TempFolderTest, public testing::WithParamInterface<DirCase> {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        for (const char* name :
             {"info.brm", "Readme", "b.TXT", "a.txt", "tmp178.GIF", "sub/inner.txt"})
            writeFile(name, "x");
        std::filesystem::create_directories(folder() / "folder.txt");
    }
};

TEST_P(DirLookup, ReturnsTheFirstMatchingFileName) {
    const QString pattern = toQString(folder()) + "\\" + QString::fromUtf8(GetParam().pattern);
    EXPECT_EQ(firstMatchingFileName(pattern), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, DirLookup,
    testing::Values(DirCase{"info.brm", "info.brm"}, DirCase{"INFO.BRM", "info.brm"},
                    DirCase{"nothere.brm", ""}, DirCase{"*.brm", "info.brm"},
                    DirCase{"*.txt", "a.txt"}, DirCase{"B.*", "b.TXT"}, DirCase{"?.TXT", "a.txt"},
                    DirCase{"??.txt", ""}, DirCase{"tmp*.gif", "tmp178.GIF"},
                    DirCase{"readme.*", "Readme"}, DirCase{"*", "a.txt"}, DirCase{"*.wav", ""},
                    DirCase{"folder.txt", ""}, DirCase{"folder*", ""},
                    DirCase{"SUB\\*.txt", "inner.txt"}, DirCase{"sub\\INNER.TXT", "inner.txt"},
                    DirCase{"missing\\*.txt", ""}, DirCase{"*\\inner.txt", ""},
                    DirCase{"sub\\", ""}, DirCase{"info.brm\\x", ""}));

TEST(DirLookupOfBadPatterns, ReturnsNothing) {
    EXPECT_EQ(firstMatchingFileName(""), "");
    EXPECT_EQ(firstMatchingFileName("\\no\\such\\folder\\*.*"), "");
}

struct WildcardCase {
    const char* name;
    const char* pattern;
    bool matches;
};

void PrintTo(const WildcardCase& c, std::ostream* os) {
    printCaseName(c.name, os);
    *os << "_vs_";
    printCaseName(c.pattern, os);
}

class DirWildcard : public testing::TestWithParam<WildcardCase> {};

TEST_P(DirWildcard, MatchesLikeWindows) {
    EXPECT_EQ(
        matchesWildcard(QString::fromUtf8(GetParam().name), QString::fromUtf8(GetParam().pattern)),
        GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DirWildcard,
    testing::Values(WildcardCase{"abc", "a*c", true}, WildcardCase{"abc", "a*d", false},
                    WildcardCase{"abc", "*", true}, WildcardCase{"", "*", true},
                    WildcardCase{"a", "", false}, WildcardCase{"abc", "a?c", true},
                    WildcardCase{"ac", "a?c", false}, WildcardCase{"aXbXc", "*x*X*", true},
                    WildcardCase{"Readme", "*.*", true}, WildcardCase{"a.b.c", "*.c", true},
                    WildcardCase{"聊天.TXT", "聊天.txt", true},
                    WildcardCase{"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*c",
                                 false}));

}  // namespace
}  // namespace platform
