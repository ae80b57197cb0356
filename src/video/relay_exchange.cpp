// The table's side of the relay exchange: the first video requests once logged in at the
// relay, the start of sending to a peer, the frames arriving for the remote panes and the
// captured frames going out.
#include "video/relay_exchange.h"

#include <algorithm>

#include "client/client.h"
#include "client/main_form.h"
#include "video/pane_frames.h"
#include "video/remote_panes.h"
#include "video/zoom_windows.h"

namespace video {

namespace {

constexpr std::int16_t kLoggedIn = 2;
constexpr std::int16_t kSlotFree = 1;        // states below are free
constexpr std::int16_t kSlotConnected = 10;  // states from here on carry frames
constexpr std::int16_t kStartSending = 14;
constexpr std::int16_t kFullRate = 15;
constexpr std::int16_t kThrottleBurst = 3;
constexpr std::int16_t kThrottleRestart = 23;

// The slot that holds `account`; else the highest-numbered free one; else slot 1.
std::int16_t SlotFor(P2PSocket& relay, const QString& account) {
    std::int16_t slot = 1;
    const std::int16_t n = relay.SlotCount;
    for (std::int16_t i = 1; i <= n; ++i) {
        if (relay.UserID(i) == account) {
            slot = i;
        } else if (relay.UserID(slot) != account && relay.SlotState(i) < kSlotFree) {
            slot = i;
        }
    }
    return slot;
}

void RequestSeatVideo(P2PSocket& relay, QString account) {
    std::int16_t slot = SlotFor(relay, account);
    if (relay.SlotState(slot) < kSlotConnected && relay.SlotCount >= slot) {
        relay.RequestVideo(slot, account);
    }
}

// The remote seat (1..3) whose player holds `account`, 0 when none.
int SeatOf(const state::SharedState& s, const QString& account) {
    for (int k = 1; k <= 3; ++k) {
        if (s.custom[std::size_t(k)].name == account) return k;
    }
    return 0;
}

}  // namespace

bool PassesSendThrottle(std::int16_t& count) {
    if (count < kThrottleBurst) {
        ++count;
        return true;
    }
    if (count < kThrottleRestart) {
        ++count;
        return false;
    }
    count = kThrottleBurst;
    return true;
}

}  // namespace video

namespace client {

void MainForm::P2PSocket1_ServerState(std::int16_t code) {
    auto& s = c.s;
    if (code != video::kLoggedIn) {
        s.g_bRelayLoggedIn = false;
        return;
    }
    if (!s.g_bRelayLoggedIn && !s.g_bVideoRequested) {
        s.g_bVideoRequested = true;
        for (int v = 1; v <= 3; ++v) {
            const QString& account = s.custom[std::size_t(v)].name;
            if (!account.isEmpty()) video::RequestSeatVideo(*P2PSocket1, account);
        }
    }
    s.g_bRelayLoggedIn = true;
}

void MainForm::P2PSocket1_PeerState(std::int16_t slot, std::int16_t state) {
    if (state != video::kStartSending && state != video::kFullRate) return;
    P2PSocket1->SendFormat(slot, ziva1->CaptureFormat);
    P2PSocket1->SendMode(slot, ziva1->CaptureMode);
    P2PSocket1->SendFrame(slot, c.s.g_aLocalFrame);
}

void MainForm::P2PSocket1_FrameArrival(std::int16_t slot, const QByteArray& data) {
    auto& s = c.s;
    const int k = video::SeatOf(s, P2PSocket1->UserID(slot));
    if (k == 0) return;
    // Seats 2 and 3 keep every frame, even one their pane will not show.
    if (k != 1) *video::StoredFrame(s, k) = data;
    if (P2PSocket1->SlotState(slot) < video::kSlotConnected || s.g_aPaneClosed[std::size_t(k)]) {
        return;
    }
    if (k == 1) s.g_aRemoteFrame1 = data;
    video::VShow& pane = vshow1[k];
    if (!pane.Visible && !s.g_aPaneOpened[std::size_t(k)]) {
        video::OpenRemotePane(c, k);
        pane.ShowFrame(*video::StoredFrame(s, k));
        s.g_aPaneOpened[std::size_t(k)] = true;
    } else {
        pane.ShowFrame(data);
    }
    video::ShowFrameIfZoomed(c, k, data);
}

void MainForm::ziva1_FrameCaptured(const QByteArray& data) {
    auto& s = c.s;
    s.g_aLocalFrame = data;
    // The throttles cover slots 1..3 only; a socket claiming more slots is held to those.
    const std::int16_t n = std::min<std::int16_t>(P2PSocket1->SlotCount, video::kThrottledSlots);
    for (std::int16_t i = 1; i <= n; ++i) {
        std::int16_t slot = i;
        const std::int16_t state = P2PSocket1->SlotState(slot);
        if (state < video::kSlotConnected) continue;
        if (state == video::kFullRate ||
            video::PassesSendThrottle(s.g_aPeerSendCount[std::size_t(i)])) {
            P2PSocket1->SendFrame(slot, data);
        }
    }
    video::ShowFrameIfZoomed(c, 0, data);
}

}  // namespace client
