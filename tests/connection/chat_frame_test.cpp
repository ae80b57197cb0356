#include <gtest/gtest.h>

#include <memory>

#include "connection/send_queue.h"
#include "platform/text/gbk.h"
#include "state/message_types.h"

using namespace connection;
using state::Frame;

namespace {

Frame chatFrame(std::uint32_t propMarker = 0) {
    Frame f{};
    f[3] = state::MsgChat;
    f[6] = 2;
    f[10] = 7;  // a field of the chat header the encoder must keep
    f[236] = static_cast<std::uint8_t>(propMarker >> 24);
    f[237] = static_cast<std::uint8_t>(propMarker >> 16);
    f[238] = static_cast<std::uint8_t>(propMarker >> 8);
    f[239] = static_cast<std::uint8_t>(propMarker);
    f[250] = 0xEE;  // junk after the text must be cleared
    return f;
}

class ChatFrames : public ::testing::Test {
protected:
    std::unique_ptr<state::SharedState> owned = std::make_unique<state::SharedState>();
    state::SharedState& s = *owned;

    // The frame as it went into the send ring, or nothing when none was queued.
    std::optional<Frame> queue(Frame& f) {
        QueueOutgoingMessage(s, f);
        Frame out{};
        if (!TakeFrame(s.g_aSendRing, out)) return std::nullopt;
        return out;
    }
};

TEST_F(ChatFrames, TextIsEncodedInGbkFromByteSixteenAndZeroedToTheEnd) {
    struct Case {
        QString text;
        std::string expectedBytes;
    };
    const QString hundredFifty = QString(150, u'x');
    for (const Case& c : {
             Case{"hi", "hi"},
             Case{u"ab中文c"_qs, std::string("ab") + platform::encodeGbk(u"中文"_qs) + "c"},
             Case{hundredFifty, std::string(100, 'x')},
             Case{QString(120, u'牌'), platform::encodeGbk(QString(100, u'牌'))},
         }) {
        s.g_sChatText = c.text;
        Frame f = chatFrame();
        auto sent = queue(f);
        ASSERT_TRUE(sent);
        const std::string text(sent->begin() + 16, sent->begin() + 16 + c.expectedBytes.size());
        EXPECT_EQ(text, c.expectedBytes);
        for (std::size_t i = 16 + c.expectedBytes.size(); i < 272; ++i) {
            ASSERT_EQ((*sent)[i], 0) << "byte " << i;
        }
        EXPECT_EQ((*sent)[10], 7);
        EXPECT_EQ(f, *sent) << "the caller's frame holds the encoded bytes";
        EXPECT_TRUE(s.g_sChatText.isEmpty());
    }
}

TEST_F(ChatFrames, PlugInFramesGoOutAsBuiltAndKeepThePendingText) {
    for (std::uint32_t marker : {272u, 260u}) {
        s.g_sChatText = "pending";
        Frame f = chatFrame(marker);
        const Frame built = f;
        auto sent = queue(f);
        ASSERT_TRUE(sent);
        EXPECT_EQ(*sent, built);
        EXPECT_EQ(s.g_sChatText, "pending");
    }
}

TEST_F(ChatFrames, AnEmptyTextQueuesNothingAndLeavesTheChannelAlone) {
    s.g_sChatText.clear();
    Frame f = chatFrame(271);
    EXPECT_FALSE(queue(f));
    EXPECT_FALSE(s.channels.check[state::ChannelSend]);
}

}  // namespace
