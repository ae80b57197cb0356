#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <vector>

#include "connection/send_queue.h"
#include "state/message_types.h"

using namespace connection;
using state::ByteRing;
using state::Frame;
using state::FrameSize;

namespace {

Frame numberedFrame(std::uint8_t type, std::uint8_t fill) {
    Frame f{};
    f.fill(fill);
    f[state::FrameTypeByte] = type;
    return f;
}

class Rings : public ::testing::Test {
  protected:
    // The state holds two 34 KiB rings: keep it off the stack.
    std::unique_ptr<state::SharedState> owned = std::make_unique<state::SharedState>();
    state::SharedState& s = *owned;
};

TEST_F(Rings, ReceivedBytesBecomeAFrameOnlyOnceAllHaveArrived) {
    struct Case {
        std::vector<std::size_t> pieces;
    };
    for (const Case& c : {Case{{272}}, Case{{100, 172}}, Case{{1, 270, 1}}, Case{{136, 136}}}) {
        s.g_aRecvRing = {};
        const Frame sent = numberedFrame(7, 0xA5);
        std::size_t offset = 0;
        Frame taken{};
        for (std::size_t piece : c.pieces) {
            EXPECT_FALSE(TakeFrame(s.g_aRecvRing, taken)) << "frame before the last piece";
            ASSERT_TRUE(AppendToRecvRing(s, std::span(sent).subspan(offset, piece)));
            EXPECT_TRUE(s.channels.check[state::ChannelReceive]);
            offset += piece;
        }
        ASSERT_TRUE(TakeFrame(s.g_aRecvRing, taken));
        EXPECT_EQ(taken, sent);
        EXPECT_EQ(s.g_aRecvRing.unread(), 0);
    }
}

TEST_F(Rings, AFrameEndingAtTheLastIndexIsTakenWholeAndTheNextStartsAtZero) {
    s.g_aRecvRing.read = s.g_aRecvRing.write = ByteRing::Size - static_cast<int>(FrameSize);
    const Frame last = numberedFrame(1, 0x11), first = numberedFrame(2, 0x22);
    ASSERT_TRUE(AppendToRecvRing(s, last));
    EXPECT_EQ(s.g_aRecvRing.write, 0);
    ASSERT_TRUE(AppendToRecvRing(s, first));
    Frame taken{};
    ASSERT_TRUE(TakeFrame(s.g_aRecvRing, taken));
    EXPECT_EQ(taken, last);
    EXPECT_EQ(s.g_aRecvRing.read, 0);
    ASSERT_TRUE(TakeFrame(s.g_aRecvRing, taken));
    EXPECT_EQ(taken, first);
}

TEST_F(Rings, ReceiveRingReportsFullOnTheByteThatWouldMakeItLookEmpty) {
    std::vector<std::uint8_t> bytes(ByteRing::Size - 1, 0x33);
    EXPECT_TRUE(AppendToRecvRing(s, bytes));
    EXPECT_EQ(s.g_aRecvRing.unread(), ByteRing::Size - 1);
    const std::uint8_t one = 0x44;
    EXPECT_FALSE(AppendToRecvRing(s, std::span(&one, 1)));
}

TEST_F(Rings, ProxyBufferReportsFullTheSameWay) {
    std::vector<std::uint8_t> bytes(state::SharedState::ProxyBufSize - 1, 5);
    EXPECT_TRUE(AppendToProxyBuf(s, bytes));
    EXPECT_FALSE(AppendToProxyBuf(s, std::span(bytes).first(1)));
}

TEST_F(Rings, KeepAlivesPileUpDuringAnOutageAndTheOneTooManyIsRefused) {
    s.custom[0].seat = 4;
    for (int i = 0; i < SendRingMaxUnsentFrames; ++i) {
        Frame keepAlive = BuildKeepAlive(s);
        QueueOutgoingMessage(s, keepAlive);
    }
    EXPECT_EQ(s.g_aSendRing.unread(), 127 * 272);
    EXPECT_EQ(s.g_nSendRefused, 0);
    // A refused frame still restarts a stopped pump, or the full ring would never drain.
    s.channels.disarm(state::ChannelSend);
    Frame extra = BuildKeepAlive(s);
    QueueOutgoingMessage(s, extra);
    EXPECT_EQ(s.g_nSendRefused, 1);
    EXPECT_EQ(s.g_aSendRing.unread(), 127 * 272) << "an unsent frame was overwritten";
    EXPECT_TRUE(s.channels.check[state::ChannelSend]);

    // Once the connection is back they leave in order, each a whole keep-alive.
    Frame taken{};
    int count = 0;
    while (TakeFrame(s.g_aSendRing, taken)) {
        EXPECT_EQ(taken[3], state::MsgKeepAlive);
        EXPECT_EQ(taken[6], 4);
        EXPECT_EQ(std::accumulate(taken.begin(), taken.end(), 0), 24 + 4);
        ++count;
    }
    EXPECT_EQ(count, 127);
    Frame again = BuildKeepAlive(s);
    QueueOutgoingMessage(s, again);
    EXPECT_EQ(s.g_aSendRing.unread(), 272);
}

TEST_F(Rings, ResetEmptiesBothRingsAndKeepsTheirBytes) {
    Frame f = numberedFrame(9, 9);
    QueueOutgoingMessage(s, f);
    ASSERT_TRUE(AppendToRecvRing(s, f));
    ResetRingBuffers(s);
    EXPECT_EQ(s.g_aSendRing.unread(), 0);
    EXPECT_EQ(s.g_aRecvRing.unread(), 0);
    EXPECT_EQ(s.g_aSendRing.data[3], 9);
}

}  // namespace
