#include "video/video_component.h"

namespace video {

namespace {

class NoComponentP2PSocket final : public P2PSocket {
  public:
    void ServerLogout() override {}
    void CloseSlot(std::int16_t&) override {}
};

class NoComponentZiva final : public Ziva {
  public:
    // The answer of a camera control that finds no device.
    static constexpr std::int16_t kNoDevice = -1;

    void InitCapture() override {}
    std::int16_t StartCapture() override { return kNoDevice; }
    void StopCapture() override {}
    void CloseCapture() override {}
};

}  // namespace

std::unique_ptr<P2PSocket> makeNoComponentP2PSocket() {
    return std::make_unique<NoComponentP2PSocket>();
}

std::unique_ptr<Ziva> makeNoComponentZiva() {
    return std::make_unique<NoComponentZiva>();
}

}  // namespace video
