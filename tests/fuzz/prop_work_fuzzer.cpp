// Fuzz target: the work items the props plug-in hands over on the table tick. The plug-in lies
// outside the program, so every field of an item is the input's: its type, text, frame bytes,
// rectangle and style. The settings byte picks the table state (the frames of a real hand bring
// the client there), whether the plug-in has chests, whether the items come in one tick or one
// a tick with time passing, and whether the plug-in announces one item more than it has.
#include <algorithm>
#include <deque>
#include <memory>

#include "client/client.h"
#include "dispatch/process_server_message.h"
#include "kept_client.h"
#include "prop_work_input.h"
#include "props/props.h"
#include "support/prop_dll_fakes.h"

namespace {

constexpr platform::Millis kTick = 50;

// A plug-in that hands over the input's items and announces as many as it is told.
class FuzzedPropDll final : public support::NullPropDll {
  public:
    FuzzedPropDll(std::deque<fuzzing::PropWorkInputItem> items, bool chests, int extra)
        : items_(std::move(items)), chests_(chests), extra_(extra) {}

    bool GetBaoInfo(props::BaoInfo& layout) override {
        if (!chests_) return false;
        layout = fuzzing::SampleChestLayout();
        return true;
    }
    std::int16_t CheckSendBuff() override {
        if (!announced_.empty()) {
            const std::int16_t n = announced_.front();
            announced_.pop_front();
            return n;
        }
        return std::int16_t(std::min<std::size_t>(items_.size() + std::size_t(extra_), 32767));
    }
    void GetSendBuff(props::PropWorkItem& item) override {
        if (items_.empty()) return;  // more announced than there are: the item stays as preset
        fuzzing::FillWorkItem(items_.front(), item);
        items_.pop_front();
    }
    // One item a tick.
    void announceOneByOne() {
        for (std::size_t k = 0; k < items_.size(); ++k) announced_.push_back(1);
        if (extra_) announced_.push_back(std::int16_t(extra_));
    }
    std::size_t ticksWanted() const { return std::max<std::size_t>(announced_.size(), 1); }

  private:
    std::deque<fuzzing::PropWorkInputItem> items_;
    std::deque<std::int16_t> announced_;
    bool chests_;
    int extra_;
};

// A client for each table state, kept at the end of its prelude (built the first time an input
// asks for it).
fuzzing::KeptClient& KeptAt(fuzzing::TableState state) {
    static std::unique_ptr<fuzzing::KeptClient> kept[fuzzing::TableStateCount];
    std::unique_ptr<fuzzing::KeptClient>& slot = kept[int(state)];
    if (!slot) {
        slot = std::make_unique<fuzzing::KeptClient>(
            [prelude = fuzzing::FramesInto(state)](client::Client& c) {
                for (const state::Frame& frame : prelude) {
                    c.s.g_aCurFrame = frame;
                    dispatch::ProcessServerMessage(c, c.s.g_aCurFrame);
                }
            });
    }
    return *slot;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const fuzzing::PropWorkInput input = fuzzing::ReadPropWorkInput(data, size);
    fuzzing::KeptClient& kept = KeptAt(input.state);
    kept.run([&](client::Client& c) {
        auto& scheduler = kept.harness().scheduler;
        auto plugin = std::make_unique<FuzzedPropDll>(
            std::deque<fuzzing::PropWorkInputItem>(input.items.begin(), input.items.end()),
            input.chests, input.announceExtra ? 1 : 0);
        if (input.oneByOne) plugin->announceOneByOne();
        const std::size_t ticks = plugin->ticksWanted();
        c.s.g_nPropState = 0;
        c.g_oPropDll = std::move(plugin);
        scheduler.dispatch([&] { props::InitGameDll(c); });
        for (std::size_t tick = 0; tick < ticks; ++tick) {
            scheduler.dispatch([&] {
                if (props::PropsPolling(c)) props::ChestCountdown(c);
            });
            // The floating text's timer runs in between.
            if (input.oneByOne) scheduler.advance(kTick);
        }
        // What the items left on the table goes with the plug-in, so the next input starts
        // without this one's timer or text.
        std::int16_t code = 0;
        scheduler.dispatch([&] { props::ExitGameDll(c, code, props::HeldSettlement::Drop); });
        c.g_oPropDll.reset();
    });
    return 0;
}
