// Card faces on the table window: the right picture of the right picture set in the right
// control, through a temporary file that does not outlive the call; a code without a picture
// sends the player back to the hall.
#include "cards/display/card_picture_display.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "cards/display/hand_card_image.h"
#include "client/main_form.h"
#include "platform/files/file_system.h"
#include "platform/runtime/failure.h"
#include "resources/picture_ids.h"
#include "resources/resource_store.h"
#include "state/shared_state.h"
#include "support/client_harness.h"
#include "support/resource_images.h"

namespace cards {
namespace {

namespace fs = std::filesystem;

constexpr float kFullScale = 1.0f;
constexpr float kReducedScale = 0.78125f;

class CardPictureDisplay : public ::testing::Test {
  protected:
    void SetUp() override {
        c.s.g_sHallCaption = QString::fromUtf16(support::ClientHarness::kHallCaption);
        c.ids = resources::InitImageIds(kFullScale);
        for (auto* array : cardArrays()) (*array)[0].setPicture(oldPicture);
        filesAfterLoad = programFolderFiles();
    }

    std::vector<forms::ControlArray<forms::Image>*> cardArrays() {
        return {&form.cardImage0, &form.cardImage1, &form.cardImage2, &form.cardImage3,
                &form.xuan_img};
    }
    std::set<fs::path> programFolderFiles() const {
        std::set<fs::path> names;
        for (const auto& entry : fs::directory_iterator(harness.env.programFolder))
            names.insert(entry.path().filename());
        return names;
    }
    // No temporary picture file outlived the call (start-up leaves files of its own there).
    bool programFolderIsAsLoaded() const { return programFolderFiles() == filesAfterLoad; }

