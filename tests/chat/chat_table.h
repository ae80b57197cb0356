#pragma once

// A loaded client at a table of four (no connection): the local player P with flag 1 at the
// bottom, Q (flag 2) on the left, R (flag 4) opposite and S (flag 8) on the right, logged in.
// Frames the chat queues stay in the send ring, where the tests read them.
#include <gtest/gtest.h>

#include <QString>
#include <vector>

#include "chat/talk.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/send_queue.h"
#include "platform/forms/testing/driver.h"
#include "support/client_harness.h"
#include "support/server_frames.h"

namespace chat_test {

inline const QString kNicknames[4] = {QStringLiteral("P"), QStringLiteral("Q"), QStringLiteral("R"),
                                      QStringLiteral("S")};

class ChatTable : public ::testing::Test {
  public:
    support::ClientHarness harness;
    client::Client& c = load(harness);
    state::SharedState& s = c.s;

    client::MainForm& table() { return *c.MainForm; }
    forms::TextBox& chatLine() { return table().Chat; }
    forms::ListBox& history() { return c.Talk->Text1; }
    QStringList historyLines() { return history().items(); }
    void advance(int ms) { harness.scheduler.advance(ms); }

    // The chat frames queued since the last call.
    std::vector<support::SentChat> sentChats() {
        std::vector<support::SentChat> sent;
        state::Frame frame{};
        while (connection::TakeFrame(s.g_aSendRing, frame)) {
            sent.push_back(support::ReadSentChat(frame));
        }
        return sent;
    }
    std::vector<state::Frame> sentFrames() {
        std::vector<state::Frame> sent;
        state::Frame frame{};
        while (connection::TakeFrame(s.g_aSendRing, frame)) sent.push_back(frame);
        return sent;
    }

    void type(const QString& text) { forms::testing::typeText(chatLine(), text); }
    void pressEnter() { forms::testing::pressEnter(table()); }
    void pressBackspace() { forms::testing::pressBackspace(table()); }

  private:
    static client::Client& load(support::ClientHarness& h) {
        client::Client& client = h.make();
        auto& form = *client.MainForm;
        form.show();
        auto& st = client.s;
        st.g_bLoggedIn = true;
        for (int k = 0; k < 4; ++k) {
            st.custom[k].seat = std::uint8_t(1 << k);
            st.g_aPlayerInfo[k].nickname = kNicknames[k];
        }
        return client;
    }
};

}  // namespace chat_test
