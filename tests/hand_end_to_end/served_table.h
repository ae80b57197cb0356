#pragma once

// The real client on virtual time against the local table server's `Table`, run in-process:
// the table's frames go to the client over loopback through the fake game server, the client's
// frames come back through it to the table, and a person plays the local seat with the mouse
// through the forms layer's input entry points (card images, the action and declaration
// buttons, the ready button), never by calling handlers.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "client/client.h"
#include "client/main_form.h"
#include "platform/forms/render.h"
#include "platform/forms/testing/driver.h"
#include "server/client_frames.h"
#include "server/table.h"
#include "settlement/score_window.h"
#include "support/loopback_table.h"
#include "table/table_fixture.h"

namespace hand_test {

class ServedTable : public support::LoopbackTable {
  public:
    using Millis = tableserver::Millis;

    explicit ServedTable(std::uint32_t seed)
        : ServedTable(tableserver::TableOptions{.seed = seed}) {}
    explicit ServedTable(const tableserver::TableOptions& options)
        : table(options, logger()), person(options.seed * 7919u + 1) {}

    // The hall sends the person to another table of the same server: the next login meets it.
    void replaceTable(const tableserver::TableOptions& options) {
        table = tableserver::Table(options, logger());
    }

    tableserver::Table table;
    std::vector<std::string> log;            // the table's own log (refusals among it)
    std::vector<state::Frame> sentToClient;  // every frame the table gave the transport
    std::size_t taken = 0;                   // frames of server.frames() given to the table
    int connectionsSeen = 0;
    std::size_t queued = 0;  // frames the client put in its send ring
    std::int32_t ringWrite = 0;
    int clicksOnCards = 0;
    int passClicks = 0;
    int playClicks = 0;
    int declarationClicks = 0;
    std::mt19937 person;
    // Faults: the connection breaks just before the table's frame of this index goes out, or
    // before any frame with this chance in a thousand.
    std::optional<std::size_t> dropBeforeFrame;
    int dropPerMille = 0;
    int drops = 0;
    std::mt19937 network{1};

    Millis now() const { return Millis(harness.scheduler.now()); }

    // Loads the client on the table's port (as the hall would start it) and logs it in.
    void open() {
        table_test::EnsureApplication();
        // The login goes out once the connection is up, straight onto the socket, not through
        // the send ring.
        start();
        if (::testing::Test::HasFatalFailure()) return;
        countQueued();
        relay();
    }

    // One slice of virtual time: the person acts on what shows, time moves, frames cross.
    void step(Millis ms = 100) {
        act();
        countQueued();
        harness.scheduler.advance(ms);
        countQueued();
        table.advance(now());
        relay();
    }

    template <typename Stop>
    bool runUntil(Stop stop, Millis limit = 600000) {
        const Millis end = now() + limit;
        while (now() < end) {
            if (stop()) return true;
            step();
            if (::testing::Test::HasFatalFailure()) return false;
        }
        return stop();
    }

    // Moves frames both ways until neither side has more to give.
    void relay() {
        for (int round = 0; round < 50; ++round) {
            bool moved = false;
            // The client's frames: its ring drains onto the socket, the server reads them.
            harness.scheduler.pumpRealIo([&] { return c->s.g_aSendRing.unread() == 0; },
                                         std::chrono::milliseconds(500));
            waitForQueuedFrames();
            const auto frames = server.frames();
            for (; taken < frames.size(); ++taken) {
                // A new connection opens with its login or reconnect; the frames before it
                // came on the old one, however late the server read them.
                const std::uint8_t type = frames[taken][3];
                const bool opens = type == tableserver::wire::ClientLogin ||
                                   type == tableserver::wire::ClientReconnect;
                if (opens && server.connectionCount() > connectionsSeen) {
                    connectionsSeen = server.connectionCount();
                    table.connectionOpened(now());
                }
                table.receive(frames[taken], now());
                moved = true;
            }
            if (table.wantsClose()) {
                table.closed();
                server.dropConnection();
                server.waitForNoClient();
                table.connectionLost(now());
            }
            // The table's frames: each reaches the client's receive ring.
            std::vector<state::Frame> batch;
            bool dropNow = false;
            while (table.linked() && server.hasClient() && !table.outbox().empty()) {
                if (dropsBefore(sentToClient.size() + batch.size())) {
                    dropNow = true;
                    break;
                }
                batch.push_back(table.outbox().front());
                table.outbox().pop_front();
            }
            if (!batch.empty()) {
                const std::int32_t before = c->s.g_aRecvRing.unread();
                for (const auto& f : batch) {
                    sentToClient.push_back(f);
                    server.send(f);
                }
                const auto want = before + std::int32_t(batch.size() * state::FrameSize);
                harness.scheduler.pumpRealIo(
                    [&] { return c->s.g_aRecvRing.unread() >= std::min(want, kRingLimit); });
                // The table tick takes them in.
                harness.scheduler.advance(50);
                countQueued();
                moved = true;
            }
            if (dropNow) {
                server.waitUntilSent();
                drop();
                moved = true;
            }
            if (!moved) return;
        }
    }

