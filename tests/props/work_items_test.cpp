// The plug-in's work items on the table tick: each type valid and invalid, as a table.
#include "props/work_items.h"

#include "chat/talk.h"
#include "props_fixture.h"

namespace props_test {
namespace {

props::PropWorkItem Item(std::int16_t type, QString text, std::vector<std::int32_t> rect = {},
                         std::vector<std::int32_t> style = {}, std::size_t frameBytes = 0) {
    props::PropWorkItem item;
    item.g_nPropWorkType = type;
    item.g_sPropText = std::move(text);
    item.g_aPropRect = std::move(rect);
    item.g_aPropStyle = std::move(style);
    item.g_aPropBytes.assign(frameBytes, 0x2D);
    return item;
}

const std::vector<std::int32_t> kRect{300, 30, 362, 250};
const std::vector<std::int32_t> kStyle{100, 3, 15, 0x00FFFF, 2};

// What the table did with the item: the visible trace each type leaves.
struct Effects {
    int historyLines = 0;
    bool floatingText = false;
    std::int32_t queuedBytes = 0;
    bool whisper = false;
};

struct WorkCase {
    const char* name;
    props::PropWorkItem item;
    Effects expected;
};

inline void PrintTo(const WorkCase& c, std::ostream* os) {
    *os << c.name;
}

class WorkItems : public PropsTest, public ::testing::WithParamInterface<WorkCase> {};

TEST_P(WorkItems, RunOnTheTickOrAreIgnored) {
    ASSERT_TRUE(loadScripted());
    c.s.g_aPlayerInfo[2].nickname = QStringLiteral("西门");
    const int historyBefore = c.Talk->Text1.listCount();
    const std::int32_t ringBefore = c.s.g_aSendRing.unread();
    script.workItems.push_back(GetParam().item);
    ticks(1);
    const Effects& want = GetParam().expected;
    EXPECT_EQ(c.Talk->Text1.listCount() - historyBefore, want.historyLines);
    EXPECT_EQ(form().LbProp.visible(), want.floatingText);
    EXPECT_EQ(c.s.g_aSendRing.unread() - ringBefore, want.queuedBytes);
    EXPECT_EQ(!c.s.g_sWhisperPrefix.isEmpty(), want.whisper);
    // The item was taken either way.
    EXPECT_TRUE(script.workItems.empty());
    EXPECT_EQ(c.s.g_nPropState, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Props, WorkItems,
    ::testing::Values(
        WorkCase{"ChatLine", Item(0, QStringLiteral("道具到账")), {.historyLines = 1}},
        WorkCase{"ChatLineEmpty", Item(0, {}), {}},
        WorkCase{
            "FloatingText", Item(1, QStringLiteral("飘字"), kRect, kStyle), {.floatingText = true}},
        WorkCase{
            "FloatingTextShortRect", Item(1, QStringLiteral("飘字"), {300, 30, 362}, kStyle), {}},
        WorkCase{"FloatingTextEmpty", Item(1, {}, kRect, kStyle), {}},
        WorkCase{"FloatingTextStays",
                 Item(1, QStringLiteral("常驻"), kRect, {0, 0, 15, 0, 0}),
                 {.floatingText = true}},
        WorkCase{"FloatingTextIntervalTooLong",
                 Item(1, QStringLiteral("飘字"), kRect, {65536, 3, 15, 0, 2}),
                 {}},
        WorkCase{"FloatingTextAlignmentThree",
                 Item(1, QStringLiteral("飘字"), kRect, {100, 3, 15, 0, 3}),
                 {}},
        WorkCase{"FloatingTextBadColour",
                 Item(1, QStringLiteral("飘字"), kRect, {100, 3, 15, 0x1000000, 2}),
                 {}},
        WorkCase{
            "FloatingTextFontZero", Item(1, QStringLiteral("飘字"), kRect, {100, 3, 0, 0, 2}), {}},
        WorkCase{"FloatingTextNegativeWidth",
                 Item(1, QStringLiteral("飘字"), {-1, 30, 0, 0}, kStyle),
                 {}},
        WorkCase{"Frame", Item(2, {}, {}, {}, 272), {.queuedBytes = 272}},
        WorkCase{"FrameShort", Item(2, {}, {}, {}, 271), {}},
        WorkCase{"FrameLong", Item(2, {}, {}, {}, 273), {}},
        WorkCase{"SeatClick", Item(3, QStringLiteral("2"), {}), {.whisper = true}},
        WorkCase{
            "SeatClickRoundsHalfToEven", Item(3, QStringLiteral("2.5"), {}), {.whisper = true}},
        WorkCase{"SeatClickOwnSeat", Item(3, QStringLiteral("0"), {}), {}},
        WorkCase{"SeatClickOverflow", Item(3, QStringLiteral("70000"), {}), {}},
        WorkCase{"Key", Item(4, QStringLiteral("112"), {}), {}},
        WorkCase{"KeyOverflow", Item(4, QStringLiteral("99999999"), {}), {}},
        WorkCase{"SeatCard", Item(5, QStringLiteral("3"), {}), {}},
        WorkCase{"SeatCardOverflow", Item(5, QStringLiteral("1e9"), {}), {}},
        WorkCase{"TypeUnchanged", Item(-1, QStringLiteral("x"), {}), {}},
        WorkCase{"UnknownType", Item(9, QStringLiteral("x"), {}), {}}),
    [](const auto& info) { return std::string(info.param.name); });

// The values the tick cannot observe for keys and seat cards: what the check lets through.
struct CheckCase {
    const char* name;
    props::PropWorkItem item;
    std::optional<std::int16_t> value;  // the key code or seat passed on; nothing: ignored
};

inline void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << c.name;
}

class WorkItemCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(WorkItemCheck, PassesOnlyValuesTheTableCanTake) {
    const auto action = props::CheckWorkItem(GetParam().item);
    ASSERT_EQ(action.has_value(), GetParam().value.has_value());
    if (!action) return;
    std::int16_t got = -1;
    if (const auto* key = std::get_if<props::KeyItem>(&*action)) got = key->keyCode;
    if (const auto* seat = std::get_if<props::SeatCardItem>(&*action)) got = seat->seat;
    EXPECT_EQ(got, *GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Props, WorkItemCheck,
    ::testing::Values(CheckCase{"KeyF1", Item(4, QStringLiteral("112")), 112},
                      CheckCase{"KeyWithTrailingText", Item(4, QStringLiteral("27 esc")), 27},
                      CheckCase{"KeyNone", Item(4, QStringLiteral("abc")), std::nullopt},
                      CheckCase{"KeyNegative", Item(4, QStringLiteral("-13")), std::nullopt},
                      CheckCase{"KeyAbove254", Item(4, QStringLiteral("300")), std::nullopt},
                      CheckCase{"KeyOverflow", Item(4, QStringLiteral("40000")), std::nullopt},
                      CheckCase{"SeatCardZero", Item(5, QStringLiteral("0")), 0},
                      CheckCase{"SeatCardFour", Item(5, QStringLiteral("4")), std::nullopt},
                      CheckCase{"SeatCardOverflow", Item(5, QStringLiteral("&HFFFFF")),
                                std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PropsTest, TheCountIsReadOnceAndAnUnloadStopsTheRest) {
    ASSERT_TRUE(loadScripted());
    script.workItems = {Item(0, QStringLiteral("一")), Item(0, QStringLiteral("二")),
                        Item(0, QStringLiteral("三"))};
    script.workCount = 2;
    ticks(1);
    EXPECT_EQ(script.count(QStringLiteral("CheckSendBuff")), 1);
    EXPECT_EQ(script.count(QStringLiteral("GetSendBuff(-1)")), 2);
    EXPECT_EQ(script.workItems.size(), 1u);
}

TEST_F(PropsTest, AChatLineIsWholeInTheHistoryAndCutTo45InTheSystemArea) {
    ASSERT_TRUE(loadScripted());
    const QString line = QString(50, u'a');
    QString text = line;
    props::AddPropChatLine(c, text);
    EXPECT_EQ(text, QString(45, u'a'));
}

TEST_F(PropsTest, AFloatingTextGoesAfterIntervalTimesRepeat) {
    ASSERT_TRUE(loadScripted());
    script.workItems.push_back(Item(1, QStringLiteral("飘字"), kRect, {100, 3, 15, 0x00FFFF, 2}));
    ticks(1);
    ASSERT_TRUE(form().LbProp.visible());
    EXPECT_EQ(form().LbProp.caption(), QStringLiteral("飘字"));
    EXPECT_EQ(form().LbProp.width(), 300);
    runFor(250);
    EXPECT_TRUE(form().LbProp.visible());
    runFor(100);
    EXPECT_FALSE(form().LbProp.visible());
    EXPECT_FALSE(form().TimerProp.enabled());
}

}  // namespace
}  // namespace props_test

namespace props_test {
namespace {

// The props frames the end of a hand held back go out at the next deal, once each; a frame
// whose hold is still on stays parked until a deal finds its hold lifted.
TEST_F(PropsTest, HeldPropFramesGoOutAtTheDealOnceTheirHoldIsUsed) {
    ASSERT_TRUE(loadScripted());
    auto& s = c.s;
    s.g_aHeldPropFrameA = PropFrame(45);
    s.g_aHeldPropFrameB = PropFrame(45);
    s.g_bHoldPropFrameA = false;  // used: its frame was taken
    s.g_bHoldPropFrameB = true;   // still waiting: nothing to send
    const std::int32_t before = s.g_aSendRing.unread();
    props::SendHeldPropFrames(c);
    EXPECT_EQ(s.g_aSendRing.unread() - before, std::int32_t(state::FrameSize));
    EXPECT_EQ(s.g_aHeldPropFrameA[state::FrameTypeByte], 0);
    EXPECT_EQ(s.g_aHeldPropFrameB[state::FrameTypeByte], 45);
    EXPECT_FALSE(s.g_bHoldPropFrameB);
    props::SendHeldPropFrames(c);
    EXPECT_EQ(s.g_aSendRing.unread() - before, 2 * std::int32_t(state::FrameSize));
    EXPECT_EQ(s.g_aHeldPropFrameB[state::FrameTypeByte], 0);
    props::SendHeldPropFrames(c);
    EXPECT_EQ(s.g_aSendRing.unread() - before, 2 * std::int32_t(state::FrameSize));
}

}  // namespace
}  // namespace props_test
