// The hand-history file: a hand saved from the score board comes back into it; a damaged file
// never breaks the loading.
#include "settlement/hand_record.h"

#include <gtest/gtest.h>

#include <fstream>

#include "connection/ini_file.h"
#include "platform/files/file_system.h"
#include "support/temp_folder.h"

namespace settlement {
namespace {

class HandRecordFile : public TempFolderTest {
  protected:
    connection::classIniFile ini;
    std::filesystem::path path;

    void SetUp() override {
        TempFolderTest::SetUp();
        path = folder() / "info.brm";
        ini.setINIFileName(platform::toQString(path));
    }
    void writeRaw(const std::string& text) { writeFile("info.brm", text); }
};

HandRecord Sample() {
    HandRecord r;
    r.names = {QStringLiteral("张三"), QStringLiteral("李四"), QStringLiteral("王五"), {}};
    r.picIndex = {QStringLiteral("3"), QStringLiteral("19"), {}, QStringLiteral("0")};
    r.columns[0] = QStringList{"初始：1000金币", "", " ", "  前导空白", "最终分：- 480金币"};
    r.columns[5] = QStringList{"最终分：520金币"};
    r.colours = {0, 255, 65280, 16777215};
    return r;
}

TEST_F(HandRecordFile, ASavedHandComesBackTrimmedWithBlankLinesAsOneBlank) {
    WriteHandRecord(ini, 1, Sample());
    WriteHandRecord(ini, 2, HandRecord{});
    const LoadedHandRecord back = ReadHandRecord(ini, 1);
    EXPECT_EQ(back.names, Sample().names);
    EXPECT_EQ(back.picIndex, Sample().picIndex);
    ASSERT_EQ(back.columns.size(), 8u);
    EXPECT_EQ(back.columns[0],
              (QStringList{"初始：1000金币", " ", " ", "前导空白", "最终分：- 480金币"}));
    EXPECT_EQ(back.columns[5], QStringList{"最终分：520金币"});
    EXPECT_TRUE(back.columns[1].isEmpty());
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(back.colours[i], Sample().colours[i]);
    // The keys are the file's own.
    const std::string text = readFile(path);
    for (const char* key : {"[juNum:1]", "name( 0 )=", "PicIndex( 3 )=0", "count( 5 )=1",
                            "count( 0 )( 4 )=", "count( 3 ) ForeColor=16777215", "[juNum:2]"}) {
        EXPECT_NE(text.find(key), std::string::npos) << key;
    }
}

// Saving writes the whole section in one pass over the file; the file must end as the key by
// key saving leaves it: heads, then each column's count and lines, then the colours, over a
// file holding an earlier, longer save of the same hand and other hands.
TEST_F(HandRecordFile, SavingEndsTheFileAsKeyByKeySaving) {
    const std::string earlier =
        "[juNum:1]\r\nname( 0 )=old\r\ncount( 0 )=7\r\ncount( 0 )( 6 )=stale\r\n"
        "COUNT( 5 ) FORECOLOR=9\r\n\r\n[juNum:3]\r\nname( 0 )=other\r\n";
    writeRaw(earlier);
    const HandRecord record = Sample();
    WriteHandRecord(ini, 1, record);
    const std::string batched = readFile(path);

    writeRaw(earlier);
    const QString section = QStringLiteral("juNum:1");
    for (int i = 0; i < 4; ++i) {
        ini.WriteIniKey(section, QStringLiteral("name( %1 )").arg(i), record.names[i]);
        ini.WriteIniKey(section, QStringLiteral("PicIndex( %1 )").arg(i), record.picIndex[i]);
    }
    for (int j = 0; j < 8; ++j) {
        const QString count = QStringLiteral("count( %1 )").arg(j);
        ini.WriteIniKey(section, count, QString::number(record.columns[j].size()));
        for (int k = 0; k < record.columns[j].size(); ++k)
            ini.WriteIniKey(section, count + QStringLiteral("( %1 )").arg(k), record.columns[j][k]);
    }
    for (int i = 0; i < 4; ++i) {
        ini.WriteIniKey(section, QStringLiteral("count( %1 ) ForeColor").arg(i),
                        QString::number(record.colours[i]));
    }
    EXPECT_EQ(batched, readFile(path));
    EXPECT_NE(batched.find("count( 0 )( 6 )=stale"), std::string::npos);
}

TEST_F(HandRecordFile, AMissingCountStopsTheLoadingThereAndKeepsTheColours) {
    writeRaw(
        "[juNum:4]\r\ncount( 0 )=2\r\ncount( 0 )( 0 )=a\r\ncount( 1 )=0\r\n"
        "count( 0 ) ForeColor=255\r\n");
    const LoadedHandRecord back = ReadHandRecord(ini, 4);
    ASSERT_EQ(back.columns.size(), 2u);
    EXPECT_EQ(back.columns[0], (QStringList{"a", " "}));
    EXPECT_TRUE(back.columns[1].isEmpty());
    for (const auto& colour : back.colours) EXPECT_FALSE(colour);
}

TEST_F(HandRecordFile, DamagedValuesAreReadSafely) {
    std::string text = "[juNum:1]\r\n";
    const char* counts[] = {"-5", "2.9", "abc", "99999999999", "1e3x", "  3  ", "0", "&H2"};
    for (int j = 0; j < 8; ++j) text += "count( " + std::to_string(j) + " )=" + counts[j] + "\r\n";
    text +=
        "count( 0 ) ForeColor=red\r\ncount( 1 ) ForeColor=-1\r\ncount( 2 ) ForeColor=1e9\r\n"
        "count( 3 ) ForeColor=254.5\r\nPicIndex( 0 )=25\r\n\xff\xfe garbage without equals\r\n";
    writeRaw(text);
    const LoadedHandRecord back = ReadHandRecord(ini, 1);
    ASSERT_EQ(back.columns.size(), 8u);
    // "1e3x" reads as 1000, as a number read up to the first character that is none does.
    const qsizetype expected[] = {0, 2, 0, 32767, 1000, 3, 0, 2};
    for (int j = 0; j < 8; ++j) EXPECT_EQ(back.columns[std::size_t(j)].size(), expected[j]) << j;
    EXPECT_FALSE(back.colours[0]);
    EXPECT_FALSE(back.colours[1]);
    EXPECT_FALSE(back.colours[2]);
    EXPECT_EQ(back.colours[3], 254u);
    EXPECT_FALSE(AvatarIndex(back.picIndex[0]));
}

TEST(AvatarIndexes, AreWholeNumbersUpTo19) {
    EXPECT_EQ(AvatarIndex("0"), 0);
    EXPECT_EQ(AvatarIndex(" 19 "), 19);
    for (const char* bad : {"20", "-1", "1.5", "x", ""}) EXPECT_FALSE(AvatarIndex(bad)) << bad;
}

}  // namespace
}  // namespace settlement
