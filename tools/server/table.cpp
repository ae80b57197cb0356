// The table's connection side: login and seating, reconnection, readiness, chat, the routing
// of the person's frames and the timers.
#include "server/table.h"

#include <algorithm>

#include "server/client_frames.h"

namespace tableserver {
namespace {

std::string TypeName(std::uint8_t type) {
    return "type " + std::to_string(type);
}

}  // namespace

Table::Table(TableOptions options, Logger log)
    : options_(options), log_(std::move(log)), rng_(options.seed) {
    for (std::size_t i = 0; i < seats_.size(); ++i) seats_[i].flag = std::uint8_t(1u << i);
}

void Table::say(const std::string& line) const {
    if (log_) log_(line);
}

void Table::awaitPerson(const std::string& what) const {
    say("awaits the person: " + what);
}

void Table::personAnswers(const std::string& what) const {
    say("the person answers: " + what);
}

void Table::send(state::Frame frame) {
    frame[260] = token_[0];
    frame[261] = token_[1];
    outbox_.push_back(frame);
}

void Table::refuse(const state::Frame& frame, const std::string& reason) {
    say("refused " + TypeName(frame[3]) + " from the client: " + reason);
}

Millis Table::robotDelay() {
    return options_.robotThink + Millis(rng_() % std::uint32_t(options_.robotThink + 1));
}

void Table::connectionOpened(Millis) {
    linked_ = false;
    accepting_ = false;
}

void Table::connectionLost(Millis now) {
    if (!linked_ && !accepting_) return;
    linked_ = false;
    if (phase_ != Phase::Empty) {
        reconnectBy_ = now + options_.reconnectWindow;
        say("the person's connection is gone; the seat is kept for a reconnection");
    }
}

void Table::receive(const state::Frame& frame, Millis now) {
    const std::uint8_t type = frame[3];
    if (type == wire::ClientLogin) return login(frame, now);
    if (type == wire::ClientReconnect) return reconnect(frame, now);
    if (!accepting_ || phase_ == Phase::Empty) return refuse(frame, "not logged in");
    switch (type) {
        case wire::ClientKeepAlive:
        case wire::ClientSeatAction:
        case wire::ClientDeclare:
        case wire::ClientDealDone:
        case wire::ClientPlayCards:
        case wire::ClientChat:
            break;
        default:
            return refuse(frame, "no such client frame");
    }
    // The client's keep-alive clock starts with the login answer and carries the seat the
    // client knows: none until its own record arrives (a drop can hold that back for seconds).
    const bool seatUntold = type == wire::ClientKeepAlive && frame[6] == 0;
    if ((frame[6] & 15) != personFlag() && !seatUntold) {
        return refuse(frame, "seat byte " + std::to_string(frame[6]) + " is not the person's " +
                                 std::to_string(personFlag()));
    }
    switch (type) {
        case wire::ClientKeepAlive:
            return;
        case wire::ClientSeatAction:
            return seatAction(frame, now);
        case wire::ClientDeclare:
            return declare(frame, now);
        case wire::ClientDealDone:
            return dealDone(now);
        case wire::ClientPlayCards:
            return play(frame, now);
        default:
            return chat(frame);
    }
}

void Table::login(const state::Frame& frame, Millis now) {
    if (accepting_) return refuse(frame, "a second login on one connection");
    const std::string account = wire::LoginAccount(frame);
    if (account.empty()) {
        refuse(frame, "a login without an account");
        outbox_.clear();
        send(wire::BuildLoginReply({.loginResult = 3}));
        linked_ = true;
        wantsClose_ = true;
        return;
    }
    // A login always seats the person afresh: a hand left behind is abandoned.
    if (phase_ != Phase::Empty) unseatPerson("a new login replaces the seated person");
    outbox_.clear();
    token_ = {std::uint8_t(1 + rng_() % 255), std::uint8_t(rng_() % 256)};
    person_ = int(rng_() % 4);
    seatEveryone(account);
    send(wire::BuildLoginReply({.loginResult = 1, .turnSeconds = options_.turnSeconds}));
    for (int i = 0; i < 4; ++i) {
        const Seat& s = seats_[i];
        send(wire::BuildPlayerInfo({.seat = personFlag(),
                                    .nickname = s.nickname,
                                    .face = s.face,
                                    .sex = s.sex,
                                    .gold = s.gold,
                                    .levelTitle = {},
                                    .account = s.account,
                                    .ready = std::uint8_t(s.ready ? 1 : 0),
                                    .playerSeat = s.flag,
                                    .wealth = options_.wealth,
                                    .noProps = 1}));
    }
    phase_ = Phase::Waiting;
    linked_ = accepting_ = true;
    reconnectBy_.reset();
    say("seated " + account + " at seat " + std::to_string(personFlag()) + " with three robots");
    awaitPerson("ready");
    (void)now;
}

void Table::seatEveryone(const std::string& account) {
    int robot = 0;
    for (int i = 0; i < 4; ++i) {
        Seat& s = seats_[i];
        const bool keepGold = s.gold > 0 && s.robot && i != person_;
        const std::uint64_t gold = keepGold ? s.gold : options_.startGold;
        s = Seat{.flag = std::uint8_t(1u << i), .gold = gold};
        if (i == person_) {
            s.robot = false;
            s.account = account;
            s.nickname = account;
            s.face = "m1";
        } else {
            s.account = options_.robotAccount + std::to_string(robot + 1);
            s.nickname = options_.robotNames[std::size_t(robot)];
            s.sex = std::uint8_t(robot % 2 == 0 ? 1 : 0);
            s.face = (s.sex ? "m" : "w") + std::to_string(2 + robot);
            s.ready = true;
            ++robot;
        }
    }
}

void Table::unseatPerson(const std::string& why) {
    say("the person leaves the table: " + why);
    phase_ = Phase::Empty;
    outbox_.clear();
    linked_ = accepting_ = false;
    handStartAt_.reset();
    actAt_.reset();
    reconnectBy_.reset();
    readyAt_ = {};
    current_ = -1;
}

void Table::reconnect(const state::Frame& frame, Millis now) {
    if (accepting_) return refuse(frame, "a reconnect on a logged-in connection");
    const bool known =
        phase_ != Phase::Empty && wire::LoginAccount(frame) == seats_[person_].account;
    const bool sameToken = wire::FrameToken(frame) == token_;
    // A drop between two hands can leave the client with the last hand's thread index.
    const std::int32_t index = wire::FrameThreadIndex(frame);
    const bool sameHand = index == threadIndex_ || index == previousThreadIndex_;
    if (!known || !sameToken || !sameHand) {
        refuse(frame, !known       ? "nobody of that account is seated"
                      : !sameToken ? "a stale token"
                                   : "another hand's thread index");
        // A reconnect naming the seated person but not the table's session frees the seat; a
        // stranger's leaves it to its person.
        if (phase_ != Phase::Empty && known) {
            unseatPerson("the reconnection was refused");
        } else {
            outbox_.clear();
        }
        outbox_.push_back(wire::BuildReconnectReply({.reconnectResult = 0}));
        linked_ = true;
        wantsClose_ = true;
        return;
    }
    // The answer goes ahead of everything that waited for the person.
    outbox_.push_front(wire::BuildReconnectReply({.reconnectResult = 1}));
    linked_ = accepting_ = true;
    reconnectBy_.reset();
    if (phase_ == Phase::Playing && current_ == person_) {
        actAt_ = now + Millis(options_.turnSeconds) * 1000 + options_.personGrace;
    }
    say("the person is back; " + std::to_string(outbox_.size() - 1) + " frames were waiting");
}

void Table::seatAction(const state::Frame& frame, Millis now) {
    if (frame[15] == 0) {
        wantsClose_ = true;
        return unseatPerson("the client left");
    }
    if (frame[15] != 1) return refuse(frame, "seat action " + std::to_string(frame[15]));
    if (phase_ != Phase::Waiting) return refuse(frame, "a ready during a hand");
    if (seats_[person_].ready) return refuse(frame, "the person is ready already");
    personAnswers("ready");
    markReady(person_, now);
}

void Table::markReady(int seat, Millis now) {
    seats_[seat].ready = true;
    readyAt_[seat].reset();
    send(wire::BuildPlayerReady({.readyState = 1, .account = seats_[seat].account}));
    if (std::all_of(seats_.begin(), seats_.end(), [](const Seat& s) { return s.ready; })) {
        handStartAt_ = now + options_.nextHandDelay;
    }
}

void Table::chat(const state::Frame& frame) {
    if (frame[16] == 0) return refuse(frame, "an empty chat line");
    // The server speaks for the person: every line comes back, and the client shows it then.
    state::Frame echo = frame;
    echo[6] = personFlag();
    send(echo);
}

std::optional<Millis> Table::nextDue() const {
    std::optional<Millis> due;
    auto consider = [&](const std::optional<Millis>& t) {
        if (t && (!due || *t < *due)) due = t;
    };
    consider(handStartAt_);
    for (const auto& t : readyAt_) consider(t);
    consider(actAt_);
    consider(reconnectBy_);
    return due;
}

void Table::advance(Millis now) {
    for (;;) {
        const auto due = nextDue();
        if (!due || *due > now) return;
        const Millis at = *due;
        if (reconnectBy_ == at) {
            unseatPerson("no reconnection within the window");
        } else if (handStartAt_ == at) {
            handStartAt_.reset();
            startHand(at);
        } else if (actAt_ == at) {
            actAt_.reset();
            if (current_ == person_) {
                actForPerson(at);
            } else {
                robotAct(at);
            }
        } else {
            for (int i = 0; i < 4; ++i) {
                if (readyAt_[i] == at) markReady(i, at);
            }
        }
    }
}

}  // namespace tableserver
