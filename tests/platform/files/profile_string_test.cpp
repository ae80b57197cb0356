#include "platform/files/profile_string.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "case_name.h"
#include "platform/text/gbk.h"
#include "support/temp_folder.h"

namespace platform {
namespace {

using namespace std::string_literals;

class ProfileStringFiles : public TempFolderTest {};

const QString kDefault = "<default>";

std::string gbk(const char* utf8) {
    return encodeGbk(QString::fromUtf8(utf8));
}

// Every line of this file is an oddity the reader must take the way Windows does.
const char* const kOddProfile =
    "; comment line\r\n"
    "top=outside any section\r\n"
    "[Video]\r\n"
    "Switch=1\r\n"
    "  spaced key  =   spaced value  \r\n"
    "\tTabbed\t=\tx\t\r\n"
    "quoted=\"  keep inner blanks  \"\r\n"
    "single='one'\r\n"
    "mismatched=\"half'\r\n"
    "lonequote=\"\r\n"
    "empty=\r\n"
    "dup=first\r\n"
    "DUP=second\r\n"
    "no equals sign here\r\n"
    ";Hidden=commented out\r\n"
    "eq=a=b\r\n"
    "full=　全角　\r\n"
    "  [ Spaced Section ]  \n"
    "k=v\n"
    "[video]\r\n"
    "Switch=the second section loses\r\n"
    "late=only in the second section\r\n"
    "[中文节]\r\n"
    "名字=张三\r\n"
    "[Empty]\r\n";

struct ReadCase {
    const char* section;
    const char* key;
    const char* expected;  // nullptr: the default
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    printCaseName(c.section, os);
    *os << "_";
    printCaseName(c.key, os);
}

class ProfileStringRead : public TempFolderTest, public testing::WithParamInterface<ReadCase> {};

TEST_P(ProfileStringRead, FindsTheValueAsWindowsDoes) {
    const auto file = writeFile("odd.ini", gbk(kOddProfile));
    const ReadCase& c = GetParam();
    const QString section = QString::fromUtf8(c.section), key = QString::fromUtf8(c.key);
    const QString expected = c.expected ? QString::fromUtf8(c.expected) : kDefault;
    EXPECT_EQ(getProfileString(section, key, kDefault, file), expected);
    EXPECT_EQ(ProfileReader(file).getString(section, key, kDefault), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProfileStringRead,
    testing::Values(
        ReadCase{"Video", "Switch", "1"}, ReadCase{"VIDEO", "switch", "1"},
        ReadCase{" Video\t", "  Switch ", "1"}, ReadCase{"Video", "spaced key", "spaced value"},
        ReadCase{"Video", "TABBED", "x"}, ReadCase{"Video", "quoted", "  keep inner blanks  "},
        ReadCase{"Video", "single", "one"}, ReadCase{"Video", "mismatched", "\"half'"},
        ReadCase{"Video", "lonequote", "\""}, ReadCase{"Video", "empty", ""},
        ReadCase{"Video", "dup", "first"}, ReadCase{"Video", "no equals sign here", nullptr},
        ReadCase{"Video", ";Hidden", nullptr}, ReadCase{"Video", "Hidden", nullptr},
        ReadCase{"Video", "eq", "a=b"}, ReadCase{"Video", "full", "　全角　"},
        ReadCase{"spaced section", "K", "v"}, ReadCase{"Video", "late", nullptr},
        ReadCase{"中文节", "名字", "张三"}, ReadCase{"Empty", "Switch", nullptr},
        ReadCase{"Missing", "Switch", nullptr}, ReadCase{"", "top", nullptr}));

TEST_F(ProfileStringFiles, ReadOfAMissingFileOrAFolderGivesTheDefault) {
    EXPECT_EQ(getProfileString("Video", "Switch", kDefault, folder() / "missing.ini"), kDefault);
    EXPECT_EQ(getProfileString("Video", "Switch", "", folder() / "missing.ini"), "");
    EXPECT_EQ(getProfileString("Video", "Switch", kDefault, folder()), kDefault);
}

TEST_F(ProfileStringFiles, AReaderAnswersFromTheFileAsItWasRead) {
    const auto file = folder() / "once.ini";
    writeProfileString("Video", "Switch", "1", file);
    const ProfileReader reader(file);
    writeProfileString("Video", "Switch", "0", file);
    std::filesystem::remove(file);
    EXPECT_EQ(reader.getString("video", "SWITCH", kDefault), "1");
    EXPECT_EQ(reader.getString("Video", "Other", kDefault), kDefault);
    EXPECT_EQ(ProfileReader(file).getString("Video", "Switch", kDefault), kDefault);
}

struct BufferCase {
    std::string value;  // UTF-8
    std::size_t bufferSize;
    std::string expected;
};

void PrintTo(const BufferCase& c, std::ostream* os) {
    *os << c.value.size() << "_bytes_in_" << c.bufferSize;
}

class ProfileStringBuffer : public TempFolderTest,
                            public testing::WithParamInterface<BufferCase> {};

TEST_P(ProfileStringBuffer, CutsTheValueToTheBufferAtACharacterBoundary) {
    const auto file = writeFile("long.ini", "[S]\r\nk=" + gbk(GetParam().value.c_str()) + "\r\n");
    EXPECT_EQ(getProfileString("S", "k", "", file, GetParam().bufferSize),
              QString::fromStdString(GetParam().expected));
    // a default that stands in for the value is cut the same way
    EXPECT_EQ(getProfileString("S", "missing", QString::fromStdString(GetParam().value), file,
                               GetParam().bufferSize),
              QString::fromStdString(GetParam().expected));
}

std::string repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProfileStringBuffer,
    testing::Values(BufferCase{"ab中文", 7, "ab中文"}, BufferCase{"ab中文", 6, "ab中"},
                    BufferCase{"abc中", 6, "abc中"}, BufferCase{"abcd中", 6, "abcd"},
                    BufferCase{"x", 1, ""}, BufferCase{"x", 0, ""},
                    BufferCase{repeated("a", 1100), 1024, repeated("a", 1023)},
                    BufferCase{"a" + repeated("中", 600), 1024, "a" + repeated("中", 511)},
                    BufferCase{repeated("中", 600), 1024, repeated("中", 511)}));

TEST_F(ProfileStringFiles, ReadSurvivesJunkNulsAndHugeLines) {
    std::string junk;
    for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919) & 0xFF);
    junk += "\0\0\0x[S]=\0\0"s + std::string(300'000, '\x81') + "\n";
    const auto file = writeFile("junk.ini", junk + "[S]\nk=v\xD6\nnul\0key=x\n"s);
    EXPECT_EQ(getProfileString("S", "k", kDefault, file), QString::fromUtf8("v\uFFFD"));
    EXPECT_EQ(getProfileString("S", QString("nul") + QChar(0) + "key", kDefault, file), kDefault);
    EXPECT_EQ(getProfileString("S", "nul", kDefault, file), kDefault);
}

struct WriteCase {
    const char* name;
    std::optional<std::string> before;  // nullopt: no file
    std::string section;
    std::optional<QString> key;
    std::optional<QString> value;
    std::optional<std::string> after;  // nullopt: no file
};

const char* const kTwoSections = "; keep me\n[A]\nx=1\ny=2\n\n[B]\nz=3\n";

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

class ProfileStringWrite : public TempFolderTest, public testing::WithParamInterface<WriteCase> {};

TEST_P(ProfileStringWrite, ChangesOnlyWhatItWrites) {
    const WriteCase& c = GetParam();
    const auto file = folder() / "w.ini";
    if (c.before) writeFile("w.ini", *c.before);
    writeProfileString(QString::fromUtf8(c.section.data(), c.section.size()), c.key, c.value, file);
    if (c.after)
        EXPECT_EQ(readFile(file), *c.after);
    else
        EXPECT_FALSE(std::filesystem::exists(file));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProfileStringWrite,
    testing::Values(
        WriteCase{"CreatesAMissingFile", std::nullopt, "Video", "Switch", "1",
                  "[Video]\r\nSwitch=1\r\n"},
        WriteCase{"ReplacesAKeyKeepingItsSpelling", kTwoSections, " a ", "X", "9",
                  "; keep me\r\n[A]\r\nx=9\r\ny=2\r\n\r\n[B]\r\nz=3\r\n"},
        WriteCase{"AddsAKeyAtTheEndOfItsSection", kTwoSections, "A", "w", "5",
                  "; keep me\r\n[A]\r\nx=1\r\ny=2\r\nw=5\r\n\r\n[B]\r\nz=3\r\n"},
        WriteCase{"AddsAKeyAfterLinesThatAreNoKeysAndBeforeTheBlankOnes",
                  "[A]\nx=1\n\n; note\n \t\n\n[B]\n", "A", "w", "5",
                  "[A]\r\nx=1\r\n\r\n; note\r\nw=5\r\n \t\r\n\r\n[B]\r\n"},
        WriteCase{"AddsAKeyRightAfterAHeaderFollowedOnlyByBlankLines", "[A]\n\n\n[B]\n", "a", "k",
                  "v", "[A]\r\nk=v\r\n\r\n\r\n[B]\r\n"},
        WriteCase{"AppendsAMissingSection", kTwoSections, "C", "k", "v",
                  "; keep me\r\n[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n[C]\r\nk=v\r\n"},
        WriteCase{"DeletesAKey", kTwoSections, "a", "Y", std::nullopt,
                  "; keep me\r\n[A]\r\nx=1\r\n\r\n[B]\r\nz=3\r\n"},
        WriteCase{"DeletesASection", kTwoSections, "A", std::nullopt, std::nullopt,
                  "; keep me\r\n[B]\r\nz=3\r\n"},
        WriteCase{"LeavesTheFileAloneWhenAKeyToDeleteIsMissing", kTwoSections, "A", "none",
                  std::nullopt, kTwoSections},
        WriteCase{"LeavesTheFileAloneWhenASectionToDeleteIsMissing", kTwoSections, "C",
                  std::nullopt, std::nullopt, kTwoSections},
        WriteCase{"CreatesNoFileToDeleteFrom", std::nullopt, "A", "x", std::nullopt, std::nullopt},
        WriteCase{"WritesGbk", std::nullopt, "聊天", "第一句", "你好 hello",
                  gbk("[聊天]\r\n第一句=你好 hello\r\n")},
        WriteCase{"KeepsBytesOfLinesItDoesNotTouch", "[A]\r\nx=\xFF\xFE\r\n", "A", "y", "1",
                  "[A]\r\nx=\xFF\xFE\r\ny=1\r\n"},
        WriteCase{"KeepsLineBreaksInAValueFromPlantingKeys", std::nullopt, "A", "k",
                  "v\r\n[Evil]\nx=1", "[A]\r\nk=v  [Evil] x=1\r\n"},
        WriteCase{"EndsNamesAndValuesAtANul", std::nullopt, "A\0B"s, QString::fromUtf8("k\0j", 3),
                  QString::fromUtf8("v\0w", 3), "[A]\r\nk=v\r\n"}),
    [](const testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

// Several writes at once end the file byte for byte as the same writes one by one do, also
// where a later write must find what an earlier one of the batch made or changed.
struct BatchCase {
    const char* name;
    std::optional<std::string> before;  // nullopt: no file
    std::vector<ProfileWrite> writes;
};

void PrintTo(const BatchCase& c, std::ostream* os) {
    *os << c.name;
}

class ProfileStringBatch : public TempFolderTest, public testing::WithParamInterface<BatchCase> {};

TEST_P(ProfileStringBatch, EndsTheFileAsTheWritesOneByOne) {
    const BatchCase& c = GetParam();
    const auto single = folder() / "single.ini";
    const auto batch = folder() / "batch.ini";
    if (c.before) {
        writeFile("single.ini", *c.before);
        writeFile("batch.ini", *c.before);
    }
    for (const ProfileWrite& w : c.writes) writeProfileString(w.section, w.key, w.value, single);
    writeProfileStrings(c.writes, batch);
    ASSERT_EQ(std::filesystem::exists(batch), std::filesystem::exists(single));
    if (std::filesystem::exists(single)) EXPECT_EQ(readFile(batch), readFile(single));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProfileStringBatch,
    testing::Values(
        BatchCase{"NewFileNewSectionThenItsKeysAgain",
                  std::nullopt,
                  {{"juNum:1", "count( 0 )", "2"},
                   {"juNum:1", "count( 0 )( 0 )", "a"},
                   {"JUNUM:1", "COUNT( 0 )", "3"},
                   {"juNum:2", "x", "1"},
                   {"juNum:1", "late", "2"}}},
        BatchCase{"KeysOfTheFirstOfTwoLikeSections",
                  "[A]\ndup=1\nDUP=2\n\n[a]\nlate=3\n[B]\n",
                  {{"a", "late", "new"}, {"A", "Dup", "x"}, {"b", "k", "v"}, {"A", "w", "5"}}},
        BatchCase{"KeyWithAnEqualsSignWrittenTwice",
                  std::nullopt,
                  {{"S", "a=b", "1"}, {"S", "a=b", "2"}, {"S", "a", "3"}}},
        BatchCase{"SectionNameWithABracketWrittenTwice",
                  std::nullopt,
                  {{"x]y", "k", "1"}, {"x]y", "k", "2"}, {"x", "k", "3"}}},
        BatchCase{"CommentLikeKeysAndQuotedValues",
                  std::nullopt,
                  {{"S", ";k", "1"},
                   {"S", ";k", "2"},
                   {"S", "[T]", "3"},
                   {"S", "q", "'a'"},
                   {"S", "q", "\"b\""}}},
        BatchCase{"DeletesWhatTheBatchWrote",
                  "; keep me\n[A]\nx=1\n",
                  {{"A", "y", "2"},
                   {"A", "y", std::nullopt},
                   {"C", "k", "v"},
                   {"C", std::nullopt, std::nullopt},
                   {"C", "k", "again"}}},
        BatchCase{"OnlyDeletesOfWhatIsMissing",
                  "[A]\nx=1",
                  {{"A", "none", std::nullopt}, {"Z", std::nullopt, std::nullopt}}},
        BatchCase{"NothingToDeleteMakesNoFile", std::nullopt, {{"A", "k", std::nullopt}}},
        BatchCase{"KeepsBytesThatAreNoGbkAndBlankLines",
                  "[A]\r\nx=\xFF\xFE\r\n\r\n\r\n[B]\r\r\ny=\x81\n",
                  {{"A", "z", "1"}, {"B", "y", "2"}, {"A", "x", "3"}, {"A", "z", "4"}}},
        BatchCase{"ManyKeysOfOneSectionAmongOthersWithBlankLines",
                  "top=1\n[A]\nx=1\n\n[B]\nx=2\nk0=b\n\n\n[C]\n",
                  {{"B", "k1", "1"},
                   {"b", "K1", "2"},
                   {"B", "k2", "3"},
                   {"B", "x", "4"},
                   {"A", "k1", "5"},
                   {"B", "K0", "6"},
                   {"B", "k2", "7"},
                   {"", "top", "8"},
                   {"C", "k1", "9"}}},
        BatchCase{"DeletedKeysLeaveBlankLinesEndingTheirSection",
                  "[A]\nx=1\n\ny=2\n\n[B]\nz=3\n",
                  {{"A", "y", std::nullopt},
                   {"A", "w", "4"},
                   {"A", "x", std::nullopt},
                   {"A", "w", std::nullopt},
                   {"A", "v", "5"},
                   {"B", std::nullopt, std::nullopt},
                   {"A", "u", "6"}}},
        BatchCase{"KeyWrittenAsASectionSplitsItsSection",
                  "[S]\nk=1\n\n[U]\n",
                  {{"S", "[T]", "1"},
                   {"S", "k", "2"},
                   {"S", "j", "3"},
                   {"T", "j", "4"},
                   {"T]=1", "j", "5"},
                   {"S", "[T]", "6"}}},
        BatchCase{"KeyNamesThatGbkCannotHold",
                  "[A]\n\x81=1\nk=2\n",
                  {{"A", QString(QChar(0xFFFD)), "3"},
                   {"A", "?", "4"},
                   {"A", "k", "5"},
                   {"A", QString(QChar(0x10D0)), "6"},
                   {"A", "?", "7"}}},
        BatchCase{"GbkNamesAndLineBreaksInValues",
                  std::nullopt,
                  {{"聊天", "第一句", "你好"},
                   {"聊天", "第一句", "v\r\n[Evil]\nx=1"},
                   {"Evil", "x", "2"}}}),
    [](const testing::TestParamInfo<BatchCase>& info) { return std::string(info.param.name); });

TEST_F(ProfileStringFiles, WrittenValuesReadBack) {
    const auto file = folder() / "round.ini";
    writeProfileString("聊天", "第一句", QString::fromUtf8("  你好, 'world'  "), file);
    writeProfileString("Video", "Switch", "0", file);
    writeProfileString("video", "SWITCH", "1", file);
    EXPECT_EQ(getProfileString("聊天", "第一句", kDefault, file),
              QString::fromUtf8("你好, 'world'"));
    EXPECT_EQ(getProfileString("VIDEO", "switch", kDefault, file), "1");
    writeProfileString("Video", "Switch", std::nullopt, file);
    EXPECT_EQ(getProfileString("Video", "Switch", kDefault, file), kDefault);
    writeProfileString("聊天", std::nullopt, std::nullopt, file);
    EXPECT_EQ(getProfileString("聊天", "第一句", kDefault, file), kDefault);
    EXPECT_EQ(readFile(file), "[Video]\r\n");
}

TEST_F(ProfileStringFiles, WriteIntoAMissingFolderOrOntoAFolderChangesNothing) {
    writeProfileString("A", "k", "v", folder() / "no-folder" / "f.ini");
    EXPECT_FALSE(std::filesystem::exists(folder() / "no-folder"));

    writeProfileString("A", "k", "v", folder());  // a folder, not a file
    EXPECT_TRUE(std::filesystem::is_directory(folder()));
}

TEST_F(ProfileStringFiles, WriteIntoALockedFolderLeavesTheFileAsItWas) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    const auto file = writeFile("locked/f.ini", "[A]\nk=old\n");
    std::filesystem::permissions(folder() / "locked", std::filesystem::perms::owner_read |
                                                          std::filesystem::perms::owner_exec);
    writeProfileString("A", "k", "new", file);
    std::filesystem::permissions(folder() / "locked", std::filesystem::perms::owner_all);
    EXPECT_EQ(readFile(file), "[A]\nk=old\n");
}

TEST_F(ProfileStringFiles, FileWithoutAFolderIsInTheCurrentFolder) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder());
    writeProfileString("A", "k", "v", "plain.ini");
    const QString value = getProfileString("A", "k", kDefault, "plain.ini");
    std::filesystem::current_path(previous);
    EXPECT_EQ(value, "v");
    EXPECT_EQ(readFile(folder() / "plain.ini"), "[A]\r\nk=v\r\n");
}

}  // namespace
}  // namespace platform
