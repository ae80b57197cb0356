#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "server/hand_cards.h"
#include "server/server_frames.h"
#include "state/frame.h"

// The table of the local game server: one person and three robots, hand after hand. It is an
// event-driven state machine with no socket and no clock of its own: the transport hands it the
// person's frames and the time, and takes the frames it produces from its outbox. Frames for the
// person wait in the outbox while the person is away, so a reconnected client receives the rest
// of the hand in order. The same table runs in-process on virtual time in tests and on real
// sockets in the program.
namespace tableserver {

using Millis = std::int64_t;
using Logger = std::function<void(const std::string&)>;

struct TableOptions {
    std::uint32_t seed = 1;            // makes a table repeatable
    std::uint8_t turnSeconds = 20;     // turn clock of every player
    std::int32_t baseGold = 100;       // the room's base stake
    std::uint64_t startGold = 20000;   // every player's gold on arrival
    std::uint64_t reliefGold = 20000;  // given to a player who falls below eight stakes
    Millis robotThink = 700;           // a robot acts after this and up to as long again
    Millis nextHandDelay = 1500;       // from the last ready to the hand start
    Millis personGrace = 15000;      // beyond the turn clock before the server acts for the person
    Millis reconnectWindow = 70000;  // how long a dropped person's seat is kept
    int phrasePercent = 8;           // chance that a robot says a quick phrase after its play
    // Who the robots are: nicknames (GBK bytes) and the stem of their accounts (stem1..stem3).
    std::array<std::string, 3> robotNames = {"\xbb\xfa\xc6\xf7\xc8\xcb\xbc\xd7",   // 机器人甲
                                             "\xbb\xfa\xc6\xf7\xc8\xcb\xd2\xd2",   // 机器人乙
                                             "\xbb\xfa\xc6\xf7\xc8\xcb\xb1\xfb"};  // 机器人丙
    std::string robotAccount = "robot";
    std::int32_t wealth = 0;  // every player's wealth multiplier; 0: the table has none
};

// Declaration actions as the frames carry them.
enum Action : std::uint16_t {
    ActionPass = 0x001,
    ActionXuan = 0x002,
    ActionChuai = 0x004,
    ActionPingDa = 0x010,
    ActionShuaiPai = 0x080,
};

enum class Phase {
    Empty,       // nobody seated: waiting for a login
    Waiting,     // seated, waiting for every player's ready
    FirstBatch,  // the first deal batch is out: waiting for the person's declaration
    MiddleBatch,
    LastBatch,  // waiting for the person's deal acknowledgement
    Prompt,     // waiting for the person's answer to the declaration prompt
    Playing,
};

struct Seat {
    std::uint8_t flag = 0;
    bool robot = true;
    std::string account;
    std::string nickname;  // GBK bytes
    std::uint8_t sex = 1;
    std::string face;
    std::uint64_t gold = 0;
    bool ready = false;
    Hand hand;
    bool declaredXuan = false;
    bool declaredChuai = false;
    bool gaveUp = false;
    int place = 0;  // 1..4 once out of cards, 5 when the player gave up
};

// What the tests compare with the client's view.
struct HandSummary {
    std::array<Hand, 4> hands;
    std::array<std::uint64_t, 4> gold{};
    int handsPlayed = 0;
};

class Table {
  public:
    Table(TableOptions options, Logger log);

    // A connection has come (the frames wait until it logs in or reconnects) or gone.
    void connectionOpened(Millis now);
    void connectionLost(Millis now);
    // One whole frame from the client.
    void receive(const state::Frame& frame, Millis now);
    // Runs whatever is due by `now`.
    void advance(Millis now);
    std::optional<Millis> nextDue() const;

    // Frames for the person, oldest first; only while the person is linked (logged in or
    // reconnected on the current connection) may the transport send them.
    bool linked() const { return linked_; }
    std::deque<state::Frame>& outbox() { return outbox_; }
    // The transport should close the connection (the person left or was refused).
    bool wantsClose() const { return wantsClose_; }
    void closed() { wantsClose_ = false; }

