// Table clients seeing each other through the test relay on loopback.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "platform/forms/render.h"
#include "video/leave_table.h"
#include "video_table.h"

namespace {

using video_test::PlayFor;
using video_test::PumpAll;
using video_test::VideoClient;

constexpr std::int16_t kReduced = platform::relay::kStateReduced;
constexpr std::int16_t kFullRate = platform::relay::kStateFullRate;

class TwoClients : public ::testing::Test {
  protected:
    void start(std::uint8_t linkedState, bool bobHasCamera = true) {
        relay = std::make_unique<relayserver::RelayServer>(
            relayserver::RelayOptions{.port = 0, .linkedState = linkedState});
        ASSERT_TRUE(relay->listening());
        relay->start();
        alice = std::make_unique<VideoClient>("alice", Qt::red, relay->port(), true);
        bob = std::make_unique<VideoClient>("bob", Qt::blue, relay->port(), bobHasCamera);
        // Bob sits on Alice's left; Alice on Bob's right.
        alice->s().custom[1].name = "bob";
        bob->s().custom[3].name = "alice";
        ASSERT_TRUE(PumpAll(both(), [&] {
            return alice->slotState(alice->slotOf("bob")) >= 10 &&
                   bob->slotState(bob->slotOf("alice")) >= 10;
        }));
        // Each end's first frame (still empty) goes out as the link starts.
        ASSERT_TRUE(PumpAll(both(), [&] { return relay->framesForwarded() >= 2; }));
    }
    std::vector<VideoClient*> both() { return {alice.get(), bob.get()}; }

