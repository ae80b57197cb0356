// Fuzz target: server frames reaching the dispatcher in every state a table goes through. The
// input's settings byte picks the state (the frames of a real hand bring the client there first)
// and the props plug-in's state; the frames after it are dispatched in order. A refused login
// and the like end the program, which ends the input; anything else escaping is a fault.
//
// Each combination of state and plug-in settings has a client of its own, kept at the end of
// its prelude (built the first time an input asks for it), so an input costs only its own frames.
#include <map>
#include <memory>

#include "client/client.h"
#include "dispatch/process_server_message.h"
#include "dispatch_input.h"
#include "kept_client.h"
#include "support/prop_dll_fakes.h"

namespace {

constexpr platform::Millis kTimeBetweenFrames = 2000;

void Dispatch(client::Client& c, const state::Frame& frame) {
    c.s.g_aCurFrame = frame;
    dispatch::ProcessServerMessage(c, c.s.g_aCurFrame);
}

void InstallPlugin(client::Client& c, const fuzzing::DispatchInput& input) {
    c.s.g_nPropState = input.propState;
    if (input.propPlugin)
        c.g_oPropDll = std::make_unique<support::NullPropDll>();
    else
        c.g_oPropDll.reset();
}

fuzzing::KeptClient& KeptFor(const fuzzing::DispatchInput& input) {
    static std::map<int, std::unique_ptr<fuzzing::KeptClient>> kept;
    const int key = (int(input.state) * 8 + input.propState + 1) * 2 + int(input.propPlugin);
    std::unique_ptr<fuzzing::KeptClient>& slot = kept[key];
    if (!slot) {
        const std::vector<state::Frame> prelude = fuzzing::FramesInto(input.state);
        slot = std::make_unique<fuzzing::KeptClient>([input, prelude](client::Client& c) {
            InstallPlugin(c, input);
            for (const state::Frame& frame : prelude) Dispatch(c, frame);
        });
    }
    return *slot;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const fuzzing::DispatchInput input = fuzzing::ReadDispatchInput(data, size);
    fuzzing::KeptClient& kept = KeptFor(input);
    kept.run([&](client::Client& c) {
        // The plug-in object is the client's, beside the kept state: a fresh one each input.
        if (input.propPlugin)
            c.g_oPropDll = std::make_unique<support::NullPropDll>();
        else
            c.g_oPropDll.reset();
        for (const state::Frame& frame : input.frames) {
            Dispatch(c, frame);
            // The clocks a frame starts (turn, declaration, next hand) run out in between.
            if (input.timePasses) kept.harness().scheduler.advance(kTimeBetweenFrames);
        }
    });
    return 0;
}
