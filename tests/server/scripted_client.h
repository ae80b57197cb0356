#pragma once

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "server/client_frames.h"
#include "server/hand_cards.h"
#include "server/table.h"

// A table client written as a script of frames: it answers the server as the real client's
// rules do (auto-pass when it may not declare, the deal acknowledgement, a legal play or a pass
// on its turn, ready after the results) and keeps its own view of the hand and the gold, which
// the tests compare with the server's. It runs the table in-process on virtual time.
namespace server_test {

using tableserver::Card;
using tableserver::Millis;
using tableserver::Play;
using tableserver::Table;

class ScriptedClient {
  public:
    explicit ScriptedClient(Table& table, std::uint32_t seed = 7) : table_(table), rng_(seed) {}

    std::string account = "player1";
    std::uint8_t seat = 0;                       // own flag, from the first player record
    std::vector<Card> hand;                      // as dealt and played
    std::map<std::uint8_t, std::uint64_t> gold;  // by seat flag
    std::map<std::string, std::uint8_t> seatOf;  // account -> flag
    tableserver::wire::Token token{};
    std::int32_t threadIndex = 0;
    std::vector<state::Frame> received;
    int results = 0;
    int framesSent = 0;
    bool autoPlay = true;   // answer every request as the client would
    bool playTurns = true;  // and play or pass on its turns
    Millis now = 0;

    void connect() { table_.connectionOpened(now); }
    void send(const state::Frame& frame) {
        ++framesSent;
        table_.receive(frame, now);
    }
    void login() {
        connect();
        send(tableserver::wire::BuildLogin(account, "secret"));
        take();
    }
    void reconnect() {
        connect();
        send(tableserver::wire::BuildReconnect(account, "secret", token, threadIndex));
    }

    // Takes every frame the server has for the client (while linked) and answers it, then lets
    // virtual time run to the next due timer, until `until` or `stop` holds.
    template <typename Stop>
    bool runUntil(Stop stop, Millis limit = 600000) {
        const Millis end = now + limit;
        while (now < end) {
            take();
            if (stop()) return true;
            const auto due = table_.nextDue();
            now = due ? std::max(now, std::min(*due, end)) : end;
            table_.advance(now);
        }
        take();
        return stop();
    }

    // Delivers at most `limit` frames (all when negative) and answers them.
    void take(int limit = -1) {
        auto& out = table_.outbox();
        while (table_.linked() && !out.empty() && limit != 0) {
            const state::Frame frame = out.front();
            out.pop_front();
            --limit;
            received.push_back(frame);
            handle(frame);
        }
    }

    std::vector<state::Frame> ofType(std::uint8_t type) const {
        std::vector<state::Frame> found;
        for (const auto& f : received) {
            if (f[3] == type) found.push_back(f);
        }
        return found;
    }

  private:
    static Card CardOf(const state::Frame& f, std::size_t offset) {
        return {f[offset], f[offset + 1], f[offset + 3]};
    }

    void handle(const state::Frame& f) {
        namespace wire = tableserver::wire;
        if (f[3] != 29) token = {f[260], f[261]};
        switch (f[3]) {
            case 20:
                if (seat == 0) seat = f[6] & 15;
                gold[f[226]] = read64(f, 96);
                seatOf[wire::FrameText(f, 168, 16)] = f[226];
                return;
            case 1: {
                if ((f[6] & 15) != seat) return;
                for (int i = 0; i < f[11]; ++i) hand.push_back(CardOf(f, 16 + 4 * i));
                if (f[15] == 1) threadIndex = wire::FrameThreadIndex(f);
                if (!autoPlay) return;
                if (f[15] == 3) return send(wire::BuildDealDone(seat));
                if (f[68] != 1 || rng_() % 2)
                    return send(wire::BuildDeclare(seat, tableserver::ActionPass));
                if (f[15] == 1) {
                    return send(wire::BuildDeclare(seat, tableserver::ActionXuan, {word(f, 72)}));
                }
                return send(
                    wire::BuildDeclare(seat, tableserver::ActionChuai,
                                       {word(f, 84), word(f, 88), word(f, 92), word(f, 96)}));
            }
            case 4:
                for (Card& c : hand) {
                    if (c.rank == 14 && tableserver::InMarkedColour(c.suit, f[11])) c.rank = 16;
                }
                return;
            case 2:
                if (autoPlay)
                    send(wire::BuildDeclare(seat, rng_() % 10 ? tableserver::ActionPingDa
                                                              : tableserver::ActionShuaiPai));
                return;
            case 6:
                return turn(f);
            case 9: {
                const std::uint64_t amount = read64(f, 83);
                std::uint64_t& g = gold[f[6] & 15];
                if (f[82] == 1) g += amount;
                if (f[82] == 0) g -= std::min(g, amount);
                if (++results % 4 == 0) {
                    hand.clear();
                    last_.reset();
                    if (autoPlay) send(wire::BuildSeatAction(seat, true));
                }
                return;
            }
            case 91:
                gold[seat] += read64(f, 17);
                return;
            case 92:
                gold[seatOf[wire::FrameText(f, 25, 17)]] += read64(f, 17);
                return;
            default:
                return;
        }
    }

    void turn(const state::Frame& f) {
        namespace wire = tableserver::wire;
        const int count = f[17];
        if (count > 0) {
            Play play{cards::CheckPatternType(f[18]), {}};
            for (int i = 0; i < count; ++i) play.cards.push_back(CardOf(f, 20 + 4 * i));
            last_ = play;
        }
        if (f[15] == 1 || f[15] == 9 || f[15] == 10) last_.reset();
        if (f[11] != seat || f[15] >= 10 || !autoPlay || !playTurns) return;
        const auto plays = tableserver::LegalPlays(hand, last_);
        if (plays.empty() || (last_ && rng_() % 4 == 0)) {
            if (last_) return send(wire::BuildPass(seat));
            return;  // a hand that cannot lead does not happen
        }
        const Play& chosen = plays[rng_() % plays.size()];
        std::vector<std::uint8_t> ids;
        for (const Card& c : chosen.cards) ids.push_back(c.id);
        tableserver::RemoveCards(hand, chosen.cards);
        send(wire::BuildPlay(seat, std::uint8_t(cards::Ordinal(chosen.pattern)), ids));
    }

    static std::uint64_t read64(const state::Frame& f, std::size_t offset) {
        std::uint64_t v = 0;
        for (int i = 7; i >= 0; --i) v = v << 8 | f[offset + i];
        return v;
    }
    static std::int32_t word(const state::Frame& f, std::size_t offset) {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = v << 8 | f[offset + i];
        return std::int32_t(v);
    }

    Table& table_;
    std::mt19937 rng_;
    std::optional<Play> last_;
};

}  // namespace server_test
