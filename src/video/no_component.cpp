#include <string>

#include "platform/runtime/failure.h"
#include "video/video_component.h"

namespace video {

namespace {

class NoComponentP2PSocket final : public P2PSocket {
  public:
    void ServerLogout() override {}
    void CloseSlot(std::int16_t&) override {}
    QString UserID(std::int16_t&) override { return {}; }
    std::int16_t SlotState(std::int16_t&) override { return 0; }
    void RequestVideo(std::int16_t&, QString&) override {}
};

class NoComponentZiva final : public Ziva {
  public:
    // The answer of a camera control that finds no device.
    static constexpr std::int16_t kNoDevice = -1;

    void ZOrder(std::int16_t) override {}
    void InitCapture() override {}
    std::int16_t StartCapture() override { return kNoDevice; }
    void StopCapture() override {}
    void CloseCapture() override {}
};

class NoComponentVShow final : public VShow {};

}  // namespace

VShowArray::VShowArray(const std::function<std::unique_ptr<VShow>()>& make) {
    for (auto& pane : panes_) pane = make();
}

VShow& VShowArray::operator[](int index) {
    if (index < kFirst || index > kLast) {
        platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange,
                       "Control array element " + std::to_string(index) + " doesn't exist");
    }
    return *panes_[std::size_t(index - kFirst)];
}

std::unique_ptr<P2PSocket> makeNoComponentP2PSocket() {
    return std::make_unique<NoComponentP2PSocket>();
}

std::unique_ptr<Ziva> makeNoComponentZiva() {
    return std::make_unique<NoComponentZiva>();
}

std::unique_ptr<VShow> makeNoComponentVShow() {
    return std::make_unique<NoComponentVShow>();
}

}  // namespace video
