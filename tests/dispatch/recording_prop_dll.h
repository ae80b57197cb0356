#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

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
    void InitShowEnd() override { ++showEnds; }
    void InitExit(std::int16_t& code) override { exits.push_back(code); }
    void Rec_MSG(state::Frame& message) override {
        received.push_back(message);
        if (onRecMsg) onRecMsg();
    }

    std::vector<state::Frame> received;
    std::vector<std::pair<std::int16_t, bool>> states;
    std::vector<std::int16_t> exits;
    int showEnds = 0;
    std::function<void()> onRecMsg;
};

}  // namespace dispatch_test
