#pragma once

#include <QImage>
#include <QString>
#include <memory>
#include <vector>

#include "dispatch_fixture.h"
#include "support/resource_images.h"
#include "support/server_frames.h"
#include "video/video_component.h"

namespace dispatch_test {

// A relay socket whose slots a test fills, recording the video asked of it.
class ScriptedRelay final : public video::P2PSocket {
  public:
    std::array<QString, 4> users;  // by slot 1..3
    std::array<std::int16_t, 4> states{};
    struct Request {
        std::int16_t slot;
        QString user;
    };
    std::vector<Request> requests;

    void ServerLogout() override {}
    void CloseSlot(std::int16_t& slot) override { closedSlots.push_back(slot); }
    std::vector<std::int16_t> closedSlots;
    QString UserID(std::int16_t& slot) override { return users.at(std::size_t(slot)); }
    std::int16_t SlotState(std::int16_t& slot) override { return states.at(std::size_t(slot)); }
    void RequestVideo(std::int16_t& slot, QString& user) override {
        requests.push_back({slot, user});
    }
    void SendFormat(std::int16_t&, std::int32_t) override {}
    void SendMode(std::int16_t&, std::int16_t) override {}
    void SendFrame(std::int16_t&, const QByteArray&) override {}
};

// The profile frame of a player sitting at `playerSeat`, seen by a client whose own flag is
// `ownSeat`.
inline support::PlayerInfoFrame Seated(std::uint8_t ownSeat, std::uint8_t playerSeat,
                                       const std::string& account, std::uint64_t gold = 1000) {
    return {.seat = ownSeat,
            .nickname = account + "-nick",
            .face = "m3",
            .sex = 1,
            .gold = gold,
            .levelTitle = support::gbk(QStringLiteral("新手")),
            .account = account,
            .tag = support::gbk(QStringLiteral("会")),
            .playerSeat = playerSeat};
}

inline bool ShowsResource(const forms::Picture& picture, int id) {
    const QImage expected = support::decodedResource(id);
    return !expected.isNull() &&
           picture.image().convertToFormat(QImage::Format_ARGB32_Premultiplied) == expected;
}

// A client logged in at a table, the local player on flag 1 (the first seat).
class SeatingTest : public DispatchTest {
  protected:
    void SetUp() override { c.s.g_bLoggedIn = true; }
    void seat(const support::PlayerInfoFrame& fields) {
        dispatch(support::BuildPlayerInfo(fields));
    }
    // The four players at flags 1, 2, 4, 8, the local one first.
    void seatFour(std::uint64_t gold = 1000) {
        const char* accounts[] = {"me", "left", "across", "right"};
        for (int i = 0; i < 4; ++i) {
            seat(Seated(1, std::uint8_t(1 << i), accounts[i], gold));
        }
    }
};

}  // namespace dispatch_test