    std::unique_ptr<relayserver::RelayServer> relay;
    std::unique_ptr<VideoClient> alice;
    std::unique_ptr<VideoClient> bob;
};

TEST_F(TwoClients, LogInAtTheRelayAndAskForEachOther) {
    start(kFullRate);
    EXPECT_TRUE(alice->s().g_bRelayLoggedIn);
    EXPECT_TRUE(alice->s().g_bVideoRequested);
    EXPECT_TRUE(bob->s().g_bRelayLoggedIn);
    // The highest free slot for the first seated player.
    EXPECT_EQ(alice->slotOf("bob"), 3);
    EXPECT_EQ(bob->slotOf("alice"), 3);
    EXPECT_EQ(alice->slotState(3), kFullRate);
    EXPECT_EQ(relay->links(), 1u);
}

TEST_F(TwoClients, FramesReachThePaneOfTheSendersSeat) {
    start(kFullRate);
    PlayFor(both(), 20 * platform::kCameraFrameIntervalMs);
    ASSERT_TRUE(PumpAll(both(), [&] { return alice->pane(1).framesShown() >= 10; }));
    EXPECT_TRUE(alice->s().g_aPaneOpened[1]);
    EXPECT_TRUE(alice->form().vshow1[1].Visible);
    EXPECT_FALSE(alice->form().vshow1[2].Visible);
    EXPECT_FALSE(alice->form().vshow1[3].Visible);
    EXPECT_EQ(alice->pane(2).framesShown(), 0u);
    EXPECT_TRUE(bob->s().g_aPaneOpened[3]);
    EXPECT_GE(bob->pane(3).framesShown(), 10u);
    // Bob's pattern is blue: Alice's pane shows a bluish picture, and the other way round.
    const QImage atAlice = alice->pane(1).box().picture().image();
    ASSERT_FALSE(atAlice.isNull());
    const QColor first = atAlice.pixelColor(3, 3);
    EXPECT_GT(first.blue(), first.red()) << first.name().toStdString();
    const QColor atBob = bob->pane(3).box().picture().image().pixelColor(3, 3);
    EXPECT_GT(atBob.red(), atBob.blue()) << atBob.name().toStdString();
}

// At the reduced rate the sender's throttle lets the 1st, 2nd, 3rd and 24th of 30 frames out;
// Bob, without a camera, sends only the empty frame that starts the link.
TEST_F(TwoClients, AReducedLinkCarriesOnlyTheThrottledFrames) {
    start(kReduced, false);
    const std::size_t atStart = relay->framesForwarded();
    PlayFor(both(), 30 * platform::kCameraFrameIntervalMs);
    ASSERT_TRUE(PumpAll(both(), [&] {
        return relay->framesForwarded() - atStart >= 4 && bob->pane(3).framesShown() >= 4;
    }));
    // Nothing more is on its way.
    PumpAll(
        both(), [] { return false; }, std::chrono::milliseconds(100));
    EXPECT_EQ(relay->framesForwarded() - atStart, 4u);
    EXPECT_EQ(alice->s().g_aPeerSendCount[std::size_t(alice->slotOf("bob"))], 9);
    // The four frames, and perhaps the pane's redraw of one 30 ms after it opened.
    EXPECT_GE(bob->pane(3).framesShown(), 4u);
    EXPECT_LE(bob->pane(3).framesShown(), 5u);
}

TEST_F(TwoClients, APeerLeavingClosesItsSlot) {
    start(kFullRate);
    PlayFor(both(), 5 * platform::kCameraFrameIntervalMs);
    // Bob leaves the table: Alice's dispatcher empties his seat and drops his slot.
    video::HideSeatPanes(*alice->c, 1);
    video::CloseSlotsOf(*alice->c, "bob");
    alice->s().custom[1].name.clear();
    EXPECT_EQ(alice->slotOf("bob"), 0);
    EXPECT_FALSE(alice->form().vshow1[1].Visible);
    ASSERT_TRUE(PumpAll(both(), [&] { return bob->slotState(3) == platform::relay::kStateGone; }));
    EXPECT_EQ(relay->links(), 0u);
    // Bob's frames no longer go out, and none reach Alice.
    const std::size_t forwarded = relay->framesForwarded();
    PlayFor(both(), 5 * platform::kCameraFrameIntervalMs);
    EXPECT_EQ(relay->framesForwarded(), forwarded);
}

TEST_F(TwoClients, APeerLoggingOutLeavesTheOtherSlotNotConnected) {
    start(kFullRate);
    bob->form().P2PSocket1->ServerLogout();
    ASSERT_TRUE(
        PumpAll(both(), [&] { return alice->slotState(3) == platform::relay::kStateGone; }));
    EXPECT_EQ(alice->slotOf("bob"), 3);
}

// Alice at a full table: the three others' test patterns in her three remote panes.
TEST(VideoScreenshot, ATableWithThreeRemotePanesPlaying) {
    relayserver::RelayServer relay({.port = 0, .linkedState = kFullRate});
    ASSERT_TRUE(relay.listening());
    relay.start();
    VideoClient alice("alice", Qt::red, relay.port(), true, true);
    VideoClient left("left", Qt::green, relay.port(), true);
    VideoClient opposite("opposite", Qt::blue, relay.port(), true);
    VideoClient right("right", Qt::yellow, relay.port(), true);
    const QString seats[4] = {"alice", "left", "opposite", "right"};
    VideoClient* clients[4] = {&alice, &left, &opposite, &right};
    // Each sees the others by relative seat.
    for (int own = 0; own < 4; ++own) {
        for (int k = 1; k <= 3; ++k)
            clients[own]->s().custom[std::size_t(k)].name = seats[(own + k) % 4];
    }
    const std::vector<VideoClient*> all(std::begin(clients), std::end(clients));
    ASSERT_TRUE(PumpAll(all, [&] { return relay.links() == 6; }));
    PlayFor(all, 10 * platform::kCameraFrameIntervalMs);
    ASSERT_TRUE(PumpAll(all, [&] {
        return alice.pane(1).framesShown() > 3 && alice.pane(2).framesShown() > 3 &&
               alice.pane(3).framesShown() > 3;
    }));
    const QImage shot = forms::renderWindow(alice.form());
    ASSERT_FALSE(shot.isNull());
    // Each pane's middle shows a coloured pattern, not the table.
    for (int k = 1; k <= 3; ++k) {
        const QRectF pane = alice.pane(k).box().rectInForm();
        EXPECT_TRUE(alice.form().vshow1[k].Visible);
        EXPECT_GT(QColor(shot.pixel(pane.center().toPoint())).saturation(), 60) << k;
    }
    const auto folder = std::filesystem::path(KORVASH_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(shot.save(QString::fromStdString((folder / "video-panes.png").string())));
}

}  // namespace
