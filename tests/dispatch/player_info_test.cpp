#include "dispatch/player_info.h"

#include <gtest/gtest.h>

#include <functional>

#include "dispatch/frame_reader.h"
#include "platform/runtime/failure.h"
#include "support/server_frames.h"

namespace {

using dispatch::DecodePlayerInfo;
using support::BuildPlayerInfo;
using support::gbk;
using support::PlayerInfoFrame;

std::string bytes(std::initializer_list<int> values) {
    std::string raw;
    for (const int v : values) raw.push_back(char(v));
    return raw;
}

state::PlayerInfo decode(const PlayerInfoFrame& fields) {
    state::PlayerInfo record;
    DecodePlayerInfo(record, BuildPlayerInfo(fields));
    return record;
}

TEST(PlayerInfoRecord, DecodesEveryFieldOfTheProfile) {
    state::PlayerInfo record;
    record.voiceSlot = 3;
    DecodePlayerInfo(record, BuildPlayerInfo({
                                 .nickname = gbk(QStringLiteral("小明Ab")),
                                 .face = "w7",
                                 .sex = 1,
                                 .location = gbk(QStringLiteral("北京")),
                                 .points = 1234,
                                 .credit = 0,
                                 .gold = 20000,
                                 .spareAmounts = {1, 2, 3, 4},
                                 .levelTitle = gbk(QStringLiteral("第一级")),
                                 .logins = 10,
                                 .drops = 2,
                                 .wins = 7,
                                 .losses = 3,
                                 .account = "player1",
                                 .tag = gbk(QStringLiteral("高手")),
                                 .voiceCode = "0010",
                                 .voiceId = "20",
                                 .playerSeat = 4,
                             }));
    EXPECT_EQ(record.nickname, QStringLiteral("小明Ab"));
    EXPECT_EQ(record.face, QStringLiteral("w7"));
    EXPECT_EQ(record.sex, 1);
    EXPECT_EQ(record.location, QStringLiteral("北京"));
    EXPECT_EQ(record.points, 1234.0);
    EXPECT_EQ(record.credit, 0.0);
    EXPECT_EQ(record.gold, 20000.0);
    EXPECT_EQ(record.spareAmounts, (std::array<double, 4>{1, 2, 3, 4}));
    EXPECT_EQ(record.levelTitle, QStringLiteral("第一级"));
    EXPECT_EQ(record.logins, 10);
    EXPECT_EQ(record.drops, 2);
    EXPECT_EQ(record.wins, 7);
    EXPECT_EQ(record.losses, 3);
    EXPECT_EQ(record.account, QStringLiteral("player1"));
    EXPECT_EQ(record.tag, QStringLiteral("高手"));
    EXPECT_EQ(record.voiceCode, QStringLiteral("0010"));
    EXPECT_EQ(record.voiceId, QStringLiteral("20"));
    EXPECT_EQ(record.lastSpareAmount, 4.0);  // the seat byte is its lowest byte
    EXPECT_EQ(record.voiceSlot, 3);          // not the decoder's
}

TEST(PlayerInfoRecord, TextWindowsEndAtTheirZeroOrAtTheWindowsEnd) {
    struct Case {
        const char* name;
        std::function<void(PlayerInfoFrame&)> send;
        std::function<QString(const state::PlayerInfo&)> field;
        QString expected;
    };
    const Case cases[] = {
        {"an empty face is m1", [](PlayerInfoFrame&) {},
         [](const state::PlayerInfo& r) { return r.face; }, QStringLiteral("m1")},
        {"a face filling its window", [](PlayerInfoFrame& f) { f.face = std::string(16, 'm'); },
         [](const state::PlayerInfo& r) { return r.face; }, QString(16, u'm')},
        {"an account filling its window stops before the tag",
         [](PlayerInfoFrame& f) {
             f.account = "abcdefghijklmnop";
             f.tag = "XY";
         },
         [](const state::PlayerInfo& r) { return r.account; }, QStringLiteral("abcdefghijklmnop")},
        {"a nickname ending with a double-byte character at bytes 46 and 47",
         [](PlayerInfoFrame& f) { f.nickname = std::string(30, 'n') + gbk(QStringLiteral("京")); },
         [](const state::PlayerInfo& r) { return r.nickname; },
         QString(30, u'n') + QStringLiteral("京")},
        {"double-byte location pairs",
         [](PlayerInfoFrame& f) {
             f.location = bytes({0xB1, 0xB1, 0xBE, 0xA9});
         },
         [](const state::PlayerInfo& r) { return r.location; }, QStringLiteral("北京")},
        {"single bytes in a double-byte window keep the pair's NUL",
         [](PlayerInfoFrame& f) { f.location = "ABC"; },
         [](const state::PlayerInfo& r) { return r.location; }, QStringLiteral("ABC") + QChar(0)},
        {"a tag of twelve characters fills its window",
         [](PlayerInfoFrame& f) { f.tag = gbk(QString(12, u'高')); },
         [](const state::PlayerInfo& r) { return r.tag; }, QString(12, u'高')},
        {"voice fields of eight bytes",
         [](PlayerInfoFrame& f) {
             f.voiceCode = "12345678";
             f.voiceId = "abcdefgh";
         },
         [](const state::PlayerInfo& r) { return r.voiceCode + "|" + r.voiceId; },
         QStringLiteral("12345678|abcdefgh")},
    };
    for (const Case& when : cases) {
        SCOPED_TRACE(when.name);
        PlayerInfoFrame fields;
        when.send(fields);
        EXPECT_EQ(when.field(decode(fields)), when.expected);
    }
}

TEST(PlayerInfoRecord, ALoneLeadByteAtTheNicknamesEndIsOneCharacter) {
    PlayerInfoFrame fields;
    fields.nickname = std::string(31, 'n') + bytes({0xB1});
    EXPECT_EQ(decode(fields).nickname.size(), 32);
}

TEST(PlayerInfoRecord, AmountsAreUnsignedLittleEndian) {
    struct Case {
        std::uint64_t sent;
        double expected;
    };
    for (const Case& when : {Case{0x4E20, 20000.0}, Case{1ull << 53, 9007199254740992.0},
                             Case{~0ull, 18446744073709551615.0}}) {
        const auto record = decode({.points = when.sent, .credit = when.sent, .gold = when.sent});
        EXPECT_EQ(record.gold, when.expected);
        EXPECT_EQ(record.points, when.expected);
        EXPECT_EQ(record.credit, when.expected);
    }
}

TEST(PlayerInfoRecord, CountersUpToTheSignedMaximumAreRead) {
    const auto record =
        decode({.logins = 0x7FFFFFFF, .drops = 0, .wins = 0x01020304, .losses = 255});
    EXPECT_EQ(record.logins, 2147483647);
    EXPECT_EQ(record.drops, 0);
    EXPECT_EQ(record.wins, 0x01020304);
    EXPECT_EQ(record.losses, 255);
}

TEST(PlayerInfoRecord, ACounterOutOfRangeFailsAndLeavesTheRecordHalfWritten) {
    state::PlayerInfo record;
    record.tag = QStringLiteral("old tag");
    record.voiceCode = QStringLiteral("old code");
    record.voiceId = QStringLiteral("old id");
    record.lastSpareAmount = 77;
    const state::Frame frame = BuildPlayerInfo({
        .nickname = "new",
        .gold = 500,
        .levelTitle = gbk(QStringLiteral("第二级")),
        .logins = 0x80FFFFFF,
        .drops = 0x00030201,
        .account = "acct",
        .tag = gbk(QStringLiteral("新")),
        .voiceCode = "27",
        .voiceId = "10",
        .playerSeat = 2,
    });
    try {
        DecodePlayerInfo(record, frame);
        FAIL() << "no failure";
    } catch (const platform::RuntimeFailure& failure) {
        EXPECT_EQ(failure.kind(), platform::RuntimeFailure::Kind::Overflow);
    }
    // Everything up to the level title is new.
    EXPECT_EQ(record.account, QStringLiteral("acct"));
    EXPECT_EQ(record.nickname, QStringLiteral("new"));
    EXPECT_EQ(record.gold, 500.0);
    EXPECT_EQ(record.levelTitle, QStringLiteral("第二级"));
    // The counters stop one byte short, all of them at the same point.
    EXPECT_EQ(record.logins, 0x80FFFF);
    EXPECT_EQ(record.drops, 0x0302);
    // The fields after the counters keep their old values.
    EXPECT_EQ(record.tag, QStringLiteral("old tag"));
    EXPECT_EQ(record.voiceCode, QStringLiteral("old code"));
    EXPECT_EQ(record.voiceId, QStringLiteral("old id"));
    EXPECT_EQ(record.lastSpareAmount, 77.0);
}

// The readers the dispatcher reads every field with.

TEST(FrameReader, NoReadReachesOutsideTheFrame) {
    const state::Frame frame{};
    const std::function<void()> reads[] = {
        [&] { dispatch::ReadByte(frame, 272); },
        [&] { dispatch::ReadInt16BE(frame, 271); },
        [&] { dispatch::ReadInt32BE(frame, 269); },
        [&] { dispatch::ReadInt32LE(frame, 270); },
        [&] { dispatch::ReadAmount(frame, 265); },
        [&] { dispatch::OneBytePerCharText(frame, 260, 13); },
        [&] { dispatch::MixedGbkText(frame, 272, 1); },
        [&] { dispatch::DoubleByteText(frame, 264, 10); },
        [&] { dispatch::ReadByte(frame, std::size_t(-1)); },
        [&] { dispatch::MixedGbkText(frame, 8, std::size_t(-4)); },
    };
    for (std::size_t i = 0; i < std::size(reads); ++i) {
        SCOPED_TRACE(i);
        try {
            reads[i]();
            ADD_FAILURE() << "read outside the frame";
        } catch (const platform::RuntimeFailure& failure) {
            EXPECT_EQ(failure.kind(), platform::RuntimeFailure::Kind::IndexOutOfRange);
        }
    }
}

TEST(FrameReader, TextsAtTheFramesEndStopWithTheFrame) {
    state::Frame frame{};
    frame[270] = 0xB1;
    frame[271] = 0xB1;
    EXPECT_EQ(dispatch::MixedGbkText(frame, 270, 2), QStringLiteral("北"));
    EXPECT_EQ(dispatch::DoubleByteText(frame, 270, 2), QStringLiteral("北"));
    EXPECT_EQ(dispatch::OneBytePerCharText(frame, 271, 1).size(), 1);
    EXPECT_EQ(dispatch::MixedGbkText(frame, 271, 1).size(), 1);
}

TEST(FrameReader, SignedFieldsOverflowWhenTheirHighByteIsSet) {
    struct Case {
        const char* name;
        std::function<std::int64_t(const state::Frame&)> read;
        std::size_t highByte;
        std::int64_t maximum;
    };
    const Case cases[] = {
        {"16-bit big-endian", [](const state::Frame& f) { return dispatch::ReadInt16BE(f, 8); }, 8,
         0x7FFF},
        {"32-bit big-endian", [](const state::Frame& f) { return dispatch::ReadInt32BE(f, 8); }, 8,
         0x7FFFFFFF},
        {"32-bit little-endian", [](const state::Frame& f) { return dispatch::ReadInt32LE(f, 8); },
         11, 0x7FFFFFFF},
    };
    for (const Case& when : cases) {
        SCOPED_TRACE(when.name);
        state::Frame frame{};
        std::fill(frame.begin() + 8, frame.begin() + 12, 0xFF);
        frame[when.highByte] = 0x7F;
        EXPECT_EQ(when.read(frame), when.maximum);
        frame[when.highByte] = 0x80;
        EXPECT_THROW(when.read(frame), platform::RuntimeFailure);
    }
}

}  // namespace