    Phase phase() const { return phase_; }
    const std::array<Seat, 4>& seats() const { return seats_; }
    int personSeat() const { return person_; }
    wire::Token token() const { return token_; }
    std::int32_t threadIndex() const { return threadIndex_; }
    int handsPlayed() const { return handsPlayed_; }
    std::uint16_t multiplier() const { return multiplier_; }
    // The seat whose turn it is while playing, else -1.
    int toAct() const { return phase_ == Phase::Playing ? current_ : -1; }
    const std::optional<Play>& lastPlay() const { return last_; }

  private:
    // table.cpp: connection, login, reconnect, readiness, timers.
    void login(const state::Frame& frame, Millis now);
    void reconnect(const state::Frame& frame, Millis now);
    void seatAction(const state::Frame& frame, Millis now);
    void chat(const state::Frame& frame);
    void seatEveryone(const std::string& account);
    void unseatPerson(const std::string& why);
    void markReady(int seat, Millis now);
    void refuse(const state::Frame& frame, const std::string& reason);
    void send(state::Frame frame);
    void say(const std::string& line) const;
    // What the table waits for from the person, and the person's answer, as log lines that a
    // driver playing the person through the real client can follow.
    void awaitPerson(const std::string& what) const;
    void personAnswers(const std::string& what) const;
    std::uint8_t personFlag() const { return seats_[person_].flag; }
    Millis robotDelay();

    // table_deal.cpp: hand start, the three batches, declarations, marked aces.
    void startHand(Millis now);
    void sendBatch(int phase);
    void declare(const state::Frame& frame, Millis now);
    void dealDone(Millis now);
    void robotsDeclare(int batch);
    void announce(int seat, std::uint16_t action, const std::array<std::int32_t, 4>& cards = {});
    void markAces();
    void answerPrompt(std::uint16_t action, Millis now);

    // table_play.cpp: turns, the person's plays, robots' plays, results.
    void openPlay(Millis now);
    void play(const state::Frame& frame, Millis now);
    void apply(int seat, const std::optional<Play>& play, Millis now);
    void robotAct(Millis now);
    void actForPerson(Millis now);
    void scheduleTurn(Millis now);
    void finishHand(Millis now);
    void robotPhrase(int seat);
    bool holdsCards(int seat) const;
    int nextHolder(int after, const std::vector<int>& among) const;

    TableOptions options_;
    Logger log_;
    std::mt19937 rng_;
    std::array<Seat, 4> seats_;
    int person_ = 0;  // index of the person's seat; seat i has flag 1 << i
    Phase phase_ = Phase::Empty;
    bool connected_ = false;
    bool linked_ = false;     // frames may go to the person
    bool accepting_ = false;  // the current connection has logged in or reconnected
    bool wantsClose_ = false;
    std::deque<state::Frame> outbox_;
    wire::Token token_{};
    std::int32_t threadIndex_ = 0;
    std::int32_t previousThreadIndex_ = 0;
    int handsPlayed_ = 0;
    int dealer_ = 0;

    // The hand.
    std::uint16_t multiplier_ = 1;
    std::uint8_t markedColour_ = 0;
    std::array<std::int32_t, 3> offers_{};
    std::array<std::int32_t, 4> group_{};
    std::optional<Play> last_;
    int lastPlayer_ = -1;
    std::vector<int> stillIn_;  // who may still answer the last play
    int current_ = -1;
    int finished_ = 0;

    // Timers.
    std::optional<Millis> handStartAt_;
    std::array<std::optional<Millis>, 4> readyAt_{};
    std::optional<Millis> actAt_;  // the seat to act: a robot's move, or the person's deadline
    std::optional<Millis> reconnectBy_;
};

}  // namespace tableserver
