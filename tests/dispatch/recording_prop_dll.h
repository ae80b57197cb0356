#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "client/client.h"
#include "props/prop_dll.h"
#include "support/prop_dll_fakes.h"

namespace dispatch_test {

// A props plug-in that records what the table hands it. onRecMsg runs inside Rec_MSG and
// onShowEnd inside InitShowEnd, so a test can look at the client's state at that moment or make
// the call fail.
class RecordingPropDll final : public support::NullPropDll {
  public:
    void rec_state(std::int16_t link, bool up) override { states.emplace_back(link, up); }
    void rec_state(std::int16_t kind, bool closed, std::int16_t pane) override {
        paneStates.push_back({kind, closed, pane});
    }
    bool SetUserinfo(QString& nickname, QString& account, std::uint8_t& seatFlag,
                     std::int16_t& seat, bool credit, std::uint8_t& sex, QString& tag,
                     QString& face) override {
        users.push_back({nickname, account, seatFlag, seat, credit, sex, tag, face});
        return acceptUsers;
    }
    void ClearUser(std::int16_t seat) override { clearedSeats.push_back(seat); }
    void InitShowEnd() override {
        ++showEnds;
        if (onShowEnd) onShowEnd();
    }
    void InitExit(std::int16_t& code) override { exits.push_back(code); }
    void SetKeyDown(std::int16_t keyCode) override {
        calls.push_back("SetKeyDown(" + std::to_string(keyCode) + ")");
    }
    void setbankstate(std::int16_t state) override {
        calls.push_back("setbankstate(" + std::to_string(state) + ")");
    }
    bool ShowBrmVideo(std::int16_t seat, bool show, std::int16_t zero) override {
        calls.push_back("ShowBrmVideo(" + std::to_string(seat) + "," + (show ? "true" : "false") +
                        "," + std::to_string(zero) + ")");
        return true;
    }
    void Rec_MSG(state::Frame& message) override {
        received.push_back(message);
        if (onRecMsg) onRecMsg();
    }

    struct User {
        QString nickname, account;
        std::uint8_t seatFlag;
        std::int16_t seat;
        bool credit;
        std::uint8_t sex;
        QString tag, face;
    };
    struct PaneState {
        std::int16_t kind;
        bool closed;
        std::int16_t pane;
    };
    std::vector<User> users;
    bool acceptUsers = true;
    std::vector<std::int16_t> clearedSeats;
    std::vector<PaneState> paneStates;
    std::vector<state::Frame> received;
    std::vector<std::pair<std::int16_t, bool>> states;
    std::vector<std::int16_t> exits;
    int showEnds = 0;
    // The key, bank and video calls, as "SetKeyDown(112)" and so on.
    std::vector<std::string> calls;
    std::function<void()> onRecMsg;
    std::function<void()> onShowEnd;
};

// Installs a recording plug-in with the given state (1 or 2 loaded, 0 or -1 not).
inline RecordingPropDll& InstallRecordingPropDll(client::Client& c, std::int16_t propState) {
    auto plugin = std::make_unique<RecordingPropDll>();
    RecordingPropDll& recording = *plugin;
    c.g_oPropDll = std::move(plugin);
    c.s.g_nPropState = propState;
    return recording;
}

}  // namespace dispatch_test
