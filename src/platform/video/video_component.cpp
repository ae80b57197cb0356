#include "platform/video/video_component.h"

#include "platform/video/camera_control.h"
#include "platform/video/frame_display.h"
#include "platform/video/relay_socket.h"

namespace platform {

VideoComponent::VideoComponent(Scheduler& scheduler, Options options)
    : scheduler_(scheduler), options_(std::move(options)) {}

std::unique_ptr<video::P2PSocket> VideoComponent::makeP2PSocket(std::function<QString()> account) {
    return std::make_unique<RelaySocket>(scheduler_, std::move(account), options_.relayPort);
}

std::unique_ptr<video::Ziva> VideoComponent::makeZiva(forms::Container& container,
                                                      const QString& name) {
    return std::make_unique<CameraControl>(scheduler_, container, name, options_.openCamera);
}

std::unique_ptr<video::VShow> VideoComponent::makeVShow(forms::Container& container,
                                                        const QString& name) {
    return std::make_unique<FrameDisplay>(container, name);
}

}  // namespace platform
