#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "props/prop_dll.h"
#include "support/prop_dll_fakes.h"

namespace dispatch_test {

// A props plug-in that records what the table hands it. onRecMsg runs inside Rec_MSG, so a test
// can look at the client's state at that moment or make the call fail.
class RecordingPropDll final : public support::NullPropDll {
  public:
    void rec_state(std::int16_t link, bool up) override { states.emplace_back(link, up); }
    using support::NullPropDll::rec_state;
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
