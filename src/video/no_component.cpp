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
    void SendFormat(std::int16_t&, std::int32_t) override {}
    void SendMode(std::int16_t&, std::int16_t) override {}
    void SendFrame(std::int16_t&, const QByteArray&) override {}
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

class NoComponentVShow final : public VShow {
  public:
    void ZOrder(std::int16_t) override {}
    void ShowFrame(const QByteArray&) override {}
};

}  // namespace

VShowArray::VShowArray(const std::function<std::unique_ptr<VShow>(int index)>& make) {
    for (int k = kFirst; k <= kLast; ++k) panes_[std::size_t(k - kFirst)] = make(k);
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

namespace video {

std::unique_ptr<P2PSocket> makeP2PSocket(Component* component, std::function<QString()> account) {
    return component ? component->makeP2PSocket(std::move(account)) : makeNoComponentP2PSocket();
}

std::unique_ptr<Ziva> makeZiva(Component* component, forms::Container& container,
                               const QString& name) {
    return component ? component->makeZiva(container, name) : makeNoComponentZiva();
}

std::unique_ptr<VShow> makeVShow(Component* component, forms::Container& container,
                                 const QString& name) {
    return component ? component->makeVShow(container, name) : makeNoComponentVShow();
}

}  // namespace video
