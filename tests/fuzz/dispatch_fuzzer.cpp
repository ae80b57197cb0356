// Fuzz target: server frames reaching the dispatcher in every state a table goes through. The
// input's settings byte picks the state (the frames of a real hand bring the client there first)
// and the props plug-in's state; the frames after it are dispatched in order. A refused login
// and the like end the program, which ends the input; anything else escaping is a fault.
#include <memory>

#include "client/client.h"
#include "dispatch/process_server_message.h"
#include "dispatch/recording_prop_dll.h"
#include "dispatch_input.h"
#include "kept_client.h"

namespace {

constexpr platform::Millis kTimeBetweenFrames = 2000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::KeptClient kept;
    static const std::vector<state::Frame> preludes[] = {
        fuzzing::FramesInto(fuzzing::TableState::LoggedIn),
        fuzzing::FramesInto(fuzzing::TableState::Seated),
        fuzzing::FramesInto(fuzzing::TableState::Dealing),
        fuzzing::FramesInto(fuzzing::TableState::Declaring),
        fuzzing::FramesInto(fuzzing::TableState::Playing),
        fuzzing::FramesInto(fuzzing::TableState::Settling),
    };
    if (size == 0) return 0;
    const fuzzing::DispatchInput input = fuzzing::ReadDispatchInput(data, size);
    kept.run([&](client::Client& c) {
        c.s.g_nPropState = input.propState;
        if (input.propPlugin)
            c.g_oPropDll = std::make_unique<dispatch_test::RecordingPropDll>();
        else
            c.g_oPropDll.reset();
        const auto dispatch = [&](const state::Frame& frame) {
            c.s.g_aCurFrame = frame;
            dispatch::ProcessServerMessage(c, c.s.g_aCurFrame);
        };
        for (const state::Frame& frame : preludes[int(input.state)]) dispatch(frame);
        for (const state::Frame& frame : input.frames) {
            dispatch(frame);
            // The clocks a frame starts (turn, declaration, next hand) run out in between.
            if (input.timePasses) kept.harness().scheduler.advance(kTimeBetweenFrames);
        }
    });
    return 0;
}
