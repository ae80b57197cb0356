// What the layout at load sets besides places: the array members it makes, what shows, fonts,
// pictures, the shared flags, and the camera preview.
#include <gtest/gtest.h>

#include <memory>

#include "platform/forms/input.h"
#include "resources/resource_store.h"
#include "table/local_camera.h"
#include "table_fixture.h"

namespace table_test {
namespace {

using Form = client::MainForm;

// A camera that starts (or not) and records how it was brought to the front.
class FakeCamera final : public video::Ziva {
  public:
    explicit FakeCamera(std::int16_t answer) : answer_(answer) {}
    int raised = 0;
    void ZOrder(std::int16_t position) override { raised += position == 0 ? 1 : 0; }
    void InitCapture() override {}
    std::int16_t StartCapture() override { return answer_; }
    void StopCapture() override {}
    void CloseCapture() override {}

  private:
    std::int16_t answer_;
};

forms::Picture Numbered(int id) {
    const auto bytes = resources::findResource("GIF", id);
    if (!bytes) return {};
    return forms::Picture::fromData(QByteArray::fromRawData(
        reinterpret_cast<const char*>(bytes->data()), qsizetype(bytes->size())));
}

bool SamePicture(const forms::Picture& a, const forms::Picture& b) {
    return !a.isEmpty() && a.image() == b.image();
}

class LayoutState : public ::testing::TestWithParam<Screen> {
  protected:
    LoadedTable table{GetParam()};
    Form& form = table.form();
    state::SharedState& s = table.s();
};

TEST_P(LayoutState, MakesTheArrayMembersTheDesignLacks) {
    const struct {
        const char* name;
        int count;
        int ubound;
    } arrays[] = {
        {"Tou", form.Tou.count(), form.Tou.ubound()},
        {"Nid", form.Nid.count(), form.Nid.ubound()},
        {"Cash", form.Cash.count(), form.Cash.ubound()},
        {"Level", form.Level.count(), form.Level.ubound()},
        {"OK", form.OK.count(), form.OK.ubound()},
        {"first", form.first.count(), form.first.ubound()},
        {"shou", form.shou.count(), form.shou.ubound()},
        {"Img_bao_shuai", form.Img_bao_shuai.count(), form.Img_bao_shuai.ubound()},
        {"AnNiu", form.AnNiu.count(), form.AnNiu.ubound()},
        {"Operation", form.Operation.count(), form.Operation.ubound()},
        {"imgDipai", form.imgDipai.count(), form.imgDipai.ubound()},
        {"xuan_img", form.xuan_img.count(), form.xuan_img.ubound()},
        {"btnJiaofen", form.btnJiaofen.count(), form.btnJiaofen.ubound()},
        {"cardImage0", form.cardImage0.count(), form.cardImage0.ubound()},
        {"cardImage3", form.cardImage3.count(), form.cardImage3.ubound()},
        {"ImCmd", form.ImCmd.count(), form.ImCmd.ubound()},
    };
    const int expected[][2] = {{4, 3}, {4, 3},   {4, 3},   {4, 3},  {4, 3}, {4, 3},
                               {4, 3}, {4, 3},   {9, 8},   {6, 5},  {8, 7}, {6, 5},
                               {4, 3}, {13, 12}, {13, 12}, {16, 15}};
    for (std::size_t i = 0; i < std::size(arrays); ++i) {
        EXPECT_EQ(arrays[i].count, expected[i][0]) << arrays[i].name;
        EXPECT_EQ(arrays[i].ubound, expected[i][1]) << arrays[i].name;
    }
    // The pane buttons lie four to a bar.
    for (int k = 0; k <= 15; ++k) EXPECT_EQ(form.ImCmd[k].container(), &form.PicLocal[k / 4]);
}

TEST_P(LayoutState, ShowsTheSeatsAndToolbarAndHidesWhatWaitsForAHand) {
    for (int k = 0; k <= 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(form.Tou[k].visible());
        EXPECT_TRUE(form.Nid[k].visible());
        EXPECT_TRUE(form.Cash[k].visible());
        EXPECT_TRUE(form.Level[k].visible());
        EXPECT_FALSE(form.OK[k].visible());
        EXPECT_FALSE(form.first[k].visible());
        EXPECT_FALSE(form.shou[k].visible());
        EXPECT_FALSE(form.Speak[k].visible());
        EXPECT_FALSE(form.btnJiaofen[k].visible());
        EXPECT_FALSE(form.PicLocal[k].visible());  // no camera, no remote video yet
    }
    for (int k = 0; k <= 8; ++k) EXPECT_TRUE(form.AnNiu[k].visible()) << "AnNiu " << k;
    for (int k = 0; k <= 5; ++k) {
        EXPECT_FALSE(form.Operation[k].visible()) << "Operation " << k;
        EXPECT_FALSE(form.Operation[k].enabled()) << "Operation " << k;
    }
    for (int k = 0; k <= 12; ++k) EXPECT_FALSE(form.cardImage0[k].visible()) << k;
    for (int k = 1; k <= 3; ++k) {
        EXPECT_FALSE(form.ImgKuang[k].visible());
        EXPECT_FALSE(form.ImgShow[k].visible());
        EXPECT_FALSE(form.vshow1[k].Visible);
        EXPECT_TRUE(form.vshow1[k].DisplayFlag1);
    }
    EXPECT_FALSE(form.btnJiaofen[0].enabled());
    EXPECT_TRUE(form.Bank.visible());
    EXPECT_TRUE(form.Sysmsg[0].visible());
    EXPECT_TRUE(form.Chat.visible());
    EXPECT_EQ(form.font().size, 10.0f);
}

TEST_P(LayoutState, SetsTheHandFlagsAndTheToolbarState) {
    for (int k = 0; k <= 8; ++k) {
        EXPECT_EQ(s.g_aAnNiuState[k], k == 2) << "the ready button alone starts taken: " << k;
        EXPECT_FALSE(s.g_aAnNiuHover[k]);
    }
    for (int k = 0; k <= 5; ++k) EXPECT_FALSE(s.g_aOperationHover[k]);
    for (int k = 0; k <= 3; ++k) EXPECT_EQ(s.g_aJiaofenKind[k], k);
    EXPECT_EQ(s.g_nPlayCount, 0);
    EXPECT_FALSE(s.g_bPropShowPending);
    EXPECT_EQ(s.g_nPropShowState, 0);
    EXPECT_FALSE(s.g_bLocalVideoOk);
}

TEST_P(LayoutState, GivesTheButtonsTheirPicturesFromTheLayoutsNumbering) {
    const auto& ids = table.c->ids;
    const int anNiuEntries[9] = {0, 2, 4, 8, 10, 12, 14, 16, 18};
    for (int k = 0; k <= 8; ++k) {
        EXPECT_TRUE(
            SamePicture(form.AnNiu[k].picture(), Numbered(ids.g_aIdAnNiu[anNiuEntries[k]].toInt())))
            << "AnNiu " << k;
    }
    const int operationEntries[6] = {0, 3, 6, 9, 11, 13};
    for (int k = 0; k <= 5; ++k) {
        EXPECT_TRUE(SamePicture(form.Operation[k].picture(),
                                Numbered(ids.g_aIdOperation[operationEntries[k]].toInt())))
            << "Operation " << k;
    }
    for (int k = 0; k <= 7; ++k) EXPECT_TRUE(SamePicture(form.imgDipai[k].picture(), Numbered(18)));
    EXPECT_TRUE(SamePicture(form.imgword1.picture(), Numbered(508)));
    EXPECT_TRUE(SamePicture(form.imgword2.picture(), Numbered(509)));
    const bool reduced = GetParam() == Screen::Small800;
    EXPECT_TRUE(SamePicture(form.sc_chat[0].picture(), Numbered(reduced ? 203 : 201)));
    EXPECT_TRUE(SamePicture(form.sc_chat[1].picture(), Numbered(reduced ? 204 : 202)));
    // Every temporary picture file is gone again.
    for (const auto& entry : std::filesystem::directory_iterator(table.harness.env.programFolder))
        EXPECT_NE(entry.path().extension(), ".GIF") << entry.path();
}

TEST_P(LayoutState, SwitchesFontsOnlyInTheReducedLayout) {
    const bool reduced = GetParam() == Screen::Small800;
    const float designCash = form.Cash[0].fontSize();
    EXPECT_EQ(designCash, 9.0f);  // the design's, in both layouts
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(form.Cash[k].fontSize(), reduced ? 8.0f : 9.0f);
    for (int k = 0; k <= 3; ++k) EXPECT_EQ(form.Level[k].fontSize(), reduced ? 8.0f : 9.0f);
    for (int k = 0; k <= 3; ++k) EXPECT_EQ(form.Nid[k].fontSize(), 11.0f);
    EXPECT_EQ(form.Number.fontSize(), reduced ? 12.0f : 14.0f);
    EXPECT_EQ(form.lbwealth.fontSize(), 18.0f);
    for (int k = 0; k <= 15; ++k) EXPECT_EQ(form.ImCmd[k].stretch(), reduced);
}

TEST_P(LayoutState, GivesEveryPaneButtonTheHandCursor) {
    for (int k = 1; k <= 15; ++k) {
        EXPECT_TRUE(form.ImCmd[k].mouseIcon().sameAs(form.ImCmd[0].mouseIcon()));
        EXPECT_EQ(form.ImCmd[k].mousePointer(), forms::pointer::Custom);
    }
    EXPECT_FALSE(form.ImCmd[0].mouseIcon().isEmpty());
}

TEST_P(LayoutState, WithoutACameraTheNoticeFollowsTheConnectingLine) {
    EXPECT_EQ(form.Sysmsg[0].list(0), QStringLiteral("正在连接服务器..."));
    EXPECT_EQ(form.Sysmsg[1].list(0), QStringLiteral("您没有视频设备或您的视频源正在使用。"));
    EXPECT_FALSE(form.ziva1->Visible);
    EXPECT_FALSE(form.PicLocal[0].visible());
}

TEST_P(LayoutState, ACameraThatStartsShowsThePreviewAndTheLocalBar) {
    auto camera = std::make_unique<FakeCamera>(0);
    FakeCamera& fake = *camera;
    form.ziva1 = std::move(camera);
    form.Sysmsg[0].clear();
    form.Sysmsg[1].clear();
    table::StartLocalCamera(*table.c);
    EXPECT_TRUE(s.g_bLocalVideoOk);
    EXPECT_TRUE(fake.Visible);
    EXPECT_EQ(fake.raised, 1);
    EXPECT_TRUE(fake.CaptureFlag4 && fake.CaptureFlag2 && !fake.CaptureFlag1);
    EXPECT_EQ(fake.CaptureMode, 2);
    EXPECT_TRUE(form.PicLocal[0].visible());
    EXPECT_EQ(form.Pic1.children().back(), &form.PicLocal[0]);  // the bar over the preview
    EXPECT_EQ(form.Sysmsg[0].listCount(), 0);
    EXPECT_EQ(form.Sysmsg[1].listCount(), 0);
}

TEST_P(LayoutState, ABusyCameraOnAnEmptyMessageAreaWritesTheFirstRow) {
    form.ziva1 = std::make_unique<FakeCamera>(5);
    form.Sysmsg[0].clear();
    form.Sysmsg[1].clear();
    table::StartLocalCamera(*table.c);
    EXPECT_FALSE(s.g_bLocalVideoOk);
    EXPECT_FALSE(form.ziva1->Visible);
    EXPECT_EQ(form.Sysmsg[0].list(0), QStringLiteral("您没有视频设备或您的视频源正在使用。"));
    EXPECT_EQ(form.Sysmsg[1].listCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Table, LayoutState,
                         ::testing::Values(Screen::Framed1280, Screen::Small800),
                         LayoutName<::testing::TestParamInfo<Screen>>);

}  // namespace
}  // namespace table_test
