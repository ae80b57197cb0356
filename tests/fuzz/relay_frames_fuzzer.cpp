// Fuzz target: what the video relay sends. The first byte cuts the stream into arrivals of that
// many bytes (0: one arrival); the low bits of the second ask for seated players in slots 1..3
// before it arrives. The stream reaches the relay socket of the video component, whose events
// run the table's handlers and draw the frames in real display panes.
#include <algorithm>
#include <memory>

#include "client/client.h"
#include "client/main_form.h"
#include "kept_client.h"
#include "platform/video/frame_display.h"
#include "platform/video/relay_socket.h"
#include "video/video_events.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::KeptClient kept;
    if (size < 2) return 0;
    const QByteArray stream(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    const qsizetype arrival = data[0] == 0 ? std::max<qsizetype>(1, stream.size()) : data[0];
    kept.run([&](client::Client& c) {
        auto& form = *c.MainForm;
        auto relay = std::make_unique<platform::RelaySocket>(kept.harness().scheduler,
                                                             [] { return QStringLiteral("me"); });
        platform::RelaySocket& socket = *relay;
        socket.SlotCount = 3;
        form.P2PSocket1 = std::move(relay);
        form.vshow1 = video::VShowArray([&](int) {
            auto pane =
                std::make_unique<platform::FrameDisplay>(form.Pic1, QStringLiteral("vshow1"));
            pane->Width = 116;
            pane->Height = 95;
            pane->Visible = false;
            return pane;
        });
        video::BindVideoEvents(form);
        const QString accounts[] = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
        for (std::int16_t k = 1; k <= 3; ++k) {
            c.s.custom[std::size_t(k)].name = accounts[k - 1];
            if (data[1] & (1 << (k - 1))) {
                std::int16_t slot = k;
                QString account = accounts[(k + data[1] / 8) % 3];
                socket.RequestVideo(slot, account);
            }
        }
        for (qsizetype at = 0; at < stream.size(); at += arrival) {
            const QByteArray piece = stream.mid(at, arrival);
            kept.harness().scheduler.dispatch([&] { socket.receive(piece); });
        }
        // The redraw timers of panes that opened.
        kept.harness().scheduler.advance(40);
    });
    return 0;
}