    support::ClientHarness harness;
    client::Client& c = harness.make();
    client::MainForm& form = *c.MainForm;
    const forms::Picture oldPicture{QImage(5, 5, QImage::Format_ARGB32_Premultiplied)};
    std::set<fs::path> filesAfterLoad;
};

TEST_F(CardPictureDisplay, ShowsEachCardFromThePictureSetOfTheLayout) {
    struct Case {
        const char* card;
        std::int16_t suitMask;
        std::int16_t rank;
        std::int16_t code;  // as the caller computes it
        int fullId;
        int reducedId;
        QSize fullSize;
        QSize reducedSize;
    };
    const QSize face{92, 122};
    const QSize smallFace{72, 95};
    const QSize back{78, 103};
    const Case cases[] = {
        {"three of diamonds", SuitDiamonds, 3, 3, 3, 303, face, smallFace},
        {"king of diamonds", SuitDiamonds, 13, 13, 13, 313, face, smallFace},
        {"three of clubs", SuitClubs, 3, 19, 19, 316, face, smallFace},
        {"ace of clubs", SuitClubs, 14, 30, 30, 314, face, smallFace},
        {"two of clubs", SuitClubs, 15, 31, 31, 315, face, smallFace},
        {"ace of hearts", SuitHearts, 14, 46, 46, 327, face, smallFace},
        {"ace of spades", SuitSpades, 14, 62, 62, 340, face, smallFace},
        {"two of spades", SuitSpades, 15, 63, 63, 341, face, smallFace},
        {"marked ace of hearts", SuitHearts, 16, 48, 46, 327, face, smallFace},
        {"marked ace of diamonds", SuitDiamonds, 16, 16, 14, 301, face, smallFace},
        {"black joker", 0, 0, 16, 16, 353, face, smallFace},
        {"red joker", 0, 0, 17, 17, 354, face, smallFace},
        {"card back", 0, 0, 18, 18, 18, back, back},
    };
    for (const float scale : {kFullScale, kReducedScale}) {
        c.ids = resources::InitImageIds(scale);
        const bool full = scale == kFullScale;
        for (const Case& test : cases) {
            SCOPED_TRACE(std::string(test.card) + (full ? ", full" : ", reduced"));
            const int id = full ? test.fullId : test.reducedId;
            ShowCardPicture(c, test.suitMask, test.rank, 0, 0, test.code, 0);
            EXPECT_EQ(c.s.g_nResId, id);
            EXPECT_EQ(form.cardImage0[0].picture().size(), full ? test.fullSize : test.reducedSize);
            EXPECT_EQ(form.cardImage0[0].picture().image(), support::decodedResource(id));
            EXPECT_TRUE(programFolderIsAsLoaded());
        }
    }
}

TEST_F(CardPictureDisplay, TheSeatAndTheOptionChooseTheControl) {
    struct Case {
        std::int16_t seat;
        std::int16_t toOption;
        forms::ControlArray<forms::Image>* target;  // none: only the file comes and goes
    };
    const Case cases[] = {
        {0, 0, &form.cardImage0}, {1, 0, &form.cardImage1}, {2, 0, &form.cardImage2},
        {3, 0, &form.cardImage3}, {0, 1, &form.xuan_img},   {3, 1, &form.xuan_img},
        {4, 0, nullptr},          {-1, 0, nullptr},         {4, 2, nullptr},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << "seat " << test.seat << ", option " << test.toOption);
        for (auto* array : cardArrays()) (*array)[0].setPicture(oldPicture);
        ShowCardPicture(c, SuitHearts, 14, test.seat, 0, 46, test.toOption);
        for (auto* array : cardArrays()) {
            SCOPED_TRACE((*array)[0].name().toStdString());
            EXPECT_EQ((*array)[0].picture().sameAs(oldPicture), array != test.target);
        }
        EXPECT_TRUE(programFolderIsAsLoaded());
    }
}

TEST_F(CardPictureDisplay, AMemberMadeAtRunTimeShowsItsCardWhereItIs) {
    if (!form.cardImage1.exists(5)) form.cardImage1.load(5);
    form.cardImage1[5].setVisible(false);
    form.cardImage1[5].setStretch(true);
    form.cardImage1[5].move(600, 700, 900, 1200);
    ShowCardPicture(c, SuitClubs, 11, 1, 5, 27, 0);
    EXPECT_EQ(form.cardImage1[5].picture().image(), support::decodedResource(27));
    EXPECT_EQ(form.cardImage1[5].left(), 600);
    EXPECT_EQ(form.cardImage1[5].top(), 700);
    EXPECT_EQ(form.cardImage1[5].width(), 900);
    EXPECT_EQ(form.cardImage1[5].height(), 1200);
    EXPECT_FALSE(form.cardImage1[5].visible());
    EXPECT_TRUE(form.cardImage1[0].picture().sameAs(oldPicture));
}

TEST_F(CardPictureDisplay, ACodeWithoutAPictureMinimisesTheTableAndRestoresTheHall) {
    for (const std::int16_t code : {0, 2, 32, 34, 48, 50, 128, 200}) {
        SCOPED_TRACE(code);
        form.setWindowState(forms::WindowState::Normal);
        harness.desktop.clearRecords(harness.hall);
        ShowCardPicture(c, SuitDiamonds, 3, 0, 0, code, 0);
        EXPECT_EQ(form.windowState(), forms::WindowState::Minimized);
        EXPECT_EQ(harness.desktop.systemCommands(harness.hall),
                  std::vector<platform::SystemCommand>{platform::SystemCommand::Restore});
        EXPECT_TRUE(form.cardImage0[0].picture().sameAs(oldPicture));
        EXPECT_TRUE(programFolderIsAsLoaded());
    }
}

TEST_F(CardPictureDisplay, ACodeWithoutAPictureEndsTheProgramWhenTheHallIsGone) {
    harness.desktop.closeWindow(harness.hall);
    EXPECT_THROW(ShowCardPicture(c, SuitDiamonds, 3, 0, 0, 33, 0), platform::ProgramEnd);
    EXPECT_EQ(form.windowState(), forms::WindowState::Minimized);
    EXPECT_TRUE(form.cardImage0[0].picture().sameAs(oldPicture));
}

TEST_F(CardPictureDisplay, APictureMissingFromTheSetLeavesTheControlSilently) {
    c.ids.g_aIdCards[46] = "4999";
    ASSERT_FALSE(resources::findResource("GIF", 4999).has_value());
    ShowCardPicture(c, SuitHearts, 14, 0, 0, 46, 0);
    EXPECT_TRUE(form.cardImage0[0].picture().sameAs(oldPicture));
    EXPECT_EQ(form.windowState(), forms::WindowState::Normal);
    EXPECT_TRUE(programFolderIsAsLoaded());
}

// These stop the routine with a run-time failure that the caller's handling receives.
TEST_F(CardPictureDisplay, FailuresGoToTheCallerAndLeaveTheControl) {
    // The file reads back empty, which no picture decoder accepts.
    const fs::path unloadable = harness.env.programFolder / "tmp46.GIF";
    fs::create_symlink("/dev/null", unloadable);
    EXPECT_THROW(ShowCardPicture(c, SuitHearts, 14, 0, 0, 46, 0), platform::RuntimeFailure);
    EXPECT_TRUE(fs::is_symlink(unloadable));
    fs::remove(unloadable);

    ASSERT_FALSE(form.cardImage0.exists(99));
    EXPECT_THROW(ShowCardPicture(c, SuitHearts, 14, 0, 99, 46, 0), platform::RuntimeFailure);
    EXPECT_THROW(ShowCardPicture(c, 0, 0, 0, 0, 64, 0), platform::RuntimeFailure);
    EXPECT_THROW(ShowCardPicture(c, 0, 0, 0, 0, -1, 0), platform::RuntimeFailure);
    // Before start-up filled the tables there is no picture number to read.
    c.ids = {};
    EXPECT_THROW(ShowCardPicture(c, SuitHearts, 14, 0, 0, 46, 0), platform::RuntimeFailure);

    EXPECT_TRUE(form.cardImage0[0].picture().sameAs(oldPicture));
    EXPECT_EQ(form.windowState(), forms::WindowState::Normal);
}

// A click on cardImage0 counts only for cards still in the hand, not for those on the table.
TEST(HandCardImage, IsTheImageOfAHeldSlotOnly) {
    state::SharedState s;
    auto& local = s.custom[0];
    // Slots 0..2 held with images 7, 2 and 11; slot 3, beyond the count, still names image 5
    // from a card that has been played.
    local.slots[0].image = 7;
    local.slots[1].image = 2;
    local.slots[2].image = 11;
    local.slots[3].image = 5;
    local.count = 3;
    struct Case {
        std::int16_t imgIndex;
        bool inHand;
    };
    for (const Case& test : {Case{7, true}, Case{2, true}, Case{11, true}, Case{5, false},
                             Case{0, false}, Case{-1, false}}) {
        EXPECT_EQ(IsHandCardImage(s, test.imgIndex), test.inHand) << "image " << test.imgIndex;
    }
    // Another seat's slots are not the hand.
    s.custom[1].slots[0].image = 9;
    s.custom[1].count = 1;
    EXPECT_FALSE(IsHandCardImage(s, 9));

    local.count = 0;
    EXPECT_FALSE(IsHandCardImage(s, 7));
    local.count = 13;
    local.slots[12].image = 40;
    EXPECT_TRUE(IsHandCardImage(s, 40));
    local.count = 14;  // a count no hand holds
    EXPECT_THROW(IsHandCardImage(s, 40), platform::RuntimeFailure);
}

}  // namespace
}  // namespace cards
