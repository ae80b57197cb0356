#pragma once

// Table clients with the real video component, its camera the test pattern, talking to one
// test relay on loopback.
#include <QColor>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "client/client.h"
#include "client/main_form.h"
#include "platform/forms/form_view.h"
#include "platform/video/frame_display.h"
#include "platform/video/video_component.h"
#include "relay/relay_server.h"
#include "support/client_harness.h"
#include "support/test_pattern_camera.h"
#include "table/table_fixture.h"

namespace video_test {

class VideoClient {
  public:
    VideoClient(const QString& account, QColor tint, std::uint16_t relayPort, bool withCamera,
                bool withView = false)
        : component(harness.scheduler,
                    {.openCamera = withCamera ? OpenCamera(account, tint) : nullptr,
                     .relayPort = relayPort}) {
        harness.env.commandLine = support::ClientHarness::commandLine({{1, account}});
        harness.videoComponent = &component;
        // The test pattern writes its label with a font.
        table_test::EnsureApplication();
        if (withView) harness.attachView = forms::attachView;
        c = &harness.make();
        (void)*c->MainForm;
    }

    client::MainForm& form() { return *c->MainForm; }
    state::SharedState& s() { return c->s; }
    const platform::FrameDisplay& pane(int k) {
        return dynamic_cast<const platform::FrameDisplay&>(form().vshow1[k]);
    }
    // The slot the relay socket shows `account` in, 0 when none.
    int slotOf(const QString& account) {
        for (std::int16_t slot = 1; slot <= 3; ++slot) {
            std::int16_t asked = slot;
            if (form().P2PSocket1->UserID(asked) == account) return slot;
        }
        return 0;
    }
    std::int16_t slotState(int slot) {
        std::int16_t asked = std::int16_t(slot);
        return form().P2PSocket1->SlotState(asked);
    }

    support::ClientHarness harness;
    platform::VideoComponent component;
    client::Client* c = nullptr;

  private:
    std::function<std::unique_ptr<platform::CameraSource>()> OpenCamera(const QString& account,
                                                                        QColor tint) {
        return [this, account, tint]() -> std::unique_ptr<platform::CameraSource> {
            return std::make_unique<support::TestPatternCamera>(harness.scheduler, account, tint);
        };
    }
};

// Lets every client's sockets work (in real time, virtual time standing) until `done`.
inline bool PumpAll(const std::vector<VideoClient*>& clients, const std::function<bool()>& done,
                    std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        for (VideoClient* client : clients) {
            client->harness.scheduler.pumpRealIo(done, std::chrono::milliseconds(5));
        }
    }
    return true;
}

// Moves every client's virtual time on by `ms` in camera frame steps, letting the frames cross
// the relay between the steps.
inline void PlayFor(const std::vector<VideoClient*>& clients, int ms) {
    for (int t = 0; t < ms; t += platform::kCameraFrameIntervalMs) {
        for (VideoClient* client : clients) {
            client->harness.scheduler.advance(platform::kCameraFrameIntervalMs);
        }
        PumpAll(
            clients, [] { return false; }, std::chrono::milliseconds(20));
    }
}

}  // namespace video_test
