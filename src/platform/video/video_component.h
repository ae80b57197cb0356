#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "platform/runtime/scheduler.h"
#include "platform/video/camera_source.h"
#include "video/video_component.h"

namespace platform {

// The video component: relay sockets on the scheduler, display panes and the camera control
// as picture boxes of the windows that hold them.
class VideoComponent final : public video::Component {
  public:
    struct Options {
        // Where the camera's pictures come from; empty: no camera.
        std::function<std::unique_ptr<CameraSource>()> openCamera;
        // Replaces the relay port the table sets (tests run their relay on a free port).
        std::optional<int> relayPort;
    };

    VideoComponent(Scheduler& scheduler, Options options);

    std::unique_ptr<video::P2PSocket> makeP2PSocket(std::function<QString()> account) override;
    std::unique_ptr<video::Ziva> makeZiva(forms::Container& container,
                                          const QString& name) override;
    std::unique_ptr<video::VShow> makeVShow(forms::Container& container,
                                            const QString& name) override;

  private:
    Scheduler& scheduler_;
    Options options_;
};

}  // namespace platform