    // The person: whatever asks for an answer on screen gets one with the mouse.
    void act() {
        client::MainForm& form = *c->MainForm;
        auto& s = c->s;
        // An ace is chosen once, while the offer's clock runs: the chosen ace stays on show
        // until the next batch, and another click on it would declare again.
        for (int i = 0; i < 4; ++i) {
            if (form.xuan_img[i].visible() && s.g_bDealPhase1 && s.g_nAceCount >= 2 &&
                s.g_bBidClock) {
                ++declarationClicks;
                return forms::testing::click(form.xuan_img[i]);
            }
        }
        for (int i = 0; i < 4; ++i) {
            if (!form.btnJiaofen[i].visible() || !form.btnJiaofen[i].enabled()) continue;
            // Declarations when offered, play on at the prompt.
            const std::int16_t kind = s.g_aJiaofenKind[std::size_t(i)];
            if (kind == 1 || kind == 2 || kind == 4) {
                ++declarationClicks;
                return forms::testing::click(form.btnJiaofen[i]);
            }
        }
        if (!(s.g_bCanPlay && s.g_bTurnOpen && form.Operation[0].visible())) return;
        if (std::int16_t(s.former.formerType) == 0) return lead();
        if (person() % 4 == 0) {
            ++passClicks;
            return forms::testing::click(form.Operation[2]);
        }
        forms::testing::click(form.Operation[1]);  // the hint raises a play, or passes
        if (s.g_bCanPlay && s.g_bTurnOpen) {
            ++playClicks;
            forms::testing::click(form.Operation[0]);
        }
    }

    // Picks one card by clicking its visible left strip, then plays it.
    void lead() {
        client::MainForm& form = *c->MainForm;
        const auto& hand = c->s.custom[0];
        const int slot = int(person() % std::uint32_t(hand.count));
        forms::Image& card = form.cardImage0[hand.slots[std::size_t(slot)].image];
        const float top = card.top();
        forms::testing::click(form, forms::testing::pointOf(card, QPointF(4, card.height() / 2)));
        ++clicksOnCards;
        EXPECT_LT(card.top(), top) << "the clicked card rises";
        ++playClicks;
        forms::testing::click(form.Operation[0]);
    }

    // The client's frames in the order the table saw them.
    std::vector<state::Frame> clientFrames() const { return server.frames(); }
    std::vector<state::Frame> clientFramesOfType(std::uint8_t type) const {
        std::vector<state::Frame> found;
        for (const auto& f : server.frames())
            if (f[3] == type) found.push_back(f);
        return found;
    }
    bool refused() const {
        return std::any_of(log.begin(), log.end(), [](const std::string& line) {
            return line.find("refused") != std::string::npos;
        });
    }
    std::string logText() const {
        std::string all;
        for (const auto& line : log) all += line + "\n";
        return all;
    }

    // No move of the person reached the table twice: the table refused nothing (a repeated
    // move would come out of turn or out of its phase) and, within one hand, apart from the
    // keep-alives, logins, readies and passes (at a turn or a
    // declaration), every frame the client sent is unlike every other.
    void expectNoFrameTwice(bool oneHand) const {
        EXPECT_FALSE(refused()) << logText();
        if (!oneHand) return;
        namespace wire = tableserver::wire;
        const auto frames = server.frames();
        const auto repeats = [&](const state::Frame& f) {
            const std::uint8_t type = f[3];
            return type == wire::ClientKeepAlive || type == wire::ClientLogin ||
                   type == wire::ClientReconnect || type == wire::ClientSeatAction ||
                   f == wire::BuildPass(c->s.custom[0].seat) ||
                   f == wire::BuildDeclare(c->s.custom[0].seat, tableserver::ActionPass);
        };
        for (std::size_t i = 0; i < frames.size(); ++i) {
            if (repeats(frames[i])) continue;
            for (std::size_t j = i + 1; j < frames.size(); ++j)
                EXPECT_NE(frames[i], frames[j])
                    << "frame " << i << " of type " << int(frames[i][3]);
        }
    }

