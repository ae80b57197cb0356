#pragma once

// A table in the middle of a hand, set up directly (not through the seating and dealing
// frames): four players seated with their accounts, nicknames and gold, the local player on
// flag 1, logged in, a game running and, when asked, a local hand of thirteen cards dealt.
// Server frames then go through the real dispatcher.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "cards_display/table_play_fixture.h"
#include "dispatch/process_server_message.h"
#include "recording_prop_dll.h"
#include "support/server_frames.h"

namespace dispatch_test {

using table_test::Screen;

inline constexpr std::array<const char*, 4> kAccounts{"me01", "left02", "top03", "right04"};
inline constexpr std::array<const char16_t*, 4> kNicknames{u"我", u"左家", u"对家", u"右家"};
inline constexpr std::array<std::uint8_t, 4> kFlags{1, 2, 4, 8};

class HandTable {
  public:
    explicit HandTable(Screen screen = Screen::Exact1024, bool withView = false)
        : play(screen, withView) {
        auto& s = c.s;
        for (int k = 0; k < 4; ++k) {
            s.custom[std::size_t(k)].name = QString::fromLatin1(kAccounts[std::size_t(k)]);
            auto& info = s.g_aPlayerInfo[std::size_t(k)];
            info.account = s.custom[std::size_t(k)].name;
            info.nickname = QString::fromUtf16(kNicknames[std::size_t(k)]);
            info.gold = 1000;
            form.Nid[k].setCaption(info.nickname);
            form.Cash[k].setCaption(QStringLiteral("1000金币"));
        }
        s.Player_num = 4;
        s.g_bLoggedIn = true;
        s.g_bGameRunning = true;
    }

    void dealHand(const std::vector<std::string>& names) { play.dealHand(names); }
    void dispatch(state::Frame frame) { dispatch::ProcessServerMessage(c, frame); }
    bool hallRestored() const { return play.hallRestored(); }
    RecordingPropDll& loadPropPlugin(std::int16_t propState = 1) {
        return InstallRecordingPropDll(c, propState);
    }
    // The local hand's card values, slot by slot.
    std::vector<std::int32_t> handValues() const {
        std::vector<std::int32_t> values;
        for (const auto& slot : c.s.custom[0].slots) values.push_back(slot.card);
        return values;
    }

    cards_display_test::TablePlay play;
    client::Client& c = play.c;
    client::MainForm& form = play.form;
};

// "7h"-style names on the wire, as the other seats' plays carry them.
inline std::vector<std::int32_t> Cards(const std::vector<std::string>& names,
                                       std::uint8_t firstId = 60) {
    return cards_display_test::WireCards(names, firstId);
}

}  // namespace dispatch_test
