// Fuzz target: the input's first byte picks the props plug-in's state, the rest is cut into
// 272-byte frames (the last one zero-padded) that a freshly loaded client dispatches in order.
// The program ending (a refused login, ...) ends the input; anything else escaping is a fault.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "client/client.h"
#include "client/main_form.h"
#include "dispatch/process_server_message.h"
#include "platform/runtime/failure.h"
#include "props/prop_dll.h"
#include "support/client_harness.h"

namespace {

class SilentPropDll final : public props::PropDll {
  public:
    void FixBuffPos() override {}
    void rec_state(std::int16_t, bool) override {}
    std::int32_t CheckSendBuff() override { return 0; }
    void GetSendBuff(props::PropWorkItem&) override {}
    std::int32_t GetScoreInfo() override { return 0; }
    void InitShowNext(bool) override {}
    void InitShowEnd() override {}
    void InitExit(std::int16_t&) override {}
    void Rec_MSG(state::Frame&) override {}
};

constexpr std::int16_t kPropStates[] = {0, -1, 1, 2};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    support::ClientHarness harness;
    try {
        client::Client& c = harness.make();
        (void)*c.MainForm;
        c.s.g_sHallCaption = QString::fromUtf16(support::ClientHarness::kHallCaption);
        c.s.g_nPropState = kPropStates[data[0] % 4];
        if (c.s.g_nPropState > 0 || data[0] & 0x10)
            c.g_oPropDll = std::make_unique<SilentPropDll>();
        for (std::size_t at = 1; at < size; at += state::FrameSize) {
            state::Frame frame{};
            std::memcpy(frame.data(), data + at, std::min(state::FrameSize, size - at));
            c.s.g_aCurFrame = frame;
            dispatch::ProcessServerMessage(c, c.s.g_aCurFrame);
        }
    } catch (const platform::ProgramEnd&) {
    }
    return 0;
}