    // Everything the table has for the client has been taken in by the client's dispatcher.
    bool caughtUp() {
        return table.linked() && table.outbox().empty() && c->s.g_aRecvRing.unread() == 0;
    }

    // Between hands the client's cards and gold are the server's, seat by seat.
    void expectViewsAgree() const {
        for (int k = 0; k < 4; ++k) {
            const std::uint8_t flag = c->s.custom[std::size_t(k)].seat;
            const auto& seats = table.seats();
            const auto it = std::find_if(seats.begin(), seats.end(),
                                         [&](const auto& seat) { return seat.flag == flag; });
            ASSERT_NE(it, seats.end()) << "relative seat " << k << " flag " << int(flag);
            EXPECT_EQ(std::uint64_t(c->s.g_aPlayerInfo[std::size_t(k)].gold), it->gold) << k;
            EXPECT_EQ(c->MainForm->Cash[k].caption(), QString::number(it->gold) + "金币") << k;
            if (k == 0) {
                EXPECT_EQ(std::size_t(c->s.custom[0].count), it->hand.size());
            }
        }
    }
    bool logHas(const std::string& part) const {
        return std::any_of(log.begin(), log.end(), [&](const std::string& line) {
            return line.find(part) != std::string::npos;
        });
    }

    static std::filesystem::path screenshotFolder() {
        auto folder = std::filesystem::path(KORVASH_BUILD_DIR) / "screenshots";
        std::filesystem::create_directories(folder);
        return folder;
    }
    void screenshot(forms::Form& form, const std::string& name) {
        const QImage shot = forms::renderWindow(form);
        ASSERT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(QString::fromStdString((screenshotFolder() / name).string())));
    }

    // The server breaks the connection: what it has not sent stays in the table's outbox.
    // What the client sent before stays the client's move, as with the server program, which
    // reads on until the client closes.
    void drop() {
        ++drops;
        countQueued();
        waitForQueuedFrames();
        server.dropConnection();
        server.waitForNoClient();
        table.connectionLost(now());
    }

  private:
    tableserver::Logger logger() {
        return [this](const std::string& line) { log.push_back(line); };
    }

    bool dropsBefore(std::size_t index) {
        if (dropBeforeFrame == index) {
            dropBeforeFrame.reset();
            return true;
        }
        // Random drops spare the login answer: without it the client has nothing to reconnect
        // to and only waits (its own test covers that).
        return index > 0 && dropPerMille > 0 && int(network() % 1000) < dropPerMille;
    }

    // Every frame the client put in its send ring and sent has reached the server, and so has
    // the login or reconnect frame of its connection: the table must not run on virtual time
    // past a move, or past its reconnect window, while the frame is still on its way. The login
    // and reconnect frames go past the ring and are not in `queued`.
    void waitForQueuedFrames() {
        if (!server.hasClient()) return;
        const auto frames = server.frames();
        const auto pastRing =
            std::size_t(std::count_if(frames.begin(), frames.end(), [](const state::Frame& f) {
                return f[3] == tableserver::wire::ClientLogin ||
                       f[3] == tableserver::wire::ClientReconnect;
            }));
        const auto inRing = std::size_t(c->s.g_aSendRing.unread() / std::int32_t(state::FrameSize));
        const std::size_t sent = queued - std::min(queued, inRing) + std::max(pastRing, openings);
        // A frame written after the server closed is gone; it is waited for once.
        if (sent > frames.size() && sent != givenUpAt &&
            !server.waitForFrames(sent, std::chrono::milliseconds(500))) {
            givenUpAt = sent;
        }
    }
    std::size_t givenUpAt = 0;
    std::size_t openings = 0;  // login and reconnect frames the client sent
    bool loginSentBefore = false;

    static constexpr std::int32_t kRingLimit =
        state::ByteRing::Size - std::int32_t(state::FrameSize);

    void countQueued() {
        // A login or reconnect frame went out on a new connection.
        const bool loginSent = c->s.g_bLoginSentOnConnection;
        if (loginSent && !loginSentBefore) ++openings;
        loginSentBefore = loginSent;
        const std::int32_t write = c->s.g_aSendRing.write;
        const std::int32_t bytes =
            (write - ringWrite + state::ByteRing::Size) % state::ByteRing::Size;
        queued += std::size_t(bytes / std::int32_t(state::FrameSize));
        ringWrite = write - bytes % std::int32_t(state::FrameSize);
    }
};

}  // namespace hand_test
