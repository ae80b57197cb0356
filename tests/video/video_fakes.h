#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <memory>
#include <vector>

#include "client/main_form.h"
#include "video/video_component.h"
#include "video/video_events.h"

namespace video_test {

// A relay socket whose slots a test sets, recording every call.
class RecordingRelay final : public video::P2PSocket {
  public:
    std::array<QString, 8> users;  // by slot
    std::array<std::int16_t, 8> states{};
    // Requests take their slot at once, as a relay that answers immediately would.
    bool requestsTakeSlot = true;
    struct Call {
        std::string what;
        std::int16_t slot = 0;
        QString text;
        std::int32_t number = 0;
        QByteArray bytes;
    };
    std::vector<Call> calls;

    void ServerLogout() override { calls.push_back({"ServerLogout"}); }
    void CloseSlot(std::int16_t& slot) override { calls.push_back({"CloseSlot", slot}); }
    QString UserID(std::int16_t& slot) override { return users.at(std::size_t(slot)); }
    std::int16_t SlotState(std::int16_t& slot) override { return states.at(std::size_t(slot)); }
    void RequestVideo(std::int16_t& slot, QString& user) override {
        calls.push_back({"RequestVideo", slot, user});
        if (requestsTakeSlot) {
            users.at(std::size_t(slot)) = user;
            states.at(std::size_t(slot)) = 1;
        }
    }
    void SendFormat(std::int16_t& slot, std::int32_t format) override {
        calls.push_back({"SendFormat", slot, {}, format});
    }
    void SendMode(std::int16_t& slot, std::int16_t mode) override {
        calls.push_back({"SendMode", slot, {}, mode});
    }
    void SendFrame(std::int16_t& slot, const QByteArray& frame) override {
        calls.push_back({"SendFrame", slot, {}, 0, frame});
    }

    std::vector<Call> callsOf(const std::string& what) const {
        std::vector<Call> found;
        for (const Call& call : calls) {
            if (call.what == what) found.push_back(call);
        }
        return found;
    }
};

// A display pane recording the frames drawn in it.
class RecordingDisplay final : public video::VShow {
  public:
    std::vector<QByteArray> shown;
    int raised = 0;
    void ZOrder(std::int16_t position) override { raised += position == 0 ? 1 : 0; }
    void ShowFrame(const QByteArray& frame) override { shown.push_back(frame); }
};

// Puts a recording relay and recording panes on the table and binds their events.
struct RecordingVideo {
    RecordingRelay* relay = nullptr;
    std::array<RecordingDisplay*, 4> panes{};

    explicit RecordingVideo(client::MainForm& form) {
        auto owned = std::make_unique<RecordingRelay>();
        relay = owned.get();
        relay->SlotCount = 3;
        form.P2PSocket1 = std::move(owned);
        form.vshow1 = video::VShowArray([this](int k) {
            auto pane = std::make_unique<RecordingDisplay>();
            pane->Visible = false;
            panes[std::size_t(k)] = pane.get();
            return pane;
        });
        video::BindVideoEvents(form);
    }
};

}  // namespace video_test
