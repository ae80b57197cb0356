#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "client/client.h"
#include "props/prop_dll.h"

namespace dispatch_test {

// A props plug-in that records what the table hands it. onRecMsg runs inside Rec_MSG, so a test
// can look at the client's state at that moment or make the call fail.
class RecordingPropDll final : public props::PropDll {
  public:
    void FixBuffPos() override {}
    void rec_state(std::int16_t link, bool up) override { states.emplace_back(link, up); }
    std::int32_t CheckSendBuff() override { return 0; }
    void GetSendBuff(props::PropWorkItem&) override {}
    std::int32_t GetScoreInfo() override { return 0; }
    void InitShowNext(bool) override {}
    void InitShowEnd() override {
        ++showEnds;
        if (onShowEnd) onShowEnd();
    }
    void InitExit(std::int16_t& code) override { exits.push_back(code); }
    void ClearUser(std::int16_t seat) override { clearedSeats.push_back(seat); }
    void Rec_MSG(state::Frame& message) override {
        received.push_back(message);
        if (onRecMsg) onRecMsg();
    }

    std::vector<state::Frame> received;
    std::vector<std::pair<std::int16_t, bool>> states;
    std::vector<std::int16_t> exits;
    int showEnds = 0;
    std::function<void()> onRecMsg;
    std::function<void()> onShowEnd;
    std::vector<std::int16_t> clearedSeats;
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
